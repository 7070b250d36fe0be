// The calibration page: label outlines and first-line crosses where the stock has them, and rulers whose numbers
// print at their millimetres, measured in the PDF file with poppler's word boxes.
#include "printing/report/report_painter.h"
#include "printing/templates/label_calibration_template.h"
#include "support/pdf_words.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kToday(2024, 3, 15);

LabelSettings settings(const QString& stock, double offsetLeft, double offsetTop)
{
    LabelSettings s;
    s.stock = *LabelStock::find(stock);
    s.offsetLeft = offsetLeft;
    s.offsetTop = offsetTop;
    return s;
}

} // namespace

class TestLabelCalibration : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void page_data()
    {
        QTest::addColumn<QString>("stock");
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::newRow("64,6x33,8") << "64,6x33,8" << 0.0 << 0.0;
        QTest::newRow("70x37, offset -3, 2") << "70x37" << -3.0 << 2.0;
    }
    void page()
    {
        QFETCH(QString, stock);
        QFETCH(double, dx);
        QFETCH(double, dy);
        const LabelSettings s = settings(stock, dx, dy);
        const PreparedReport report = LabelCalibrationTemplate::make(s).prepare(kToday);
        QCOMPARE(report.pages.size(), size_t(1));
        const PreparedPage& page = report.pages[0];

        // Outlines and crosses, on the prepared page.
        for (int slot = 1; slot <= 24; ++slot) {
            const PreparedItem* outline = page.find(QStringLiteral("Etichetta%1").arg(slot));
            QVERIFY(outline && !outline->fill.isValid() && outline->outline == QColor(Qt::black));
            QCOMPARE(qRound(outline->rect.left.mm() * 1000), qRound((s.stock.labelLeft(slot) + dx) * 1000));
            QCOMPARE(qRound(outline->rect.top.mm() * 1000), qRound((s.stock.labelTop(slot) + dy) * 1000));
            QCOMPARE(qRound(outline->rect.width.mm() * 1000), qRound(s.stock.width * 1000));
            const LabelStock::LineBox box = s.stock.lines(slot);
            const PreparedItem* across = page.find(QStringLiteral("CroceH%1").arg(slot));
            const PreparedItem* down = page.find(QStringLiteral("CroceV%1").arg(slot));
            const double x = s.stock.labelLeft(slot) + box.leftInset + dx;
            const double y = s.stock.labelTop(slot) + box.topInset + dy;
            QVERIFY(qAbs((across->rect.left.mm() + across->rect.right().mm()) / 2 - x) < 1e-6);
            QVERIFY(qAbs(across->rect.top.mm() - y) < 1e-6 && qAbs(down->rect.left.mm() - x) < 1e-6);
            QVERIFY(qAbs((down->rect.top.mm() + down->rect.bottom().mm()) / 2 - y) < 1e-6);
        }

        // The rulers' numbers, where a reader of the printed sheet finds them.
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("prova.pdf"));
        ReportPainter::writePdf(report, pdf);
        const QList<PdfPage> pages = readPdfWords(pdf);
        QCOMPARE(pages.size(), 1);
        int top = 0, left = 0;
        for (const PdfWord& w : pages[0].words) {
            const int mm = w.text.toInt();
            QVERIFY2(mm % 10 == 0 && mm > 0, qPrintable(w.text));
            if (w.top - dy < 15) { // the top ruler
                QVERIFY2(qAbs(w.centreX() - dx - mm) < 0.3, qPrintable(QStringLiteral("%1 at %2").arg(mm).arg(w.centreX())));
                QVERIFY(w.top - dy > 6);
                ++top;
            } else {
                QVERIFY2(w.left - dx < 15 && qAbs(w.centreY() - dy - mm) < 0.5,
                         qPrintable(QStringLiteral("%1 at %2").arg(mm).arg(w.centreY())));
                ++left;
            }
        }
        QCOMPARE(top, 20);  // 10 to 200
        QCOMPARE(left, 28); // 20 to 290
    }
};

QTEST_MAIN(TestLabelCalibration)
#include "test_label_calibration.moc"
