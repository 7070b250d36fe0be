#include "common/hint_line_gui.h"

#include "common/colours.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QMouseEvent>

namespace {

const QString kHintName = QStringLiteral("Suggerimento");
// Marks the controls added with addControl.
constexpr char kHintedControl[] = "plicarioHinted";

bool isHinted(const QObject* object)
{
    return qobject_cast<const QAbstractButton*>(object) || object->property(kHintedControl).toBool();
}

// A status line whose name is its text, with a read-only text interface over the same text.
class HintAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit HintAccessible(HintLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return hint().isEmpty() ? kHintName : hint();
        if (t == QAccessible::Description)
            return kHintName;
        return QAccessibleWidget::text(t);
    }

    // Read only, with no selection and no caret.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return hint().mid(start, end - start); }
    int characterCount() const override { return int(hint().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString hint() const { return static_cast<const QLabel*>(object())->text(); }
};

QAccessibleInterface* hintAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("HintLabel"))
        return new HintAccessible(static_cast<HintLabel*>(object));
    return nullptr;
}

// Tab and Shift+Tab show a button's hint as the pointer does. A field's hint stays with the pointer: a dialog gives
// its first field the focus "by Tab" when it opens, and that must not replace the window's opening hint.
bool reachedByKeyboard(const QEvent* event)
{
    if (event->type() != QEvent::FocusIn)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
}

} // namespace

HintLabel::HintLabel(QWidget* parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(hintAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void HintLabel::setHint(const QString& text)
{
    if (text == this->text())
        return;
    const QString old = this->text();
    setText(text);
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessibleTextUpdateEvent textChanged(this, 0, old, text);
    QAccessible::updateAccessibility(&textChanged);
}

HintLine::HintLine(QWidget* window) : QObject(window), m_line(new HintLabel(window))
{
    m_line->setObjectName(QStringLiteral("panInfo"));
    m_line->setAccessibleName(kHintName);
    m_line->setAutoFillBackground(true);
    QPalette palette = m_line->palette();
    palette.setColor(QPalette::Window, Colours::kHintStrip);
    palette.setColor(QPalette::WindowText, Colours::kHintText);
    m_line->setPalette(palette);
    m_line->setContentsMargins(12, 4, 12, 4);
    m_line->setMinimumHeight(26);
}

void HintLine::addButton(QAbstractButton* button)
{
    button->installEventFilter(this);
}

void HintLine::addControl(QWidget* control)
{
    control->setProperty(kHintedControl, true);
    control->installEventFilter(this);
}

void HintLine::addBackground(QWidget* widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void HintLine::setText(const QString& text)
{
    m_line->setHint(text);
}

bool HintLine::eventFilter(QObject* watched, QEvent* event)
{
    if (isHinted(watched)) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove ||
            (reachedByKeyboard(event) && qobject_cast<QAbstractButton*>(watched)))
            setText(static_cast<QWidget*>(watched)->accessibleDescription());
    } else if (event->type() == QEvent::MouseMove) {
        // Moves over a button reach its parent too; only the bare background empties the line.
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* under = widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        while (under && under != widget && !isHinted(under))
            under = under->parentWidget();
        if (!under || !isHinted(under))
            setText(QString());
    }
    return QObject::eventFilter(watched, event);
}
