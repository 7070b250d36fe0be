#include "register/daily_register_report.h"

#include "printing/report/report_fonts.h"

namespace {

constexpr double kMarginMm = 15;
constexpr double kPageWidthMm = 210;
constexpr double kPageHeightMm = 297;
constexpr double kBodyTopMm = kMarginMm + 12;
constexpr double kFootTopMm = kPageHeightMm - kMarginMm - 6;

const ReportFont kBodyFont{QStringLiteral("Arial"), 9};
const ReportFont kTitleFont{QStringLiteral("Arial"), 13, true};

PreparedItem textItem(const QString& name, const LengthRect& rect, const ReportFont& font, QStringList lines,
                      HAlign align = HAlign::Left)
{
    PreparedItem item;
    item.kind = PreparedItem::Kind::Text;
    item.name = name;
    item.rect = rect;
    item.lines = std::move(lines);
    item.lineHeight = Length::points(font.pointSize * 1.25);
    item.font = font;
    item.hAlign = align;
    return item;
}

} // namespace

namespace DailyRegisterReport {

QString title(const DailyRegister& daily, const QString& year)
{
    return QStringLiteral("Registro giornaliero di protocollo %1 - %2")
        .arg(year, daily.day.toString(QStringLiteral("dd/MM/yyyy")));
}

PreparedReport prepare(const DailyRegister& daily, const QString& year)
{
    ReportFonts::install();
    const Length width = Length::mm(kPageWidthMm - 2 * kMarginMm);
    QStringList lines;
    for (const QString& line : daily.lines()) {
        // A detail line keeps its indent on every line it wraps onto.
        qsizetype blanks = 0;
        while (blanks < line.size() && line[blanks] == u' ')
            ++blanks;
        const QString indent = line.left(blanks);
        // Half an em a blank is more than any blank of the font takes: the line never runs past the margin.
        const Length indentWidth = Length::points(kBodyFont.pointSize * 0.5 * double(blanks));
        if (blanks == line.size())
            lines << QString();
        else
            for (const QString& part : ReportFonts::wrap(kBodyFont, line.mid(blanks), width - indentWidth))
                lines << indent + part;
    }
    const Length lineHeight = Length::points(kBodyFont.pointSize * 1.25);
    const double bodyHeightMm = kFootTopMm - 4 - kBodyTopMm;
    const qsizetype perPage = std::max<qsizetype>(1, qsizetype(bodyHeightMm / lineHeight.mm()));
    const qsizetype pages = std::max<qsizetype>(1, (lines.size() + perPage - 1) / perPage);
    const QString heading = title(daily, year);

    PreparedReport report;
    report.name = kName;
    report.pages.reserve(size_t(pages));
    for (qsizetype p = 0; p < pages; ++p) {
        PreparedPage page;
        page.paperWidth = Length::mm(kPageWidthMm);
        page.paperHeight = Length::mm(kPageHeightMm);
        page.orientation = Orientation::Portrait;
        page.items.push_back(textItem(QStringLiteral("titolo"),
                                      LengthRect{Length::mm(kMarginMm), Length::mm(kMarginMm), width, Length::mm(8)},
                                      kTitleFont, {heading}));
        page.items.push_back(
            textItem(QStringLiteral("righe"),
                     LengthRect{Length::mm(kMarginMm), Length::mm(kBodyTopMm), width, Length::mm(bodyHeightMm + 1)},
                     kBodyFont, lines.mid(p * perPage, perPage)));
        page.items.push_back(textItem(
            QStringLiteral("pagina"), LengthRect{Length::mm(kMarginMm), Length::mm(kFootTopMm), width, Length::mm(6)},
            kBodyFont, {QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pages)}, HAlign::Center));
        report.pages.push_back(std::move(page));
    }
    return report;
}

} // namespace DailyRegisterReport
