#include "common/hint_line_gui.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
// Marks the controls added with addControl.
constexpr char kHintedControl[] = "plicarioHinted";
} // namespace

HintLine::HintLine(QWidget* window) : QObject(window), m_line(new QLabel(window))
{
    m_line->setObjectName(QStringLiteral("panInfo"));
    m_line->setAccessibleName(QStringLiteral("Suggerimento"));
    m_line->setAutoFillBackground(true);
    QPalette palette = m_line->palette();
    palette.setColor(QPalette::Window, QColor(0x1F, 0x4E, 0x8C));
    palette.setColor(QPalette::WindowText, Qt::white);
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
    m_line->setText(text);
}

bool HintLine::eventFilter(QObject* watched, QEvent* event)
{
    if (qobject_cast<QAbstractButton*>(watched) || watched->property(kHintedControl).toBool()) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
            setText(static_cast<QWidget*>(watched)->accessibleDescription());
    } else if (event->type() == QEvent::MouseMove) {
        // Moves over a button reach its parent too; only the bare background empties the line.
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* under = widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        const auto hinted = [](QWidget* w) {
            return qobject_cast<QAbstractButton*>(w) || w->property(kHintedControl).toBool();
        };
        while (under && under != widget && !hinted(under))
            under = under->parentWidget();
        if (!under || !hinted(under))
            setText(QString());
    }
    return QObject::eventFilter(watched, event);
}
