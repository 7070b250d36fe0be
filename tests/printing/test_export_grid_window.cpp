// The base of the export windows: what a window leaves uncaught while loading its grid reaches the general report.
#include "help/help_topics.h"
#include "printing/export_grid_widget.h"
#include "printing/export_grid_window.h"
#include "support/test_support.h"

#include <QTest>

#include <stdexcept>

namespace {

class FailingGridWindow : public ExportGridWindow
{
public:
    explicit FailingGridWindow(const AppContext& context)
        : ExportGridWindow(context, {{"colNum", "N.", 60, 0}, {"colNome", "Nome", 200, 200}}, {"Prova.xls", "Prova"},
                           HelpTopics::addressExport(), nullptr)
    {
    }

    ExportGridWidget* grid() const { return ExportGridWindow::grid(); }

protected:
    void shown() override { throw std::runtime_error("lettura interrotta"); }
};

} // namespace

class TestExportGridWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aFailureWhileLoadingIsReportedAndTheWindowStillOpens()
    {
        TestContext ctx;
        FailingGridWindow window(ctx.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(ctx.messages.log().size(), 1);
        QCOMPARE(ctx.messages.log()[0].kind, Messages::Kind::Plain);
        QCOMPARE(ctx.messages.log()[0].text, QStringLiteral("lettura interrotta"));
        QCOMPARE(window.grid()->rows(), ExportGrid::emptyRows(2));
    }
};

QTEST_MAIN(TestExportGridWindow)
#include "test_export_grid_window.moc"
