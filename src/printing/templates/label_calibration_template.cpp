#include "printing/templates/label_calibration_template.h"

namespace LabelCalibrationTemplate {

namespace {

constexpr double kNumberWidth = 8.0;
constexpr double kNumberPoints = 6.0;
constexpr double kNumberGap = 6.5; // from the edge to the numbers, past the longest tick
constexpr double kCross = 2.0;     // half the length of a cross's arms

// Ticks every millimetre, longer every 5 and 10; the edge itself is where a ruler starts.
double tickLength(int mm)
{
    return mm % 10 == 0 ? 6.0 : mm % 5 == 0 ? 4.5 : 3.0;
}

TextObject& number(ReportPage& page, const QString& name, int mm, const LengthRect& box)
{
    auto& text = page.add<TextObject>(name, box, ReportFont{QStringLiteral("Arial"), kNumberPoints});
    text.setWordWrap(false);
    text.setAllowExpressions(false);
    text.setText(QString::number(mm));
    return text;
}

} // namespace

ReportTemplate make(const LabelSettings& settings)
{
    ReportTemplate tpl(kName);
    ReportPage& page = tpl.page();
    page.setLeftMargin(Length::mm(settings.offsetLeft));
    page.setTopMargin(Length::mm(settings.offsetTop));
    const LabelStock& stock = settings.stock;
    const QColor ink(Qt::black);

    for (int slot = 1; slot <= LabelStock::kColumns * LabelStock::kRows; ++slot) {
        page.add<ShapeObject>(QStringLiteral("Etichetta%1").arg(slot),
                              LengthRect{Length::mm(stock.labelLeft(slot)), Length::mm(stock.labelTop(slot)),
                                         Length::mm(stock.width), Length::mm(stock.height)},
                              QColor(), ink);
        const LabelStock::LineBox box = stock.lines(slot);
        const double x = stock.labelLeft(slot) + box.leftInset;
        const double y = stock.labelTop(slot) + box.topInset;
        page.add<LineObject>(QStringLiteral("CroceH%1").arg(slot),
                             LengthRect{Length::mm(x - kCross), Length::mm(y), Length::mm(2 * kCross), Length()}, ink);
        page.add<LineObject>(QStringLiteral("CroceV%1").arg(slot),
                             LengthRect{Length::mm(x), Length::mm(y - kCross), Length(), Length::mm(2 * kCross)}, ink);
    }

    // The top ruler, numbered from 10 mm; the left one from 20 mm, clear of the top ruler's numbers.
    const Length lineHeight = Length::points(kNumberPoints * 1.2);
    for (int mm = 1; mm < int(LabelStock::kPaperWidth); ++mm) {
        page.add<LineObject>(QStringLiteral("RighelloAlto%1").arg(mm),
                             LengthRect{Length::mm(mm), Length(), Length(), Length::mm(tickLength(mm))}, ink);
        if (mm % 10 == 0)
            number(page, QStringLiteral("txtRighelloAlto%1").arg(mm), mm,
                   LengthRect{Length::mm(mm - kNumberWidth / 2), Length::mm(kNumberGap), Length::mm(kNumberWidth),
                              lineHeight})
                .setHAlign(HAlign::Center);
    }
    for (int mm = 1; mm < int(LabelStock::kPaperHeight); ++mm) {
        page.add<LineObject>(QStringLiteral("RighelloSinistro%1").arg(mm),
                             LengthRect{Length(), Length::mm(mm), Length::mm(tickLength(mm)), Length()}, ink);
        if (mm % 10 == 0 && mm >= 20)
            number(page, QStringLiteral("txtRighelloSinistro%1").arg(mm), mm,
                   LengthRect{Length::mm(kNumberGap), Length::mm(mm) - lineHeight * 0.5, Length::mm(kNumberWidth),
                              lineHeight});
    }
    return tpl;
}

} // namespace LabelCalibrationTemplate
