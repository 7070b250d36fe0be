// What the batch tool promises scripts: a failure is never reported as success, an append is all or nothing even
// when the process is killed, nothing is created by a command that writes no record, and no output replaces one of
// the program's own files.
#include "common/errors.h"
#include "support/test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kAddressSize = 3765;
constexpr int kLabelSize = 42168;

QByteArray addressLines(int count, int length = 200)
{
    QByteArray lines;
    for (int i = 1; i <= count; ++i)
        lines += "{\"Nome\":\"scheda " + QByteArray::number(i) + "\",\"Note\":\"" + QByteArray(length, 'n') + "\"}\n";
    return lines;
}

// Every file of the folder with its bytes, hidden ones and those in subfolders included.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(dir.relativeFilePath(path),
                     it.fileInfo().isDir() ? QByteArray("<cartella>") : readFileBytes(path));
    }
    return files;
}

// The largest resident size of any child this process has waited for, in kilobytes.
long childrenPeakKb()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}

} // namespace

class TestCliContract : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A write that does not fit (the file-size limit stands for a full disk) fails with exit 1 and leaves the
    // archive and any earlier output exactly as they were, with no stray file.
    void fullDiskChangesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("output"); // a file the command replaces, "stdout" for a dump into a file
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qint64>("limit");
        QTest::newRow("dump") << QStringList{"dump", "addresses"} << "stdout" << QByteArray() << qint64(500);
        QTest::newRow("append") << QStringList{"append", "addresses"} << "" << addressLines(8)
                                << qint64(6 * kAddressSize + 100);
        QTest::newRow("append over a fragment")
            << QStringList{"append", "addresses"} << "" << addressLines(8) << qint64(5 * kAddressSize);
        QTest::newRow("export addresses")
            << QStringList{"export", "addresses"} << "Archivio_Indirizzi.xls" << QByteArray() << qint64(1500);
        QTest::newRow("export register") << QStringList{"export", "register", "2024"} << "Protocollo.xls"
                                         << QByteArray() << qint64(1500);
        QTest::newRow("pdf envelope") << QStringList{"pdf", "envelope", "1", "busta.pdf"} << "busta.pdf" << QByteArray()
                                      << qint64(300);
        QTest::newRow("pdf list") << QStringList{"pdf", "list", "Elenco", "lista.pdf"} << "lista.pdf"
                                  << addressLines(40) << qint64(4000);
    }
    void fullDiskChangesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        QFETCH(QByteArray, input);
        QFETCH(qint64, limit);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, addressLines(4)).exitCode, 0);
        if (QByteArray(QTest::currentDataTag()).contains("fragment"))
            QVERIFY(QFile(t.path("Archivio_Indirizzi.pro")).resize(4 * kAddressSize + 123));
        QCOMPARE(runCli(t.dir.path(), {"append", "register", "2024"},
                        "{\"Numero\":\"1\",\"Tipologia\":\"Interna\",\"Oggetto\":\"x\"}")
                     .exitCode,
                 0);
        const QString outPath = output == u"stdout" ? t.path("copia.jsonl") : QString();
        if (!output.isEmpty() && output != u"stdout")
            QVERIFY(writeFileBytes(t.path(output), "uscita precedente"));
        const QMap<QString, QByteArray> before = snapshot(t.dir.path());

        CliResult r;
        {
            const FileSizeLimit full(limit);
            r = runCli(t.dir.path(), args, input, {outPath, false, t.dir.path()});
        }
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith("plicario-cli: "), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QMap<QString, QByteArray> after = snapshot(t.dir.path());
        if (!outPath.isEmpty()) {
            QVERIFY(after.take(QStringLiteral("copia.jsonl")).size() <= limit);
        }
        QCOMPARE(after.keys(), before.keys());
        QVERIFY(after == before);
    }

    // Standard output is a destination like any file.
    void devFullIsAFailure_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("dump") << QStringList{"dump", "addresses"} << QByteArray();
        // The numbers cannot be printed: the batch is undone, so a retry cannot duplicate it.
        QTest::newRow("append") << QStringList{"append", "addresses"} << addressLines(3);
    }
    void devFullIsAFailure()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, addressLines(2)).exitCode, 0);
        const QMap<QString, QByteArray> before = snapshot(t.dir.path());
        const CliResult r = runCli(t.dir.path(), args, input, {QStringLiteral("/dev/full")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("standard output"), r.err.constData());
        QVERIFY(snapshot(t.dir.path()) == before);
    }

    // kill -9 in the middle of a large append: the archive is as it was before the batch once anything opens it.
    void killedAppendLeavesTheArchiveAsBefore()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"}, "{\"Nome_E01\":\"primo\"}\n").exitCode, 0);
        const QString path = t.path("Archivio_Etichette.pro");
        QVERIFY(QFile(path).resize(kLabelSize + 999)); // a fragment of an older crash, too
        const QByteArray before = readFileBytes(path);

        QProcess p;
        p.start(QStringLiteral(PLICARIO_CLI), {"--folder", t.dir.path(), "append", "labels"});
        QVERIFY(p.waitForStarted());
        QByteArray lines;
        for (int i = 0; i < 200; ++i)
            lines += "{\"Nome_E01\":\"lotto\",\"Rigo06_E24\":\"" + QByteArray::number(i) + "\"}\n";
        p.write(lines);
        // The tool has written the first records and waits for more input: kill it there.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() >= kLabelSize * 150, 60000);
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        QVERIFY(p.readAllStandardOutput().isEmpty()); // no number of an unfinished batch

        // Any open cuts back first: here a dump, which sees the one sheet of before.
        const CliResult dump = runCli(t.dir.path(), {"dump", "labels"});
        QCOMPARE(dump.exitCode, 0);
        QCOMPARE(dump.out.count('\n'), 1);
        QCOMPARE(readFileBytes(path), before);
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Archivio_Etichette.pro"});

        // The same batch run to its end is all there, numbered after the sheet of before.
        const CliResult whole = runCli(t.dir.path(), {"append", "labels"}, lines);
        QCOMPARE(whole.exitCode, 0);
        QVERIFY(whole.out.startsWith("2\n3\n"));
        QVERIFY(whole.out.endsWith("\n201\n"));
        QCOMPARE(QFileInfo(path).size(), qint64(kLabelSize) * 201);
    }

    // Records are streamed: the tool's memory does not grow with the batch (each empty line of input is 42 KB of
    // label sheet).
    void appendMemoryIsFlat()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"}, "{}\n").exitCode, 0);
        const long small = childrenPeakKb();
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"}, QByteArray("{}\n").repeated(3000)).exitCode, 0);
        QCOMPARE(QFileInfo(t.path("Archivio_Etichette.pro")).size(), qint64(kLabelSize) * 3001);
        const long large = childrenPeakKb();
        QVERIFY2(large - small < 32 * 1024, qPrintable(QStringLiteral("%1 KB then %2 KB").arg(small).arg(large)));
    }

    // A bad line late in the input undoes the lines before it.
    void badLineLateInTheBatchUndoesIt()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, addressLines(2)).exitCode, 0);
        const QMap<QString, QByteArray> before = snapshot(t.dir.path());
        const CliResult r =
            runCli(t.dir.path(), {"append", "addresses"}, addressLines(50) + "{\"Nome\":\"x\",\"Nome\":\"y\"}\n");
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(snapshot(t.dir.path()) == before);
    }

    // No archive, year file or folder comes into being for a command that writes no record into it.
    void nothingIsCreatedWithoutARecord_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("files"); // what the folder holds afterwards
        QTest::newRow("pdf of card 0") << QStringList{"pdf", "envelope", "0", "x.pdf"} << QByteArray() << 2
                                       << QStringList();
        QTest::newRow("pdf of a card of a year without file")
            << QStringList{"pdf", "card", "2099", "1", "x.pdf"} << QByteArray() << 2 << QStringList();
        QTest::newRow("pdf of a missing label sheet")
            << QStringList{"pdf", "labels", "1", "x.pdf"} << QByteArray() << 2 << QStringList();
        QTest::newRow("pdf of sheets composed from no archive")
            << QStringList{"pdf", "compose", "x.pdf"} << QByteArray() << 2 << QStringList();
        QTest::newRow("compose from no archive") << QStringList{"compose"} << QByteArray() << 2 << QStringList();
        QTest::newRow("append of nothing")
            << QStringList{"append", "register", "2099"} << QByteArray("\n  \n") << 0 << QStringList();
        QTest::newRow("append of a bad first line")
            << QStringList{"append", "addresses"} << QByteArray("{x}") << 2 << QStringList();
        QTest::newRow("dump") << QStringList{"dump", "register", "2099"} << QByteArray() << 0 << QStringList();
        QTest::newRow("write") << QStringList{"write", "labels", "1"} << QByteArray("{}") << 2 << QStringList();
        QTest::newRow("export") << QStringList{"export", "register", "2099"} << QByteArray() << 0
                                << QStringList{"Protocollo.xls"};
        QTest::newRow("export of an interval")
            << QStringList{"export", "register", "2099", "--from", "1/1/2099", "--to", "2/1/2099"} << QByteArray() << 0
            << QStringList{"Protocollo.xls"};
        QTest::newRow("export addresses")
            << QStringList{"export", "addresses"} << QByteArray() << 0 << QStringList{"Archivio_Indirizzi.xls"};
    }
    void nothingIsCreatedWithoutARecord()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QStringList, files);
        TestContext t;
        const CliResult r = runCli(t.dir.path(), args, input, {{}, false, t.dir.path()});
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), files);
    }

    // A card number beyond the archive is bad input for every command that names one.
    void aCardBeyondTheArchiveIsBadInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("write") << QStringList{"write", "addresses", "3"};
        QTest::newRow("pdf envelope") << QStringList{"pdf", "envelope", "3", "x.pdf"};
        QTest::newRow("pdf address sheet") << QStringList{"pdf", "address-sheet", "3", "x.pdf"};
        QTest::newRow("pdf card") << QStringList{"pdf", "card", "2024", "3", "x.pdf"};
        QTest::newRow("pdf labels") << QStringList{"pdf", "labels", "3", "x.pdf"};
    }
    void aCardBeyondTheArchiveIsBadInput()
    {
        QFETCH(QStringList, args);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, addressLines(2)).exitCode, 0);
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"}, "{}\n{}\n").exitCode, 0);
        const QByteArray card = "{\"Tipologia\":\"Interna\"}\n";
        QCOMPARE(runCli(t.dir.path(), {"append", "register", "2024"}, card + card).exitCode, 0);
        const QMap<QString, QByteArray> before = snapshot(t.dir.path());
        const CliResult r = runCli(t.dir.path(), args, "{}", {{}, false, t.dir.path()});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("La scheda 3 non esiste: l'archivio ne contiene 2."), r.err.constData());
        QVERIFY(snapshot(t.dir.path()) == before);
    }

    // An output path that is one of the program's own files is refused before anything is read or written.
    void ownFilesAreNeverAnOutput_data()
    {
        QTest::addColumn<QString>("output"); // relative to the program folder
        QTest::newRow("address archive") << "Archivio_Indirizzi.pro";
        QTest::newRow("label archive") << "Archivio_Etichette.pro";
        QTest::newRow("year file") << "2024.prt";
        QTest::newRow("year file not yet there") << "2031.prt";
        QTest::newRow("envelope settings") << "Impostazioni.ini";
        QTest::newRow("register settings") << "Tessaro.ini";
        QTest::newRow("password store") << "unins000.dll";
        QTest::newRow("user guide") << "Guida.pdf";
        QTest::newRow("an attachment") << "Documenti_Allegati/contratto.pdf";
        QTest::newRow("a new name among the attachments") << "Documenti_Allegati/nuovo.pdf";
        QTest::newRow("the attachments folder") << "Documenti_Allegati";
        QTest::newRow("a roundabout path") << "Documenti_Allegati/../Archivio_Indirizzi.pro";
        QTest::newRow("a link to the archive") << "collegamento.pdf";
        QTest::newRow("a link to a year not yet there") << "anno.pdf";
        QTest::newRow("a hard link to the password store") << "copia.pdf";
    }
    void ownFilesAreNeverAnOutput()
    {
        QFETCH(QString, output);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, addressLines(1)).exitCode, 0);
        QCOMPARE(runCli(t.dir.path(), {"append", "register", "2024"}, "{\"Tipologia\":\"Interna\"}").exitCode, 0);
        QCOMPARE(runCli(t.dir.path(), {"password", "set"}, "segreta\n").exitCode, 0);
        QVERIFY(writeFileBytes(t.path("Impostazioni.ini"), "[Margini Busta]\r\nSuperiore=3\r\n"));
        QVERIFY(writeFileBytes(t.path("Tessaro.ini"), "[Numerazione Protocollo]\r\nInizio=5\r\n"));
        QVERIFY(writeFileBytes(t.path("Guida.pdf"), "%PDF guida"));
        QVERIFY(QDir(t.dir.path()).mkdir("Documenti_Allegati"));
        QVERIFY(writeFileBytes(t.path("Documenti_Allegati/contratto.pdf"), "%PDF contratto"));
        QVERIFY(QFile::link(t.path("Archivio_Indirizzi.pro"), t.path("collegamento.pdf")));
        QVERIFY(QFile::link(t.path("2032.prt"), t.path("anno.pdf")));
        QVERIFY(::link(QFile::encodeName(t.path("unins000.dll")).constData(),
                       QFile::encodeName(t.path("copia.pdf")).constData()) == 0);
        const QMap<QString, QByteArray> before = snapshot(t.dir.path());

        for (const QStringList& command : {QStringList{"pdf", "envelope", "1"}, QStringList{"pdf", "card", "2024", "1"},
                                           QStringList{"pdf", "list", "Elenco"}}) {
            for (const QString& path : {t.path(output), output}) {
                const CliResult r =
                    runCli(t.dir.path(), command + QStringList{path}, "riga\n", {{}, false, t.dir.path()});
                QCOMPARE(r.exitCode, 2);
                QVERIFY2(r.err.contains("file del programma"), r.err.constData());
                QVERIFY(snapshot(t.dir.path()) == before);
            }
        }
        QVERIFY(!QFileInfo::exists(t.path("2031.prt")));
        QVERIFY(!QFileInfo::exists(t.path("2032.prt")));
    }

    // The usage text follows a wrong command line, never a message about the data, which it would bury.
    void usageTextOnlyForAWrongCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("usage");
        QTest::newRow("unknown command") << QStringList{"stampa"} << QByteArray() << QByteArray("Comando sconosciuto")
                                         << true;
        QTest::newRow("unexpected argument")
            << QStringList{"dump", "addresses", "x"} << QByteArray() << QByteArray("Argomento inatteso") << true;
        QTest::newRow("missing archive") << QStringList{"dump"} << QByteArray() << QByteArray("Indicare l'archivio")
                                         << true;
        QTest::newRow("bad JSON") << QStringList{"append", "addresses"} << QByteArray("{\"Nome\":")
                                  << QByteArray("JSON non valido") << false;
        QTest::newRow("unknown field") << QStringList{"append", "labels"} << QByteArray("{\"Colore\":\"rosso\"}")
                                       << QByteArray("Campo sconosciuto") << false;
        const QStringList badDate = {"export", "register", "2024", "--from", "31/02/2024", "--to", "01/03/2024"};
        QTest::newRow("bad date") << badDate << QByteArray() << QByteArray("Attenzione: la data 31/02/2024") << false;
        QTest::newRow("wait not a number") << QStringList{"--wait", "poco", "dump", "addresses"} << QByteArray()
                                           << QByteArray("--wait richiede un numero") << true;
        QTest::newRow("negative wait") << QStringList{"--wait", "-1", "dump", "addresses"} << QByteArray()
                                       << QByteArray("--wait richiede un numero") << true;
        QTest::newRow("wait without seconds")
            << QStringList{"--wait"} << QByteArray() << QByteArray("--wait richiede un numero") << true;
        QTest::newRow("no card to compose")
            << QStringList{"pdf", "compose", "fogli.pdf"} << QByteArray() << QByteArray("Nessuna scheda") << false;
    }
    void usageTextOnlyForAWrongCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, message);
        QFETCH(bool, usage);
        TestContext t;
        const CliResult r = runCli(t.dir.path(), args, input, {{}, false, t.dir.path()});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.startsWith("plicario-cli: " + message), r.err.constData());
        QCOMPARE(r.err.contains("Uso: plicario-cli"), usage);
        if (!usage)
            QCOMPARE(r.err.count('\n'), 1);
    }

    // A batch waiting on its input holds the archive. Another run gives up after its --wait with exit 1 and a message
    // naming the archive, having changed nothing; one allowed to wait longer goes on once the batch is done.
    void aHeldArchiveIsGivenUpAfterTheWait()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, addressLines(1)).exitCode, 0);
        const QString path = t.path("Archivio_Indirizzi.pro");
        QProcess batch;
        batch.start(QStringLiteral(PLICARIO_CLI), {"--folder", t.dir.path(), "append", "addresses"});
        QVERIFY(batch.waitForStarted());
        batch.write(addressLines(1));
        // Its first record is written: it holds the lock and waits for more input.
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(path).size(), qint64(2 * kAddressSize), 10000);
        const QByteArray held = readFileBytes(path);
        const QByteArray message = "plicario-cli: " + Errors::archiveInUse(path).toUtf8() + "\n";

        struct Run
        {
            QStringList args;
            QByteArray input;
            int waitMs;
        };
        const Run runs[] = {
            {{"--wait", "1", "dump", "addresses"}, {}, 1000},
            {{"--wait", "1", "append", "addresses"}, addressLines(1), 1000},
            {{"--wait", "0", "write", "addresses", "1"}, "{\"Nome\":\"sovrascritta\"}", 0},
        };
        for (const Run& run : runs) {
            QElapsedTimer clock;
            clock.start();
            const CliResult r = runCli(t.dir.path(), run.args, run.input);
            const qint64 elapsed = clock.elapsed();
            QCOMPARE(r.exitCode, 1);
            QCOMPARE(r.err, message);
            QVERIFY(r.out.isEmpty());
            QVERIFY2(elapsed >= run.waitMs && elapsed < run.waitMs + 5000, qPrintable(QString::number(elapsed)));
            QCOMPARE(readFileBytes(path), held);
        }

        QProcess later;
        later.start(QStringLiteral(PLICARIO_CLI), {"--folder", t.dir.path(), "--wait", "30", "append", "addresses"});
        QVERIFY(later.waitForStarted());
        later.write(addressLines(1));
        later.closeWriteChannel();
        QTest::qWait(500);
        QCOMPARE(later.state(), QProcess::Running);
        batch.closeWriteChannel();
        QVERIFY(batch.waitForFinished(10000));
        QCOMPARE(batch.exitCode(), 0);
        QCOMPARE(batch.readAllStandardOutput(), QByteArray("2\n"));
        QVERIFY(later.waitForFinished(10000));
        QCOMPARE(later.exitCode(), 0);
        QCOMPARE(later.readAllStandardOutput(), QByteArray("3\n"));
        QCOMPARE(later.readAllStandardError(), QByteArray());
    }

    // Qt has nothing to say on standard error: not without a runtime folder (cron, ssh), not for a bad path.
    void onlyOurOwnMessagesOnStandardError()
    {
        TestContext t;
        CliResult r = runCli(t.dir.path(), {"pdf", "list", "Elenco", t.path("lista.pdf")}, "riga\n", {{}, true});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QVERIFY(readFileBytes(t.path("lista.pdf")).startsWith("%PDF"));

        QVERIFY(writeFileBytes(t.path("file"), "x"));
        r = runCli(t.dir.path(), {"pdf", "list", "Elenco", t.path("file/lista.pdf")}, "riga\n", {{}, true});
        QCOMPARE(r.exitCode, 1);
        // Our message alone: its three lines, nothing of Qt's before or after it.
        QVERIFY2(r.err.startsWith("plicario-cli: Attenzione: impossibile salvare il file PDF"), r.err.constData());
        QVERIFY2(r.err.endsWith("che il disco non sia pieno.\n"), r.err.constData());
        QCOMPARE(r.err.count('\n'), 3);
    }
};

QTEST_GUILESS_MAIN(TestCliContract)
#include "test_cli_contract.moc"
