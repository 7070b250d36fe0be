// Label sheets composed from the address archive and written as one PDF file, one page per sheet drawn and
// dropped in turn, beside the same pages written one by one, each into a file of its own. 24 cards per sheet.
// Each benchmark reports its sheets, the time per sheet and the peak resident memory of its own run.
#include "addresses/address_card.h"
#include "bench_support.h"
#include "labels/label_compose.h"
#include "labels/label_cut_lines.h"
#include "labels/label_pages.h"
#include "printing/report/report_painter.h"
#include "printing/templates/label_page_template.h"

#include <QDir>
#include <QFile>

namespace {

const QDate kToday(2024, 12, 10);

// Names in no order, a type, four address lines.
QByteArray addressCard(int i)
{
    static const char* const kSurnames[] = {"Rossi", "Bianchi", "Esposito", "Romano", "Colombo", "Ricci",   "Marino",
                                            "Greco", "Bruno",   "Gallo",    "Conti",  "De Luca", "Mancini", "Costa"};
    const quint64 h = (quint64(i) * 0x9E3779B97F4A7C15ull) >> 17;
    AddressCard c;
    c.setValue(AddressCard::Nome,
               QStringLiteral("%1 %2").arg(QString::fromLatin1(kSurnames[h % std::size(kSurnames)])).arg(h % 100000));
    c.setValue(AddressCard::Tipo, QStringLiteral("Cliente"));
    c.setValue(AddressCard::Rigo01, QStringLiteral("Spett.le %1").arg(QString::fromLatin1(kSurnames[(h / 16) % 14])));
    c.setValue(AddressCard::Rigo02, QStringLiteral("c.a. Ufficio acquisti"));
    c.setValue(AddressCard::Rigo03, QStringLiteral("Via Giuseppe Garibaldi %1").arg(i % 250));
    c.setValue(AddressCard::Rigo04, QStringLiteral("00184 Roma (RM)"));
    return c.toBytes();
}

QString folderFor(int sheets)
{
    return Bench::archive(AddressCardFile::kFileName, sheets * LabelSheet::kSlots, addressCard);
}

QString output(const QString& name)
{
    return Bench::folder().filePath(name);
}

// The peak resident memory since the last reset, in megabytes; reset() makes the next reading this run's own.
struct PeakMemory
{
    static void reset()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5"); // resets the peak to the present size
    }
    static double megabytes()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        return 0;
    }
};

void report(benchmark::State& state, int sheets)
{
    state.counters["sheets"] = sheets;
    state.counters["per_sheet"] = benchmark::Counter(double(sheets) * double(state.iterations()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = PeakMemory::megabytes();
}

// What the batch tool's "pdf compose" does: plan, then one page at a time into one file.
void BM_ComposeToOnePdf(benchmark::State& state)
{
    const QString folder = folderFor(int(state.range(0)));
    const LabelSettings settings;
    int sheets = 0;
    PeakMemory::reset();
    for (auto _ : state) {
        const LabelCompose::Plan plan = LabelCompose::plan(folder, {});
        const LabelCompose::Sheets composed(folder, plan);
        LabelPages pages(LabelPageTemplate::kSheetName, settings, kToday);
        ReportPainter::writePdf(pages.source(composed.count(), [&](int i) { return composed.sheet(i); }),
                                output(QStringLiteral("composte.pdf")));
        sheets = composed.count();
    }
    if (sheets != state.range(0))
        state.SkipWithError("not every card was composed");
    report(state, sheets);
}
BENCHMARK(BM_ComposeToOnePdf)->Arg(10)->Arg(100)->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The same pages, each prepared whole and written into its own file, as printing one stored sheet does.
void BM_SamePagesOneByOne(benchmark::State& state)
{
    const QString folder = folderFor(int(state.range(0)));
    int sheets = 0;
    PeakMemory::reset();
    for (auto _ : state) {
        const LabelCompose::Plan plan = LabelCompose::plan(folder, {});
        const LabelCompose::Sheets composed(folder, plan);
        for (int i = 0; i < composed.count(); ++i) {
            const LabelSheet sheet = composed.sheet(i);
            ReportTemplate tpl = LabelPageTemplate::make();
            LabelPageTemplate::fill(tpl, [&](int slot, int line) { return sheet.line(slot, line); });
            ReportPainter::writePdf(tpl.prepare(kToday), output(QStringLiteral("foglio.pdf")));
        }
        sheets = composed.count();
    }
    report(state, sheets);
}
BENCHMARK(BM_SamePagesOneByOne)->Arg(10)->Arg(100)->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// What the compose window does before printing, previewing or saving: every sheet's page prepared and measured for
// lines that would be cut.
void BM_FindCutLines(benchmark::State& state)
{
    const QString folder = folderFor(int(state.range(0)));
    const LabelSettings settings;
    int sheets = 0;
    PeakMemory::reset();
    for (auto _ : state) {
        const LabelCompose::Plan plan = LabelCompose::plan(folder, {});
        const LabelCompose::Sheets composed(folder, plan);
        LabelPages pages(LabelPageTemplate::kSheetName, settings, kToday);
        if (!LabelCutLines::find(composed, pages).empty())
            state.SkipWithError("a line of the cards was cut");
        sheets = composed.count();
    }
    report(state, sheets);
}
BENCHMARK(BM_FindCutLines)->Arg(10)->Arg(500)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return Bench::runWithWidgets(argc, argv);
}
