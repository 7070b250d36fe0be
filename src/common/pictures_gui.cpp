#include "common/pictures_gui.h"

#include <QPainter>
#include <QSvgRenderer>

static void loadPictures()
{
    // The pictures are compiled into a static library; nothing would pull them into the program otherwise.
    static const bool loaded = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace Pictures {

QString path(const QString& name)
{
    loadPictures();
    return QStringLiteral(":/%1.svg").arg(name);
}

QIcon icon(const QString& name)
{
    return QIcon(path(name));
}

QPixmap pixmap(const QString& name, QSize size, qreal devicePixelRatio)
{
    QPixmap result(size * devicePixelRatio);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(path(name)).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return result;
}

} // namespace Pictures
