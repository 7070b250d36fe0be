#include "printing/report/cut_lines.h"

#include "printing/report/line_fit.h"
#include "printing/report/report_fonts.h"

#include <QFontMetricsF>
#include <optional>

namespace CutLines {

std::vector<Line> find(const PreparedPage& page)
{
    std::vector<Line> cut;
    // A page's lines share a font or two, and making the metrics costs more than measuring a line: pages of many
    // sheets are searched in one go.
    std::optional<ReportFont> font;
    std::optional<QFontMetricsF> metrics;
    for (const PreparedItem& item : page.items) {
        if (item.kind != PreparedItem::Kind::Text || item.wordWrap || item.hAlign != HAlign::Left)
            continue;
        if (font != item.font) {
            // The resolution of our PDF files; the fonts are unhinted, so a printer differs only by rounding, and not
            // at all on condensed lines.
            metrics.emplace(LineFit::referenceMetrics(ReportFonts::resolve(item.font)));
            font = item.font;
        }
        const double width = item.rect.width.toDevice(LineFit::kReferenceDpi);
        for (qsizetype i = 0; i < item.lines.size(); ++i)
            if (LineFit::fit(*metrics, item.lines[i], width, item.shrinkToFit).length < item.lines[i].size())
                cut.push_back({item.name, int(i) + 1});
    }
    return cut;
}

} // namespace CutLines
