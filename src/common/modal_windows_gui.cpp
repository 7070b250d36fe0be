#include "common/modal_windows_gui.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

bool isDialog(const QObject* object)
{
    if (!object->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(object);
    return widget->isWindow() && widget->windowType() == Qt::Dialog;
}

void giveKeyboardBack(QWidget* window)
{
    // Another modal window may have opened meanwhile: that one keeps the keyboard.
    const QWidget* modal = QApplication::activeModalWidget();
    if (!window->isVisible() || window->isMinimized() || (modal && modal != window))
        return;
    window->activateWindow();
}

void bringBack(QWidget* dialog)
{
    if (!dialog->isVisible())
        return;
    dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

class ModalWindowKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous() && isDialog(watched)) {
            if (QWidget* owner = static_cast<QWidget*>(watched)->parentWidget()) {
                // Once the closing window is gone from the screen and from the modal windows.
                QPointer<QWidget> window = owner->window();
                QTimer::singleShot(0, window, [window] { giveKeyboardBack(window); });
            }
        } else if (event->type() == QEvent::WindowStateChange && isDialog(watched)) {
            auto* dialog = static_cast<QWidget*>(watched);
            if (dialog->isMinimized() && dialog->isModal() && !(dialog->windowFlags() & Qt::WindowMinimizeButtonHint))
                QTimer::singleShot(0, dialog, [dialog] { bringBack(dialog); });
        }
        return false;
    }
};

} // namespace

namespace ModalWindows {

void install()
{
    static QPointer<ModalWindowKeeper> keeper;
    if (keeper || !qApp)
        return;
    keeper = new ModalWindowKeeper(qApp);
    qApp->installEventFilter(keeper);
}

} // namespace ModalWindows
