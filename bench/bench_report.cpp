// Preparing and drawing pages to PDF: the 10,000-line list and a label page through the report engine, and beside
// them the same list printed the plain Qt way.
#include "printing/report/report_painter.h"
#include "printing/templates/label_page_template.h"
#include "printing/templates/list_template.h"

#include <QFont>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

const QDate kToday(2024, 3, 15);

QStringList listLines(int n)
{
    QStringList lines;
    lines.reserve(n);
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("%1  Rossi Mario                 Via Giuseppe Garibaldi %2    00100 ROMA RM   Cliente")
                     .arg(i, 6)
                     .arg(i % 300);
    return lines;
}

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_ListToPdf(benchmark::State& state)
{
    const QStringList lines = listLines(int(state.range(0)));
    const QString path = folder().filePath(QStringLiteral("list.pdf"));
    size_t pages = 0;
    for (auto _ : state) {
        ReportTemplate tpl = ListTemplate::make();
        ListTemplate::fill(tpl, QStringLiteral("Riepilogo anagrafiche"), lines);
        const PreparedReport report = tpl.prepare(kToday);
        ReportPainter::writePdf(report, path);
        pages = report.pages.size();
    }
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_ListToPdf)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ListPrepareOnly(benchmark::State& state)
{
    const QStringList lines = listLines(int(state.range(0)));
    for (auto _ : state) {
        ReportTemplate tpl = ListTemplate::make();
        ListTemplate::fill(tpl, QStringLiteral("Riepilogo anagrafiche"), lines);
        benchmark::DoNotOptimize(tpl.prepare(kToday));
    }
}
BENCHMARK(BM_ListPrepareOnly)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ListPlainQtToPdf(benchmark::State& state)
{
    const QString text = listLines(int(state.range(0))).join(QLatin1Char('\n'));
    const QString path = folder().filePath(QStringLiteral("plain.pdf"));
    for (auto _ : state) {
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Liberation Mono"), 8));
        document.setPlainText(text);
        QPdfWriter writer(path);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        document.print(&writer);
    }
}
BENCHMARK(BM_ListPlainQtToPdf)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LabelPageToPdf(benchmark::State& state)
{
    const QString path = folder().filePath(QStringLiteral("labels.pdf"));
    for (auto _ : state) {
        ReportTemplate tpl = LabelPageTemplate::make();
        LabelPageTemplate::fill(tpl, [](int slot, int line) {
            return QStringLiteral("Etichetta %1, riga %2 - Via Roma 10, 00100 Roma").arg(slot).arg(line);
        });
        ReportPainter::writePdf(tpl.prepare(kToday), path);
    }
}
BENCHMARK(BM_LabelPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
