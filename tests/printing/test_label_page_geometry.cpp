// The label page on each stock, measured on the prepared page in millimetres from the paper's corner.
#include "printing/templates/label_page_template.h"

#include <QTest>

namespace {

const QDate kToday(2024, 3, 15);

// Rounded to a thousandth of a millimetre.
int um(Length l)
{
    return qRound(l.mm() * 1000);
}
int um(double mm)
{
    return qRound(mm * 1000);
}

PreparedPage preparedPage(const LabelSettings& settings)
{
    ReportTemplate tpl = LabelPageTemplate::make(LabelPageTemplate::kSheetName, settings);
    LabelPageTemplate::fill(tpl, [](int s, int l) { return QStringLiteral("E%1 R%2").arg(s).arg(l); });
    return tpl.prepare(kToday).pages.at(0);
}

} // namespace

class TestLabelPageGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The program's own page, as it always was: every item, in drawing order, with every property.
    void defaultPageUnchanged()
    {
        const PreparedPage page = preparedPage({});
        QCOMPARE(um(page.paperWidth), 210000);
        QCOMPARE(um(page.paperHeight), 297000);
        QCOMPARE(page.orientation, Orientation::Portrait);
        QCOMPARE(page.items.size(), size_t(24 + 144));
        const QColor yellow(0xFF, 0xFF, 0xE0);
        for (int slot = 1; slot <= 24; ++slot) {
            const PreparedItem& shape = page.items[size_t(slot - 1)];
            const int col = (slot - 1) % 3, row = (slot - 1) / 3;
            QCOMPARE(shape.kind, PreparedItem::Kind::Rect);
            QCOMPARE(shape.name, QStringLiteral("Shape%1").arg(slot));
            QCOMPARE(um(shape.rect.left), um(10 + 64 * col));
            QCOMPARE(um(shape.rect.top), um(10 + 35 * row));
            QCOMPARE(um(shape.rect.width), 62000);
            QCOMPARE(um(shape.rect.height), 32000);
            QCOMPARE(shape.fill, yellow);
            QCOMPARE(shape.outline, yellow);
            for (int line = 1; line <= 6; ++line) {
                const PreparedItem& text = page.items[size_t(24 + (slot - 1) * 6 + line - 1)];
                QCOMPARE(text.kind, PreparedItem::Kind::Text);
                QCOMPARE(text.name, LabelPageTemplate::objectName(line, slot));
                QCOMPARE(um(text.rect.left), um(12 + 64 * col));
                QCOMPARE(um(text.rect.top), um(10 + 35 * row + (row == 0 ? 1.8 : 2.0) + 5 * (line - 1)));
                QCOMPARE(um(text.rect.width), 58200);
                QCOMPARE(um(text.rect.height), 3500);
                QCOMPARE(text.lines, QStringList{QStringLiteral("E%1 R%2").arg(slot).arg(line)});
                QCOMPARE(um(text.textOffset), 0);
                QCOMPARE(um(text.lineHeight), um(Length::points(7 * 1.2)));
                QCOMPARE(text.font, (ReportFont{QStringLiteral("Arial"), 7}));
                QCOMPARE(text.hAlign, HAlign::Left);
                QVERIFY(!text.wordWrap);
                QVERIFY(!text.fill.isValid());
            }
        }
    }

    void stocks_data()
    {
        QTest::addColumn<QString>("stock");
        QTest::addColumn<double>("offsetLeft");
        QTest::addColumn<double>("offsetTop");
        // Label 1 and label 24 (left, top); the size; line 1 of label 1 (left, top, width); line 6 of label 24.
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("default") << "predefinito" << 0.0 << 0.0
                                 << QList<double>{10, 10, 138, 255, 62, 32, 12, 11.8, 58.2, 140, 282, 58.2};
        // Labels touch every edge: the lines keep 4 mm from the paper's edges.
        QTest::newRow("70x37 no margins") << "70x37" << 0.0 << 0.0
                                          << QList<double>{0, 0, 140, 259, 70, 37, 4, 4, 64.2, 142, 286, 64};
        QTest::newRow("70x36") << "70x36" << 0.0 << 0.0
                               << QList<double>{0, 4.5, 140, 256.5, 70, 36, 4, 6.3, 64.2, 142, 283.5, 64};
        QTest::newRow("70x35") << "70x35" << 0.0 << 0.0
                               << QList<double>{0, 8.5, 140, 253.5, 70, 35, 4, 10.3, 64.2, 142, 280.5, 64};
        QTest::newRow("70x33,8") << "70x33,8" << 0.0 << 0.0
                                 << QList<double>{0, 13.3, 140, 249.9, 70, 33.8, 4, 15.1, 64.2, 142, 276.9, 64};
        QTest::newRow("64,6x33,8") << "64,6x33,8" << 0.0 << 0.0
                                   << QList<double>{8.1, 13.3, 137.3, 249.9, 64.6, 33.8, 10.1, 15.1, 60.8, 139.3,
                                                    276.9, 60.8};
        // The offset moves everything, labels and lines alike.
        QTest::newRow("default, offset -3, 2") << "predefinito" << -3.0 << 2.0
                                               << QList<double>{7, 12, 135, 257, 62, 32, 9, 13.8, 58.2, 137, 284, 58.2};
        QTest::newRow("70x37, offset -3, 2") << "70x37" << -3.0 << 2.0
                                             << QList<double>{-3, 2, 137, 261, 70, 37, 1, 6, 64.2, 139, 288, 64};
    }
    void stocks()
    {
        QFETCH(QString, stock);
        QFETCH(double, offsetLeft);
        QFETCH(double, offsetTop);
        QFETCH(QList<double>, expected);
        LabelSettings settings;
        settings.stock = *LabelStock::find(stock);
        settings.offsetLeft = offsetLeft;
        settings.offsetTop = offsetTop;
        const PreparedPage page = preparedPage(settings);
        const PreparedItem* first = page.find(QStringLiteral("Shape1"));
        const PreparedItem* last = page.find(QStringLiteral("Shape24"));
        const PreparedItem* line1 = page.find(LabelPageTemplate::objectName(1, 1));
        const PreparedItem* line6 = page.find(LabelPageTemplate::objectName(6, 24));
        const QList<int> got{um(first->rect.left),  um(first->rect.top),  um(last->rect.left),   um(last->rect.top),
                             um(last->rect.width),  um(last->rect.height), um(line1->rect.left), um(line1->rect.top),
                             um(line1->rect.width), um(line6->rect.left), um(line6->rect.top),   um(line6->rect.width)};
        QList<int> want;
        for (double mm : expected)
            want << um(mm);
        QCOMPARE(got, want);

        // Every line on every label: 5 mm apart, 3.5 mm high, inside its label, and (without the offset) at least
        // 4 mm from the paper's edges.
        for (int slot = 1; slot <= 24; ++slot) {
            const PreparedItem* label = page.find(QStringLiteral("Shape%1").arg(slot));
            const double dx = offsetLeft, dy = offsetTop;
            for (int line = 1; line <= 6; ++line) {
                const LengthRect r = page.find(LabelPageTemplate::objectName(line, slot))->rect;
                QCOMPARE(um(r.top - page.find(LabelPageTemplate::objectName(1, slot))->rect.top), 5000 * (line - 1));
                QCOMPARE(um(r.height), 3500);
                QVERIFY(r.left >= label->rect.left && r.right() <= label->rect.right());
                QVERIFY(r.top >= label->rect.top && r.bottom() <= label->rect.bottom());
                QVERIFY(r.left.mm() - dx >= 4 - 1e-9 && r.right().mm() - dx <= 206 + 1e-9);
                QVERIFY(r.top.mm() - dy >= 4 - 1e-9 && r.bottom().mm() - dy <= 293 + 1e-9);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestLabelPageGeometry)
#include "test_label_page_geometry.moc"
