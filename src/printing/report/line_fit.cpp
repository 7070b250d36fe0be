#include "printing/report/line_fit.h"

#include <QFontMetricsF>
#include <QImage>

namespace LineFit {

namespace {

// The length of the longest start of `line` that is at most `width` wide. Our records hold single-byte text, so every
// index is a character's edge.
qsizetype longestStart(const QFontMetricsF& metrics, const QString& line, double width)
{
    qsizetype low = 0, high = line.size(); // the answer lies in [low, high]
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(line.left(mid)) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace

QFontMetricsF referenceMetrics(const QFont& font)
{
    QImage probe(1, 1, QImage::Format_Mono);
    probe.setDotsPerMeterX(qRound(kReferenceDpi / 0.0254));
    probe.setDotsPerMeterY(qRound(kReferenceDpi / 0.0254));
    return QFontMetricsF(font, &probe);
}

Fit fit(const QFontMetricsF& metrics, const QString& line, double width, bool condense)
{
    const double natural = metrics.horizontalAdvance(line);
    if (natural <= width)
        return {1.0, line.size()};
    if (condense && natural * kMinimumScale <= width)
        return {width / natural, line.size()};
    const double scale = condense ? kMinimumScale : 1.0;
    return {scale, longestStart(metrics, line, width / scale)};
}

} // namespace LineFit
