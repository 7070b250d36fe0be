// The register search window's whole search on a year of 10,000 cards: filters typed, Cerca pressed, the sorted
// list painted; beside a plain read of the same file, in one run.
#include "common/app_context.h"
#include "bench_support.h"
#include "common/line_list_widget.h"
#include "register/register_search_window.h"
#include "register_cards.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kCards = 10000;

QString yearFile()
{
    return QDir(Bench::archive("2024.prt", kCards, Bench::registerCard)).filePath("2024.prt");
}

void BM_RegisterSearchWindowRawRead(benchmark::State& state)
{
    Bench::readRaw(state, yearFile());
}

// Arg 0: no filter, every card listed; arg 1: three filters, about one card in seven listed.
void BM_RegisterSearchWindow(benchmark::State& state)
{
    const QString path = yearFile();
    AppContext context;
    context.programFolder = Bench::folder().path();
    QWidget owner;
    qsizetype listed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<RegisterSearchWindow>(context, path, &owner);
        dialog->show();
        if (state.range(0) == 1) {
            dialog->findChild<QLineEdit*>(QStringLiteral("txtTipologia"))->setText(QStringLiteral("in "));
            dialog->findChild<QLineEdit*>(QStringLiteral("txtMittente"))->setText(QStringLiteral("SRL 1"));
            dialog->findChild<QLineEdit*>(QStringLiteral("txtDataReg"))->setText(QStringLiteral("/2024"));
        }
        auto* cerca = dialog->findChild<QPushButton*>(QStringLiteral("btnCerca"));
        state.ResumeTiming();

        cerca->click();
        const QImage painted = dialog->grab().toImage();
        benchmark::DoNotOptimize(painted.constBits());

        state.PauseTiming();
        listed = dialog->findChild<LineListWidget*>()->model()->rowCount();
        if (listed == 0)
            state.SkipWithError("nothing listed");
        dialog.reset();
        state.ResumeTiming();
    }
    state.counters["listed"] = double(listed);
}

} // namespace

BENCHMARK(BM_RegisterSearchWindowRawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegisterSearchWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
