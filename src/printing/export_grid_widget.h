#pragma once

#include "printing/export_grid.h"

#include <QTableView>

class ExportGridModel;

// The read-only grid of the export windows: its columns at their widths, rows 21 pixels high in alternating
// colours, ten empty rows until something is loaded.
class ExportGridWidget : public QTableView
{
    Q_OBJECT

public:
    explicit ExportGridWidget(const QList<ExportGridColumn>& columns, QWidget* parent = nullptr);

    void setRows(const ExportGridRows& rows);
    const ExportGridRows& rows() const;
    const QList<ExportGridColumn>& columns() const;

private:
    ExportGridModel* m_model;
};
