#pragma once

#include "printing/label_settings.h"
#include "printing/report/report_template.h"

// "Pagina di prova": the outlines of the stock's 24 labels, a millimetre ruler along the top and left edges of the
// sheet and a cross where each label's first line starts, all moved by the printer's offset like every label page.
// Held against a sheet of labels, it shows how far the printer misses them.
namespace LabelCalibrationTemplate {

inline const QString kName = QStringLiteral("Pagina di prova");

ReportTemplate make(const LabelSettings& settings);

} // namespace LabelCalibrationTemplate
