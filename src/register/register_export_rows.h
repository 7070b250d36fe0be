#pragma once

#include "printing/export_grid.h"
#include "register/register_card.h"

#include <QDate>

// The grids of the register export and of the interval summary, and the file both write.
namespace RegisterExport {

inline const QString kFileName = QStringLiteral("Protocollo.xls");
inline const QString kYearSheetName = QStringLiteral("Protocollo Posta");
inline const QString kSummarySheetName = QStringLiteral("Protocollo Documenti");

// Nineteen columns: the row number, then the card fields from Numero to RecapitoDes in record order.
const QList<ExportGridColumn>& gridColumns();

// The whole year (the export window). An empty year file leaves `rows` as it was; otherwise `rows` gets one row
// per card in file order. The year file is created when missing. Throws ArchiveAccessError, keeping the rows
// filled so far.
void loadYear(const QString& yearFilePath, ExportGridRows& rows);

// The cards registered from `start` to `end`, both included (the summary window). An empty year file leaves
// `rows` as it was; otherwise `rows` is emptied and gets the cards taken, numbered from 1, in file order.
// A card whose registration date is not a date belongs to no interval and is passed over.
// Throws ArchiveAccessError, keeping the rows added so far.
void loadInterval(const QString& yearFilePath, const QDate& start, const QDate& end, ExportGridRows& rows);

} // namespace RegisterExport
