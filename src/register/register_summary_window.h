#pragma once

#include "printing/export_grid_window.h"

class QLineEdit;

// Lists the cards of the open year registered between two dates typed by the user, and exports that grid as
// Protocollo.xls, sheet "Protocollo Documenti".
class RegisterSummaryWindow : public ExportGridWindow
{
    Q_OBJECT

public:
    RegisterSummaryWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner);

protected:
    void shown() override;

private:
    void buildSummary();

    QString m_yearFilePath;
    QLineEdit* m_txtDataInizio;
    QLineEdit* m_txtDataFine;
};
