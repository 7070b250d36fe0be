#include "printing/export_grid.h"

namespace ExportGrid {

ExportGridRows emptyRows(qsizetype columnCount)
{
    return ExportGridRows(10, QStringList(columnCount, QString()));
}

QList<SpreadsheetColumn> exportColumns(const QList<ExportGridColumn>& columns)
{
    QList<SpreadsheetColumn> out;
    for (qsizetype i = 1; i < columns.size(); ++i)
        out.append({columns[i].header, columns[i].exportWidth});
    return out;
}

QList<QStringList> exportRows(const ExportGridRows& rows)
{
    QList<QStringList> out;
    out.reserve(rows.size());
    for (const QStringList& row : rows)
        out.append(row.mid(1));
    return out;
}

QByteArray document(const QString& sheetName, const QList<ExportGridColumn>& columns, const ExportGridRows& rows)
{
    return SpreadsheetDocument::build(sheetName, exportColumns(columns), rows, 1);
}

} // namespace ExportGrid
