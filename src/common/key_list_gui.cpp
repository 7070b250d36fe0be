#include "common/key_list_gui.h"

#include <QAbstractButton>
#include <QAction>
#include <QToolBar>
#include <QWidget>

#include <algorithm>

namespace KeyList {

QList<Row> of(const QWidget* window)
{
    QList<Row> rows;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->shortcut().isEmpty() || !button->isVisibleTo(window))
            continue;
        QString name = button->accessibleName();
        if (name.isEmpty())
            name = button->text().remove(QLatin1Char('&'));
        rows.append({button->shortcut().toString(QKeySequence::PortableText), name});
    }
    // A toolbar of actions (the print preview) carries its keys on the actions.
    for (const QAction* action : window->findChildren<QAction*>()) {
        const QList<QObject*> shownOn = action->associatedObjects();
        const bool onToolbar = std::any_of(shownOn.begin(), shownOn.end(),
                                           [](QObject* o) { return qobject_cast<QToolBar*>(o) != nullptr; });
        if (!onToolbar || action->shortcut().isEmpty() || !action->isVisible())
            continue;
        rows.append({action->shortcut().toString(QKeySequence::PortableText), action->text().remove(u'&')});
    }
    return rows;
}

} // namespace KeyList
