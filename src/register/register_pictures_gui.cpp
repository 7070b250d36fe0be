#include "register/register_pictures_gui.h"

#include "common/pictures_gui.h"

#include <QLabel>

QLabel* registerPicture(const QString& objectName, const QString& name, const QSize& size,
                        const QString& accessibleName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setPixmap(Pictures::pixmap(QStringLiteral("register/") + name, size, label->devicePixelRatioF()));
    label->setFixedSize(size);
    label->setAccessibleName(accessibleName);
    return label;
}
