#include "common/window_gui.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

const char* const kMainWindowProperty = "plicarioMainWindow";

QAccessibleInterface* mainWindowAccessible(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->property(kMainWindowProperty).toBool() ||
        className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

namespace Windows {

void centre(QWidget* window, Over over)
{
    QRect area;
    if (QWidget* owner = window->parentWidget(); over == Over::Owner && owner)
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

void fillScreen(QWidget* window)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->setGeometry(screen->availableGeometry());
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void markMainWindow(QWidget* window)
{
    static const bool installed = [] {
        QAccessible::installFactory(mainWindowAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    window->setProperty(kMainWindowProperty, true);
}

void describe(QWidget* control, const QString& name, const QString& hint)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(hint);
    control->setToolTip(name);
}

} // namespace Windows
