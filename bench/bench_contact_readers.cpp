// Reading contact files of hostile shapes, each about 1 MB: the time must grow with the file, not faster.
#include "addresses/contact_file.h"
#include "bench_support.h"

#include <QCoreApplication>

namespace {

constexpr qsizetype kBytes = 1 << 20;

// An unquoted field with blanks before it and quotes all along: the quotes once made the field be copied at each one.
QByteArray blankQuotedField()
{
    QByteArray out = "Nome,Note\nMario,  ";
    while (out.size() < kBytes)
        out += "a\"";
    return out + "\n";
}

// A vCard value folded over many lines that end in `=` with no colon in sight.
QByteArray foldedWithoutColon()
{
    QByteArray out = "BEGIN:VCARD\r\nVERSION:2.1\r\nNOTE;ENCODING=QUOTED-PRINTABLE";
    while (out.size() < kBytes)
        out += "=\r\n a";
    return out + ":x\r\nFN:Mario\r\nEND:VCARD\r\n";
}

// A quoted-printable value soft-broken over many lines.
QByteArray softBreaks()
{
    QByteArray out = "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Mario\r\nNOTE;ENCODING=QUOTED-PRINTABLE:";
    while (out.size() < kBytes)
        out += "abc=3D=\r\n";
    return out + "x\r\nEND:VCARD\r\n";
}

// Many short rows of one word.
QByteArray oneWordRows()
{
    QByteArray out = "Nome\n";
    for (int i = 0; out.size() < kBytes; ++i)
        out += "Nome" + QByteArray::number(i) + "\n";
    return out;
}

// A header of ten thousand columns.
QByteArray manyColumns()
{
    QByteArray header, row;
    for (int i = 0; i < 10000; ++i) {
        header += "Colonna" + QByteArray::number(i) + ",";
        row += "v,";
    }
    QByteArray out = header + "Nome\n";
    while (out.size() < kBytes)
        out += row + "Mario\n";
    return out;
}

QByteArray shape(int which)
{
    switch (which) {
    case 0:
        return blankQuotedField();
    case 1:
        return foldedWithoutColon();
    case 2:
        return softBreaks();
    case 3:
        return oneWordRows();
    default:
        return manyColumns();
    }
}

void BM_ReadContactFile(benchmark::State& state)
{
    const QByteArray bytes = shape(int(state.range(0)));
    for (auto _ : state) {
        const ContactFile f = ContactFile::parse(bytes);
        benchmark::DoNotOptimize(f.contacts().size());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

// Argument: 0 blanks and quotes in a CSV field, 1 folded vCard lines ending in `=`, 2 quoted-printable soft breaks,
// 3 one-word rows, 4 ten thousand columns.
BENCHMARK(BM_ReadContactFile)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

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
