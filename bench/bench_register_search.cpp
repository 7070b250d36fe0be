#include "bench_support.h"
#include "register/register_card.h"
#include "register/register_search.h"
#include "register_cards.h"

#include <QDir>

namespace {

constexpr int kCards = 50000;

QString yearFile()
{
    return QDir(Bench::archive("2024.prt", kCards, Bench::registerCard)).filePath("2024.prt");
}

// Ten filters that every card must be tested against; about one card in eight passes them all.
RegisterSearch::Filter tenFilters()
{
    RegisterSearch::Filter f;
    f.set(RegisterCard::Numero, "/2024");
    f.set(RegisterCard::Tipologia, "in ");
    f.set(RegisterCard::DataReg, "2024");
    f.set(RegisterCard::Operatore, "a");
    f.set(RegisterCard::Categoria, "AMMINISTRAZIONE");
    f.set(RegisterCard::Oggetto, "fattura");
    f.set(RegisterCard::Mittente, "rossi");
    f.set(RegisterCard::Destinatario, "acquisti");
    f.set(RegisterCard::Riferimenti, "ordine");
    f.set(RegisterCard::Note, "giorni");
    return f;
}

void BM_RegisterSearch(benchmark::State& state)
{
    const QString path = yearFile();
    const RegisterSearch::Filter filter = tenFilters();
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<ListEntry> entries = RegisterSearch::search(path, filter);
        found = entries.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["found"] = double(found);
}

void BM_RegisterSearchRawRead(benchmark::State& state)
{
    Bench::readRaw(state, yearFile());
}

} // namespace

BENCHMARK(BM_RegisterSearchRawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegisterSearch)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
