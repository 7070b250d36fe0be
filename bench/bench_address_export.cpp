#include "addresses/address_card.h"
#include "addresses/address_export_rows.h"
#include "bench_support.h"

#include <QDir>

namespace {

constexpr int kCards = 10000;

QByteArray card(int i)
{
    AddressCard c;
    c.setValue(AddressCard::Nome, QStringLiteral("Rossi & Figli %1").arg(i));
    c.setValue(AddressCard::Tipo, "Cliente");
    c.setValue(AddressCard::Rigo01, QStringLiteral("Spett.le Ditta <%1>").arg(i));
    c.setValue(AddressCard::Rigo02, QStringLiteral("Via Roma %1").arg(i % 300));
    c.setValue(AddressCard::Rigo03, QStringLiteral("20100 Milano (MI)"));
    c.setValue(AddressCard::Rigo04, QStringLiteral("Città metropolitana"));
    c.setValue(AddressCard::Note, i % 5 ? QString() : QStringLiteral("Chiamare prima di spedire"));
    c.setValue(AddressCard::File01, "contratto.pdf");
    return c.toBytes();
}

QString folderWithCards()
{
    return Bench::archive(AddressCardFile::kFileName, kCards, card);
}

// The export document: the grid loaded from the archive and the document built from it.
void BM_AddressExportDocument(benchmark::State& state)
{
    const QString dir = folderWithCards();
    for (auto _ : state) {
        const ExportGridRows rows = AddressExport::loadGrid(dir);
        const QByteArray document = ExportGrid::document(AddressExport::kSheetName, AddressExport::gridColumns(), rows);
        benchmark::DoNotOptimize(document.constData());
    }
}

// The whole export as the batch tool runs it, the file replaced on disk (flushed before the rename) included.
void BM_AddressExportFile(benchmark::State& state)
{
    const QString dir = folderWithCards();
    const QString target = QDir(dir).filePath(AddressExport::kFileName);
    for (auto _ : state) {
        const ExportGridRows rows = AddressExport::loadGrid(dir);
        SpreadsheetDocument::writeFile(
            target, ExportGrid::document(AddressExport::kSheetName, AddressExport::gridColumns(), rows));
    }
}

// The grid alone, as the export window shows it: the part of the document's time spent before any byte is written.
void BM_AddressExportGrid(benchmark::State& state)
{
    const QString dir = folderWithCards();
    for (auto _ : state) {
        const ExportGridRows rows = AddressExport::loadGrid(dir);
        benchmark::DoNotOptimize(rows.size());
    }
}

void BM_AddressExportRawRead(benchmark::State& state)
{
    Bench::readRaw(state, QDir(folderWithCards()).filePath(AddressCardFile::kFileName));
}

} // namespace

BENCHMARK(BM_AddressExportRawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddressExportGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddressExportDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddressExportFile)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
