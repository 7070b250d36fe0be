#include "printing/report/cut_lines.h"

#include "printing/report/line_fit.h"
#include "printing/report/report_fonts.h"

#include <QFontMetricsF>
#include <QImage>

namespace CutLines {

std::vector<Line> find(const PreparedPage& page)
{
    // The resolution of our PDF files; the fonts are unhinted, so a printer differs only by rounding.
    constexpr double kDotsPerInch = 1200;
    QImage probe(1, 1, QImage::Format_Mono);
    probe.setDotsPerMeterX(qRound(kDotsPerInch / 0.0254));
    probe.setDotsPerMeterY(qRound(kDotsPerInch / 0.0254));
    std::vector<Line> cut;
    for (const PreparedItem& item : page.items) {
        if (item.kind != PreparedItem::Kind::Text || item.wordWrap || item.hAlign != HAlign::Left)
            continue;
        const QFontMetricsF metrics(ReportFonts::resolve(item.font), &probe);
        const double width = item.rect.width.toDevice(kDotsPerInch);
        for (qsizetype i = 0; i < item.lines.size(); ++i)
            if (LineFit::fit(metrics, item.lines[i], width, item.shrinkToFit).length < item.lines[i].size())
                cut.push_back({item.name, int(i) + 1});
    }
    return cut;
}

} // namespace CutLines
