#pragma once

#include "printing/export_grid_window.h"

// Shows every card of the open year in a grid and exports the grid as Protocollo.xls, sheet "Protocollo Posta".
class RegisterExportWindow : public ExportGridWindow
{
    Q_OBJECT

public:
    RegisterExportWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner);

protected:
    void shown() override;

private:
    QString m_yearFilePath;
};
