#include "common/errors.h"
#include "printing/templates/envelope_template.h"
#include "printing/templates/label_calibration_template.h"
#include "printing/templates/label_page_template.h"
#include "printing/templates/list_template.h"
#include "printing/templates/register_card_template.h"

#include <QRegularExpression>
#include <QtTest>
#include <algorithm>

namespace {

const QDate kToday(2024, 3, 15);

void compareRect(const PreparedItem* item, double left, double top, double width, double height)
{
    QVERIFY(item);
    QCOMPARE(qRound(item->rect.left.mm() * 1000), qRound(left * 1000));
    QCOMPARE(qRound(item->rect.top.mm() * 1000), qRound(top * 1000));
    QCOMPARE(qRound(item->rect.width.mm() * 1000), qRound(width * 1000));
    QCOMPARE(qRound(item->rect.height.mm() * 1000), qRound(height * 1000));
}

} // namespace

class TestPageTemplates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Positions are absolute on the paper, in millimetres.
    void envelopeLines_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        for (bool landscape : {false, true}) {
            const char* o = landscape ? "landscape" : "portrait";
            QTest::addRow("%s 0 0", o) << landscape << 0.0 << 0.0;
            QTest::addRow("%s -3 0", o) << landscape << -3.0 << 0.0;
            QTest::addRow("%s 5 7", o) << landscape << 5.0 << 7.0;
        }
        // The last margins that still leave a corner of the address on the paper.
        QTest::newRow("portrait, far left") << false << 0.0 << -208.9;
        QTest::newRow("portrait, far down") << false << 239.9 << 0.0;
        QTest::newRow("landscape, far right") << true << 0.0 << 177.9;
        QTest::newRow("landscape, far up") << true << -86.3 << 0.0;
    }
    void envelopeLines()
    {
        QFETCH(bool, landscape);
        QFETCH(double, top);
        QFETCH(double, left);
        ReportTemplate tpl = EnvelopeTemplate::make();
        EnvelopeTemplate::fill(tpl, landscape ? Orientation::Landscape : Orientation::Portrait, Length::mm(top),
                               Length::mm(left),
                               {QStringLiteral("  Mario Rossi \t"), QString(), QStringLiteral("Via Po 3")});
        const PreparedReport report = tpl.prepare(kToday);
        QCOMPARE(report.name, QStringLiteral("Indirizzo su Busta"));
        QCOMPARE(report.pages.size(), size_t(1));
        const PreparedPage& page = report.pages[0];
        QCOMPARE(page.paperWidth.mm(), landscape ? 297.0 : 210.0);
        QCOMPARE(page.paperHeight.mm(), landscape ? 210.0 : 297.0);
        QCOMPARE(page.items.size(), size_t(6));
        for (int n = 1; n <= 6; ++n) {
            const PreparedItem* line = page.find(QStringLiteral("txtRigo%1").arg(n, 2, 10, QLatin1Char('0')));
            compareRect(line, 119 + left, 57 + 5 * (n - 1) + top, 90, 4.4);
            QCOMPARE(line->font, (ReportFont{QStringLiteral("Arial"), 10}));
            QVERIFY(!line->wordWrap);
        }
        // Trimmed; an empty line keeps its place and the next stays where it is.
        QCOMPARE(page.find(QStringLiteral("txtRigo01"))->lines, QStringList{QStringLiteral("Mario Rossi")});
        QVERIFY(page.find(QStringLiteral("txtRigo02"))->lines.isEmpty());
        QCOMPARE(page.find(QStringLiteral("txtRigo03"))->lines, QStringList{QStringLiteral("Via Po 3")});
        QVERIFY(page.find(QStringLiteral("txtRigo06"))->lines.isEmpty());
    }

    // Margins that put the whole address off the paper would print a blank envelope: a settings failure instead.
    void envelopeOffThePaper_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        QTest::newRow("portrait, left edge past the page") << false << 0.0 << 91.0;
        QTest::newRow("portrait, right edge before the page") << false << 0.0 << -209.0;
        QTest::newRow("portrait, below the page") << false << 240.0 << 0.0;
        QTest::newRow("portrait, above the page") << false << -86.5 << 0.0;
        QTest::newRow("landscape, below the page") << true << 153.0 << 0.0;
        QTest::newRow("landscape, right of the page") << true << 0.0 << 178.0;
        QTest::newRow("infinite") << false << qInf() << 0.0;
        QTest::newRow("not a number") << true << 0.0 << qQNaN();
        QTest::newRow("huge") << false << 1e300 << 1e300;
    }
    void envelopeOffThePaper()
    {
        QFETCH(bool, landscape);
        QFETCH(double, top);
        QFETCH(double, left);
        ReportTemplate tpl = EnvelopeTemplate::make();
        QVERIFY_THROWS_EXCEPTION(SettingsError,
                                 EnvelopeTemplate::fill(tpl, landscape ? Orientation::Landscape : Orientation::Portrait,
                                                        Length::mm(top), Length::mm(left), {QStringLiteral("Rossi")}));
    }

    void labelLines_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("line1Top");
        QTest::newRow("E01") << 1 << 12.0 << 11.8;
        QTest::newRow("E03") << 3 << 140.0 << 11.8;
        QTest::newRow("E05") << 5 << 76.0 << 47.0;
        QTest::newRow("E22") << 22 << 12.0 << 257.0;
        QTest::newRow("E24") << 24 << 140.0 << 257.0;
    }
    void labelLines()
    {
        QFETCH(int, slot);
        QFETCH(double, left);
        QFETCH(double, line1Top);
        ReportTemplate tpl = LabelPageTemplate::make();
        LabelPageTemplate::fill(tpl, [](int s, int l) { return QStringLiteral(" E%1 R%2 ").arg(s).arg(l); });
        const PreparedReport report = tpl.prepare(kToday);
        const PreparedPage& page = report.pages[0];
        for (int line = 1; line <= 6; ++line) {
            const PreparedItem* item = page.find(LabelPageTemplate::objectName(line, slot));
            compareRect(item, left, line1Top + 5 * (line - 1), 58.2, 3.5);
            QCOMPARE(item->lines, QStringList{QStringLiteral("E%1 R%2").arg(slot).arg(line)});
            QCOMPARE(item->font, (ReportFont{QStringLiteral("Arial"), 7}));
        }
    }

    void labelPageCarriesRectanglesBehindText()
    {
        ReportTemplate tpl = LabelPageTemplate::make(LabelPageTemplate::kSingleAddressName);
        QCOMPARE(tpl.name(), QStringLiteral("Anteprima Etichetta"));
        const PreparedPage page = tpl.prepare(kToday).pages[0];
        QCOMPARE(page.items.size(), size_t(24 + 144));
        QList<QPointF> corners;
        double right = 0;
        double bottom = 0;
        for (size_t i = 0; i < 24; ++i) {
            const PreparedItem& shape = page.items[i];
            QCOMPARE(shape.kind, PreparedItem::Kind::Rect);
            QCOMPARE(shape.fill, QColor(0xFF, 0xFF, 0xE0));
            QCOMPARE(shape.outline, QColor(0xFF, 0xFF, 0xE0));
            QCOMPARE(shape.rect.width.mm(), 62.0);
            QCOMPARE(shape.rect.height.mm(), 32.0);
            corners << QPointF(shape.rect.left.mm(), shape.rect.top.mm());
            right = std::max(right, shape.rect.left.mm() + shape.rect.width.mm());
            bottom = std::max(bottom, shape.rect.top.mm() + shape.rect.height.mm());
        }
        for (int col = 0; col < 3; ++col)
            for (int row = 0; row < 8; ++row)
                QVERIFY(corners.contains(QPointF(10 + 64 * col, 10 + 35 * row)));
        // The last row ends 10 mm above the paper's bottom edge, the last column 10 mm from its right edge.
        QCOMPARE(bottom, page.paperHeight.mm() - 10);
        QCOMPARE(right, page.paperWidth.mm() - 10);
    }

    // Only the lines of an address label are narrowed to fit; every other text prints as the font draws it.
    void onlyLabelLinesCondense()
    {
        static const QRegularExpression kLabelLine(QStringLiteral("^txtRigo\\d\\d_E\\d\\d$"));
        int labelLines = 0;
        for (const ReportTemplate& tpl : {EnvelopeTemplate::make(), RegisterCardTemplate::make(), ListTemplate::make(),
                                          LabelCalibrationTemplate::make(LabelSettings()), LabelPageTemplate::make(),
                                          LabelPageTemplate::make(LabelPageTemplate::kSingleAddressName)})
            for (const PreparedPage& page : tpl.prepare(kToday).pages)
                for (const PreparedItem& item : page.items) {
                    if (item.kind != PreparedItem::Kind::Text)
                        continue;
                    const bool labelLine = kLabelLine.match(item.name).hasMatch();
                    QVERIFY2(item.shrinkToFit == labelLine, qPrintable(tpl.name() + u' ' + item.name));
                    labelLines += labelLine;
                }
        QCOMPARE(labelLines, 2 * 24 * 6);
    }

    void registerCardRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("captionWidth");
        QTest::addColumn<QString>("valueObject");
        QTest::addColumn<QString>("value");
        QTest::newRow("1") << 1 << "Protocollo n." << 37.8 << "txtNumero"
                           << "12";
        QTest::newRow("9") << 9 << "Data ricezione:" << 39.5 << "txtDataRic"
                           << "14/03/2024";
        QTest::newRow("10") << 10 << "Formato:" << 37.8 << "txtFormato"
                            << "A4  -  N. pagine: 3";
        QTest::newRow("16") << 16 << "Note:" << 38.8 << "txtNote"
                            << "Urgente";
    }
    void registerCardRows()
    {
        QFETCH(int, row);
        QFETCH(QString, caption);
        QFETCH(double, captionWidth);
        QFETCH(QString, valueObject);
        QFETCH(QString, value);
        const QHash<QString, QString> fields{{"txtNumero", " 12 "},      {"txtDataRic", "14/03/2024"},
                                             {"txtFormato", "A4"},       {"txtPagine", "3 "},
                                             {"txtNote", "Urgente\r\n"}, {"txtTipologia", "Entrata"}};
        ReportTemplate tpl = RegisterCardTemplate::make();
        RegisterCardTemplate::fill(
            tpl, [&](const QString& name) { return fields.value(name); },
            QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7)));
        const PreparedPage page = tpl.prepare(kToday).pages[0];
        const double top = 10 + 7.5 + 5 * (row - 1);
        const PreparedItem* captionItem = page.find(QStringLiteral("Memo%1").arg(row));
        compareRect(captionItem, 12, top, captionWidth, 3.5);
        QCOMPARE(captionItem->lines, QStringList{caption});
        const PreparedItem* valueItem = page.find(valueObject);
        compareRect(valueItem, 54, top, 144, 3.5);
        QCOMPARE(valueItem->lines, QStringList{value});
        QCOMPARE(valueItem->font, (ReportFont{QStringLiteral("Arial"), 7}));
        const int frame = row <= 3 ? row + 1 : row + 2;
        compareRect(page.find(QStringLiteral("Shape%1").arg(frame)), 11, 10 + 7 + 5 * (row - 1), 188, 4.6);

        // The fixed parts.
        compareRect(page.find(QStringLiteral("titArcataSup")), 12, 12, 185.8, 4.2);
        compareRect(page.find(QStringLiteral("Line2")), 52, 17, 0, 79.6);
        compareRect(page.find(QStringLiteral("Shape23")), 11, 98, 188, 5.8);
        QCOMPARE(page.find(QStringLiteral("Shape23"))->fill, QColor(0xFF, 0xD7, 0x00));
        const PreparedItem* footer = page.find(QStringLiteral("txtCalce"));
        compareRect(footer, 12, 99, 185.8, 4.2);
        QCOMPARE(footer->lines, QStringList{QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 09:05:07")});
        QCOMPARE(footer->hAlign, HAlign::Center);
        QVERIFY(!page.find(QStringLiteral("Shape5")));
        // The mail type is never printed.
        for (const PreparedItem& item : page.items)
            QVERIFY(!item.lines.contains(QStringLiteral("Entrata")));
    }

    // A subject wider than its row wraps onto further lines of a taller row; what lies below moves down with it.
    void registerCardSubjectWraps()
    {
        QString subject;
        for (int n = 1; subject.size() < 240; ++n)
            subject += QStringLiteral("parola%1 ").arg(n);
        subject = subject.trimmed();
        QHash<QString, QString> fields{{"txtOggetto", subject}, {"txtNote", "Urgente"}};
        ReportTemplate tpl = RegisterCardTemplate::make();
        const auto prepared = [&] {
            RegisterCardTemplate::fill(
                tpl, [&](const QString& name) { return fields.value(name); },
                QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7)));
            return tpl.prepare(kToday).pages[0];
        };
        PreparedPage page = prepared();
        const PreparedItem* value = page.find(QStringLiteral("txtOggetto"));
        QVERIFY(value);
        QVERIFY2(value->lines.size() >= 2, qPrintable(value->lines.join(u'|')));
        // Every word prints, in order, each line whole.
        QCOMPARE(value->lines.join(u' '), subject);
        QVERIFY(!value->wordWrap);
        const double grow = (7 * 1.2 * 25.4 / 72) * double(value->lines.size() - 1);
        compareRect(value, 54, 10 + 37.5, 144, 3.5 + grow);
        compareRect(page.find(QStringLiteral("Memo7")), 12, 10 + 37.5, 37.8, 3.5);
        compareRect(page.find(QStringLiteral("Shape9")), 11, 10 + 37, 188, 4.6 + grow);
        compareRect(page.find(QStringLiteral("Memo8")), 12, 10 + 42.5 + grow, 37.8, 3.5);
        compareRect(page.find(QStringLiteral("Shape10")), 11, 10 + 42 + grow, 188, 4.6);
        compareRect(page.find(QStringLiteral("txtNote")), 54, 10 + 82.5 + grow, 144, 3.5);
        QCOMPARE(page.find(QStringLiteral("txtNote"))->lines, QStringList{QStringLiteral("Urgente")});
        compareRect(page.find(QStringLiteral("Line2")), 52, 17, 0, 79.6 + grow);
        compareRect(page.find(QStringLiteral("Shape23")), 11, 98 + grow, 188, 5.8);
        compareRect(page.find(QStringLiteral("txtCalce")), 12, 99 + grow, 185.8, 4.2);
        // The last line ends inside its frame, above the next row.
        const double lastLineBottom =
            value->rect.top.mm() + value->textOffset.mm() + value->lineHeight.mm() * double(value->lines.size());
        QVERIFY(lastLineBottom <= page.find(QStringLiteral("Shape9"))->rect.bottom().mm());

        // Filled again (a second print from the same window) with a short subject: the card as drawn.
        fields[QStringLiteral("txtOggetto")] = QStringLiteral("Breve");
        page = prepared();
        QCOMPARE(page.find(QStringLiteral("txtOggetto"))->lines, QStringList{QStringLiteral("Breve")});
        compareRect(page.find(QStringLiteral("txtOggetto")), 54, 10 + 37.5, 144, 3.5);
        compareRect(page.find(QStringLiteral("Memo8")), 12, 10 + 42.5, 37.8, 3.5);
        compareRect(page.find(QStringLiteral("Shape23")), 11, 98, 188, 5.8);
    }
};

QTEST_MAIN(TestPageTemplates)
#include "test_page_templates.moc"
