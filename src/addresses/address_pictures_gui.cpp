#include "addresses/address_pictures_gui.h"

#include <QToolButton>

static void initAddressResources()
{
    // The pictures live in a static library; nothing else would pull them into the program.
    static const bool done = [] {
        Q_INIT_RESOURCE(addresses);
        return true;
    }();
    Q_UNUSED(done);
}

QString addressPicturePath(const QString& name)
{
    initAddressResources();
    return QStringLiteral(":/addresses/%1.svg").arg(name);
}

QIcon addressPicture(const QString& name)
{
    return QIcon(addressPicturePath(name));
}

QToolButton* makePictureButton(const QString& objectName, const QString& picture, const QString& accessibleName,
                               const QString& hint)
{
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setIcon(addressPicture(picture));
    button->setIconSize(QSize(40, 40));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(accessibleName);
    button->setAccessibleDescription(hint);
    button->setToolTip(accessibleName);
    return button;
}
