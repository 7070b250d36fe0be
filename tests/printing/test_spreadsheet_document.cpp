#include "printing/spreadsheet_document.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

// The opening of every data cell: text in both spreadsheet programs' terms.
const QByteArray kCell = "<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\">";

// The bytes of the one cell of a one-column document.
QByteArray cellBytes(const QString& text)
{
    const QByteArray doc = SpreadsheetDocument::build("S", {{"T", 10}}, {{text}});
    const QByteArray open = "<tr>" + kCell;
    const qsizetype from = doc.indexOf(open) + open.size();
    return doc.mid(from, doc.indexOf("</td></tr></table>", from) - from);
}

} // namespace

class TestSpreadsheetDocument : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void twoRowDocument()
    {
        const QByteArray expected =
            "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
            "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
            "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
            "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
            "<x:Name>Archivio Indirizzi</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1"
            "</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
            "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
            "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
            "</head><body><table x:str>"
            "<tr><td style=\"text-align: left; font-weight: bold;\" width=300>Nome etichetta</td>"
            "<td style=\"text-align: left; font-weight: bold;\" width=250>Tipo</td></tr><tr>" +
            kCell + "Mario Rossi</td>" + kCell + "Cliente</td></tr>" + "<tr>" + kCell + "Citt\xE0</td>" + kCell +
            "</td></tr>" + "</table></body></html>";
        const QByteArray got =
            SpreadsheetDocument::build("Archivio Indirizzi", {{"Nome etichetta", 300}, {"Tipo", 250}},
                                       {{"  Mario Rossi ", "Cliente\t"}, {QStringLiteral("Città")}});
        QCOMPARE(got, expected);
    }

    void headerOnlyWhenThereAreNoRows()
    {
        const QByteArray got = SpreadsheetDocument::build("S", {{"N.", 60}}, {});
        QVERIFY(got.endsWith("<table x:str><tr><td style=\"text-align: left; font-weight: bold;\" width=60>N.</td></tr>"
                             "</table></body></html>"));
    }

    void cellText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("markup characters escaped")
            << "Rossi & Figli <srl> a>b" << QByteArray("Rossi &amp; Figli &lt;srl&gt; a&gt;b");
        QTest::newRow("an existing reference is text too") << "&amp;" << QByteArray("&amp;amp;");
        QTest::newRow("trimmed at both ends") << " \t\r\nVia Roma 1 \n" << QByteArray("Via Roma 1");
        QTest::newRow("windows-1252 bytes") << QStringLiteral("€ “è” — ÿ") << QByteArray("\x80 \x93\xE8\x94 \x97 \xFF");
        QTest::newRow("outside windows-1252") << QStringLiteral("Ωmega") << QByteArray("&#937;mega");
        QTest::newRow("outside the basic plane") << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                                      "b")
                                                 << QByteArray("a&#128512;b");
        QTest::newRow("line breaks inside a cell") << "riga 1\r\nriga 2" << QByteArray("riga 1&#13;&#10;riga 2");
        QTest::newRow("quotes stay") << "l'\"ufficio\"" << QByteArray("l'\"ufficio\"");
        // A spreadsheet program reads a run of blanks as one blank, but keeps blanks written as references.
        QTest::newRow("runs of blanks kept") << "a  b   c d" << QByteArray("a &#32;b &#32;&#32;c d");
        QTest::newRow("tab") << "a\tb" << QByteArray("a&#9;b");
        // A reference to 129 would be read as a windows-1252 code; the byte itself reads back as stored.
        QTest::newRow("a byte windows-1252 leaves undefined") << QStringLiteral("a\u0081\u009Db")
                                                              << QByteArray("a\x81\x9D"
                                                                            "b");
        QTest::newRow("formulas stay text") << "=SUM(1)" << QByteArray("=SUM(1)");
    }
    void cellText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cellBytes(text), bytes);
    }

    // Plain runs are copied several characters at a time: a character needing care must be caught wherever it falls
    // in a run, and the characters round it kept.
    void characterAnywhereInALongCell_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ampersand") << "&" << QByteArray("&amp;");
        QTest::newRow("less than") << "<" << QByteArray("&lt;");
        QTest::newRow("greater than") << ">" << QByteArray("&gt;");
        QTest::newRow("last control before the blank") << "\x1F" << QByteArray("&#31;");
        QTest::newRow("delete") << "\x7F" << QByteArray("&#127;");
        QTest::newRow("C1 control") << QStringLiteral("\u0080") << QByteArray("&#128;");
        QTest::newRow("blank") << " " << QByteArray(" ");
        QTest::newRow("tilde") << "~" << QByteArray("~");
        QTest::newRow("no-break space") << QStringLiteral("\u00A0") << QByteArray("\xA0");
        QTest::newRow("accented letter") << QStringLiteral("é") << QByteArray("\xE9");
        QTest::newRow("euro sign") << QStringLiteral("€") << QByteArray("\x80");
        QTest::newRow("outside windows-1252") << QStringLiteral("Ω") << QByteArray("&#937;");
    }
    void characterAnywhereInALongCell()
    {
        QFETCH(QString, character);
        QFETCH(QByteArray, bytes);
        const QByteArray plain = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        for (qsizetype at = 1; at < plain.size() - 1; ++at) {
            const QString text = QString::fromLatin1(plain.left(at)) + character + QString::fromLatin1(plain.mid(at));
            QCOMPARE(cellBytes(text), plain.left(at) + bytes + plain.mid(at));
        }
    }

    void oneLineWithoutLineEnds()
    {
        const QByteArray doc = SpreadsheetDocument::build("S", {{"A", 1}, {"B", 2}},
                                                          {{"uno\r\ndue", "tre\n"}, {"\rquattro", "cinque\n\rsei"}});
        QVERIFY(!doc.contains('\r'));
        QVERIFY(!doc.contains('\n'));
    }

    void cellsFarLargerThanUsualFitWhole()
    {
        const QString big = QString(20000, u'&') + QString(20000, QChar(0x3A9));
        const QByteArray doc = SpreadsheetDocument::build("S", {{"A", 1}}, {{big}, {"x"}});
        QCOMPARE(doc.count("&amp;"), 20000);
        QCOMPARE(doc.count("&#937;"), 20000);
        QVERIFY(doc.endsWith("<tr>" + kCell + "x</td></tr></table></body></html>"));
    }

    void missingCellsAreEmpty()
    {
        const QByteArray doc = SpreadsheetDocument::build("S", {{"A", 1}, {"B", 2}}, {{"x"}, {}});
        QVERIFY(doc.contains("<tr>" + kCell + "x</td>" + kCell + "</td></tr><tr>" + kCell + "</td>" + kCell +
                             "</td></tr></table>"));
    }

    void writeReplacesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Archivio_Indirizzi.xls");
        QVERIFY(writeFileBytes(path, QByteArray(100000, 'x')));
        SpreadsheetDocument::write(path, "S", {{"A", 1}}, {{"nuovo"}});
        QCOMPARE(readFileBytes(path), SpreadsheetDocument::build("S", {{"A", 1}}, {{"nuovo"}}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Archivio_Indirizzi.xls"});
    }

    void aFailedWriteLeavesTheEarlierFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("open in the office suite") << "lock";
        QTest::newRow("a folder where the file should be") << "folder";
        QTest::newRow("the folder is a file") << "parent";
        QTest::newRow("the disk fills up") << "full";
    }
    void aFailedWriteLeavesTheEarlierFile()
    {
        QFETCH(QString, setup);
        QTemporaryDir dir;
        QString path = dir.filePath("Protocollo.xls");
        QByteArray earlier = "earlier export";
        if (setup == u"lock") {
            QVERIFY(writeFileBytes(path, earlier));
            QVERIFY(writeFileBytes(dir.filePath(".~lock.Protocollo.xls#"), ",user,host,01.01.2024 10:00,user;"));
        } else if (setup == u"full") {
            QVERIFY(writeFileBytes(path, earlier));
        } else if (setup == u"folder") {
            QVERIFY(QDir(dir.path()).mkdir("Protocollo.xls"));
        } else {
            QVERIFY(writeFileBytes(dir.filePath("file"), earlier));
            path = dir.filePath("file/Protocollo.xls");
        }
        try {
            // Room for the earlier file, not for the new one.
            std::optional<FileSizeLimit> fullDisk;
            if (setup == u"full")
                fullDisk.emplace(earlier.size() + 10);
            SpreadsheetDocument::write(path, "S", {{"A", 1}}, {{QString(5000, u'x')}});
            QFAIL("the write did not fail");
        } catch (const SpreadsheetWriteError& e) {
            QCOMPARE(e.message(), QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                                 "Accertarsi che il file di Excel non sia già aperto."));
        }
        if (setup == u"lock" || setup == u"full")
            QCOMPARE(readFileBytes(path), earlier);
        else if (setup == u"parent")
            QCOMPARE(readFileBytes(dir.filePath("file")), earlier);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("Protocollo.xls.").size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetDocument)
#include "test_spreadsheet_document.moc"
