#pragma once

#include "printing/spreadsheet_document.h"

#include <QList>
#include <QString>
#include <QStringList>

// The grid of an export window: column 0 numbers the rows, the others hold card fields and are the exported
// columns. Rows are held as texts, one per grid column, so the windows and the batch tool export the same thing.
struct ExportGridColumn
{
    QString objectName; // colNum, colNome, ...
    QString header;
    int width;       // on screen, in pixels
    int exportWidth; // in the spreadsheet; unused for column 0
};

using ExportGridRows = QList<QStringList>;

namespace ExportGrid {

// The ten empty rows a grid shows before anything is loaded.
ExportGridRows emptyRows(qsizetype columnCount);

// The spreadsheet columns: every grid column but the row number.
QList<SpreadsheetColumn> exportColumns(const QList<ExportGridColumn>& columns);

// The spreadsheet rows: every grid row, without its number.
QList<QStringList> exportRows(const ExportGridRows& rows);

// The spreadsheet document of the grid: its columns and rows without the row numbers.
QByteArray document(const QString& sheetName, const QList<ExportGridColumn>& columns, const ExportGridRows& rows);

} // namespace ExportGrid
