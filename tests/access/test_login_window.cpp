#include "access/login_window.h"
#include "access/password_store.h"
#include "common/ini_file.h"
#include "support/test_support.h"
#include "support/typing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadFailure = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                                            "della password. Si consiglia di reinstallare il software.");
} // namespace

// A login window over a temporary program folder, shown and active.
struct LoginFixture
{
    TestContext test;
    LoginWindow window{test.context};
    QLineEdit* field = window.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    QPushButton* ok = window.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QSignalSpy loggedIn{&window, &LoginWindow::loggedIn};

    explicit LoginFixture(const QString& stored = QString())
    {
        if (!stored.isNull())
            PasswordStore(test.dir.path()).storePassword(stored);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

class TestLoginWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windowAsShown()
    {
        LoginFixture f(QStringLiteral("plicario"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral(" Plicario 3.0 - Autenticazione"));
        QVERIFY(!(f.window.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
        QVERIFY(f.field->hasFocus());
        QCOMPARE(f.field->echoMode(), QLineEdit::Password);
        QVERIFY(!f.ok->isEnabled());
        QVERIFY(!f.field->accessibleName().isEmpty());
        QWidget* frame = f.window.findChild<QWidget*>(QStringLiteral("effPassword"));
        QVERIFY(frame && frame->isVisible());
        QVERIFY(frame->geometry().contains(f.field->geometry()));
        f.ok->setEnabled(true);
        f.ok->setFocus();
        QVERIFY(!frame->isVisible());
        f.field->setFocus();
        QVERIFY(frame->isVisible());
    }

    void login_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("withButton");
        QTest::addColumn<bool>("accepted");
        const QString word = QStringLiteral("plicario");
        QTest::newRow("lower case") << word << QStringLiteral("plicario") << false << true;
        QTest::newRow("upper case") << word << QStringLiteral("PLICARIO") << true << true;
        QTest::newRow("mixed case") << word << QStringLiteral("pLiCaRiO") << false << true;
        QTest::newRow("blanks around") << word << QStringLiteral("  plicario   ") << true << true;
        QTest::newRow("wrong") << word << QStringLiteral("plicari") << false << false;
        QTest::newRow("wrong by one letter") << word << QStringLiteral("plicarioo") << true << false;
        QTest::newRow("accented, same case") << QStringLiteral("città") << QStringLiteral("CITTà") << false << true;
        QTest::newRow("accented, other case") << QStringLiteral("città") << QStringLiteral("cittÀ") << false << false;
    }
    void login()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, withButton);
        QFETCH(bool, accepted);
        LoginFixture f(stored);
        typeText(f.field, typed);
        QVERIFY(f.ok->isEnabled());
        if (withButton)
            QTest::mouseClick(f.ok, Qt::LeftButton);
        else
            QTest::keyClick(f.field, Qt::Key_Return);

        QCOMPARE(f.loggedIn.count(), accepted ? 1 : 0);
        if (accepted) {
            QVERIFY(f.test.messages.log().isEmpty());
        } else {
            QCOMPARE(f.test.messages.log().size(), 1);
            QCOMPARE(f.test.messages.log().first().kind, Messages::Kind::Plain);
            QCOMPARE(f.test.messages.log().first().text, kWrong);
            QCOMPARE(f.field->text(), QString());
            QVERIFY(f.field->hasFocus());
            QVERIFY(!f.ok->isEnabled());
        }
    }

    void okFollowsTheTrimmedText()
    {
        LoginFixture f(QStringLiteral("plicario"));
        QTest::keyClicks(f.field, QStringLiteral("   "));
        QVERIFY(!f.ok->isEnabled());
        QTest::keyClick(f.field, Qt::Key_Return);
        QTest::keyClick(f.field, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f.loggedIn.count(), 0);
        QVERIFY(f.test.messages.log().isEmpty()); // Enter on blanks does nothing at all
        QCOMPARE(f.field->text(), QStringLiteral("   "));

        QTest::keyClick(f.field, 'x');
        QVERIFY(f.ok->isEnabled());
        QTest::keyClick(f.field, Qt::Key_Backspace);
        QVERIFY(!f.ok->isEnabled());
        f.field->setText(QStringLiteral("\t plicario"));
        QVERIFY(f.ok->isEnabled());
        f.field->setText(QString());
        QVERIFY(!f.ok->isEnabled());
    }

    void storeProblems_data()
    {
        QTest::addColumn<QString>("key"); // null: no store at all
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing store") << QString() << QString() << kWrong;
        QTest::newRow("missing key") << QStringLiteral("Altro") << QStringLiteral("41") << kWrong;
        QTest::newRow("not hexadecimal") << QStringLiteral("Valore") << QStringLiteral("4G41") << kReadFailure;
    }
    void storeProblems()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, message);
        LoginFixture f;
        if (!key.isNull())
            IniFile(f.test.path(PasswordStore::kFileName)).write(QStringLiteral("Accesso"), key, value);
        QTest::keyClicks(f.field, QStringLiteral("plicario"));
        QTest::keyClick(f.field, Qt::Key_Return);
        QCOMPARE(f.loggedIn.count(), 0);
        QCOMPARE(f.test.messages.log().size(), 1);
        QCOMPARE(f.test.messages.log().first().kind, Messages::Kind::Plain);
        QCOMPARE(f.test.messages.log().first().text, message);
        // A read failure leaves the window as it was; a wrong password empties the field.
        QCOMPARE(f.field->text(), message == kReadFailure ? QStringLiteral("plicario") : QString());
        QVERIFY(f.window.isVisible());
    }

    void buttonsSignalTheirWindows()
    {
        LoginFixture f(QStringLiteral("plicario"));
        QSignalSpy change(&f.window, &LoginWindow::changePasswordRequested);
        QSignalSpy closed(&f.window, &LoginWindow::closed);
        QTest::mouseClick(f.window.findChild<QPushButton*>(QStringLiteral("btnCambiaPassword")), Qt::LeftButton);
        QCOMPARE(change.count(), 1);
        QCOMPARE(closed.count(), 0);
        QTest::mouseClick(f.window.findChild<QPushButton*>(QStringLiteral("cmdEsci")), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!f.window.isVisible());
    }
};

QTEST_MAIN(TestLoginWindow)
#include "test_login_window.moc"
