#include "common/errors.h"
#include "printing/report/report_fonts.h"
#include "printing/report/report_painter.h"
#include "printing/templates/label_page_template.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
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
        // 28 whole M of about 2.06 mm end some 0.5 mm short of the edge; a 29th cut by the edge would ink up to it.
        QCOMPARE(darkPixels(image, 69.95, 11.8, 70.2, 15.3), 0);
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
