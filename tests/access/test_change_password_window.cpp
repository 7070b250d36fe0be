#include "access/change_password_window.h"
#include "access/password_store.h"
#include "support/test_support.h"
#include "support/typing.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>


namespace {
const QString kWrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                             "E' necessario reinserire entrambi i valori.");
const QString kDone = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeFailure = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                              "modifica della password. Si consiglia di reinstallare il software.");

} // namespace

struct ChangeFixture
{
    TestContext test;
    PasswordStore store{test.dir.path()};
    ChangePasswordWindow window{test.context};
    QLineEdit* oldField = window.findChild<QLineEdit*>(QStringLiteral("txtPasswordOld"));
    QLineEdit* newField = window.findChild<QLineEdit*>(QStringLiteral("txtPasswordNew"));
    QLineEdit* confirmField = window.findChild<QLineEdit*>(QStringLiteral("txtConferma"));
    QPushButton* ok = window.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QSignalSpy closed{&window, &ChangePasswordWindow::closed};

    explicit ChangeFixture(const QString& stored = QStringLiteral("plicario"))
    {
        if (!stored.isNull())
            store.storePassword(stored);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void fill(const QString& oldText, const QString& newText, const QString& confirmText)
    {
        typeText(oldField, oldText);
        typeText(newField, newText);
        typeText(confirmField, confirmText);
    }

    // The one message shown since the last call.
    QString message()
    {
        const auto log = test.messages.log();
        test.messages.clear();
        if (log.size() != 1 || log.first().kind != Messages::Kind::Plain)
            return QStringLiteral("<%1 messages>").arg(log.size());
        return log.first().text;
    }
};

class TestChangePasswordWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windowAsShown()
    {
        ChangeFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral(" Cambia password"));
        QVERIFY(!(f.window.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
        QVERIFY(f.oldField->hasFocus());
        QVERIFY(!f.ok->isEnabled());
        QCOMPARE(f.window.findChild<QPushButton*>(QStringLiteral("cmdEsci"))->text(), QStringLiteral("Chiudi"));
        const QStringList names{f.oldField->accessibleName(), f.newField->accessibleName(),
                                f.confirmField->accessibleName()};
        QCOMPARE(names, (QStringList{QStringLiteral("Vecchia password"), QStringLiteral("Nuova password"),
                                     QStringLiteral("Conferma nuova password")}));
    }

    void enterMovesAlongTheFieldsAndFramesFollow()
    {
        ChangeFixture f;
        f.fill(QStringLiteral("plicario"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QVERIFY(f.ok->isEnabled());
        const QList<QPair<QLineEdit*, QString>> chain{{f.oldField, QStringLiteral("effPasswordOld")},
                                                      {f.newField, QStringLiteral("effPasswordNew")},
                                                      {f.confirmField, QStringLiteral("effConferma")}};
        f.oldField->setFocus();
        for (int step = 0; step < 4; ++step) {
            const auto& [field, frameName] = chain[step % 3];
            QVERIFY2(field->hasFocus(), qPrintable(field->objectName()));
            for (const auto& [other, otherFrame] : chain)
                QCOMPARE(f.window.findChild<QWidget*>(otherFrame)->isVisible(), other == field);
            QTest::keyClick(field, Qt::Key_Return);
        }
        // Enter never submitted anything.
        QVERIFY(f.test.messages.log().isEmpty());
        QVERIFY(f.store.checkPassword(QStringLiteral("plicario")));
    }

    void okNeedsAllThreeFields()
    {
        ChangeFixture f;
        f.fill(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("  "));
        QVERIFY(!f.ok->isEnabled());
        QTest::keyClick(f.confirmField, 'c');
        QVERIFY(f.ok->isEnabled());
        f.oldField->clear();
        QVERIFY(!f.ok->isEnabled());
    }

    void success()
    {
        ChangeFixture f;
        f.fill(QStringLiteral(" PLICARIO"), QStringLiteral("Nuova Parola è"), QStringLiteral("Nuova Parola è "));
        QTest::mouseClick(f.ok, Qt::LeftButton);
        QCOMPARE(f.message(), kDone);
        QCOMPARE(f.closed.count(), 1);
        QVERIFY(!f.window.isVisible());
        QVERIFY(f.store.checkPassword(QStringLiteral("nuova parola è")));
        QVERIFY(!f.store.checkPassword(QStringLiteral("plicario")));

        // Shown again, it starts empty.
        f.window.show();
        for (QLineEdit* field : {f.oldField, f.newField, f.confirmField})
            QCOMPARE(field->text(), QString());
        QVERIFY(!f.ok->isEnabled());
    }

    void refusedEntries_data()
    {
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("confirmText");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused"); // the field that gets the focus; the refused ones are emptied
        QTest::newRow("wrong old password") << QStringLiteral("plicari") << QStringLiteral("nuova")
                                            << QStringLiteral("nuova") << kWrongOld << QStringLiteral("txtPasswordOld");
        QTest::newRow("confirmation differs in case only")
            << QStringLiteral("plicario") << QStringLiteral("nuova") << QStringLiteral("Nuova") << kNotConfirmed
            << QStringLiteral("txtPasswordNew");
        QTest::newRow("confirmation differs") << QStringLiteral("plicario") << QStringLiteral("nuova")
                                              << QStringLiteral("nuove") << kNotConfirmed
                                              << QStringLiteral("txtPasswordNew");
        const QString tooLong(256, u'x');
        QTest::newRow("too long to store") << QStringLiteral("plicario") << tooLong << tooLong << QString()
                                           << QStringLiteral("txtPasswordNew");
        // € is a sign of windows-1252, but its code is above 255.
        QTest::newRow("euro sign") << QStringLiteral("plicario") << QStringLiteral("€uro") << QStringLiteral("€uro")
                                   << QString() << QStringLiteral("txtPasswordNew");
    }
    void refusedEntries()
    {
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, confirmText);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        ChangeFixture f;
        f.oldField->setText(oldText);
        f.newField->setText(newText);
        f.confirmField->setText(confirmText);
        QTest::mouseClick(f.ok, Qt::LeftButton);

        const QString shown = f.message();
        if (message.isNull()) // the password the store cannot hold: our own message, saying truly what it may hold
            QCOMPARE(shown, QStringLiteral("Attenzione: la nuova password non può essere memorizzata. ") +
                                PasswordStore::kLimits +
                                QStringLiteral(" E' necessario reinserire entrambi i valori."));
        else
            QCOMPARE(shown, message);
        QCOMPARE(f.closed.count(), 0);
        QVERIFY(f.window.isVisible());
        QVERIFY(f.window.findChild<QLineEdit*>(focused)->hasFocus());
        const bool oldRefused = focused == QStringLiteral("txtPasswordOld");
        QCOMPARE(f.oldField->text(), oldRefused ? QString() : oldText);
        QCOMPARE(f.newField->text(), oldRefused ? newText : QString());
        QCOMPARE(f.confirmField->text(), oldRefused ? confirmText : QString());
        QVERIFY(f.store.checkPassword(QStringLiteral("plicario")));
    }

    void missingStoreAcceptsNoOldPassword()
    {
        ChangeFixture f{QString()};
        f.fill(QStringLiteral("plicario"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(f.ok, Qt::LeftButton);
        QCOMPARE(f.message(), kWrongOld);
        QVERIFY(!QFile::exists(f.test.path(PasswordStore::kFileName)));
    }

    void failures_data()
    {
        QTest::addColumn<bool>("unwritable");
        QTest::newRow("store that cannot be written") << true;
        QTest::newRow("store that cannot be read") << false;
    }
    void failures()
    {
        QFETCH(bool, unwritable);
        ChangeFixture f;
        if (!unwritable) {
            QFile file(f.test.path(PasswordStore::kFileName));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Accesso]\r\nValore=XYZ\r\n");
        }
        f.fill(QStringLiteral("plicario"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        {
            FileSizeLimit guard(0);
            QTest::mouseClick(f.ok, Qt::LeftButton);
        }
        QCOMPARE(f.message(), kChangeFailure);
        QCOMPARE(f.closed.count(), 0);
        QVERIFY(f.window.isVisible());
        if (unwritable)
            QVERIFY(f.store.checkPassword(QStringLiteral("plicario")));
    }

    void closeButtonClosesWithoutChange()
    {
        ChangeFixture f;
        f.fill(QStringLiteral("plicario"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(f.window.findChild<QPushButton*>(QStringLiteral("cmdEsci")), Qt::LeftButton);
        QCOMPARE(f.closed.count(), 1);
        QVERIFY(f.test.messages.log().isEmpty());
        QVERIFY(f.store.checkPassword(QStringLiteral("plicario")));
    }
};

QTEST_MAIN(TestChangePasswordWindow)
#include "test_change_password_window.moc"
