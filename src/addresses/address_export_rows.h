#pragma once

#include "printing/export_grid.h"

// The address export: the grid of every address card and the file it writes.
namespace AddressExport {

inline const QString kFileName = QStringLiteral("Archivio_Indirizzi.xls");
inline const QString kSheetName = QStringLiteral("Archivio Indirizzi");

// Ten columns: the row number, then Nome, Tipo, Rigo01 to Rigo06 and Note. Attachments are not exported.
const QList<ExportGridColumn>& gridColumns();

// Loads the grid from Archivio_Indirizzi.pro (created empty when missing). An empty archive leaves `rows` as it
// was (the ten empty rows); otherwise `rows` gets one row per card in file order, filled as the cards are read.
// A failure throws ArchiveAccessError and leaves the rows filled so far.
void loadGrid(const QString& programFolder, ExportGridRows& rows);

} // namespace AddressExport
