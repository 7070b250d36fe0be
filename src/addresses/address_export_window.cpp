#include "addresses/address_export_window.h"

#include "addresses/address_export_rows.h"
#include "common/app_context.h"
#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "printing/export_grid_widget.h"

AddressExportWindow::AddressExportWindow(const AppContext& context, QWidget* owner)
    : ExportGridWindow(context, AddressExport::gridColumns(), {AddressExport::kFileName, AddressExport::kSheetName},
                       HelpTopics::addressExport(), owner)
{
    setObjectName(QStringLiteral("frmExpIndirizzi"));
    setWindowTitle(QStringLiteral(" Esportazione archivio indirizzi in Excel"));
    setTitle(QStringLiteral("Archivio indirizzi"));
    grid()->setAccessibleName(QStringLiteral("Schede in archivio"));
    hints()->setText(QStringLiteral("Esportazione archivio in Microsoft Excel."));
    Keyboard::setUpWindow(this);
}

void AddressExportWindow::shown()
{
    try {
        // An empty archive leaves the grid's empty rows.
        if (ExportGridRows rows = AddressExport::loadGrid(context().programFolder); !rows.isEmpty())
            grid()->setRows(rows);
    } catch (const ArchiveAccessError&) {
        // An archive that cannot be read fails silently; the grid keeps what it had. Any other failure is reported.
    }
}
