#include "common/focus_frame_widget.h"

#include "common/colours.h"
#include <QApplication>
#include <QEvent>
#include <QPainter>

FocusFrame::FocusFrame(QWidget* field, const QString& objectName) : QWidget(field->parentWidget()), m_field(field)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    field->installEventFilter(this);
    // A group (the buttons of one choice) is marked while any of its controls has the focus.
    for (QWidget* control : field->findChildren<QWidget*>())
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    follow();
    setVisible(field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()));
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        follow();
        show();
        break;
    case QEvent::FocusOut:
        hide();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (watched == m_field)
            follow();
        break;
    default:
        break;
    }
    return false;
}

void FocusFrame::follow()
{
    setGeometry(m_field->geometry().adjusted(-kWidth, -kWidth, kWidth, kWidth));
    stackUnder(m_field);
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Colours::kFocusYellow);
}

void FocusFrame::paintOnButton(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int w = kWidth;
    painter.fillRect(QRect(area.left(), area.top(), area.width(), w), Colours::kFocusYellow);
    painter.fillRect(QRect(area.left(), area.bottom() - w + 1, area.width(), w), Colours::kFocusYellow);
    painter.fillRect(QRect(area.left(), area.top(), w, area.height()), Colours::kFocusYellow);
    painter.fillRect(QRect(area.right() - w + 1, area.top(), w, area.height()), Colours::kFocusYellow);
    painter.setPen(QPen(Colours::kHintStrip, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(w, w, -w - 1, -w - 1));
    painter.restore();
}
