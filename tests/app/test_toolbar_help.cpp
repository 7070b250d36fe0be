// Each work window's F1 help names every command of its toolbar, so a user who reads the help finds each button.
#include "addresses/address_archive_window.h"
#include "help/help_topics.h"
#include "labels/label_sheet_window.h"
#include "register/register_window.h"
#include "support/test_support.h"

#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

class TestToolbarHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helpNamesEveryToolbarCommand_data()
    {
        QTest::addColumn<std::function<QWidget*(const AppContext&)>>("make");
        QTest::addColumn<QString>("help");
        QTest::newRow("address archive") << std::function<QWidget*(const AppContext&)>([](const AppContext& c) {
            return new AddressArchiveWindow(c);
        }) << HelpTopics::addressArchive().text;
        QTest::newRow("label sheets") << std::function<QWidget*(const AppContext&)>([](const AppContext& c) {
            return new LabelSheetWindow(c);
        }) << HelpTopics::labelSheets().text;
        QTest::newRow("register") << std::function<QWidget*(const AppContext&)>([](const AppContext& c) {
            return new RegisterWindow(c);
        }) << HelpTopics::mailRegister().text;
    }
    void helpNamesEveryToolbarCommand()
    {
        QFETCH(std::function<QWidget*(const AppContext&)>, make);
        QFETCH(QString, help);
        TestContext t;
        std::unique_ptr<QWidget> window(make(t.context));
        // The four arrows are one control to the reader: the help speaks of them together.
        const QStringList moves{"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"};
        QStringList missing;
        for (const QToolButton* button : window->findChildren<QToolButton*>()) {
            if (button->accessibleName().isEmpty() || !button->objectName().startsWith(u"cmd"))
                continue;
            const QString name =
                moves.contains(button->objectName()) ? QStringLiteral("frecce") : button->accessibleName();
            if (!help.contains(name, Qt::CaseInsensitive))
                missing << name;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u", ")));
    }
};

QTEST_MAIN(TestToolbarHelp)
#include "test_toolbar_help.moc"
