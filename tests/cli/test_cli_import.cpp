// `import addresses FILE [--dry-run]`: the JSON report, the new numbers, and the exit codes of the other commands.
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
        const CliResult r = runCli(t.dir.path(), QStringList{"import", "addresses", file} + extra);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readFileBytes(archive), card);
    }
};

QTEST_GUILESS_MAIN(TestCliImport)
#include "test_cli_import.moc"
