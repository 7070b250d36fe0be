// Opening the address finder on a large archive (read, sort, fill the list, first paint) beside a plain read of the
// same file, in one run.
#include "addresses/address_card.h"
#include "addresses/address_finder_window.h"
#include "bench_support.h"
#include "common/app_context.h"
#include "common/line_list_widget.h"

#include <QDir>

namespace {

// Surnames, first names and firms in no order, with a type and sometimes a note.
QByteArray addressCard(int i)
{
    static const char* const kSurnames[] = {"Rossi", "Bianchi", "Esposito", "Romano", "Colombo", "Ricci",   "Marino",
                                            "Greco", "Bruno",   "Gallo",    "Conti",  "De Luca", "Mancini", "Costa"};
    static const char* const kNames[] = {"Mario", "Anna",  "Luca",  "Giulia", "Paolo",
                                         "Sara",  "Marco", "Elena", "Davide"};
    const quint64 h = (quint64(i) * 0x9E3779B97F4A7C15ull) >> 17;
    AddressCard c;
    const QString surname = QString::fromLatin1(kSurnames[h % std::size(kSurnames)]);
    const QString name = QString::fromLatin1(kNames[(h / 16) % std::size(kNames)]);
    c.setValue(AddressCard::Nome, (h % 9 == 0 ? QStringLiteral("Studio %1 %2 %3") : QStringLiteral("%1 %2 %3"))
                                      .arg(surname, name)
                                      .arg(h % 100000));
    c.setValue(AddressCard::Tipo, (h / 7) % 3 ? QStringLiteral("Cliente") : QStringLiteral("Fornitore"));
    c.setValue(AddressCard::Rigo01, QStringLiteral("Via Garibaldi %1").arg(i % 250));
    c.setValue(AddressCard::Rigo02, QStringLiteral("00184 Roma (RM)"));
    c.setValue(AddressCard::Note, (h / 5) % 4 ? QString() : QStringLiteral("Spedire solo la mattina"));
    return c.toBytes();
}

QString folderFor(int cards)
{
    return Bench::archive(AddressCardFile::kFileName, cards, addressCard);
}

void BM_FinderRawRead(benchmark::State& state)
{
    Bench::readRaw(state, QDir(folderFor(int(state.range(0)))).filePath(AddressCardFile::kFileName));
}

// From the click on Trova to a painted list.
void BM_FinderOpen(benchmark::State& state)
{
    const QString dir = folderFor(int(state.range(0)));
    AppContext context;
    context.programFolder = dir;
    QWidget owner;
    for (auto _ : state) {
        auto finder = std::make_unique<AddressFinderWindow>(
            context, [](int, const AddressCard&) {}, &owner);
        finder->show();
        const QImage painted = finder->grab().toImage();
        benchmark::DoNotOptimize(painted.constBits());
        // Closing and freeing the list is not part of opening it.
        state.PauseTiming();
        if (finder->findChild<LineListWidget*>()->model()->rowCount() != state.range(0))
            state.SkipWithError("the list does not hold every card");
        finder.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_FinderRawRead)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinderOpen)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Bench::runWithWidgets(argc, argv);
}
