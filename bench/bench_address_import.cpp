// Importing 100,000 contacts (read the file, convert, check against an archive of 10,000 cards, append) beside a
// plain read of the same contact file, for a spreadsheet and for an address book: as the batch tool does it, the
// contacts streamed one at a time, and as the import window does it, all of them in a list.
#include "addresses/address_import.h"
#include "addresses/contact_file.h"
#include "bench_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sys/resource.h>

namespace {

constexpr int kContacts = 100000;
constexpr int kArchive = 10000;

const char* const kSurnames[] = {"Rossi", "Bianchi", "Esposito", "Romano", "Colombo", "Ricci",   "Marino",
                                 "Greco", "Bruno",   "Gallo",    "Conti",  "De Luca", "Mancini", "Costà"};
const char* const kNames[] = {"Mario", "Anna", "Luca", "Giulia", "Paolo", "Sara", "Marco", "Elena", "Niccolò"};
const char* const kTowns[][3] = {{"00184", "Roma", "RM"},
                                 {"20121", "Milano", "MI"},
                                 {"80134", "Napoli", "NA"},
                                 {"10121", "Torino", "TO"},
                                 {"47121", "Forlì", "FC"}};

QByteArray archiveCard(int i)
{
    AddressCard c;
    c.setValue(AddressCard::Nome, QStringLiteral("Archivio %1").arg(i));
    c.setValue(AddressCard::Tipo, QStringLiteral("Cliente"));
    c.setValue(AddressCard::Rigo01, QStringLiteral("Sig. Archivio %1").arg(i));
    c.setValue(AddressCard::Rigo02, QStringLiteral("Via Garibaldi %1").arg(i % 250));
    c.setValue(AddressCard::Rigo03, QStringLiteral("00184 Roma RM"));
    return c.toBytes();
}

struct Person
{
    QString surname, name, street, code, town, province, note;
    bool firm;
};

Person person(int i)
{
    const quint64 h = (quint64(i) * 0x9E3779B97F4A7C15ull) >> 17;
    const auto& town = kTowns[h % std::size(kTowns)];
    return {QString::fromUtf8(kSurnames[h % std::size(kSurnames)]) + QString::number(i),
            QString::fromUtf8(kNames[(h / 16) % std::size(kNames)]),
            QStringLiteral("Via Garibaldi, %1").arg(i % 250),
            QString::fromLatin1(town[0]),
            QString::fromUtf8(town[1]),
            QString::fromLatin1(town[2]),
            (h / 5) % 4 ? QString() : QStringLiteral("Spedire solo la mattina; grazie"),
            h % 9 == 0};
}

QByteArray csvFile()
{
    QString out = QStringLiteral("Cognome;Nome;Ragione sociale;Indirizzo;CAP;Città;Provincia;Tipo;Note\r\n");
    for (int i = 1; i <= kContacts; ++i) {
        const Person p = person(i);
        out += QStringLiteral("%1;%2;%3;\"%4\";%5;%6;%7;Cliente;\"%8\"\r\n")
                   .arg(p.surname, p.name, p.firm ? QStringLiteral("Studio ") + p.surname : QString(), p.street, p.code,
                        p.town, p.province, p.note);
    }
    return out.toUtf8();
}

QByteArray vcardFile()
{
    QString out;
    for (int i = 1; i <= kContacts; ++i) {
        const Person p = person(i);
        out += QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%2 %1\r\n").arg(p.surname, p.name);
        if (p.firm)
            out += QStringLiteral("ORG:Studio %1\r\n").arg(p.surname);
        out += QStringLiteral("TEL;TYPE=CELL:+39 333 %1\r\nADR;TYPE=HOME:;;%2;%3;%4;%5;Italia\r\n")
                   .arg(i, 7, 10, QChar(u'0'))
                   .arg(QString(p.street).replace(u',', QStringLiteral("\\,")), p.town, p.province, p.code);
        if (!p.note.isEmpty())
            out += QStringLiteral("NOTE:%1\r\n").arg(QString(p.note).replace(u';', QStringLiteral("\\;")));
        out += QStringLiteral("CATEGORIES:Clienti\r\nEND:VCARD\r\n");
    }
    return out.toUtf8();
}

QString contactFile(int vcard)
{
    const QString path =
        Bench::folder().filePath(vcard ? QStringLiteral("rubrica.vcf") : QStringLiteral("rubrica.csv"));
    if (!QFile::exists(path)) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(vcard ? vcardFile() : csvFile()) < 0)
            qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

void BM_ImportRawRead(benchmark::State& state)
{
    Bench::readRaw(state, contactFile(int(state.range(0))));
}

// A fresh copy of the archive of 10,000 cards in a folder of its own, made outside the timing.
QString freshArchive(benchmark::State& state)
{
    state.PauseTiming();
    const QString archive =
        QDir(Bench::archive(AddressCardFile::kFileName, kArchive, archiveCard)).filePath(AddressCardFile::kFileName);
    const QString work = Bench::folder().filePath(QStringLiteral("import"));
    QDir().mkpath(work);
    const QString target = QDir(work).filePath(AddressCardFile::kFileName);
    QFile::remove(target);
    if (!QFile::copy(archive, target))
        state.SkipWithError("cannot copy the archive");
    state.ResumeTiming();
    return work;
}

// The peak memory of the whole benchmark program so far, in megabytes.
void reportPeakMemory(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

void BM_Import(benchmark::State& state)
{
    const QString source = contactFile(int(state.range(0)));
    for (auto _ : state) {
        const QString work = freshArchive(state);
        const ContactFile file = ContactFile::read(source);
        const AddressImport::Report r =
            AddressImport::import(work, {file.contactCount(), [&](const auto& visit) { file.forEachContact(visit); }});
        if (r.numbers.size() != kContacts)
            state.SkipWithError("not every contact was imported");
    }
    reportPeakMemory(state);
}

void BM_ImportList(benchmark::State& state)
{
    const QString source = contactFile(int(state.range(0)));
    for (auto _ : state) {
        const QString work = freshArchive(state);
        const AddressImport::Result r = AddressImport::run(work, ContactFile::read(source).contacts());
        if (r.numbers.size() != kContacts)
            state.SkipWithError("not every contact was imported");
    }
    reportPeakMemory(state);
}

} // namespace

// Argument: 0 for the spreadsheet, 1 for the address book.
BENCHMARK(BM_ImportRawRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
