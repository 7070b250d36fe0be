// Opening the address export window on a large archive (read, fill the grid, first paint) beside a plain read of the
// same file, in one run: the other window that lists every card.
#include "addresses/address_card.h"
#include "common/app_context.h"
#include "bench_support.h"
#include "addresses/address_export_window.h"

#include <QDir>
#include <QImage>

namespace {

// Every exported field filled, as in an archive kept for years.
QByteArray fullCard(int i)
{
    AddressCard c;
    c.setValue(AddressCard::Nome, QStringLiteral("Cliente numero %1").arg(i));
    c.setValue(AddressCard::Tipo, i % 4 ? QStringLiteral("Cliente") : QStringLiteral("Fornitore"));
    c.setValue(AddressCard::Rigo01, QStringLiteral("Alla cortese attenzione"));
    c.setValue(AddressCard::Rigo02, QStringLiteral("Piazza Duomo %1").arg(i % 120));
    c.setValue(AddressCard::Rigo03, QStringLiteral("50122 Firenze (FI)"));
    c.setValue(AddressCard::Rigo04, QStringLiteral("Italia"));
    c.setValue(AddressCard::Note, i % 3 ? QString() : QStringLiteral("Fatturare a fine mese"));
    return c.toBytes();
}

QString folderFor(int cards)
{
    return Bench::archive(AddressCardFile::kFileName, cards, fullCard);
}

void BM_ExportWindowRawRead(benchmark::State& state)
{
    Bench::readRaw(state, QDir(folderFor(int(state.range(0)))).filePath(AddressCardFile::kFileName));
}

// From the click that opens the window to a painted grid.
void BM_ExportWindowOpen(benchmark::State& state)
{
    AppContext context;
    context.programFolder = folderFor(int(state.range(0)));
    for (auto _ : state) {
        auto window = std::make_unique<AddressExportWindow>(context, nullptr);
        window->show();
        const QImage painted = window->grab().toImage();
        benchmark::DoNotOptimize(painted.constBits());
        // Closing and freeing the grid is not part of opening it.
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_ExportWindowRawRead)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWindowOpen)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Bench::runWithWidgets(argc, argv);
}
