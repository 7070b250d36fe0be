#pragma once

#include <QDialog>

struct AppContext;
class ExportGridModel;
class HintLine;
class QTableView;

// Shows every address card in a grid and exports the grid as the spreadsheet file Archivio_Indirizzi.xls.
class AddressExportWindow : public QDialog
{
    Q_OBJECT

public:
    AddressExportWindow(const AppContext& context, QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadGrid();
    void exportGrid();

    const AppContext& m_context;
    ExportGridModel* m_model;
    QTableView* m_grdRecords;
    HintLine* m_hints;
};
