#include "app/placeholder_window.h"

namespace Placeholders {

ApplicationWindow* labelSheets()
{
    return new ApplicationWindow(QStringLiteral("frmArchivio_Etichette"),
                                 QStringLiteral(" Plicario 3.0 - Gestione Etichette"));
}

ApplicationWindow* registerMenu()
{
    return new ApplicationWindow(QStringLiteral("frmMenuProtocollo"),
                                 QStringLiteral(" Plicario 3.0 - Protocollo Posta"));
}

} // namespace Placeholders
