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

ReportTemplate make(const QString& name)
{
    ReportTemplate tpl(name);
    tpl.page().setMargins(Length::mm(10));
    tpl.previewOptions().allowEdit = false;
    auto labelLeft = [](int slot) { return Length::mm(64.0 * ((slot - 1) % 3)); };
    auto labelTop = [](int slot) { return Length::mm(35.0 * ((slot - 1) / 3)); };

    // Rectangles first: they print behind the text.
    for (int slot = 1; slot <= kSlots; ++slot)
        tpl.page().add<ShapeObject>(QStringLiteral("Shape%1").arg(slot),
                                    LengthRect{labelLeft(slot), labelTop(slot), Length::mm(62), Length::mm(32)},
                                    kLabelColour, kLabelColour);
    for (int slot = 1; slot <= kSlots; ++slot) {
        // The first row's lines sit 0.2 mm higher than the others'.
        const double firstLine = slot <= 3 ? 1.8 : 2.0;
        for (int line = 1; line <= kLines; ++line) {
            auto& text = tpl.page().add<TextObject>(
                objectName(line, slot),
                LengthRect{labelLeft(slot) + Length::mm(2), labelTop(slot) + Length::mm(firstLine + 5.0 * (line - 1)),
                           Length::mm(58.2), Length::mm(3.5)},
                ReportFont{QStringLiteral("Arial"), 7});
            text.setWordWrap(false);
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
