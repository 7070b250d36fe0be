#include "common/keyboard_gui.h"

#include "common/modal_windows_gui.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

namespace {

// One per window. Enter or Return on a focused button presses it; a shortcut of the window's set wins over the
// editing keys of the field that has the focus (a line edit keeps Ctrl+Home and Ctrl+End for itself otherwise).
class WindowKeys : public QObject
{
public:
    explicit WindowKeys(QWidget* window) : QObject(window), m_window(window) { setObjectName(kName); }

    // Found by name: without Q_OBJECT of its own, findChild<WindowKeys*> would take any child of the window.
    static inline const QString kName = QStringLiteral("plicarioWindowKeys");

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride)
            return isWindowShortcut(static_cast<QKeyEvent*>(event)->keyCombination());
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!button || (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat() ||
            (key->modifiers() & ~Qt::KeypadModifier) || !button->isEnabled())
            return false;
        button->click();
        return true;
    }

private:
    bool isWindowShortcut(QKeyCombination keys) const
    {
        const QKeySequence pressed(keys);
        for (const QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
            if (!button->shortcut().isEmpty() && button->shortcut() == pressed)
                return true;
        for (const QShortcut* shortcut : m_window->findChildren<QShortcut*>())
            if (shortcut->key() == pressed)
                return true;
        return false;
    }

    QWidget* m_window;
};

} // namespace

namespace Keyboard {

void setUpWindow(QWidget* window)
{
    ModalWindows::install();
    QObject* keys = window->findChild<QObject*>(WindowKeys::kName, Qt::FindDirectChildrenOnly);
    if (!keys)
        keys = new WindowKeys(window);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (auto* push = qobject_cast<QPushButton*>(control))
            push->setAutoDefault(false);
        if (control->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(control)) {
            control->removeEventFilter(keys);
            control->installEventFilter(keys);
        }
    }
}

QString tooltip(const QString& name, const char* keys)
{
    return keys ? QStringLiteral("%1 (%2)").arg(name, QLatin1String(keys)) : name;
}

void setShortcut(QAbstractButton* button, const char* keys)
{
    button->setShortcut(QKeySequence(QLatin1String(keys)));
    const QString words = button->toolTip().isEmpty() ? button->accessibleName() : button->toolTip();
    button->setToolTip(tooltip(words, keys));
}

QShortcut* addShortcut(QWidget* window, const char* keys, const std::function<void()>& action)
{
    auto* shortcut = new QShortcut(QKeySequence(QLatin1String(keys)), window);
    QObject::connect(shortcut, &QShortcut::activated, window, action);
    return shortcut;
}

} // namespace Keyboard
