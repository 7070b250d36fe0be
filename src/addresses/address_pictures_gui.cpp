#include "addresses/address_pictures_gui.h"

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
