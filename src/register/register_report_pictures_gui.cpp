#include "register/register_report_pictures_gui.h"

#include "common/pictures_gui.h"

QIcon registerReportPicture(const QString& name)
{
    return Pictures::icon(QStringLiteral("register_reports/") + name);
}
