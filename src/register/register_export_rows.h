#pragma once

#include "printing/export_grid.h"
#include "register/register_card.h"

#include <QDate>
#include <optional>

// The grids of the register export and of the interval summary, and the file both write.
namespace RegisterExport {

inline const QString kFileName = QStringLiteral("Protocollo.xls");
inline const QString kYearSheetName = QStringLiteral("Protocollo Posta");
inline const QString kSummarySheetName = QStringLiteral("Protocollo Documenti");

// Nineteen columns: the row number, then the card fields from Numero to RecapitoDes in record order.
const QList<ExportGridColumn>& gridColumns();

// The whole year (the export window): one row per card in file order. The year file is created when missing.
// Throws ArchiveAccessError.
ExportGridRows loadYear(const QString& yearFilePath);

// The cards registered from `start` to `end`, both included (the summary window), numbered from 1, in file order.
// A card whose registration date is not a date belongs to no interval and is passed over. Nothing when the year
// file holds no card at all (created when missing): the grid then keeps its rows. Throws ArchiveAccessError.
std::optional<ExportGridRows> loadInterval(const QString& yearFilePath, const QDate& start, const QDate& end);

} // namespace RegisterExport
