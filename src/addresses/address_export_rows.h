#pragma once

#include "printing/export_grid.h"

// The address export: the grid of every address card and the file it writes.
namespace AddressExport {

inline const QString kFileName = QStringLiteral("Archivio_Indirizzi.xls");
inline const QString kSheetName = QStringLiteral("Archivio Indirizzi");

// Ten columns: the row number, then Nome, Tipo, Rigo01 to Rigo06 and Note. Attachments are not exported.
const QList<ExportGridColumn>& gridColumns();

// One row per card of Archivio_Indirizzi.pro (created empty when missing), in file order: none for an empty
// archive, whose grid keeps its ten empty rows. Throws ArchiveAccessError.
ExportGridRows loadGrid(const QString& programFolder);

} // namespace AddressExport
