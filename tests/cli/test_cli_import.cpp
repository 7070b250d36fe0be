// `import addresses FILE [--dry-run] [--accept-lossy]`: the JSON report, the new numbers, and the exit codes of the
// other commands.
#include "support/test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QJsonObject reportOf(const CliResult& r)
{
    const QList<QByteArray> lines = r.out.split('\n');
    if (lines.size() != 2 || !lines[1].isEmpty())
        return {}; // one object on one line, nothing else
    return QJsonDocument::fromJson(lines[0]).object();
}

QList<int> ints(const QJsonValue& v)
{
    QList<int> out;
    for (const QJsonValue& x : v.toArray())
        out << x.toInt();
    return out;
}

const QByteArray kCsv = "Cognome;Nome;Indirizzo;CAP;Città\n"
                        "Rossi;Mario;Via Roma 1;00184;Roma\n"
                        "Rossi;Mario;Via Roma 1;00184;Roma\n"
                        ";;Via senza nome;00100;Roma\n"
                        "Neri;Ada;Via Po 2;10100;Torino\n";

} // namespace

class TestCliImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dryRunThenImportThenAgain()
    {
        TestContext t;
        const QString file = t.path(QStringLiteral("rubrica.csv"));
        QVERIFY(writeFileBytes(file, kCsv));
        const QString archive = t.path(QStringLiteral("Archivio_Indirizzi.pro"));

        CliResult r = runCli(t.dir.path(), {"import", "addresses", file, "--dry-run"});
        QCOMPARE(r.exitCode, 0);
        QJsonObject o = reportOf(r);
        QCOMPARE(o.value("imported").toInt(), 2);
        QCOMPARE(o.value("duplicates").toInt(), 1);
        QCOMPARE(o.value("refused").toArray().size(), 1);
        QCOMPARE(o.value("refused").toArray()[0].toObject().value("line").toInt(), 4);
        QVERIFY(o.value("numbers").toArray().isEmpty());
        QCOMPARE(o.value("dry_run").toBool(), true);
        QVERIFY(!QFile::exists(archive));

        r = runCli(t.dir.path(), {"import", "addresses", file});
        QCOMPARE(r.exitCode, 0);
        o = reportOf(r);
        QCOMPARE(o.value("imported").toInt(), 2);
        QCOMPARE(ints(o.value("numbers")), (QList<int>{1, 2}));
        QCOMPARE(o.value("dry_run").toBool(), false);

        r = runCli(t.dir.path(), {"dump", "addresses"});
        const QJsonObject second = QJsonDocument::fromJson(r.out.split('\n').value(1)).object();
        QCOMPARE(second.value("Nome").toString(), QStringLiteral("Neri Ada"));
        QCOMPARE(second.value("Rigo03").toString(), QStringLiteral("10100 Torino"));

        r = runCli(t.dir.path(), {"import", "addresses", file});
        QCOMPARE(r.exitCode, 0);
        o = reportOf(r);
        QCOMPARE(o.value("imported").toInt(), 0);
        QCOMPARE(o.value("duplicates").toInt(), 3);
        QCOMPARE(QFileInfo(archive).size(), qint64(2 * 3765));
    }

    // Names in scripts windows-1252 cannot hold are never stored as '?' unasked, and never taken for one another.
    void lettersTheArchiveCannotHold()
    {
        TestContext t;
        const QString file = t.path(QStringLiteral("rubrica.csv"));
        QVERIFY(writeFileBytes(file, "Cognome,Nome,Indirizzo,Città\n"
                                     "Иванов,Иван,Via Roma 1,Roma\n"
                                     "Петров,Пётр,Via Roma 1,Roma\n"
                                     "Dvořák,Antonín,Via Łódź 3,Praga\n"));
        CliResult r = runCli(t.dir.path(), {"import", "addresses", file});
        QCOMPARE(r.exitCode, 0);
        QJsonObject o = reportOf(r);
        QCOMPARE(o.value("imported").toInt(), 1);
        const QJsonArray refused = o.value("refused").toArray();
        QCOMPARE(refused.size(), 2);
        QCOMPARE(o.value("refused_count").toInt(), 2);
        // What the rule changed on the card it kept is reported too.
        QCOMPARE(o.value("replaced_count").toInt(), 1);
        QCOMPARE(o.value("replaced").toArray()[0].toObject().value("reason").toString(),
                 QStringLiteral("riga 4: «ř» → «r», «Ł» → «L», «ź» → «z»"));
        QCOMPARE(o.value("cut_count").toInt(), 0);
        QCOMPARE(refused[0].toObject().value("line").toInt(), 2);
        const QString reason = refused[1].toObject().value("reason").toString();
        QVERIFY2(reason.contains(QStringLiteral("riga 3")) && reason.contains(QStringLiteral("«П»")) &&
                     reason.contains(QStringLiteral("«ё»")),
                 qPrintable(reason));
        r = runCli(t.dir.path(), {"dump", "addresses"});
        const QJsonObject first = QJsonDocument::fromJson(r.out.split('\n').value(0)).object();
        QCOMPARE(first.value("Nome").toString(), QStringLiteral("Dvorák Antonín"));
        QCOMPARE(first.value("Rigo02").toString(), QStringLiteral("Via Lódz 3"));

        // Accepted, each is kept and reported: two different people are not one duplicate.
        r = runCli(t.dir.path(), {"import", "addresses", file, "--accept-lossy"});
        QCOMPARE(r.exitCode, 0);
        o = reportOf(r);
        QCOMPARE(o.value("imported").toInt(), 2);
        QCOMPARE(o.value("duplicates").toInt(), 1);
        QCOMPARE(o.value("lossy").toArray().size(), 2);
        QCOMPARE(o.value("lossy").toArray()[1].toObject().value("line").toInt(), 3);
    }

    // A text longer than its field is stored cut, and the report names the card and the fields.
    void cutTextsAreReported()
    {
        TestContext t;
        const QString file = t.path(QStringLiteral("rubrica.csv"));
        QVERIFY(writeFileBytes(file,
                               "Nome;Indirizzo;Note\nAda;Via Po 1;breve\nBea;Via Po 2;" + QByteArray(300, 'n') + "\n"));
        const CliResult r = runCli(t.dir.path(), {"import", "addresses", file, "--dry-run"});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject o = reportOf(r);
        QCOMPARE(o.value("imported").toInt(), 2);
        QCOMPARE(o.value("cut_count").toInt(), 1);
        QCOMPARE(o.value("cut").toArray()[0].toObject().value("reason").toString(),
                 QStringLiteral("riga 3: testo tagliato a 250 caratteri in Note"));
    }

    // A file without a header line: its first row is a contact like the others, and every row is counted.
    void headerlessFile()
    {
        TestContext t;
        const QString file = t.path(QStringLiteral("rubrica.csv"));
        QVERIFY(writeFileBytes(file, "Rossi Mario;Cliente;Sig. Mario Rossi;Via Roma 1;00184 Roma RM\n"
                                     "Neri Ada;;Sig.ra Ada Neri;Via Po 2;10100 Torino TO\n"
                                     "Rossi Mario;Cliente;Sig. Mario Rossi;Via Roma 1;00184 Roma RM\n"
                                     ";;;Via senza nome;\n"));
        CliResult r = runCli(t.dir.path(), {"import", "addresses", file, "--dry-run"});
        QCOMPARE(r.exitCode, 0);
        QJsonObject o = reportOf(r);
        QCOMPARE(o.value("imported").toInt(), 2);
        QCOMPARE(o.value("duplicates").toInt(), 1);
        QCOMPARE(o.value("refused").toArray().size(), 1);
        QCOMPARE(o.value("refused").toArray()[0].toObject().value("line").toInt(), 4);

        r = runCli(t.dir.path(), {"import", "addresses", file});
        r = runCli(t.dir.path(), {"dump", "addresses"});
        const QJsonObject first = QJsonDocument::fromJson(r.out.split('\n').value(0)).object();
        QCOMPARE(first.value("Nome").toString(), QStringLiteral("Rossi Mario"));
        QCOMPARE(first.value("Tipo").toString(), QStringLiteral("Cliente"));
        QCOMPARE(first.value("Rigo03").toString(), QStringLiteral("00184 Roma RM"));

        // Told that the first line is a header, its unknown names give the rows nothing to import.
        r = runCli(t.dir.path(), {"import", "addresses", file, "--header", "--dry-run"});
        o = reportOf(r);
        QCOMPARE(o.value("imported").toInt() + o.value("duplicates").toInt() + o.value("refused").toArray().size(), 3);
        QCOMPARE(o.value("refused").toArray().size(), 3);
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unterminated quote")
            << QByteArray("Nome;Note\nA;\"aperta\nB;c\n") << QStringList{} << 2 << "riga 2";
        QTest::newRow("vCard without END")
            << QByteArray("BEGIN:VCARD\r\nN:Neri;Ada\r\n") << QStringList{} << 2 << "riga 1";
        QTest::newRow("missing file") << QByteArray() << QStringList{} << 1 << "Impossibile leggere";
        QTest::newRow("unknown option") << kCsv << QStringList{"--force"} << 2 << "--force";
        QTest::newRow("a sheet saved as a web page")
            << QByteArray("\r\n  <html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><body><table>")
            << QStringList{} << 2 << "pagina HTML";
        QTest::newRow("a device") << QByteArray() << QStringList{"/dev/zero"} << 2 << "dispositivo o una pipe";
        QTest::newRow("a folder") << QByteArray() << QStringList{"/"} << 1 << "è una cartella";
    }
    void failures()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, extra);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestContext t;
        const QString archive = t.path(QStringLiteral("Archivio_Indirizzi.pro"));
        QByteArray card(3765, '\0');
        QVERIFY(writeFileBytes(archive, card));
        const QString file = t.path(QStringLiteral("in.txt"));
        if (!content.isEmpty())
            QVERIFY(writeFileBytes(file, content));
        // A path among the extras is the file to import.
        const QStringList args = !extra.isEmpty() && extra[0].startsWith(u'/')
                                     ? QStringList{"import", "addresses"} + extra
                                     : QStringList{"import", "addresses", file} + extra;
        const CliResult r = runCli(t.dir.path(), args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readFileBytes(archive), card);
    }
};

QTEST_GUILESS_MAIN(TestCliImport)
#include "test_cli_import.moc"
