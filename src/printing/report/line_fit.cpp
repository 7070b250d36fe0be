#include "printing/report/line_fit.h"

#include <QFontMetricsF>
#include <QList>
#include <QTextBoundaryFinder>

namespace LineFit {

namespace {

// The ends of the line's characters as a reader sees them: an accent written as a mark of its own, or a character
// outside the basic plane, stays with the letter before it.
QList<qsizetype> characterEnds(const QString& line)
{
    QList<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    while (finder.toNextBoundary() > 0)
        ends.append(finder.position());
    return ends;
}

// The length of the longest start of `line` that is at most `width` wide and ends at a character's edge.
qsizetype longestStart(const QFontMetricsF& metrics, const QString& line, double width)
{
    const QList<qsizetype> ends = characterEnds(line);
    qsizetype low = -1, high = ends.size() - 1; // the last end that fits is ends[low], or none with -1
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(line.left(ends[mid])) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return low < 0 ? 0 : ends[low];
}

} // namespace

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
