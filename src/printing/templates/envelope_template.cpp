#include "printing/templates/envelope_template.h"

#include "common/text.h"

namespace EnvelopeTemplate {

ReportTemplate make()
{
    ReportTemplate tpl(kName);
    for (int n = 1; n <= 6; ++n) {
        auto& text = tpl.page().add<TextObject>(
            QStringLiteral("txtRigo%1").arg(n, 2, 10, QLatin1Char('0')),
            LengthRect{Length::mm(119), Length::mm(57 + 5 * (n - 1)), Length::mm(90), Length::mm(4.4)},
            ReportFont{QStringLiteral("Arial"), 10});
        text.setWordWrap(false);
        text.setAllowExpressions(false);
        text.setText(QStringLiteral("INDIRIZZO RIGO %1").arg(n));
    }
    return tpl;
}

void fill(ReportTemplate& tpl, Orientation orientation, Length top, Length left, const QStringList& lines)
{
    tpl.page().setOrientation(orientation);
    tpl.page().setTopMargin(top);
    tpl.page().setLeftMargin(left);
    for (int n = 1; n <= 6; ++n)
        tpl.text(QStringLiteral("txtRigo%1").arg(n, 2, 10, QLatin1Char('0')))
            .setText(Text::trimmed(lines.value(n - 1)));
}

} // namespace EnvelopeTemplate
