#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Our own pictures (assets/pictures.qrc), by their path inside the assets folder without ".svg":
// "addresses/save", "shell/exit", "help/logo". Every window reaches them through here, so the resource is loaded
// once, whoever asks first.
namespace Pictures {

// ":/addresses/save.svg", for QSvgRenderer and style sheets.
QString path(const QString& name);
QIcon icon(const QString& name);
// Drawn at `size` (device-independent pixels) for a screen of `devicePixelRatio`.
QPixmap pixmap(const QString& name, QSize size, qreal devicePixelRatio = 1.0);

} // namespace Pictures
