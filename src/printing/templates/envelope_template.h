#pragma once

#include "printing/report/report_template.h"

// The envelope page "Indirizzo su Busta": six address lines in a block at 119 mm from the left and 57 mm from
// the top of an A4 page, shifted by the margins the user finds for envelope and printer.
namespace EnvelopeTemplate {

inline const QString kName = QStringLiteral("Indirizzo su Busta");

ReportTemplate make();

// Sets orientation, the top and left margins and the six lines txtRigo01..txtRigo06 (each trimmed; missing lines
// are empty), in the order the envelope window does. Throws SettingsError when the margins would put the whole
// address off the paper.
void fill(ReportTemplate& tpl, Orientation orientation, Length top, Length left, const QStringList& lines);

} // namespace EnvelopeTemplate
