// The address export read back by a real spreadsheet program: LibreOffice converts the exported file to CSV and
// every cell must hold what the archive holds.
#include "addresses/address_card.h"
#include "printing/address_export_window.h"
#include "support/test_support.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

namespace {

// RFC 4180 as LibreOffice writes it: commas, double quotes around a field, a doubled quote inside one.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            row << field;
            field.clear();
            rows << row;
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row << field;
        rows << row;
    }
    return rows;
}

} // namespace

class TestSpreadsheetLibreOffice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyCellReadsBackAsTheArchiveHoldsIt()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        QVERIFY2(!soffice.isEmpty(), "LibreOffice (package libreoffice-calc) is needed: scripts/deps.sh installs it");

        TestContext ctx;
        const QList<QStringList> cards = {
            {"Società Àlfa & Figli", "<b>x</b>", "Spett.le", "Via dell'Università, 7", "Città di Castello",
             "prezzo 10 €", "a < b > c", "\"virgolette\", virgola", "Più è, meno è"},
            {},
            {"  Ultima  ", "tipo", "", "", "", "", "", "riga 6", "Ünïcødé ß ñ ø"},
        };
        {
            AddressCardFile file(ctx.dir.path());
            for (const QStringList& values : cards) {
                AddressCard card;
                for (int i = 0; i < values.size(); ++i)
                    card.setValue(i, values[i]);
                file.append(card);
            }
        }

        // Export as the user does: the window, Yes to the first question, No to the offer to open the file.
        AddressExportWindow window(ctx.context, nullptr);
        window.show();
        ctx.messages.queueAnswer(true);
        ctx.messages.queueAnswer(false);
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
        const QString exported = ctx.path(QStringLiteral("Archivio_Indirizzi.xls"));
        QVERIFY(QFile::exists(exported));
        QCOMPARE(ctx.messages.log().size(), 2);

        QTemporaryDir profile;
        const QString out = ctx.path(QStringLiteral("csv"));
        QProcess lo;
        lo.setProcessChannelMode(QProcess::MergedChannels);
        lo.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                           QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                           QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("--outdir"),
                           out, exported});
        QVERIFY(lo.waitForFinished(240000));
        const QByteArray log = lo.readAll();
        QFile csvFile(out + QStringLiteral("/Archivio_Indirizzi.csv"));
        QVERIFY2(csvFile.open(QIODevice::ReadOnly), log.constData());
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(csvFile.readAll()));

        QList<QStringList> expected = {{"Nome etichetta", "Tipo", "Indirizzo (rigo 1)", "Indirizzo (rigo 2)",
                                        "Indirizzo (rigo 3)", "Indirizzo (rigo 4)", "Indirizzo (rigo 5)",
                                        "Indirizzo (rigo 6)", "Note"}};
        for (const QStringList& values : cards) {
            QStringList row;
            for (int i = 0; i < 9; ++i)
                row << values.value(i).trimmed();
            expected << row;
        }
        QCOMPARE(rows.size(), expected.size());
        for (int r = 0; r < expected.size(); ++r) {
            QStringList got = rows[r];
            // A row ends where its last filled cell ends.
            while (got.size() < 9)
                got << QString();
            QCOMPARE(got, expected[r]);
        }
    }
};

QTEST_MAIN(TestSpreadsheetLibreOffice)
#include "test_spreadsheet_libreoffice.moc"
