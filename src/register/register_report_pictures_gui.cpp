#include "register/register_report_pictures_gui.h"

QIcon registerReportPicture(const QString& name)
{
    // The pictures live in a static library; nothing else would pull them into the program.
    static const bool loaded = [] {
        Q_INIT_RESOURCE(register_reports);
        return true;
    }();
    Q_UNUSED(loaded);
    return QIcon(QStringLiteral(":/register_reports/%1.svg").arg(name));
}
