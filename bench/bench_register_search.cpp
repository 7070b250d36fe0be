#include "bench_support.h"
#include "register/register_card.h"
#include "register/register_search.h"

#include <QDir>

namespace {

constexpr int kCards = 50000;

QByteArray card(int i)
{
    RegisterCard c;
    c.setValue(RegisterCard::Numero, QStringLiteral("%1/2024").arg(i));
    c.setValue(RegisterCard::Tipologia, i % 3 == 0 ? "In entrata" : i % 3 == 1 ? "In uscita" : "Interna");
    c.setValue(RegisterCard::DataReg, QDate(2024, 1, 1).addDays(i % 366).toString("dd/MM/yyyy"));
    c.setValue(RegisterCard::Ufficio, "Segreteria generale");
    c.setValue(RegisterCard::Operatore, i % 2 ? "Mario Bianchi" : "Anna Verdi");
    c.setValue(RegisterCard::Categoria, i % 4 ? "Amministrazione" : "Personale");
    c.setValue(RegisterCard::Oggetto, QStringLiteral("Fattura n. %1 per fornitura materiale d'ufficio").arg(i));
    c.setValue(RegisterCard::Mittente, QStringLiteral("Rossi Forniture Srl %1").arg(i % 50));
    c.setValue(RegisterCard::Destinatario, "Ufficio acquisti");
    c.setValue(RegisterCard::Riferimenti, QStringLiteral("Ordine %1").arg(i / 3));
    c.setValue(RegisterCard::Note, "Pagamento a 30 giorni");
    return c.toBytes();
}

QString yearFile()
{
    return QDir(Bench::archive("2024.prt", kCards, card)).filePath("2024.prt");
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
