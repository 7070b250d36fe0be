#pragma once

#include "printing/report/prepared_report.h"

#include <QFont>

// The templates name office fonts (Arial, Verdana, Courier New, Tahoma); the program draws them with free fonts
// of the same metrics installed beside it. A page must never come out without its text because a font is missing,
// so every failure to find one is an error.
namespace ReportFonts {

// Maps the office names to the installed families. Idempotent; needs a QGuiApplication.
void install();

// The font that draws `font`. Throws ReportError when no installed font can draw text.
QFont resolve(const ReportFont& font);

// Resolves every font a report uses; throws ReportError naming the first that fails.
void check(const PreparedReport& report);

// `text` broken into lines no wider than `width` in `font`: at blanks, and inside a word only when the word alone is
// wider. Each line break of `text` starts a new line. Throws ReportError as resolve() does.
QStringList wrap(const ReportFont& font, const QString& text, Length width);

} // namespace ReportFonts
