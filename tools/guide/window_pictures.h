#pragma once

#include "common/key_list_gui.h"

#include <QImage>
#include <QList>
#include <QString>

class GuideOffice;

// The program's own windows, made over the guide's fictional office and drawn offscreen, with the keys each one
// carries.
struct WindowPicture
{
    QString id;    // "finestra:registro", as the guide's HTML names it
    QString title; // the window as the guide and the key table name it
    QImage image;
    QList<KeyList::Row> keys;
    // The controls numbered on the picture, in the order of their numbers, by their spoken names.
    QStringList marks;
};

// Every picture, in the guide's order; a window that cannot be drawn ends the list short, which the caller reports.
QList<WindowPicture> takeWindowPictures(GuideOffice& office);
