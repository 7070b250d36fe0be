#pragma once

#include "printing/report/report_template.h"

// The list printout "Riepilogo dati": A4 landscape, a title bar on the first page, the lines in Courier New over as
// many pages as they need, and a footer bar with the date after the last line. Shared by every list window.
namespace ListTemplate {

inline const QString kName = QStringLiteral("Riepilogo dati");

ReportTemplate make();

// Sets the title and the lines (one list row, one printed line, unchanged) and sizes the text and its band to
// the lines. Sets everything it relies on, so a template may be filled again for a later print.
void fill(ReportTemplate& tpl, const QString& title, const QStringList& lines);

} // namespace ListTemplate
