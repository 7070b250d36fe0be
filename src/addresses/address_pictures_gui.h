#pragma once

#include <QIcon>
#include <QString>

class QToolButton;

// Our pictures of the address archive and its printing windows (assets/addresses), by base name: "save", "envelope".
QIcon addressPicture(const QString& name);
// The resource path of a picture, for style sheets.
QString addressPicturePath(const QString& name);

// A picture button of a toolbar: hand cursor, no focus, its action as accessible name, its hint as description.
QToolButton* makePictureButton(const QString& objectName, const QString& picture, const QString& accessibleName,
                               const QString& hint);
