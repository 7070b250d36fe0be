#include "printing/templates/envelope_template.h"

#include "common/errors.h"
#include "common/text.h"

#include <cmath>

namespace EnvelopeTemplate {

namespace {

QString lineName(int n)
{
    return QStringLiteral("txtRigo%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Margins that leave no part of the address on the paper would print a blank envelope: a settings fault.
void checkOnPaper(const ReportTemplate& tpl, Length top, Length left)
{
    const LengthRect first = tpl.text(lineName(1)).bounds();
    const LengthRect last = tpl.text(lineName(6)).bounds();
    const double x = first.left.mm() + left.mm();
    const double y = first.top.mm() + top.mm();
    const double right = first.right().mm() + left.mm();
    const double bottom = last.bottom().mm() + top.mm();
    const bool finite = std::isfinite(x) && std::isfinite(y) && std::isfinite(right) && std::isfinite(bottom);
    if (!finite || right <= 0 || bottom <= 0 || x >= tpl.page().paperWidth().mm() || y >= tpl.page().paperHeight().mm())
        throw SettingsError(QStringLiteral("I margini della busta (superiore %1 mm, sinistro %2 mm) portano "
                                           "l'indirizzo fuori dalla pagina.")
                                .arg(top.mm())
                                .arg(left.mm()));
}

} // namespace

ReportTemplate make()
{
    ReportTemplate tpl(kName);
    for (int n = 1; n <= 6; ++n) {
        auto& text = tpl.page().add<TextObject>(
            lineName(n), LengthRect{Length::mm(119), Length::mm(57 + 5 * (n - 1)), Length::mm(90), Length::mm(4.4)},
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
    checkOnPaper(tpl, top, left);
    tpl.page().setTopMargin(top);
    tpl.page().setLeftMargin(left);
    for (int n = 1; n <= 6; ++n)
        tpl.text(lineName(n)).setText(Text::trimmed(lines.value(n - 1)));
}

} // namespace EnvelopeTemplate
