#include "addresses/address_export_rows.h"
#include "register/register_export_rows.h"
#include "support/test_support.h"

#include <QDir>
#include <QTest>

namespace {

const QByteArray kEmptyCell = "<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\"></td>";

QByteArray cell(const QByteArray& text)
{
    return "<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\">" + text + "</td>";
}

QByteArray registerLine(const QString& numero, const QString& dataReg)
{
    return QStringLiteral(
               "{\"Numero\":\"%1\",\"DataReg\":\"%2\",\"Tipologia\":\"In entrata\",\"Oggetto\":\"Fattura %1\","
               "\"Copia\":\"scansione.pdf\"}\n")
        .arg(numero, dataReg)
        .toUtf8();
}

} // namespace

class TestCliExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addresses()
    {
        TestContext t;
        const QByteArray cards = "{\"Nome\":\"Rossi & Figli <srl>\",\"Tipo\":\"Cliente\",\"Rigo06\":\"20100 Milano\","
                                 "\"File01\":\"contratto.pdf\"}\n"
                                 "{\"Nome\":\"Caff\xC3\xA8 \xE2\x82\xAC \xCE\xA9\",\"Note\":\"ultima\"}\n";
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses", "--accept-lossy"}, cards).exitCode, 0);
        const CliResult r = runCli(t.dir.path(), {"export", "addresses"});
        QCOMPARE(r.exitCode, 0);
        const QByteArray doc = readFileBytes(t.path("Archivio_Indirizzi.xls"));
        QVERIFY(doc.contains("<x:Name>Archivio Indirizzi</x:Name>"));
        QCOMPARE(doc.count("<tr>"), 3);
        QVERIFY(doc.contains("<tr>" + cell("Rossi &amp; Figli &lt;srl&gt;") + cell("Cliente") + kEmptyCell.repeated(5) +
                             cell("20100 Milano") + kEmptyCell + "</tr>"));
        // Omega has no windows-1252 byte: the archive stored it as '?' when told to, and so does the sheet.
        QVERIFY(doc.contains("<tr>" + cell("Caff\xE8 \x80 ?") + kEmptyCell.repeated(7) + cell("ultima") + "</tr>"));
        QVERIFY(!doc.contains("contratto.pdf"));
        QVERIFY(!doc.contains('\n') && !doc.contains('\r'));

        // The same bytes the export window writes from the grid it loads.
        const ExportGridRows rows = AddressExport::loadGrid(t.dir.path());
        QCOMPARE(doc, SpreadsheetDocument::build(AddressExport::kSheetName,
                                                 ExportGrid::exportColumns(AddressExport::gridColumns()),
                                                 ExportGrid::exportRows(rows)));
    }

    void anEmptyArchiveGivesTenEmptyRows_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("cells");
        QTest::newRow("addresses") << QStringList{"export", "addresses"} << "Archivio_Indirizzi.xls" << 9;
        QTest::newRow("register year") << QStringList{"export", "register", "2024"} << "Protocollo.xls" << 19;
        QTest::newRow("register interval of an empty year")
            << QStringList{"export", "register", "2024", "--from", "1/1/2024", "--to", "31/12/2024"} << "Protocollo.xls"
            << 19;
    }
    void anEmptyArchiveGivesTenEmptyRows()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(int, cells);
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), args).exitCode, 0);
        const QByteArray doc = readFileBytes(t.path(file));
        QCOMPARE(doc.count("<tr>"), 11);
        QVERIFY(doc.contains(("<tr>" + kEmptyCell.repeated(cells) + "</tr>").repeated(10) + "</table>"));
    }

    void registerYearAndInterval()
    {
        TestContext t;
        const QByteArray cards = registerLine("1", "28/02/2024") + registerLine("2", "01/03/2024") +
                                 registerLine("3", "31/03/2024") + registerLine("4", "01/04/2024");
        QCOMPARE(runCli(t.dir.path(), {"append", "register", "2024"}, cards).exitCode, 0);

        QCOMPARE(runCli(t.dir.path(), {"export", "register", "2024"}).exitCode, 0);
        QByteArray doc = readFileBytes(t.path("Protocollo.xls"));
        QVERIFY(doc.contains("<x:Name>Protocollo Posta</x:Name>"));
        QCOMPARE(doc.count("<tr>"), 5);
        QVERIFY(doc.contains("<tr>" + cell("1") + cell("In entrata") + cell("28/02/2024")));
        QVERIFY(!doc.contains("scansione.pdf"));

        // The interval replaces the earlier export, under the summary's sheet name.
        QCOMPARE(
            runCli(t.dir.path(), {"export", "register", "2024", "--from", "01/03/2024", "--to", "31/3/2024"}).exitCode,
            0);
        doc = readFileBytes(t.path("Protocollo.xls"));
        QVERIFY(doc.contains("<x:Name>Protocollo Documenti</x:Name>"));
        QCOMPARE(doc.count("<tr>"), 3);
        QVERIFY(doc.contains("<tr>" + cell("2") + cell("In entrata") + cell("01/03/2024")));
        QVERIFY(doc.contains("<tr>" + cell("3") + cell("In entrata") + cell("31/03/2024")));

        // An interval without cards: the header row alone.
        QCOMPARE(
            runCli(t.dir.path(), {"export", "register", "2024", "--to", "30/06/2024", "--from", "01/06/2024"}).exitCode,
            0);
        QCOMPARE(readFileBytes(t.path("Protocollo.xls")).count("<tr>"), 1);
    }

    // Cards stored before the tool checked dates (or written by another program) have registration dates that are
    // no date: the interval export names them, and still writes the cards it can place.
    void anIntervalNamesTheCardsItCannotPlace()
    {
        TestContext t;
        const auto card = [](const QString& numero, const QString& dataReg) {
            RegisterCard c;
            c.setValue(RegisterCard::Numero, numero);
            c.setValue(RegisterCard::DataReg, dataReg);
            c.setValue(RegisterCard::Tipologia, QStringLiteral("Interna"));
            return c;
        };
        {
            RegisterFile file(RegisterYear::filePath(t.dir.path(), "2024"));
            for (const RegisterCard& c : {card("1", "05/03/2024"), card("17/2024", "29/02/2023"), card("", "ieri"),
                                          card("4", "06/03/2024"), card("5\t2024", "")})
                file.append(c);
        }
        CliResult r = runCli(t.dir.path(), {"export", "register", "2024", "--from", "01/03/2024", "--to", "31/3/2024"});
        QCOMPARE(r.exitCode, 0);
        // A tab in a number reaches the terminal as '?', as every echoed value does.
        QCOMPARE(r.err, QByteArray("plicario-cli: 3 schede con data non valida non incluse: n. 17/2024, 5?2024; "
                                   "scheda 3 senza numero\n"));
        QVERIFY(r.out.isEmpty());
        const QByteArray doc = readFileBytes(t.path("Protocollo.xls"));
        QCOMPARE(doc.count("<tr>"), 3);
        QVERIFY(doc.contains("<tr>" + cell("1") + cell("Interna") + cell("05/03/2024")));
        QVERIFY(doc.contains("<tr>" + cell("4") + cell("Interna") + cell("06/03/2024")));

        // The whole year leaves no card out, and has nothing to say.
        r = runCli(t.dir.path(), {"export", "register", "2024"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.isEmpty());
        QCOMPARE(readFileBytes(t.path("Protocollo.xls")).count("<tr>"), 6);
    }

    void badArgumentsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error"); // a piece of the message on standard error
        QTest::newRow("nothing to export") << QStringList{"export"} << "addresses o register";
        QTest::newRow("labels are not exported") << QStringList{"export", "labels"} << "labels";
        QTest::newRow("extra argument") << QStringList{"export", "addresses", "x"} << "Argomento inatteso: x";
        QTest::newRow("no year") << QStringList{"export", "register"} << "quattro cifre";
        QTest::newRow("short year") << QStringList{"export", "register", "24"} << "quattro cifre";
        QTest::newRow("year with a path") << QStringList{"export", "register", "../24"} << "quattro cifre";
        QTest::newRow("from without to") << QStringList{"export", "register", "2024", "--from", "01/03/2024"}
                                         << "data di fine intervallo";
        QTest::newRow("to without from") << QStringList{"export", "register", "2024", "--to", "01/03/2024"}
                                         << "data di inizio intervallo";
        QTest::newRow("option without its date")
            << QStringList{"export", "register", "2024", "--from"} << "--from richiede una data";
        QTest::newRow("from twice") << QStringList{"export",   "register", "2024",    "--from",
                                                   "1/1/2024", "--from",   "2/1/2024"}
                                    << "Argomento inatteso: --from";
        QTest::newRow("a day that does not exist")
            << QStringList{"export", "register", "2024", "--from", "31/02/2024", "--to", "31/03/2024"}
            << "la data 31/02/2024 di inizio intervallo non esiste";
        QTest::newRow("two-digit year") << QStringList{"export",     "register", "2024",    "--from",
                                                       "01/02/2024", "--to",     "31/03/24"}
                                        << "la data 31/03/24 di fine intervallo non esiste";
        QTest::newRow("end before start")
            << QStringList{"export", "register", "2024", "--from", "10/03/2024", "--to", "01/03/2024"}
            << "(01/03/2024) non può essere anteriore a quella di inizio intervallo (10/03/2024)";
    }
    void badArgumentsWriteNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        TestContext t;
        const CliResult r = runCli(t.dir.path(), args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(error), r.err.constData());
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void aFileOpenInTheOfficeSuiteIsLeftAsItWas_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::newRow("addresses") << QStringList{"export", "addresses"} << "Archivio_Indirizzi.xls";
        QTest::newRow("register") << QStringList{"export", "register", "2024"} << "Protocollo.xls";
    }
    void aFileOpenInTheOfficeSuiteIsLeftAsItWas()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        TestContext t;
        QVERIFY(writeFileBytes(t.path(file), "earlier export"));
        QVERIFY(writeFileBytes(t.path(".~lock." + file + "#"), ",utente,pc,10.03.2024 10:00,utente;"));
        const CliResult r = runCli(t.dir.path(), args);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("non permette di esportare i dati"));
        QCOMPARE(readFileBytes(t.path(file)), QByteArray("earlier export"));
    }

    void anUnreadableArchiveFailsWithoutWriting_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("archive");
        QTest::newRow("addresses") << QStringList{"export", "addresses"} << "Archivio_Indirizzi.pro";
        QTest::newRow("register") << QStringList{"export", "register", "2024"} << "2024.prt";
        QTest::newRow("register interval")
            << QStringList{"export", "register", "2024", "--from", "1/1/2024", "--to", "1/2/2024"} << "2024.prt";
    }
    void anUnreadableArchiveFailsWithoutWriting()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, archive);
        TestContext t;
        QVERIFY(QDir(t.dir.path()).mkdir(archive));
        const CliResult r = runCli(t.dir.path(), args);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliExport)
#include "test_cli_export.moc"
