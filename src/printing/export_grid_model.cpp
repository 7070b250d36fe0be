#include "printing/export_grid_model.h"

ExportGridModel::ExportGridModel(const QList<ExportGridColumn>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns)
{
}

void ExportGridModel::setRows(const ExportGridRows& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int ExportGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ExportGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ExportGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const QStringList& row = m_rows.at(index.row());
    return index.column() < row.size() ? row.at(index.column()) : QString();
}

QVariant ExportGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns.at(section).header;
    if (role == Qt::UserRole)
        return m_columns.at(section).objectName;
    return {};
}

Qt::ItemFlags ExportGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
