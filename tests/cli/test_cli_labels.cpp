// The batch tool's label sheets: ranges of stored sheets, sheets composed from the address archive as a PDF file
// or stored, and what it refuses.
#include "support/test_support.h"

#include <QDir>
#include <QTest>

namespace {

// Seven cards with one address line each, in no order; one more with no address at all, and one with no name.
QByteArray sevenCards()
{
    QByteArray lines;
    for (const char* n : {"Gamma", "alfa", "Beta", "Eta", "delta", "Zeta", "Epsilon"})
        lines += QByteArray("{\"Nome\":\"") + n + "\",\"Tipo\":\"cliente\",\"Rigo01\":\"Via " + n + "\"}\n";
    return lines + "{\"Nome\":\"Senza indirizzo\",\"Tipo\":\"cliente\"}\n"
                   "{\"Tipo\":\"cliente\",\"Rigo01\":\"Via senza nome\"}\n";
}

} // namespace

class TestCliLabels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void composeStoresAndPrintsTheNewNumbers()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, sevenCards()).exitCode, 0);
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"}, "{\"Nome_E01\":\"vecchio\"}\n").out, QByteArray("1\n"));
        const CliResult r = runCli(t.dir.path(), {"compose", "--first-slot", "20", "--tipo", "CLIENTE"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("2\n3\n"));
        QVERIFY2(r.err.contains("2 schede escluse: 1 senza indirizzo, 1 senza nome."), r.err.constData());
        const QByteArray dump = runCli(t.dir.path(), {"dump", "labels"}).out;
        const QList<QByteArray> sheets = dump.split('\n');
        QVERIFY(sheets[1].contains("\"Nome_E19\":\"\",\"Nome_E20\":\"alfa\""));
        QVERIFY(sheets[1].contains("\"Rigo01_E24\":\"Via Eta\""));
        QVERIFY(sheets[2].contains("\"Nome_E01\":\"Gamma\",\"Nome_E02\":\"Zeta\",\"Nome_E03\":\"\""));

        // The stored range as one PDF, and the same sheets composed straight from the archive.
        QCOMPARE(runCli(t.dir.path(), {"pdf", "labels", "2-3", t.path("archiviati.pdf")}).exitCode, 0);
        QCOMPARE(runCli(t.dir.path(), {"pdf", "compose", t.path("composti.pdf"), "--first-slot", "20"}).exitCode, 0);
        for (const char* name : {"archiviati.pdf", "composti.pdf"}) {
            const QStringList pages = pdfPageTexts(t.path(QString::fromLatin1(name)));
            QCOMPARE(pages.size(), 2);
            QVERIFY(pages[0].contains(QStringLiteral("Via alfa")) && pages[0].contains(QStringLiteral("Via Eta")));
            QVERIFY(pages[1].contains(QStringLiteral("Via Gamma")) && pages[1].contains(QStringLiteral("Via Zeta")));
            QVERIFY(!pages[0].contains(QStringLiteral("Via Gamma")));
        }
        QCOMPARE(pdfPageTexts(t.path("archiviati.pdf")), pdfPageTexts(t.path("composti.pdf")));
    }

    void badInputExitsTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("range backwards") << QStringList{"pdf", "labels", "2-1", "x.pdf"} << QByteArray("all'indietro");
        QTest::newRow("range beyond the archive")
            << QStringList{"pdf", "labels", "1-3", "x.pdf"} << QByteArray("La scheda 3 non esiste: l'archivio ne contiene 2.");
        QTest::newRow("range of nothing") << QStringList{"pdf", "labels", "1-", "x.pdf"} << QByteArray("intero");
        QTest::newRow("slot 25") << QStringList{"compose", "--first-slot", "25"} << QByteArray("da 1 a 24: 25");
        QTest::newRow("slot 0 for the pdf")
            << QStringList{"pdf", "compose", "x.pdf", "--first-slot", "0"} << QByteArray("da 1 a 24: 0");
        QTest::newRow("tipo without text") << QStringList{"compose", "--tipo"} << QByteArray("--tipo richiede");
        QTest::newRow("tipo twice")
            << QStringList{"compose", "--tipo", "a", "--tipo", "b"} << QByteArray("--tipo è indicato due volte");
        QTest::newRow("unknown option") << QStringList{"compose", "--tutto"} << QByteArray("Argomento inatteso: --tutto");
        QTest::newRow("nothing to compose")
            << QStringList{"pdf", "compose", "x.pdf", "--tipo", "fornitore"} << QByteArray("Nessuna scheda");
        // Storing nothing is refused alike, naming the cards the choice left out.
        QTest::newRow("nothing to store") << QStringList{"compose", "--tipo", "fornitore"}
                                          << QByteArray("Nessuna scheda");
        QTest::newRow("output onto an archive")
            << QStringList{"pdf", "compose", "Archivio_Etichette.pro"} << QByteArray("Archivio_Etichette.pro");
    }
    void badInputExitsTwo()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, message);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, sevenCards()).exitCode, 0);
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"}, "{\"Nome_E01\":\"a\"}\n{\"Nome_E01\":\"b\"}\n").exitCode, 0);
        const QByteArray labels = readFileBytes(t.path("Archivio_Etichette.pro"));
        const CliResult r = runCli(t.dir.path(), args, {}, {{}, false, t.dir.path()});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readFileBytes(t.path("Archivio_Etichette.pro")), labels);
        QVERIFY(!QFileInfo::exists(t.path("x.pdf")));
    }

    // Failures exit 1 and change nothing: unusable label settings, a full disk under the PDF file, numbers that
    // cannot be printed (the stored sheets are then taken back, so a retry cannot store them twice).
    void failuresChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<qint64>("fileLimit");
        QTest::addColumn<QString>("stdoutFile");
        QTest::newRow("damaged settings") << QStringList{"pdf", "compose", "etichette.pdf"}
                                          << QByteArray("[Etichette]\r\nScostamento sinistro=molto\r\n") << qint64(-1)
                                          << QString();
        QTest::newRow("full disk") << QStringList{"pdf", "compose", "etichette.pdf"} << QByteArray() << qint64(3000)
                                   << QString();
        QTest::newRow("numbers to a full output")
            << QStringList{"compose"} << QByteArray() << qint64(-1) << QStringLiteral("/dev/full");
    }
    void failuresChangeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, settings);
        QFETCH(qint64, fileLimit);
        QFETCH(QString, stdoutFile);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"}, sevenCards()).exitCode, 0);
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"}, "{\"Nome_E01\":\"a\"}\n").exitCode, 0);
        QVERIFY(writeFileBytes(t.path("etichette.pdf"), "uscita precedente"));
        if (!settings.isEmpty())
            QVERIFY(writeFileBytes(t.path("Impostazioni.ini"), settings));
        const QStringList before = QDir(t.dir.path()).entryList(QDir::Files | QDir::Hidden);
        const QByteArray labels = readFileBytes(t.path("Archivio_Etichette.pro"));
        CliResult r;
        {
            std::optional<FileSizeLimit> limit;
            if (fileLimit > 0)
                limit.emplace(fileLimit);
            r = runCli(t.dir.path(), args, {}, {stdoutFile, false, t.dir.path()});
        }
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith("plicario-cli: "), r.err.constData());
        QCOMPARE(readFileBytes(t.path("etichette.pdf")), QByteArray("uscita precedente"));
        QCOMPARE(readFileBytes(t.path("Archivio_Etichette.pro")), labels);
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files | QDir::Hidden), before);
    }
};

QTEST_GUILESS_MAIN(TestCliLabels)
#include "test_cli_labels.moc"
