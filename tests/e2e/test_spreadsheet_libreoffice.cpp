// The address and register exports read back by a real spreadsheet program: LibreOffice converts the exported file
// to CSV and every cell must hold what the archive holds, also values it would otherwise take for numbers, dates or
// formulas.
#include "addresses/address_card.h"
#include "addresses/address_export_window.h"
#include "register/register_card.h"
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

// Values a spreadsheet program likes to turn into numbers, dates or formulas, blanks it likes to collapse, markup.
const QStringList kHostile = {"00100",          "007", "0012", "1e5", "1.000",      "=1+1", "=SUM(1)",
                              "+39 06 1234567", "3/4", "-5",   "@A1", "due  spazi", "a\tb", "<b>x</b>"};

// The cell LibreOffice shows for a stored value: the value trimmed, as every export writes it. An HTML cell cannot
// carry a tab: LibreOffice reads it as a blank, whatever the cell's format.
QString shown(const QString& stored)
{
    return stored.trimmed().replace(u'\t', u' ');
}

// The sheet of an exported file as LibreOffice reads it.
QList<QStringList> readBack(const QString& exported, QByteArray& log)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QTemporaryDir profile;
    QTemporaryDir out;
    QProcess lo;
    lo.setProcessChannelMode(QProcess::MergedChannels);
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                       QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("--outdir"),
                       out.path(), exported});
    lo.waitForFinished(240000);
    log = lo.readAll();
    QFile csvFile(QDir(out.path()).filePath(QFileInfo(exported).completeBaseName() + QStringLiteral(".csv")));
    if (!csvFile.open(QIODevice::ReadOnly))
        return {};
    return parseCsv(QString::fromUtf8(csvFile.readAll()));
}

// Compares the sheet with the expected rows; a row ends where its last filled cell ends.
void compareSheet(const QList<QStringList>& rows, const QList<QStringList>& expected, const QByteArray& log)
{
    QVERIFY2(!rows.isEmpty(), log.constData());
    QCOMPARE(rows.size(), expected.size());
    for (qsizetype r = 0; r < expected.size(); ++r) {
        QStringList got = rows[r];
        while (got.size() < expected[r].size())
            got << QString();
        QCOMPARE(got, expected[r]);
    }
}

} // namespace

class TestSpreadsheetLibreOffice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addressExportReadsBackAsStored()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        QVERIFY2(!soffice.isEmpty(), "LibreOffice (package libreoffice-calc) is needed: scripts/deps.sh installs it");

        TestContext ctx;
        const QList<QStringList> cards = {
            {"Società Àlfa & Figli", "<b>x</b>", "Spett.le", "Via dell'Università, 7", "Città di Castello",
             "prezzo 10 €", "a < b > c", "\"virgolette\", virgola", "Più è, meno è"},
            {},
            {"  Ultima  ", "tipo", "", "", "", "", "", "riga 6", "Ünïcødé ß ñ ø"},
            kHostile.mid(0, 9),
            kHostile.mid(9),
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

        QByteArray log;
        const QList<QStringList> rows = readBack(exported, log);

        QList<QStringList> expected = {{"Nome etichetta", "Tipo", "Indirizzo (rigo 1)", "Indirizzo (rigo 2)",
                                        "Indirizzo (rigo 3)", "Indirizzo (rigo 4)", "Indirizzo (rigo 5)",
                                        "Indirizzo (rigo 6)", "Note"}};
        for (const QStringList& values : cards) {
            QStringList row;
            for (int i = 0; i < 9; ++i)
                row << shown(values.value(i));
            expected << row;
        }
        compareSheet(rows, expected, log);
    }

    void registerExportReadsBackAsStored()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty(),
                 "LibreOffice (package libreoffice-calc) is needed: scripts/deps.sh installs it");
        TestContext ctx;
        // Eighteen exported fields, Numero to RecapitoDes: the hostile values and a few more.
        QStringList values = kHostile + QStringList{"12/03/2024", QStringLiteral("Più è"), "  Ultima  ", "0,5"};
        RegisterCard card;
        for (int f = 0; f < 18; ++f)
            card.setValue(f, values[f]);
        RegisterFile(RegisterYear::filePath(ctx.dir.path(), QStringLiteral("2024"))).append(card);

        const CliResult r = runCli(ctx.dir.path(), {"export", "register", "2024"});
        QCOMPARE(r.exitCode, 0);
        QByteArray log;
        const QList<QStringList> rows = readBack(ctx.path(QStringLiteral("Protocollo.xls")), log);

        QStringList row;
        for (int f = 0; f < 18; ++f)
            row << shown(values[f]);
        row << QString(); // the card is not annulled
        QVERIFY2(rows.size() == 2, log.constData());
        QCOMPARE(rows[0].value(0), QStringLiteral("N. protocollo"));
        compareSheet(rows.mid(1), {row}, log);
    }
};

QTEST_MAIN(TestSpreadsheetLibreOffice)
#include "test_spreadsheet_libreoffice.moc"
