#include "printing/export_grid_widget.h"

#include "printing/export_grid_model.h"

#include <QHeaderView>

ExportGridWidget::ExportGridWidget(const QList<ExportGridColumn>& columns, QWidget* parent)
    : QTableView(parent), m_model(new ExportGridModel(columns, this))
{
    setObjectName(QStringLiteral("grdRecords"));
    setModel(m_model);
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // The arrows move in the grid; Tab goes on to the window's buttons instead of walking every cell.
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(21);
    verticalHeader()->setDefaultSectionSize(21);
    horizontalHeader()->setHighlightSections(false);
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width);
    m_model->setRows(ExportGrid::emptyRows(columns.size()));
}

void ExportGridWidget::setRows(const ExportGridRows& rows)
{
    m_model->setRows(rows);
}

const ExportGridRows& ExportGridWidget::rows() const
{
    return m_model->rows();
}

const QList<ExportGridColumn>& ExportGridWidget::columns() const
{
    return m_model->columns();
}
