#include "common/hint_line_gui.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

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
    if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
            setText(button->accessibleDescription());
    } else if (event->type() == QEvent::MouseMove) {
        // Moves over a button reach its parent too; only the bare background empties the line.
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* under = widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        while (under && under != widget && !qobject_cast<QAbstractButton*>(under))
            under = under->parentWidget();
        if (!qobject_cast<QAbstractButton*>(under))
            setText(QString());
    }
    return QObject::eventFilter(watched, event);
}
