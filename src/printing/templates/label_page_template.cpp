#include "printing/templates/label_page_template.h"

#include "common/text.h"

namespace LabelPageTemplate {

namespace {
constexpr int kSlots = 24;
constexpr int kLines = 6;
const QColor kLabelColour(0xFF, 0xFF, 0xE0); // light yellow
} // namespace

QString objectName(int line, int slot)
{
    return QStringLiteral("txtRigo%1_E%2").arg(line, 2, 10, QLatin1Char('0')).arg(slot, 2, 10, QLatin1Char('0'));
}

ReportTemplate make(const QString& name, const LabelSettings& settings)
{
    ReportTemplate tpl(name);
    // The page origin stays 10 mm in from the corner, where the program's own page has its first label.
    constexpr double kOrigin = 10.0;
    tpl.page().setMargins(Length::mm(kOrigin));
    tpl.page().setLeftMargin(Length::mm(kOrigin + settings.offsetLeft));
    tpl.page().setTopMargin(Length::mm(kOrigin + settings.offsetTop));
    const LabelStock& stock = settings.stock;
    auto labelLeft = [&](int slot) {
        return Length::mm(stock.left - kOrigin + stock.hPitch * LabelStock::column(slot));
    };
    auto labelTop = [&](int slot) { return Length::mm(stock.top - kOrigin + stock.vPitch * LabelStock::row(slot)); };

    // Rectangles first: they print behind the text.
    for (int slot = 1; slot <= kSlots; ++slot)
        tpl.page().add<ShapeObject>(
            QStringLiteral("Shape%1").arg(slot),
            LengthRect{labelLeft(slot), labelTop(slot), Length::mm(stock.width), Length::mm(stock.height)},
            kLabelColour, kLabelColour);
    for (int slot = 1; slot <= kSlots; ++slot) {
        const LabelStock::LineBox box = stock.lines(slot);
        for (int line = 1; line <= kLines; ++line) {
            auto& text = tpl.page().add<TextObject>(
                objectName(line, slot),
                LengthRect{labelLeft(slot) + Length::mm(box.leftInset),
                           labelTop(slot) + Length::mm(box.topInset + LabelStock::kLinePitch * (line - 1)),
                           Length::mm(box.width), Length::mm(LabelStock::kLineHeight)},
                ReportFont{QStringLiteral("Arial"), 7});
            text.setWordWrap(false);
            text.setShrinkToFit(true); // 7 pt is the least that reads well: a long address is narrowed instead
            text.setAllowExpressions(false);
            text.setText(QStringLiteral("INDIRIZZO RIGO %1").arg(line));
        }
    }
    return tpl;
}

void fill(ReportTemplate& tpl, const std::function<QString(int slot, int line)>& text)
{
    tpl.page().setOrientation(Orientation::Portrait);
    for (int slot = 1; slot <= kSlots; ++slot)
        for (int line = 1; line <= kLines; ++line)
            tpl.text(objectName(line, slot)).setText(Text::trimmed(text(slot, line)));
}

} // namespace LabelPageTemplate
