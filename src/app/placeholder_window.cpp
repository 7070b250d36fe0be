#include "app/placeholder_window.h"

namespace Placeholders {

ApplicationWindow* registerMenu()
{
    return new ApplicationWindow(QStringLiteral("frmMenuProtocollo"),
                                 QStringLiteral(" Plicario 3.0 - Protocollo Posta"));
}

} // namespace Placeholders
