// A dry-run import of 64 MB files (the largest a contact file may be) of the shapes that cost most per byte: millions
// of rows of a few characters, the same or all different, with stray bytes, with several columns, with characters
// the archive cannot keep. The time and memory must stay within 10 s and 500 MB whatever the shape. Memory is the
// peak of the whole program: run one shape at a time (--benchmark_filter=BM_CheckLargeFile/2) to read its own.
#include "addresses/address_import.h"
#include "addresses/contact_file.h"
#include "bench_support.h"

#include <QCoreApplication>
#include <QFile>

#include <sys/resource.h>

namespace {

constexpr qsizetype kBytes = ContactFile::kMaxBytes - 64;

// Characters that make different cards: printable ASCII but for the lower-case letters (the same card as their
// capitals), the separators and the quote.
QByteArray distinctCharacters()
{
    QByteArray out;
    for (char c = 33; c < 127; ++c)
        if (!(c >= 'a' && c <= 'z') && c != ',' && c != ';' && c != '"')
            out += c;
    return out;
}

// Rows of `header` and then `row(i)` until the file is full.
template <typename Row> QByteArray filled(const QByteArray& header, const Row& row)
{
    QByteArray out = header;
    out.reserve(kBytes);
    for (qsizetype i = 0;; ++i) {
        const QByteArray next = row(i);
        if (out.size() + next.size() > kBytes)
            return out;
        out += next;
    }
}

// Four characters, different for every `i` up to 65^4.
QByteArray fourCharacters(qsizetype i)
{
    static const QByteArray kChars = distinctCharacters();
    QByteArray out(4, ' ');
    for (int k = 3; k >= 0; --k, i /= kChars.size())
        out[k] = kChars[i % kChars.size()];
    return out;
}

QByteArray shape(int which)
{
    switch (which) {
    case 0: // 33.5M rows of one letter: all one card
        return filled("Nome\n", [](qsizetype) { return QByteArray("a\n"); });
    case 1: // 13.4M rows of four characters: all different
        return filled("Nome\n", [](qsizetype i) { return fourCharacters(i) + '\n'; });
    case 2: // 16.8M rows of "éè" in UTF-8 with a windows-1252 byte each
        return filled("Nome;Note\n", [](qsizetype) { return QByteArray("\xC3\xA9\xE8\n"); });
    case 3: // 4.5M rows of six columns, all different
        return filled("Nome;Cognome;Indirizzo;CAP;Citt\xC3\xA0;Provincia\n",
                      [](qsizetype i) { return fourCharacters(i) + ";b;c;d;e;f\n"; });
    default: // 22.4M rows of a Cyrillic letter: all refused
        return filled("Nome\n", [](qsizetype) { return QByteArray("\xD0\x94\n"); });
    }
}

QString writtenShape(int which)
{
    const QString path = Bench::folder().filePath(QStringLiteral("grande-%1.csv").arg(which));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(shape(which)) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The yardstick: a plain read of a file of the same size.
void BM_RawRead(benchmark::State& state)
{
    const QString path = writtenShape(1);
    Bench::readRaw(state, path);
    QFile::remove(path);
}

void BM_CheckLargeFile(benchmark::State& state)
{
    const QString path = writtenShape(int(state.range(0)));
    qsizetype rows = 0;
    for (auto _ : state) {
        const ContactFile file = ContactFile::read(path);
        const AddressImport::Report r = AddressImport::check(
            Bench::folder().path(), {file.contactCount(), [&](const auto& visit) { file.forEachContact(visit); }});
        rows = r.imported + r.duplicates + r.refusedCount;
        if (rows != file.contactCount())
            state.SkipWithError("the counts do not add up to the rows");
    }
    QFile::remove(path);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["rows"] = double(rows);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

} // namespace

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);
// Argument: 0 one-letter rows, 1 different four-character rows, 2 stray bytes, 3 six different columns, 4 refused rows.
BENCHMARK(BM_CheckLargeFile)->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
