#pragma once

#include "printing/export_grid.h"

#include <QAbstractTableModel>

// The read-only grid of an export window over its rows of texts: what is exported is what the archive holds.
class ExportGridModel : public QAbstractTableModel
{
public:
    // The column's object name (colNum, colNome, ...) is given for Qt::UserRole of the horizontal header.
    ExportGridModel(const QList<ExportGridColumn>& columns, QObject* parent = nullptr);

    void setRows(const ExportGridRows& rows);
    const ExportGridRows& rows() const { return m_rows; }
    const QList<ExportGridColumn>& columns() const { return m_columns; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<ExportGridColumn> m_columns;
    ExportGridRows m_rows;
};
