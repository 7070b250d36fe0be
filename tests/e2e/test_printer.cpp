// A label page through the real print path: QPrinter in its native format, the default printer, a CUPS queue that
// writes PDF files. scripts/test starts a scheduler of its own (CUPS_SERVER) with that queue ("PDF", cups-pdf, A4)
// as its default printer.
#include "labels/label_pages.h"
#include "printing/print_service_gui.h"
#include "printing/report/report_painter.h"
#include "printing/templates/label_page_template.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Where cups-pdf puts the files of this user's jobs.
QDir outputFolder()
{
    const passwd* pw = getpwuid(getuid());
    return QDir(QString::fromLocal8Bit(pw ? pw->pw_dir : "/root") + QStringLiteral("/PDF"));
}

constexpr int kDpi = 100;

// The box around the dark pixels (the text) of the page, in pixels at kDpi. Printing loses the text layer (the
// driver turns the glyphs into pictures), so the ink is what both files are compared by.
QRect inkBox(const QString& pdf, const QString& folder)
{
    const QString base = QDir(folder).filePath(QFileInfo(pdf).completeBaseName());
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
                                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, base});
    const QImage image(base + QStringLiteral(".png"));
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The file the PDF queue made of the job titled `title`, once whole; empty after 90 s. The file is whole once it is
// there and the queue holds no unfinished job; the queue is asked only once the file is there.
QString waitForJob(const QString& title)
{
    QString file;
    const bool whole = QTest::qWaitFor(
        [&] {
            const QStringList found = outputFolder().entryList({title + QStringLiteral("*.pdf")}, QDir::Files);
            file = found.isEmpty() ? QString() : outputFolder().filePath(found.first());
            return !file.isEmpty() &&
                   run(QStringLiteral("lpstat"), {QStringLiteral("-o"), QStringLiteral("PDF")}).trimmed().isEmpty();
        },
        90000);
    return whole ? file : QString();
}

// A title of our own finds the job's file among any others in the folder.
QString jobTitle()
{
    return QStringLiteral("plicario-e2e-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
}

bool havePdfQueue()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    return !printer.isNull() && printer.printerName() == u"PDF";
}

} // namespace

class TestPrinter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labelPageReachesThePrinterAsOneA4Page()
    {
        if (!havePdfQueue()) {
            // scripts/test sets up the queue and insists on it, so a broken set-up cannot pass as a skip.
            if (qEnvironmentVariableIsSet("PLICARIO_REQUIRE_PRINTER"))
                QFAIL("No default PDF queue, although scripts/test created one.");
            QSKIP("No default PDF queue: scripts/test creates it.");
        }

        ReportTemplate tpl = LabelPageTemplate::make();
        LabelPageTemplate::fill(tpl, [](int slot, int line) {
            return line == 1 ? QStringLiteral("Etichetta%1").arg(slot, 2, 10, QLatin1Char('0')) : QString();
        });
        const PreparedReport report = tpl.prepare(QDate(2024, 3, 15));

        const QString title = jobTitle();
        QPrinter qprinter(QPrinter::HighResolution);
        QtPrintService::setUp(qprinter, report);
        QCOMPARE(qprinter.outputFormat(), QPrinter::NativeFormat);
        QCOMPARE(qprinter.printerName(), QStringLiteral("PDF"));
        qprinter.setDocName(title);
        QtPrintService::send(qprinter, report);

        const QString produced = waitForJob(title);
        QVERIFY2(!produced.isEmpty(),
                 qPrintable(QStringLiteral("no file %1*.pdf in %2").arg(title, outputFolder().path())));

        const QString info = run(QStringLiteral("pdfinfo"), {produced});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));

        // The same page as the direct PDF: the 24 first lines, their ink in the same place to half a millimetre.
        QTemporaryDir dir;
        const QString direct = dir.filePath(QStringLiteral("direct.pdf"));
        ReportPainter::writePdf(report, direct);
        const QString words =
            run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), produced, QStringLiteral("-")});
        QCOMPARE(words.count(QStringLiteral("<word ")), 24);
        const QRect printed = inkBox(produced, dir.path());
        const QRect expected = inkBox(direct, dir.path());
        QVERIFY(expected.isValid());
        const int tolerance = qRound(0.5 / 25.4 * kDpi);
        QVERIFY2(qAbs(printed.left() - expected.left()) <= tolerance &&
                     qAbs(printed.top() - expected.top()) <= tolerance &&
                     qAbs(printed.right() - expected.right()) <= tolerance &&
                     qAbs(printed.bottom() - expected.bottom()) <= tolerance,
                 qPrintable(QStringLiteral("ink at %1,%2-%3,%4 instead of %5,%6-%7,%8")
                                .arg(printed.left())
                                .arg(printed.top())
                                .arg(printed.right())
                                .arg(printed.bottom())
                                .arg(expected.left())
                                .arg(expected.top())
                                .arg(expected.right())
                                .arg(expected.bottom())));
        QFile::remove(produced);
    }

    // Sheets made one at a time go out as one job of as many pages.
    void pagesMadeOneAtATimeAreOneJob()
    {
        if (!havePdfQueue())
            QSKIP("No default PDF queue: scripts/test creates it.");
        LabelPages pages(LabelPageTemplate::kSheetName, LabelSettings(), QDate(2024, 3, 15));
        const ReportPainter::PageSource source = pages.source(3, [](int i) {
            LabelSheet sheet;
            sheet.setLine(1, 1, QStringLiteral("Foglio%1").arg(i + 1));
            return sheet;
        });
        const QString title = jobTitle();
        PreparedReport paper;
        paper.pages.push_back(source.paper);
        QPrinter qprinter(QPrinter::HighResolution);
        QtPrintService::setUp(qprinter, paper);
        qprinter.setDocName(title);
        QtPrintService::send(qprinter, source);
        const QString produced = waitForJob(title);
        QVERIFY(!produced.isEmpty());
        const QString info = run(QStringLiteral("pdfinfo"), {produced});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))), qPrintable(info));
        // One line on each page (the queue's file carries glyphs, not letters a reader can match).
        const QString words =
            run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), produced, QStringLiteral("-")});
        QCOMPARE(words.count(QStringLiteral("<word ")), 3);
        QFile::remove(produced);
    }
};

QTEST_MAIN(TestPrinter)
#include "test_printer.moc"
