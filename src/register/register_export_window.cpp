#include "register/register_export_window.h"

#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "printing/export_grid_widget.h"
#include "register/register_export_rows.h"

RegisterExportWindow::RegisterExportWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner)
    : ExportGridWindow(context, RegisterExport::gridColumns(),
                       {RegisterExport::kFileName, RegisterExport::kYearSheetName}, HelpTopics::registerExport(),
                       owner),
      m_yearFilePath(yearFilePath)
{
    setObjectName(QStringLiteral("frmExpProtocollo"));
    setWindowTitle(QStringLiteral(" Esportazione protocollo posta in Excel"));
    setTitle(QStringLiteral("Protocollo posta"));
    grid()->setAccessibleName(QStringLiteral("Schede del protocollo"));
    hints()->setText(QStringLiteral("Esportazione archivio in Microsoft Excel."));
    Keyboard::setUpWindow(this);
}

void RegisterExportWindow::shown()
{
    try {
        // An empty year leaves the grid's empty rows.
        if (ExportGridRows rows = RegisterExport::loadYear(m_yearFilePath); !rows.isEmpty())
            grid()->setRows(rows);
    } catch (const ArchiveAccessError&) {
        // A year file that cannot be read fails silently; the grid keeps what it had. Any other failure is reported.
    }
}
