// Every control of the register windows that a user works with has a name a screen reader can speak, unique in its
// window, and a hint as its description.
#include "register/date_picker_window.h"
#include "register/numbering_window.h"
#include "register/register_menu_window.h"
#include "register/register_window.h"
#include "support/test_support.h"

#include <QAccessible>
#include <QTest>

class TestRegisterWindowsAccessibility : public QObject
{
    Q_OBJECT

    TestContext m_ctx;

private Q_SLOTS:
    void namedControlsAreSpokenUniquely_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* w : {"frmMenuProtocollo", "frmProtocollo", "frmCalendario", "frmNumerazione"})
            QTest::newRow(w) << w;
    }
    void namedControlsAreSpokenUniquely()
    {
        QFETCH(QString, window);
        std::unique_ptr<QWidget> w;
        if (window == QLatin1String("frmMenuProtocollo"))
            w = std::make_unique<RegisterMenuWindow>(m_ctx.context);
        else if (window == QLatin1String("frmProtocollo"))
            w = std::make_unique<RegisterWindow>(m_ctx.context);
        else if (window == QLatin1String("frmCalendario"))
            w = std::make_unique<DatePickerWindow>(QDate(2024, 3, 15), nullptr);
        else
            w = std::make_unique<NumberingWindow>(RegisterNumbering{}, nullptr);
        QCOMPARE(w->objectName(), window);
        w->show();

        static const QStringList kPrefixes = {"txt", "cmd", "btn", "img", "opt", "chk", "cal"};
        QStringList names;
        for (QWidget* child : w->findChildren<QWidget*>()) {
            const QString id = child->objectName();
            if (child->isHidden() || !kPrefixes.contains(id.left(3)))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child);
            QVERIFY2(a, qPrintable(id));
            const QString name = a->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(id));
            names << name;
            // What can be pressed or typed into also says what it is for.
            if (child->focusPolicy() != Qt::NoFocus || id.startsWith(QLatin1String("cmd")))
                QVERIFY2(!a->text(QAccessible::Description).isEmpty(), qPrintable(id));
        }
        QVERIFY(names.size() >= 3);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        // A small laptop's screen holds it, with a desktop panel and the title bar.
        QVERIFY(w->minimumSizeHint().width() <= 1366);
        QVERIFY(w->minimumSizeHint().height() <= 728 - 30);
    }
};

QTEST_MAIN(TestRegisterWindowsAccessibility)
#include "test_register_windows_accessibility.moc"
