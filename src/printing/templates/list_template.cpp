#include "printing/templates/list_template.h"

namespace ListTemplate {

namespace {
const QColor kSlateGrey(0x70, 0x80, 0x90);
const Length kBandWidth = Length::mm(277);
const Length kLineHeight = Length::units(12.822); // one list line
const Length kBandExtra = Length::units(10);      // the master data band below its last line
} // namespace

ReportTemplate make()
{
    ReportTemplate tpl(kName);
    ReportPage& page = tpl.page();
    page.setOrientation(Orientation::Landscape);
    page.setMargins(Length::mm(10));

    Band& title = page.addBand(QStringLiteral("ReportTitle"), Band::Type::ReportTitle, kBandWidth, Length::mm(8));
    auto& titleText = title.add<TextObject>(QStringLiteral("txtTitolo"),
                                            LengthRect{Length::mm(2), Length::mm(1), Length::mm(273), Length::mm(5)},
                                            ReportFont{QStringLiteral("Verdana"), 9, true, Qt::white});
    titleText.setFill(kSlateGrey);
    titleText.setHAlign(HAlign::Center);
    titleText.setText(QStringLiteral("Riepilogo"));
    // Title and lines carry the user's own texts; only the footer's field is a field.
    titleText.setAllowExpressions(false);

    Band& data = page.addBand(QStringLiteral("MasterData"), Band::Type::MasterData, kBandWidth, Length::mm(28));
    data.setAllowSplit(true);
    auto& lines = data.add<TextObject>(QStringLiteral("txtRiepilogo"),
                                       LengthRect{Length::mm(3), Length::mm(0), Length::mm(273), Length::mm(27)},
                                       ReportFont{QStringLiteral("Courier New"), 8});
    lines.setWordWrap(false);
    lines.setLineHeight(kLineHeight);
    lines.setAllowExpressions(false);

    Band& footer = page.addBand(QStringLiteral("Footer"), Band::Type::Footer, kBandWidth, Length::mm(8));
    auto& footerText = footer.add<TextObject>(QStringLiteral("txtPagina"),
                                              LengthRect{Length::mm(3), Length::mm(2), Length::mm(272), Length::mm(5)},
                                              ReportFont{QStringLiteral("Verdana"), 8, true, Qt::white});
    footerText.setFill(kSlateGrey);
    footerText.setHAlign(HAlign::Center);
    footerText.setText(QStringLiteral("Stampa eseguita in data [DATE]"));
    return tpl;
}

void fill(ReportTemplate& tpl, const QString& title, const QStringList& lines)
{
    tpl.text(QStringLiteral("txtTitolo")).setText(title);
    TextObject& text = tpl.text(QStringLiteral("txtRiepilogo"));
    text.memo().clear();
    for (const QString& line : lines)
        text.memo().append(line);
    Band& band = tpl.band(QStringLiteral("MasterData"));
    text.setHeight(kLineHeight * double(text.memo().size()));
    band.setHeight(text.height() + kBandExtra);
}

} // namespace ListTemplate
