#include "common/message_box_gui.h"
#include "support/modal.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

Q_DECLARE_METATYPE(Messages::Answer)

class TestMessageBoxGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void paragraphBreaksShowAsOneEmptyLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF CR LF") << QStringLiteral("Uno.\r\n\r\nDue.") << QStringLiteral("Uno.\n\nDue.");
        QTest::newRow("LF CR LF CR") << QStringLiteral("Uno.\n\r\n\rDue.") << QStringLiteral("Uno.\n\nDue.");
        QTest::newRow("one line break") << QStringLiteral("Uno.\r\nDue.") << QStringLiteral("Uno.\nDue.");
        QTest::newRow("plain text") << QStringLiteral("Attenzione: password errata.")
                                    << QStringLiteral("Attenzione: password errata.");
    }
    void paragraphBreaksShowAsOneEmptyLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(MessageBoxMessages::displayText(text), shown);
    }

    // The real boxes, answered by pressing one of their buttons.
    void buttonsAndAnswers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<bool>("goesOn"); // what confirm() returns; the others return nothing
        const QList<int> okCancel{QMessageBox::Ok, QMessageBox::Cancel};
        const QList<int> yesNo{QMessageBox::Yes, QMessageBox::No};
        using K = Messages::Kind;
        QTest::newRow("warning") << int(K::Warning) << okCancel << int(QMessageBox::Cancel) << true;
        QTest::newRow("error") << int(K::Error) << okCancel << int(QMessageBox::Ok) << true;
        QTest::newRow("information") << int(K::Information) << okCancel << int(QMessageBox::Ok) << true;
        QTest::newRow("confirmation, yes") << int(K::Confirmation) << yesNo << int(QMessageBox::Yes) << true;
        QTest::newRow("confirmation, no") << int(K::Confirmation) << yesNo << int(QMessageBox::No) << false;
        QTest::newRow("plain") << int(K::Plain) << QList<int>{QMessageBox::Ok} << int(QMessageBox::Ok) << true;
    }
    void buttonsAndAnswers()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, buttons);
        QFETCH(int, press);
        QFETCH(bool, goesOn);
        MessageBoxMessages messages;
        const QString text = QStringLiteral("Prima riga.\n\r\n\rSeconda riga.");
        QList<int> seenButtons;
        QString seenText;
        bool answer = true;
        auto show = [&] {
            switch (Messages::Kind(kind)) {
            case Messages::Kind::Warning:
                messages.warning(nullptr, text);
                break;
            case Messages::Kind::Error:
                messages.error(nullptr, text);
                break;
            case Messages::Kind::Information:
                messages.information(nullptr, text);
                break;
            case Messages::Kind::Confirmation:
                answer = messages.confirm(nullptr, text);
                break;
            case Messages::Kind::Plain:
                messages.plain(nullptr, text);
                break;
            case Messages::Kind::Question:
                QFAIL("questions are checked in questionAnswers");
            }
        };
        inModal<QMessageBox>(show, [&](QMessageBox* box) {
            seenText = box->text();
            for (QAbstractButton* b : box->buttons())
                seenButtons.append(box->standardButton(b));
            box->button(QMessageBox::StandardButton(press))->click();
        });
        std::sort(seenButtons.begin(), seenButtons.end());
        std::sort(buttons.begin(), buttons.end());
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(seenText, QStringLiteral("Prima riga.\n\nSeconda riga."));
        QCOMPARE(answer, goesOn);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Yes, No and Cancel each answer for themselves; Esc or closing the box is Cancel, so nothing happens unchosen.
    void questionAnswers_data()
    {
        QTest::addColumn<int>("key"); // 0: press the button
        QTest::addColumn<int>("press");
        QTest::addColumn<Messages::Answer>("answer");
        QTest::newRow("yes") << 0 << int(QMessageBox::Yes) << Messages::Answer::Yes;
        QTest::newRow("no") << 0 << int(QMessageBox::No) << Messages::Answer::No;
        QTest::newRow("cancel") << 0 << int(QMessageBox::Cancel) << Messages::Answer::Cancel;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << Messages::Answer::Cancel;
    }
    void questionAnswers()
    {
        QFETCH(int, key);
        QFETCH(int, press);
        QFETCH(Messages::Answer, answer);
        MessageBoxMessages messages;
        QList<int> seenButtons;
        Messages::Answer given = Messages::Answer::Yes;
        inModal<QMessageBox>([&] { given = messages.question(nullptr, QStringLiteral("Salvare le modifiche?")); },
                             [&](QMessageBox* box) {
                                 for (QAbstractButton* b : box->buttons())
                                     seenButtons.append(box->standardButton(b));
                                 if (key)
                                     QTest::keyClick(box, Qt::Key(key));
                                 else
                                     box->button(QMessageBox::StandardButton(press))->click();
                             });
        QCOMPARE(given, answer);
        std::sort(seenButtons.begin(), seenButtons.end());
        QCOMPARE(seenButtons, (QList<int>{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void standardButtonsSpeakItalian()
    {
        QTranslator translator;
        QVERIFY(translator.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&translator);
        std::unique_ptr<QMessageBox> box(MessageBoxMessages::makeBox(nullptr, Messages::Kind::Confirmation, {}));
        QCOMPARE(box->button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Sì"));
        QCOMPARE(box->button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("No"));
        box.reset(MessageBoxMessages::makeBox(nullptr, Messages::Kind::Warning, {}));
        QCOMPARE(box->button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Annulla"));
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestMessageBoxGui)
#include "test_message_box_gui.moc"
