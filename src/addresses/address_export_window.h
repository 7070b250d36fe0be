#pragma once

#include "printing/export_grid_window.h"

// Shows every address card in a grid and exports the grid as the spreadsheet file Archivio_Indirizzi.xls.
class AddressExportWindow : public ExportGridWindow
{
    Q_OBJECT

public:
    AddressExportWindow(const AppContext& context, QWidget* owner);

protected:
    void shown() override;
};
