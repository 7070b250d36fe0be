#include "app/placeholder_window.h"

namespace Placeholders {

ApplicationWindow* addressArchive()
{
    return new ApplicationWindow(QStringLiteral("frmArchivio_Indirizzi"),
                                 QStringLiteral(" Plicario 3.0 - Archivio Indirizzi"));
}

ApplicationWindow* labelSheets()
{
    return new ApplicationWindow(QStringLiteral("frmArchivio_Etichette"),
                                 QStringLiteral(" Plicario 3.0 - Gestione Etichette"));
}

ApplicationWindow* registerMenu()
{
    return new ApplicationWindow(QStringLiteral("frmMenuProtocollo"), QStringLiteral(" Plicario 3.0 - Protocollo Posta"));
}

} // namespace Placeholders
