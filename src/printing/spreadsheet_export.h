#pragma once

#include "printing/spreadsheet_document.h"

struct AppContext;
class QWidget;

// Exports rows as the spreadsheet file `fileName` of the program folder: asks first, writes the file, then offers to
// open it with its associated program. Every outcome is told to the user; a file that cannot be written (also one
// the office suite holds open) gives the one export error and leaves an earlier file as it was.
void SpreadsheetExport(const AppContext& context, QWidget* owner, const QString& fileName, const QString& sheetName,
                       const QList<SpreadsheetColumn>& columns, const QList<QStringList>& rows);
