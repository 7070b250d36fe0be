// A sheet saved as CSV by LibreOffice itself reads back into the cards that filled it: the archive is exported,
// LibreOffice converts the export to CSV (as a user's "Save as" would), and the import into an empty archive gives
// the same cards.
#include "addresses/address_card.h"
#include "support/test_support.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

class TestImportLibreOffice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheetReadsBackIntoItsCards_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::newRow("UTF-8, commas") << "csv:Text - txt - csv (StarCalc):44,34,76,1";
        QTest::newRow("windows-1252, semicolons") << "csv:Text - txt - csv (StarCalc):59,34,1,1";
    }

    void sheetReadsBackIntoItsCards()
    {
        QFETCH(QString, filter);
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        QVERIFY2(!soffice.isEmpty(), "LibreOffice (package libreoffice-calc) is needed: scripts/test installs it");

        const QList<QStringList> cards = {
            {"Società Àlfa & Figli", "Fornitore", "Spett.le", "Società Àlfa & Figli", "Via dell'Università, 7",
             "06012 Città di Castello PG", "", "", "prezzo 10 €; sconto \"fedeltà\""},
            {"Rossi Mario", "Cliente", "Mario Rossi", "", "Via Roma 1", "", "00184 Roma RM", "", ""},
            {"Müller Hans", "", "Hans Müller", "Hauptstraße 5", "80331 München", "Germania", "", "", "Œuvre, ß"},
            {"Solo nome", "", "", "", "", "", "", "", ""},
        };
        TestContext source;
        {
            AddressCardFile file(source.dir.path());
            for (const QStringList& values : cards) {
                AddressCard card;
                for (int i = 0; i < values.size(); ++i)
                    card.setValue(i, values[i]);
                file.append(card);
            }
        }
        QCOMPARE(runCli(source.dir.path(), {"export", "addresses"}).exitCode, 0);
        const QString sheet = source.path(QStringLiteral("Archivio_Indirizzi.xls"));

        QTemporaryDir profile;
        const QString out = source.path(QStringLiteral("csv"));
        QProcess lo;
        lo.setProcessChannelMode(QProcess::MergedChannels);
        lo.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                           QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                           filter, QStringLiteral("--outdir"), out, sheet});
        QVERIFY(lo.waitForFinished(240000));
        const QString csv = out + QStringLiteral("/Archivio_Indirizzi.csv");
        QVERIFY2(QFile::exists(csv), lo.readAll().constData());

        TestContext target;
        const CliResult r = runCli(target.dir.path(), {"import", "addresses", csv});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QVERIFY2(r.out.contains("\"imported\":4"), r.out.constData());

        AddressCardFile file(target.dir.path());
        QCOMPARE(file.count(), cards.size());
        for (int n = 1; n <= cards.size(); ++n) {
            QStringList got;
            for (int i = 0; i < 9; ++i)
                got << file.read(n).value(i);
            QCOMPARE(got, cards[n - 1]);
        }
    }
};

QTEST_GUILESS_MAIN(TestImportLibreOffice)
#include "test_import_libreoffice.moc"
