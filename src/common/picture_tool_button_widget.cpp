#include "common/picture_tool_button_widget.h"

#include "common/focus_frame_widget.h"

#include <QPainter>

void PictureToolButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        FocusFrame::paintOnButton(painter, rect());
    }
}
