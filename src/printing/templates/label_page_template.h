#pragma once

#include "printing/label_settings.h"
#include "printing/report/report_template.h"

#include <functional>

// The A4 page of 24 labels (3 columns x 8 rows, by default of 62 x 32 mm), six lines txtRigoNN_Exx on each label.
// The same page serves the label sheet ("Pagina Etichette"), one address on every label ("Anteprima Etichetta") and
// the sheets composed from the archive. The stock places the labels and their lines; the printer's offset moves
// the whole page, through its margins.
namespace LabelPageTemplate {

inline const QString kSheetName = QStringLiteral("Pagina Etichette");
inline const QString kSingleAddressName = QStringLiteral("Anteprima Etichetta");

ReportTemplate make(const QString& name = kSheetName, const LabelSettings& settings = {});

// "txtRigoNN_Exx" for line 1..6 and slot 1..24.
QString objectName(int line, int slot);

// Turns the page to portrait and sets every line to text(slot, line), trimmed.
void fill(ReportTemplate& tpl, const std::function<QString(int slot, int line)>& text);

} // namespace LabelPageTemplate
