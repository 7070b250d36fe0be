#include "help/link_label_widget.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    QFont linkFont(QStringLiteral("Tahoma"), 14);
    linkFont.setUnderline(true);
    setFont(linkFont);
    setCursor(Qt::PointingHandCursor);
    setTextColour(kIdleColour);
    addPicture(this);
}

void LinkLabel::addPicture(QLabel* picture)
{
    picture->setCursor(Qt::PointingHandCursor);
    picture->installEventFilter(this);
}

QColor LinkLabel::textColour() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setTextColour(QRgb colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor::fromRgba(colour));
    setPalette(p);
}

bool LinkLabel::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (event->type() == QEvent::MouseButtonPress) {
                setTextColour(kPressedColour);
            } else {
                setTextColour(kIdleColour);
                // Like any button: letting go outside the control cancels the click.
                if (widget->rect().contains(mouse->position().toPoint()))
                    Q_EMIT activated();
            }
            return true;
        }
    }
    return QLabel::eventFilter(watched, event);
}
