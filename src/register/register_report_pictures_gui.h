#pragma once

#include <QIcon>
#include <QString>

// Our pictures of the register's search, print, summary and export windows (assets/register_reports), by base name.
QIcon registerReportPicture(const QString& name);
