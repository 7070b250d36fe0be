#include "register/date_picker_window.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

class TestDatePickerWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void italianMonthFromMonday()
    {
        // Whatever the desktop's language.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        DatePickerWindow picker(QDate(2024, 3, 15), nullptr);
        picker.show();
        QCOMPARE(picker.windowTitle(), QStringLiteral(" Importazione data"));
        auto* calendar = picker.findChild<QCalendarWidget*>("calAppuntamenti");
        QCOMPARE(calendar->selectedDate(), QDate(2024, 3, 15));
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
        QCOMPARE(calendar->monthShown(), 3);
        // The month's name in the navigation bar, the first day's header of the grid.
        auto* month = calendar->findChild<QToolButton*>("qt_calendar_monthbutton");
        QVERIFY(month);
        QCOMPARE(month->text().toLower(), QStringLiteral("marzo"));
        auto* grid = calendar->findChild<QTableView*>("qt_calendar_calendarview");
        QVERIFY(grid);
        QCOMPARE(grid->model()->data(grid->model()->index(0, 0)).toString().toLower(), QStringLiteral("lun"));
        QCOMPARE(picker.dateText(), QStringLiteral("15/03/2024"));
        QVERIFY(picker.minimumSizeHint().width() <= 1366 && picker.minimumSizeHint().height() <= 698);
    }

    void importAndCancel_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("Importa") << "btnImportaData" << int(QDialog::Accepted);
        QTest::newRow("Annulla") << "btnAnnulla" << int(QDialog::Rejected);
    }
    void importAndCancel()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        DatePickerWindow picker(QDate(2024, 3, 15), nullptr);
        picker.show();
        picker.findChild<QCalendarWidget*>()->setSelectedDate(QDate(2024, 3, 5));
        QTest::mouseClick(picker.findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(picker.result(), result);
        QCOMPARE(picker.dateText(), QStringLiteral("05/03/2024"));
    }

    void keyboardOnly()
    {
        DatePickerWindow picker(QDate(2024, 3, 15), nullptr);
        picker.show();
        QApplication::setActiveWindow(&picker);
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus && (focus == picker.findChild<QCalendarWidget*>() ||
                          picker.findChild<QCalendarWidget*>()->isAncestorOf(focus)));
        QTest::keyClick(focus, Qt::Key_Right);
        QTest::keyClick(focus, Qt::Key_Return);
        QCOMPARE(picker.result(), QDialog::Accepted);
        QCOMPARE(picker.dateText(), QStringLiteral("16/03/2024"));
    }
};

QTEST_MAIN(TestDatePickerWindow)
#include "test_date_picker_window.moc"
