#pragma once

#include <QIcon>
#include <QString>

// Our pictures of the address archive and its printing windows (assets/addresses), by base name: "save", "envelope".
QIcon addressPicture(const QString& name);
// The resource path of a picture, for style sheets.
QString addressPicturePath(const QString& name);
