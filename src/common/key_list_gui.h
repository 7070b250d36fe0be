#pragma once

#include <QList>
#include <QString>

class QWidget;

// The keys of a window's commands as its buttons carry them, read from the window itself: the user guide prints
// them and the keyboard test checks them, so the two cannot tell different stories.
namespace KeyList {

struct Row
{
    QString keys;    // as the program writes them: "Ctrl+Shift+G"
    QString command; // the button's spoken name: "Registro giornaliero"
};

// Every button of `window` that has a shortcut and is shown with it, in the order the window made them.
QList<Row> of(const QWidget* window);

} // namespace KeyList
