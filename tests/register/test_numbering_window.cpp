#include "register/numbering_window.h"
#include "support/typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestNumberingWindow : public QObject
{
    Q_OBJECT

    static QLineEdit* start(NumberingWindow& d) { return d.findChild<QLineEdit*>("txtInizio"); }
    static void show(NumberingWindow& d)
    {
        d.show();
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
    }

private Q_SLOTS:
    void showsTheSettings_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("suffix");
        QTest::addColumn<QString>("shown");
        QTest::newRow("start 100, suffix on") << "100" << true << "100";
        QTest::newRow("blank start") << "  " << false << "1";
    }
    void showsTheSettings()
    {
        QFETCH(QString, stored);
        QFETCH(bool, suffix);
        QFETCH(QString, shown);
        NumberingWindow d({stored, suffix}, nullptr);
        show(d);
        QCOMPARE(d.windowTitle(), QStringLiteral(" Impostazione inizio numerazione"));
        QCOMPARE(start(d)->text(), shown);
        QCOMPARE(d.findChild<QCheckBox*>("chkTipo")->isChecked(), suffix);
        QVERIFY(start(d)->hasFocus());
        QVERIFY(d.findChild<QWidget*>("effInizio")->isVisible());
        QCOMPARE(start(d)->maxLength(), 5);
        QVERIFY(start(d)->alignment() & Qt::AlignHCenter);
        QVERIFY(start(d)->font().bold());
    }

    void keysAndNormalisation_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("leading zeros") << "007"
                                       << "007"
                                       << "7";
        QTest::newRow("letters are discarded") << "1a2b"
                                               << "12"
                                               << "12";
        QTest::newRow("a comma is discarded too") << "2,6"
                                                  << "26"
                                                  << "26";
        QTest::newRow("zero stays zero") << "0"
                                         << "0"
                                         << "0";
        QTest::newRow("blank becomes 1") << ""
                                         << ""
                                         << "1";
        QTest::newRow("at most five digits") << "1234567"
                                             << "12345"
                                             << "12345";
    }
    void keysAndNormalisation()
    {
        QFETCH(QString, typed);
        QFETCH(QString, whileTyping);
        QFETCH(QString, afterLeaving);
        NumberingWindow d({QStringLiteral("5"), false}, nullptr);
        show(d);
        QLineEdit* field = start(d);
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        typeText(field, typed);
        QCOMPARE(field->text(), whileTyping);
        // Enter goes to "Applica e chiudi", which leaves the field and normalises it.
        QTest::keyClick(field, Qt::Key_Return);
        auto* apply = d.findChild<QPushButton*>("btnApplica");
        QVERIFY(apply->hasFocus());
        QCOMPARE(field->text(), afterLeaving);
        QVERIFY(!d.findChild<QWidget*>("effInizio")->isVisible());
        QVERIFY(d.isVisible());
        // The next Enter presses it.
        QTest::keyClick(apply, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);
        QCOMPARE(d.chosen().start, afterLeaving);
    }

    void backspaceDeleteAndArrowsStillEdit()
    {
        NumberingWindow d({QStringLiteral("123"), false}, nullptr);
        show(d);
        QLineEdit* field = start(d);
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("13"));
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Right);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestNumberingWindow)
#include "test_numbering_window.moc"
