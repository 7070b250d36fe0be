#pragma once

#include <QString>

class QFont;
class QFontMetricsF;

// How one unwrapped line takes the width of its text object: as the font draws it, condensed, or cut. The painter
// draws what this says and the warning about cut lines asks the same, so the two never disagree.
namespace LineFit {

// The narrowest a condensed line is drawn, as a share of its width: narrower still, small letters stop being legible.
inline constexpr double kMinimumScale = 0.8;

struct Fit
{
    double scale = 1.0;   // horizontal only; the letters keep their height
    qsizetype length = 0; // the characters drawn: the whole line unless it is cut
};

// Condensed lines are measured at the resolution of our PDF files whatever the device: each device rounds the font's
// size its own way, and the screen, the printers and the file would otherwise keep a character more or less.
inline constexpr double kReferenceDpi = 1200;
QFontMetricsF referenceMetrics(const QFont& font);

// `metrics` and `width` in the same device units. Condensing: a line too wide is first drawn narrower, just enough
// to fit and down to kMinimumScale; what still does not fit then, or any line too wide without condensing, loses
// its last characters whole, never half a letter at the edge.
Fit fit(const QFontMetricsF& metrics, const QString& line, double width, bool condense);

} // namespace LineFit
