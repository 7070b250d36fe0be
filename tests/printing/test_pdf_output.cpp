// The PDF files of the batch tool, measured with poppler's pdftotext -bbox.
#include "support/pdf_words.h"
#include "support/test_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestPdfOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void envelopeLandsWhereTheMarginsSay_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<double>("topMm");
        QTest::addColumn<double>("leftMm");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait 0 0") << "0" << "0" << "Verticale" << 0.0 << 0.0 << false;
        QTest::newRow("portrait -3 0") << "-3" << "0" << "Verticale" << -3.0 << 0.0 << false;
        QTest::newRow("portrait 5 7") << "5" << "7" << "Verticale" << 5.0 << 7.0 << false;
        QTest::newRow("landscape 0 0") << "0" << "0" << "Orizzontale" << 0.0 << 0.0 << true;
        QTest::newRow("landscape 5 7") << "5" << "7" << "Orizzontale" << 5.0 << 7.0 << true;
        QTest::newRow("decimal comma") << "2,5" << "" << "orizzontale" << 2.5 << 0.0 << false;
    }
    void envelopeLandsWhereTheMarginsSay()
    {
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(QString, orientation);
        QFETCH(double, topMm);
        QFETCH(double, leftMm);
        QFETCH(bool, landscape);
        TestContext t;
        writeFile(t.path("Impostazioni.ini"), QStringLiteral("[Margini Busta]\r\nSuperiore=%1\r\nSinistro=%2\r\n"
                                                             "[Stampa Busta]\r\nOrientamento=%3\r\n")
                                                  .arg(top, left, orientation)
                                                  .toLatin1());
        QCOMPARE(runCli(t.dir.path(), {"append", "addresses"},
                        R"({"Nome":"Rossi","Rigo01":"Mario","Rigo02":"","Rigo03":"Via Po 3"})" "\n")
                     .exitCode,
                 0);
        const QString pdf = t.path("busta.pdf");
        const CliResult r = runCli(t.dir.path(), {"pdf", "envelope", "1", pdf});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(qAbs(pages[0].width - (landscape ? 297 : 210)) < 0.5);
        QVERIFY(qAbs(pages[0].height - (landscape ? 210 : 297)) < 0.5);
        const PdfWord* first = pages[0].find(QStringLiteral("Mario"));
        QVERIFY(first);
        QVERIFY2(qAbs(first->left - (119 + leftMm)) < 0.3, qPrintable(QString::number(first->left)));
        QVERIFY2(qAbs(first->top - (57 + topMm)) < 0.3, qPrintable(QString::number(first->top)));
        // Line 2 is empty; line 3 stays 10 mm below line 1.
        const PdfWord* third = pages[0].find(QStringLiteral("Via"));
        QVERIFY(third);
        QVERIFY(qAbs(third->top - first->top - 10) < 0.05);
    }

    void envelopeWithAMarginThatIsNoNumberFails()
    {
        TestContext t;
        writeFile(t.path("Impostazioni.ini"), "[Margini Busta]\r\nSuperiore=abc\r\n");
        runCli(t.dir.path(), {"append", "addresses"}, R"({"Rigo01":"Mario"})" "\n");
        const CliResult r = runCli(t.dir.path(), {"pdf", "envelope", "1", t.path("busta.pdf")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("abc"));
        QVERIFY(!QFile::exists(t.path("busta.pdf")));
    }

    void labelSheetLines()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "labels"},
                        R"({"Rigo01_E01":"Primo","Rigo06_E05":"Quinto","Rigo01_E24":"Ultimo"})" "\n")
                     .exitCode,
                 0);
        const QString pdf = t.path("etichette.pdf");
        const CliResult r = runCli(t.dir.path(), {"pdf", "labels", "1", pdf});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        struct Expected
        {
            const char* word;
            double left, top;
        };
        for (const Expected& e : {Expected{"Primo", 12, 11.8}, Expected{"Quinto", 76, 72}, Expected{"Ultimo", 140, 257}}) {
            const PdfWord* w = pages[0].find(QString::fromLatin1(e.word));
            QVERIFY2(w, e.word);
            QVERIFY2(qAbs(w->left - e.left) < 0.3 && qAbs(w->top - e.top) < 0.3,
                     qPrintable(QStringLiteral("%1 at %2, %3").arg(e.word).arg(w->left).arg(w->top)));
        }
    }

    void registerCard()
    {
        TestContext t;
        QCOMPARE(runCli(t.dir.path(), {"append", "register", "2024"},
                        R"({"Numero":"42","Formato":"A4","Pagine":"3","Note":"Riservata","Tipologia":"In uscita"})"
                        "\n")
                     .exitCode,
                 0);
        const QString pdf = t.path("scheda.pdf");
        const CliResult r = runCli(t.dir.path(), {"pdf", "card", "2024", "1", pdf});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        const PdfWord* number = pages[0].find(QStringLiteral("42"));
        QVERIFY(number);
        QVERIFY(qAbs(number->left - 54) < 0.3 && qAbs(number->top - 17.5) < 0.3);
        const PdfWord* note = pages[0].find(QStringLiteral("Riservata"));
        QVERIFY(note);
        QVERIFY(qAbs(note->top - (17.5 + 75)) < 0.3);
        const QString text = pages[0].text();
        QVERIFY(text.contains(QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO")));
        QVERIFY(text.contains(QStringLiteral("A4 - N. pagine: 3")));
        QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data")));
        QVERIFY(!text.contains(QStringLiteral("uscita")));
    }

    // A subject of many words prints whole, on lines inside its value's column, above the next row.
    void registerCardSubjectPrintsWhole()
    {
        TestContext t;
        QStringList words;
        for (int n = 1; words.join(u' ').size() < 240; ++n)
            words << QStringLiteral("voce%1").arg(n);
        const QJsonObject card{{"Numero", "7"},
                               {"DataReg", "05/03/2024"},
                               {"Tipologia", "In entrata"},
                               {"Oggetto", words.join(u' ')},
                               {"DataSpe", "06/03/2024"}};
        QCOMPARE(runCli(t.dir.path(), {"append", "register", "2024"},
                        QJsonDocument(card).toJson(QJsonDocument::Compact) + '\n')
                     .exitCode,
                 0);
        const QString pdf = t.path("scheda.pdf");
        const CliResult r = runCli(t.dir.path(), {"pdf", "card", "2024", "1", pdf});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY2(pages[0].text().contains(words.join(u' ')), qPrintable(pages[0].text()));
        QSet<int> lineTops;
        double lowest = 0;
        for (const QString& word : words) {
            const PdfWord* w = pages[0].find(word);
            QVERIFY2(w, qPrintable(word));
            QVERIFY2(w->left >= 54 - 0.3 && w->right <= 54 + 144, qPrintable(word));
            lineTops.insert(qRound(w->top * 10));
            lowest = std::max(lowest, w->bottom);
        }
        QVERIFY(lineTops.size() >= 2);
        const PdfWord* nextRow = pages[0].find(QStringLiteral("spedizione:"));
        QVERIFY(nextRow);
        QVERIFY2(nextRow->top > lowest, qPrintable(QStringLiteral("%1 / %2").arg(nextRow->top).arg(lowest)));
    }

    // A few hundred lines: the title on page 1, every line once and in order, the footer once at the end.
    void longListPaginates()
    {
        TestContext t;
        QByteArray input;
        for (int i = 1; i <= 300; ++i)
            input += "Riga " + QByteArray::number(i) + " città\n";
        const QString pdf = t.path("lista.pdf");
        const CliResult r = runCli(t.dir.path(), {"pdf", "list", "Elenco schede", pdf}, input);
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QList<PdfPage> pages = readPdfWords(pdf);
        QVERIFY(pages.size() >= 5);
        QList<int> numbers;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QVERIFY(qAbs(pages[p].width - 297) < 0.5);
            const QString text = pages[p].text();
            QCOMPARE(text.contains(QStringLiteral("Elenco schede")), p == 0);
            QCOMPARE(text.contains(QStringLiteral("Stampa eseguita in data")), p == pages.size() - 1);
            const QList<PdfWord>& words = pages[p].words;
            for (qsizetype i = 0; i + 1 < words.size(); ++i)
                if (words[i].text == u"Riga") {
                    numbers << words[i + 1].text.toInt();
                    QVERIFY(words[i].bottom < 200.5); // inside the bottom margin
                    QVERIFY(qAbs(words[i].left - 13) < 0.3);
                }
        }
        QList<int> expected;
        for (int i = 1; i <= 300; ++i)
            expected << i;
        QCOMPARE(numbers, expected);
    }

    // Only the footer's [DATE] is a field: the title and the lines print as given.
    void listPrintsTheUsersDateTextAsIs()
    {
        TestContext t;
        const QString pdf = t.path("lista.pdf");
        const CliResult r = runCli(t.dir.path(), {"pdf", "list", "Scadenze [DATE]", pdf}, "Consegna [DATE] mattina\n");
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0].text();
        QVERIFY2(text.contains(QStringLiteral("Scadenze [DATE]")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Consegna [DATE] mattina")), qPrintable(text));
        QVERIFY2(
            text.contains(QStringLiteral("Stampa eseguita in data ") + QDate::currentDate().toString("dd/MM/yyyy")),
            qPrintable(text));
    }

    void missingCardOrBadArgumentsFail_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no such card") << QStringList{"pdf", "envelope", "3", "x.pdf"} << 2;
        QTest::newRow("card zero") << QStringList{"pdf", "address-sheet", "0", "x.pdf"} << 2;
        QTest::newRow("bad year") << QStringList{"pdf", "card", "24", "1", "x.pdf"} << 2;
        QTest::newRow("unknown page") << QStringList{"pdf", "poster", "1", "x.pdf"} << 2;
        QTest::newRow("missing file name") << QStringList{"pdf", "labels", "1"} << 2;
    }
    void missingCardOrBadArgumentsFail()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        TestContext t;
        const QString before = QDir::currentPath();
        QDir::setCurrent(t.dir.path()); // the tool runs here and names x.pdf relative to it
        const int code = runCli(t.dir.path(), args).exitCode;
        QDir::setCurrent(before);
        QCOMPARE(code, exitCode);
        QVERIFY(!QFile::exists(t.path("x.pdf")));
    }

    // With no font at all Qt would write pages without their text; the tool must refuse instead.
    void noFontsFailLoudly()
    {
        TestContext t;
        writeFile(t.path("fonts.conf"), "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">"
                                        "<fontconfig><dir>" + t.path("nofonts").toUtf8() + "</dir><cachedir>"
                                        + t.path("cache").toUtf8() + "</cachedir></fontconfig>");
        QDir(t.dir.path()).mkdir(QStringLiteral("nofonts"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FONTCONFIG_FILE"), t.path("fonts.conf"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.start(QStringLiteral(PLICARIO_CLI), {"--folder", t.dir.path(), "pdf", "list", "Titolo", t.path("l.pdf")});
        p.write("Riga 1\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(p.readAllStandardError().contains("caratter"), "the error names the missing font");
        QVERIFY(!QFile::exists(t.path("l.pdf")));
    }
};

QTEST_GUILESS_MAIN(TestPdfOutput)
#include "test_pdf_output.moc"
