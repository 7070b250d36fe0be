#include "addresses/address_card.h"
#include "addresses/address_list_line.h"
#include "bench_support.h"

#include <QDir>

namespace {

// Names as an office archive holds them: some nine hundred surnames with first names and initials, and firms, in no
// order; few names repeat.
QByteArray card(int i)
{
    static const char* const kStems[] = {"Bell",  "Ross", "Bianc",  "Ferr",   "Esposit", "Roman", "Colomb", "Ricc",
                                         "Marin", "Grec", "Brun",   "Gall",   "Cont",    "Manc",  "Cost",   "Giord",
                                         "Rizz",  "Lomb", "Morett", "Barb",   "Font",    "Sant",  "Mari",   "Rinald",
                                         "Car",   "Leon", "Long",   "Gentil", "Vital",   "Serr"};
    static const char* const kEndings[] = {"i",    "o",    "ini",  "ello", "etti", "oni", "ucci", "ari",
                                           "esi",  "ardi", "elli", "ato",  "ano",  "one", "ieri", "asso",
                                           "otti", "ini",  "iero", "ante", "ucci", "ami", "etto", "ale",
                                           "ozzi", "ugno", "arra", "illo", "osa",  "ei"};
    static const char* const kNames[] = {
        "Mario", "Giuseppe", "Anna",  "Maria",   "Luca",   "Marco",   "Giulia", "Francesca",  "Paolo",     "Andrea",
        "Sara",  "Giovanni", "Elena", "Roberto", "Chiara", "Stefano", "Laura",  "Alessandro", "Valentina", "Davide"};
    static const char* const kFirms[] = {"Studio", "Farmacia", "Ditta", "Condominio"};
    quint64 h = quint64(i) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    auto pick = [&h](quint64 n) {
        const quint64 r = h % n;
        h /= n;
        return r;
    };
    const QString surname = QString::fromLatin1(kStems[pick(std::size(kStems))]) + kEndings[pick(std::size(kEndings))];
    const QString name = kNames[pick(std::size(kNames))];
    const QChar initial(char16_t(u'A' + pick(26)));
    const bool firm = pick(7) == 0;
    AddressCard c;
    if (firm)
        c.setValue(AddressCard::Nome, QStringLiteral("%1 %2 %3").arg(kFirms[pick(std::size(kFirms))], surname, name));
    else
        c.setValue(AddressCard::Nome, QStringLiteral("%1 %2 %3.").arg(surname, name).arg(initial));
    c.setValue(AddressCard::Tipo, pick(3) ? QStringLiteral("Cliente") : QStringLiteral("Fornitore"));
    c.setValue(AddressCard::Rigo01, QStringLiteral("Via Roma %1").arg(i % 300));
    c.setValue(AddressCard::Rigo02, QStringLiteral("20100 Milano (MI)"));
    c.setValue(AddressCard::Note, pick(5) ? QString() : QStringLiteral("Chiamare prima di spedire"));
    return c.toBytes();
}

QString folderFor(int cards)
{
    return Bench::archive(AddressCardFile::kFileName, cards, card);
}

void BM_AddressList(benchmark::State& state)
{
    const QString dir = folderFor(int(state.range(0)));
    for (auto _ : state) {
        const QList<ListEntry> entries = AddressList::load(dir);
        benchmark::DoNotOptimize(entries.data());
    }
}

void BM_AddressListRawRead(benchmark::State& state)
{
    Bench::readRaw(state, QDir(folderFor(int(state.range(0)))).filePath(AddressCardFile::kFileName));
}

} // namespace

BENCHMARK(BM_AddressListRawRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddressList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
