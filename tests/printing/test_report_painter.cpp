#include "common/errors.h"
#include "printing/report/cut_lines.h"
#include "printing/report/report_fonts.h"
#include "printing/report/report_painter.h"
#include "printing/templates/label_page_template.h"
#include "support/pdf_words.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

namespace {

constexpr double kDpi = 200;

QImage render(const PreparedPage& page)
{
    QImage image(qRound(page.paperWidth.toDevice(kDpi)), qRound(page.paperHeight.toDevice(kDpi)), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kDpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportPainter::paintPage(painter, page);
    return image;
}

// Dark pixels (text) inside a rectangle given in millimetres.
int darkPixels(const QImage& image, double left, double top, double right, double bottom)
{
    int count = 0;
    const auto px = [](double mm) { return qRound(Length::mm(mm).toDevice(kDpi)); };
    for (int y = px(top); y < px(bottom); ++y)
        for (int x = px(left); x < px(right); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
    return count;
}

// Arial's digits, and those of its metric twin, are all 1139/2048 of an em wide: 1.3734 mm at the labels' 7 pt.
constexpr double kDigitMm = 7 * 1139.0 / 2048 * 25.4 / 72;
// The PDF's digits come out some 0.3 % wider than that, rounded at its 1200 dpi.
constexpr double kRounding = 0.005;

// The first `count` characters of "1234567890123...": one word for pdftotext, of a width known from the font.
QString digits(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QChar(u'0' + i % 10);
    return text;
}

} // namespace

class TestReportPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void officeFontsResolveToTheirTwins_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans";
        QTest::newRow("Courier New") << "Courier New"
                                     << "Liberation Mono";
        QTest::newRow("Verdana") << "Verdana"
                                 << "DejaVu Sans";
        QTest::newRow("Tahoma") << "Tahoma"
                                << "DejaVu Sans";
    }
    void officeFontsResolveToTheirTwins()
    {
        QFETCH(QString, family);
        QFETCH(QString, resolved);
        QCOMPARE(QFontInfo(ReportFonts::resolve(ReportFont{family, 8})).family(), resolved);
    }

    // A line longer than its object is cut at the object's right edge and never reaches the next label; the cut falls
    // between two letters, never through one.
    void longLineIsCutAtTheRightEdge()
    {
        ReportTemplate tpl = LabelPageTemplate::make();
        const QString longLine = QStringLiteral("MMMMMMMMMM").repeated(8);
        LabelPageTemplate::fill(tpl, [&](int slot, int line) { return slot == 1 && line == 1 ? longLine : QString(); });
        const QImage image = render(tpl.prepare(QDate(2024, 3, 15)).pages[0]);
        // E01 line 1: 12 to 70.2 mm across, 11.8 to 15.3 mm down (on the sheet).
        QVERIFY(darkPixels(image, 12, 11.8, 70.2, 15.3) > 500);
        QCOMPARE(darkPixels(image, 70.3, 10, 76, 16), 0);
        QCOMPARE(darkPixels(image, 74, 10, 200, 287), 0); // the other labels are empty
        // Narrowed to 80 %, 35 whole M of about 1.65 mm end about half a millimetre short of the edge; a 36th cut by
        // the edge would ink up to it.
        QCOMPARE(darkPixels(image, 69.95, 11.8, 70.2, 15.3), 0);
    }

    // A label line too wide for its 58.2 mm is drawn narrower, just enough to fit and down to 80 % of its width, with
    // letters as tall as ever; only a line wider than that is cut, between two characters. Measured on the PDF file,
    // where the warning about cut lines must agree.
    void labelLinesCondenseBeforeTheyAreCut_data()
    {
        QTest::addColumn<int>("length"); // digits on the line; about 42 fit as the font draws them, 52 at 80 %
        QTest::addColumn<int>("kept");   // digits printed
        QTest::addColumn<bool>("condensed");
        QTest::newRow("fits") << 40 << 40 << false;
        QTest::newRow("a little too wide") << 45 << 45 << true;
        QTest::newRow("18 % too wide") << 50 << 50 << true;
        QTest::newRow("fits at 80 %") << 52 << 52 << true;
        QTest::newRow("one digit too many at 80 %") << 53 << 52 << true;
        QTest::newRow("far too wide") << 90 << 52 << true;
    }
    void labelLinesCondenseBeforeTheyAreCut()
    {
        QFETCH(int, length);
        QFETCH(int, kept);
        QFETCH(bool, condensed);
        ReportTemplate tpl = LabelPageTemplate::make();
        const QString line = digits(length);
        const QString reference = digits(10); // on the next line, as the font draws it
        LabelPageTemplate::fill(tpl, [&](int slot, int n) {
            return slot == 1 && n == 1 ? line : slot == 1 && n == 2 ? reference : QString();
        });
        const PreparedReport report = tpl.prepare(QDate(2024, 3, 15));
        const PreparedItem* item = report.pages[0].find(LabelPageTemplate::objectName(1, 1));
        QVERIFY(item);
        const double boxLeft = item->rect.left.mm();
        const double boxRight = item->rect.right().mm();

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("etichette.pdf"));
        ReportPainter::writePdf(report, pdf);
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        const PdfWord* printed = nullptr;
        for (const PdfWord& word : pages[0].words)
            if (word.text.startsWith(reference) && word.text != reference)
                printed = &word;
        const PdfWord* natural = pages[0].find(reference);
        QVERIFY2(printed && natural, qPrintable(pages[0].text()));

        QCOMPARE(printed->text, line.left(kept));
        QVERIFY2(qAbs(printed->left - boxLeft) < 0.05, qPrintable(QString::number(printed->left)));
        QVERIFY2(printed->right <= boxRight + 0.01, qPrintable(QString::number(printed->right)));
        const double digit = (printed->right - printed->left) / kept;
        QVERIFY2(qAbs((natural->right - natural->left) / 10 / kDigitMm - 1) < kRounding,
                 "the reference is as the font says");
        if (condensed) {
            QVERIFY2(digit < kDigitMm * 0.99 && digit > kDigitMm * 0.8 * (1 - kRounding),
                     qPrintable(QString::number(digit)));
            if (kept == length) // just enough: the line ends at the edge
                QVERIFY2(printed->right > boxRight - 0.05, qPrintable(QString::number(printed->right)));
        } else {
            QVERIFY2(qAbs(digit / kDigitMm - 1) < kRounding, qPrintable(QString::number(digit)));
        }
        if (kept < length) { // at the narrowest, keeping every digit that fits: one more would cross the edge
            QVERIFY2(qAbs(digit / (kDigitMm * 0.8) - 1) < kRounding, qPrintable(QString::number(digit)));
            QVERIFY2(printed->left + digit * (kept + 1) > boxRight, qPrintable(QString::number(digit)));
        }
        const double height = printed->bottom - printed->top;
        QVERIFY2(qAbs(height - (natural->bottom - natural->top)) < 0.01, qPrintable(QString::number(height)));

        bool warned = false;
        for (const CutLines::Line& cut : CutLines::find(report.pages[0]))
            warned = warned || (cut.item == item->name && cut.line == 1);
        QCOMPARE(warned, kept < length);
    }

    // The screen, the printers and the PDF file draw fonts each at their own resolution: a label line shows the same
    // characters on all of them, inside its box, as the warning about cut lines counts them.
    void labelLinesAreAlikeAtEveryResolution_data()
    {
        QTest::addColumn<int>("dpi");
        for (int dpi : {72, 96, 150, 200, 300, 600, 1200})
            QTest::addRow("%d dpi", dpi) << dpi;
    }
    void labelLinesAreAlikeAtEveryResolution()
    {
        QFETCH(int, dpi);
        const QStringList lines{digits(45), digits(52), digits(53),
                                QStringLiteral("Amministrazione condominiale del Residence Le Magnolie e Le Ginestre, "
                                               "scala B")};
        ReportTemplate tpl = LabelPageTemplate::make();
        LabelPageTemplate::fill(tpl, [&](int slot, int n) { return slot == 1 ? lines.value(n - 1) : QString(); });
        const PreparedReport report = tpl.prepare(QDate(2024, 3, 15));
        const double boxRight = report.pages[0].find(LabelPageTemplate::objectName(1, 1))->rect.right().mm();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("etichette.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(dpi);
            writer.setPageLayout(ReportPainter::pageLayout(report.pages[0]));
            ReportPainter::paintReport(writer, report);
        }
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        const std::vector<CutLines::Line> cut = CutLines::find(report.pages[0]);
        // What our PDF files keep: the digits that fit at 80 %, the address up to "... e Le G".
        const QStringList expected{lines[0], lines[1], lines[2].left(52), lines[3].left(61)};
        for (int i = 0; i < lines.size(); ++i) {
            QStringList words;
            double right = 0;
            for (const PdfWord& word : pages[0].words)
                if (qAbs(word.top - pages[0].words[0].top - 5 * i) < 1) {
                    words << word.text;
                    right = std::max(right, word.right);
                }
            QCOMPARE(words.join(u' '), expected[i]);
            QVERIFY2(right <= boxRight + 0.01, qPrintable(QString::number(right)));
            const bool named = std::any_of(cut.begin(), cut.end(), [&](const CutLines::Line& c) {
                return c.item == LabelPageTemplate::objectName(1 + i, 1) && c.line == 1;
            });
            QCOMPARE(named, expected[i] != lines[i]);
        }
    }

    void emptyTextDrawsNothing()
    {
        const QImage image = render(LabelPageTemplate::make().prepare(QDate(2024, 3, 15)).pages[0]);
        QVERIFY(darkPixels(image, 12, 11.8, 70.2, 15.3) > 0); // the sample text
        ReportTemplate tpl = LabelPageTemplate::make();
        LabelPageTemplate::fill(tpl, [](int, int) { return QString(); });
        QCOMPARE(darkPixels(render(tpl.prepare(QDate(2024, 3, 15)).pages[0]), 0, 0, 210, 297), 0);
    }

    void unwritablePdfIsAnError()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const PreparedReport report = LabelPageTemplate::make().prepare(QDate(2024, 3, 15));
        QVERIFY_THROWS_EXCEPTION(ReportError,
                                 ReportPainter::writePdf(report, dir.filePath(QStringLiteral("file/x.pdf"))));
    }
};

QTEST_MAIN(TestReportPainter)
#include "test_report_painter.moc"
