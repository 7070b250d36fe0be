// The import as a whole: duplicates by the finder's rule, refusals, and the archive left whole on any failure.
#include "addresses/address_import.h"
#include "addresses/contact_file.h"
#include "addresses/csv_table.h"
#include "support/test_support.h"

#include <QTest>

#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

AddressCard stored(const QStringList& values)
{
    AddressCard c;
    for (int i = 0; i < values.size(); ++i)
        c.setValue(i, values[i]);
    return c;
}

QList<Contact> csv(const char* text)
{
    return ContactFile::parse(QByteArray(text)).contacts();
}

AddressImport::ContactSource streamed(const ContactFile& file)
{
    return {file.contactCount(), [&file](const auto& visit) { file.forEachContact(visit); }};
}

QList<int> linesOf(const QList<AddressImport::Refusal>& refusals)
{
    QList<int> out;
    for (const AddressImport::Refusal& r : refusals)
        out << r.line;
    return out;
}

qint64 peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class TestAddressImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The key of a card not yet stored is made without its record, and must be the key its record gives.
    void aCardsKeyIsItsRecordsKey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << u"Rossi Mario"_qs;
        QTest::newRow("blanks around") << u"   Rossi  Mario \t "_qs;
        QTest::newRow("cut at the width on blanks") << QString(248, u'a') + u"   coda"_qs;
        QTest::newRow("exactly the width") << QString(250, u'z');
        QTest::newRow("accents and case") << u"Niccolò DELL'ÀRCO ß ÿ"_qs;
        QTest::newRow("letters folded and lost") << u"Dvořák Иван 中"_qs;
        QTest::newRow("control characters and undefined bytes") << u"a\u0001b\u0081c\u009Dd"_qs;
        QTest::newRow("empty") << QString();
    }

    void aCardsKeyIsItsRecordsKey()
    {
        QFETCH(QString, text);
        AddressCard card;
        card.setValue(AddressCard::Nome, text);
        card.setValue(AddressCard::Rigo01, text.toUpper());
        card.setValue(AddressCard::Rigo03, text + text);
        card.setValue(AddressCard::Rigo06, text.left(3));
        card.setValue(AddressCard::Note, u"not in the key"_qs);
        QCOMPARE(AddressImport::duplicateKey(card), AddressImport::duplicateKey(card.toBytes().constData()));
    }

    void duplicatesAgainstTheArchiveAndWithinTheFile()
    {
        TestContext ctx;
        {
            AddressCardFile file(ctx.dir.path());
            file.append(stored({"ROSSI MARIO", "vecchio tipo", "mario rossi", "VIA ROMA 1", "00184 roma RM"}));
            file.append(stored({"Città Srl", "", "Città Srl", "Via Po 2", "10100 Torino TO"}));
        }
        const QByteArray before = readFileBytes(ctx.path(AddressCardFile::kFileName));
        const QList<Contact> contacts = csv("Cognome;Nome;Ragione sociale;Indirizzo;CAP;Città;Prov;Tipo;Note\n"
                                            // the archive's first card in other letter case, other type and note
                                            "Rossi;Mario;;Via Roma 1;00184;Roma;RM;Cliente;nuova nota\n"
                                            // same name, other address: new
                                            "Rossi;Mario;;Via Milano 3;00184;Roma;RM;;\n"
                                            // the row before again, blanks around the cells: duplicate in the file
                                            "  rossi ; MARIO ;;  Via Milano 3;00184;Roma;RM;;\n"
                                            // only an accented capital differs: the finder keeps them apart
                                            ";;CITTÀ SRL;Via Po 2;10100;Torino;TO;;\n"
                                            ";;;Via senza nome 1;00100;Roma;RM;;\n");

        const AddressImport::Plan plan = AddressImport::plan(ctx.dir.path(), contacts);
        QCOMPARE(plan.cards.size(), 2);
        QCOMPARE(plan.duplicates, 2);
        QCOMPARE(plan.refused.size(), 1);
        QCOMPARE(plan.refused[0].line, 6);
        QVERIFY2(plan.refused[0].reason.contains(QStringLiteral("riga 6")), qPrintable(plan.refused[0].reason));
        QCOMPARE(AddressImport::summary(plan), QStringLiteral("2 schede importate, 2 già presenti, 1 scartata"));
        QCOMPARE(readFileBytes(ctx.path(AddressCardFile::kFileName)), before);

        const AddressImport::Result result = AddressImport::run(ctx.dir.path(), contacts);
        QCOMPARE(result.numbers, (QList<int>{3, 4}));
        QCOMPARE(result.plan.duplicates, 2);
        AddressCardFile file(ctx.dir.path());
        QCOMPARE(file.count(), 4);
        QCOMPARE(readFileBytes(ctx.path(AddressCardFile::kFileName)).left(before.size()), before);
        QCOMPARE(file.read(3), result.plan.cards[0]);
        QCOMPARE(file.read(3).value(AddressCard::Rigo02), QStringLiteral("Via Milano 3"));
        QCOMPARE(file.read(4).value(AddressCard::Nome), QStringLiteral("CITTÀ SRL"));
    }

    // The batch tool streams the contacts through the import instead of listing them: the same cards, counts and
    // reports, in a dry run and for real, with and without lossy cards accepted.
    void streamedImportAgreesWithTheList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("acceptLossy");
        const QByteArray table = "Cognome;Nome;Indirizzo;Città\n"
                                 "Rossi;Mario;Via Roma 1;Roma\n"
                                 ";;Via senza nome;Roma\n"
                                 "rossi; MARIO ;Via Roma 1;Roma\n"
                                 "Иванов;Иван;Via Po 2;Torino\n"
                                 "Петров;Пётр;Via Po 3;Torino\n"
                                 "Bianchi;Anna;Via Po 4;Torino\n";
        QTest::newRow("CSV") << table << false;
        QTest::newRow("CSV, lossy cards accepted") << table << true;
        QTest::newRow("vCard") << QByteArray("BEGIN:VCARD\nN:Rossi;Mario\nEND:VCARD\nBEGIN:VCARD\nNOTE:x\nEND:VCARD\n"
                                             "BEGIN:VCARD\nN:ROSSI;mario\nEND:VCARD\nBEGIN:VCARD\nN:Bianchi;Anna\n"
                                             "BEGIN:VCARD\nN:Verdi;Ugo\nEND:VCARD\nEND:VCARD\n"
                                             "BEGIN:VCARD\nN:Neri;Ada\nitem1.agent:BEGIN:VCARD\nFN:Agente\nEND:VCARD\n"
                                             "END:VCARD\n")
                               << false;
    }
    void streamedImportAgreesWithTheList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, acceptLossy);
        const AddressImport::Lossy lossy = acceptLossy ? AddressImport::Lossy::Accept : AddressImport::Lossy::Refuse;
        TestContext listed;
        TestContext streamedCtx;
        for (const TestContext* ctx : {&listed, &streamedCtx}) {
            AddressCardFile file(ctx->dir.path());
            file.append(stored({"Bianchi Anna", "", "Anna Bianchi", "Via Po 4", "Torino"}));
        }
        const ContactFile file = ContactFile::parse(bytes);
        QCOMPARE(file.contactCount(), file.contacts().size());

        const AddressImport::Plan plan = AddressImport::plan(listed.dir.path(), file.contacts(), lossy);
        const AddressImport::Report check = AddressImport::check(streamedCtx.dir.path(), streamed(file), lossy);
        QVERIFY(plan.cards.size() > 0 && plan.duplicates > 0 && !plan.refused.isEmpty());
        QCOMPARE(check.imported, plan.cards.size());
        QCOMPARE(check.duplicates, plan.duplicates);
        QCOMPARE(linesOf(check.refused), linesOf(plan.refused));
        QCOMPARE(linesOf(check.lossy), linesOf(plan.lossy));
        QVERIFY(check.numbers.isEmpty());

        const AddressImport::Result run = AddressImport::run(listed.dir.path(), file.contacts(), lossy);
        const AddressImport::Report import = AddressImport::import(streamedCtx.dir.path(), streamed(file), lossy);
        QCOMPARE(import.numbers, run.numbers);
        QCOMPARE(import.duplicates, run.plan.duplicates);
        QCOMPARE(linesOf(import.refused), linesOf(run.plan.refused));
        QCOMPARE(readFileBytes(streamedCtx.path(AddressCardFile::kFileName)),
                 readFileBytes(listed.path(AddressCardFile::kFileName)));
    }

    // Rows met again are converted once: every row still gets the card its own contact gives and its own line,
    // whether it repeats an earlier row or differs from it in one field only (a lossy card accepted is added each
    // time, with its own line).
    void repeatedRowsKeepTheirOwnCards()
    {
        const QByteArray header = "Cognome;Nome;Indirizzo;CAP;Città;Prov;Paese;Tipo di indirizzo;Note\n";
        const QList<QByteArray> variants = {
            "Rossi;Mario;Via Roma 1;00184;Roma;RM;;;\n",     "Rossi;Mario;Via Roma 1;00184;Roma;RM;;;altra\n",
            "Rossi;Mario;Via Roma 2;00184;Roma;RM;;;\n",     "Rossi;Mario;Via Roma 1;00185;Roma;RM;;;\n",
            "Rossi;Maria;Via Roma 1;00184;Roma;RM;;;\n",     "Rossi;Mario;Via Roma 1;00184;Roma;RM;Francia;;\n",
            "Rossi;Mario;Via Roma 1;00184;Roma;RM;;Casa;\n", ";;Via Roma 1;00184;Roma;RM;;;\n",
            "Петров;Пётр;Via Po 3;10100;Torino;TO;;;\n",
        };
        QByteArray bytes = header;
        QList<QByteArray> rows;
        for (int round = 0; round < 50; ++round)
            for (qsizetype i = 0; i < variants.size(); ++i)
                rows << variants[(i * 7 + round) % variants.size()];
        for (const QByteArray& row : std::as_const(rows))
            bytes += row;
        const ContactFile file = ContactFile::parse(bytes);

        TestContext ctx;
        const AddressImport::Plan plan =
            AddressImport::plan(ctx.dir.path(), file.contacts(), AddressImport::Lossy::Accept);
        // Every card as a conversion of its row alone gives it.
        QCOMPARE(plan.cards.size(), plan.lines.size());
        for (qsizetype i = 0; i < plan.cards.size(); ++i) {
            const QByteArray row = rows[plan.lines[i] - 2];
            const AddressImport::Plan alone =
                AddressImport::plan(ctx.dir.path(), csv(header + row), AddressImport::Lossy::Accept);
            QCOMPARE(alone.cards.value(0), plan.cards[i]);
        }
        // Five different cards (neither a note nor the kind of a contact's only address tells cards apart), the
        // nameless row refused each time, and the lossy card added each time.
        QCOMPARE(plan.cards.size(), 5 + 50);
        QCOMPARE(plan.refusedCount, 50);
        QCOMPARE(plan.lossyCount, 50);
        QCOMPARE(plan.duplicates, rows.size() - plan.cards.size() - 50);
        QList<int> lossyLines;
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (rows[i].startsWith("Петров"))
                lossyLines << int(i) + 2;
        QCOMPARE(linesOf(plan.lossy), lossyLines);
    }

    // Half a million one-word rows go through the import one at a time: the memory grows with the file's text and
    // the cards' keys, not with a list of contacts and cards (which took well over a gigabyte).
    void aLargeFileStreamsInBoundedMemory()
    {
        QByteArray bytes = "Nome\n";
        for (int i = 0; i < 500000; ++i)
            bytes += 'N' + QByteArray::number(i) + '\n';
        TestContext ctx;
        const qint64 before = peakMemoryKb();
        AddressImport::Report report;
        {
            const ContactFile file = ContactFile::parse(bytes);
            report = AddressImport::check(ctx.dir.path(), streamed(file));
        }
        QCOMPARE(report.imported, 500000);
        QVERIFY2(peakMemoryKb() - before < 150 * 1024, qPrintable(QString::number(peakMemoryKb() - before)));
    }

    void importingTwiceAddsNothing()
    {
        TestContext ctx;
        const QByteArray vcf = "BEGIN:VCARD\nVERSION:3.0\nN:Neri;Ada\nADR:;;Via Po 1;Torino;TO;10100;\nEND:VCARD\n";
        const QList<Contact> contacts = ContactFile::parse(vcf).contacts();
        QCOMPARE(AddressImport::run(ctx.dir.path(), contacts).numbers, QList<int>{1});
        const AddressImport::Result again = AddressImport::run(ctx.dir.path(), contacts);
        QVERIFY(again.numbers.isEmpty());
        QCOMPARE(again.plan.duplicates, 1);
        QCOMPARE(AddressCardFile(ctx.dir.path()).count(), 1);
    }

    void aFailedAppendLeavesTheArchiveAsItWas()
    {
        TestContext ctx;
        {
            AddressCardFile file(ctx.dir.path());
            file.append(stored({"Prima", "", "Via Uno 1"}));
        }
        const QString path = ctx.path(AddressCardFile::kFileName);
        const QByteArray before = readFileBytes(path);
        QByteArray many = "Nome;Indirizzo\n";
        for (int i = 0; i < 5; ++i)
            many += "Persona " + QByteArray::number(i) + ";Via " + QByteArray::number(i) + "\n";
        const QList<Contact> contacts = ContactFile::parse(many).contacts();
        {
            // Room for the archive and two more cards: the third append meets a full disk.
            FileSizeLimit limit(qint64(AddressCard::kSize) * 3 + 100);
            QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, AddressImport::run(ctx.dir.path(), contacts));
        }
        QCOMPARE(readFileBytes(path), before);
        QVERIFY(!QFile::exists(RawRecordFile::rollbackNotePath(path)));
    }

    void aFailedFirstImportLeavesNoArchiveAndSaysTheDiskIsFull()
    {
        TestContext ctx;
        const QList<Contact> contacts = csv("Nome;Indirizzo\nAda;Via 1\nBea;Via 2\nCarla;Via 3\n");
        {
            FileSizeLimit limit(qint64(AddressCard::kSize) + 100);
            try {
                AddressImport::run(ctx.dir.path(), contacts);
                QFAIL("the import cannot fit");
            } catch (const ArchiveAccessError& e) {
                QCOMPARE(e.message(), Errors::kDiskFull);
            }
        }
        QVERIFY(!QFile::exists(ctx.path(AddressCardFile::kFileName)));
    }

    // The window's Annulla stops an import from inside the contacts it reads: what was appended is cut back, and an
    // archive the import made is taken away again.
    void anImportStoppedHalfWayLeavesTheArchiveAsItWas_data()
    {
        QTest::addColumn<bool>("archiveBefore");
        QTest::newRow("no archive before") << false;
        QTest::newRow("an archive before") << true;
    }
    void anImportStoppedHalfWayLeavesTheArchiveAsItWas()
    {
        QFETCH(bool, archiveBefore);
        TestContext ctx;
        if (archiveBefore)
            AddressCardFile(ctx.dir.path()).append(stored({"Già qui"}));
        const QString path = ctx.path(AddressCardFile::kFileName);
        const QByteArray before = readFileBytes(path);
        QByteArray bytes = "Nome\n";
        for (int i = 0; i < 30; ++i)
            bytes += "Persona " + QByteArray::number(i) + '\n';
        const ContactFile file = ContactFile::parse(bytes);
        struct Stopped
        {
        };
        const AddressImport::ContactSource stopping{file.contactCount(), [&](const auto& visit) {
                                                        int read = 0;
                                                        file.forEachContact([&](const Contact& c) {
                                                            visit(c);
                                                            if (++read == 20)
                                                                throw Stopped{};
                                                        });
                                                    }};
        try {
            AddressImport::import(ctx.dir.path(), stopping);
            QFAIL("the import was stopped");
        } catch (const Stopped&) {
        }
        QCOMPARE(QFile::exists(path), archiveBefore);
        QCOMPARE(readFileBytes(path), before);
        // The same import run whole adds all thirty.
        QCOMPARE(AddressImport::import(ctx.dir.path(), streamed(file)).numbers.size(), 30);
    }

    void dryRunReadsAReadOnlyArchive()
    {
        TestContext ctx;
        {
            AddressCardFile file(ctx.dir.path());
            file.append(stored({"Ada", "", "Ada", "Via 1"})); // as the sheet's first row becomes
        }
        const QString path = ctx.path(AddressCardFile::kFileName);
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(path, readOnly));
        QVERIFY(QFile::setPermissions(ctx.dir.path(), readOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                                          QFileDevice::ExeOther | QFileDevice::WriteOwner));
        // Root writes through the permissions: the check runs as nobody, as an office's plain user would.
        const bool root = ::geteuid() == 0;
        if (root)
            QVERIFY(::seteuid(65534) == 0);
        QVERIFY(!QFile(path).open(QIODevice::ReadWrite));
        std::optional<AddressImport::Plan> plan;
        try {
            plan = AddressImport::plan(ctx.dir.path(), csv("Nome;Indirizzo\nAda;Via 1\nBea;Via 2\n"));
        } catch (...) {
        }
        if (root)
            QVERIFY(::seteuid(0) == 0);
        QVERIFY(plan);
        QCOMPARE(plan->duplicates, 1);
        QCOMPARE(plan->cards.size(), 1);
    }

    // A file of nothing but nameless rows is counted whole but lists only the first reasons: its memory stays flat.
    void refusalsAreCountedAllAndListedFirst()
    {
        TestContext ctx;
        const ContactFile file = ContactFile::parse("Nome;Note\n" + QByteArray(";x\n").repeated(1500) + "Ada;ok\n");
        const AddressImport::ContactSource source{
            file.contactCount(), [&](const std::function<void(const Contact&)>& visit) { file.forEachContact(visit); }};
        const AddressImport::Report report = AddressImport::check(ctx.dir.path(), source);
        QCOMPARE(report.refusedCount, 1500);
        QCOMPARE(report.refused.size(), AddressImport::kListedRefusals);
        QCOMPARE(report.refused.last().line, int(AddressImport::kListedRefusals) + 1);
        QCOMPARE(AddressImport::summary(report), QStringLiteral("1 scheda importata, 0 già presenti, 1.500 scartate"));
    }

    // A card the file cannot tell how to read is refused with the reason, not stored garbled.
    void anUnreadableCardIsRefusedWithItsReason()
    {
        TestContext ctx;
        const AddressImport::Plan plan = AddressImport::plan(
            ctx.dir.path(), ContactFile::parse("BEGIN:VCARD\nN;CHARSET=FOO-BAR:Per\xE8;Ugo\nEND:VCARD\n"
                                               "BEGIN:VCARD\nN:Neri;Ada\nEND:VCARD\n")
                                .contacts());
        QCOMPARE(plan.cards.size(), 1);
        QCOMPARE(plan.refusedCount, 1);
        QCOMPARE(plan.refused[0].reason, QStringLiteral("riga 1: il set di caratteri «FOO-BAR» non è conosciuto"));
    }

    void nothingNewCreatesNoArchive()
    {
        TestContext ctx;
        const AddressImport::Result r = AddressImport::run(ctx.dir.path(), csv("Nome;Telefono\n;0612345\n"));
        QCOMPARE(r.plan.refused.size(), 1);
        QVERIFY(!QFile::exists(ctx.path(AddressCardFile::kFileName)));
    }

    void brokenFilesNameTheirLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::newRow("unterminated quote") << QByteArray("Nome;Note\r\nAda;ok\r\nBea;\"aperta\r\nCarla;x\r\n") << 3;
        QTest::newRow("vCard without END")
            << QByteArray("BEGIN:VCARD\nN:A;B\nEND:VCARD\nBEGIN:VCARD\nN:C;D\nFN:D C\n") << 4;
        QTest::newRow("END without BEGIN") << QByteArray("BEGIN:VCARD\nN:A;B\nEND:VCARD\nN:C;D\nEND:VCARD\n") << 5;
        // Open cards are held until they end: a file of nothing but BEGIN lines must not fill the memory.
        QTest::newRow("cards nested a hundred deep") << QByteArray("BEGIN:VCARD\n").repeated(5000) << 101;
        QTest::newRow("a row of too many cells")
            << QByteArray("Nome;Note\nAda;x\nBea" + QByteArray(";").repeated(CsvTable::kMaxColumns) + "\n") << 3;
    }
    void brokenFilesNameTheirLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        try {
            ContactFile::parse(bytes);
            QFAIL("a broken file must be refused");
        } catch (const ContactFileError& e) {
            QCOMPARE(e.line(), line);
            QVERIFY2(e.message().contains(QStringLiteral("riga %1").arg(line)), qPrintable(e.message()));
        }
    }

    void softBreakBeforeEndIsALineEnd()
    {
        const QList<Contact> c = ContactFile::parse("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Rossi;Mario\r\n"
                                                    "NOTE;ENCODING=QUOTED-PRINTABLE:Citt=C3=A0=\r\nEND:VCARD\r\n")
                                     .contacts();
        QCOMPARE(c.size(), 1);
        QCOMPARE(c[0].notes, QStringList{QStringLiteral("Città")});
    }

    // A device or a pipe has no end to wait for: it is refused at once, never read until the memory runs out.
    void specialFilesAreRefused()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("rubrica.csv"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : {QStringLiteral("/dev/zero"), fifo})
            QVERIFY_THROWS_EXCEPTION(ContactFileError, ContactFile::read(path));
    }
};

QTEST_GUILESS_MAIN(TestAddressImport)
#include "test_address_import.moc"
