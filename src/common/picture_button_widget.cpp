#include "common/picture_button_widget.h"

#include "common/colours.h"
#include "common/focus_frame_widget.h"
#include "common/pictures_gui.h"

#include <QPainter>

PictureButton::PictureButton(const QString& picture, const QString& objectName, const QString& accessibleName,
                             QWidget* parent)
    : QAbstractButton(parent), m_picture(Pictures::path(picture))
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

QSvgRenderer& PictureButton::renderer() const
{
    if (!m_renderer)
        m_renderer = std::make_unique<QSvgRenderer>(m_picture);
    return *m_renderer;
}

bool PictureButton::hasPicture() const
{
    return renderer().isValid();
}

QSize PictureButton::sizeHint() const
{
    return renderer().defaultSize();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Keep the drawing's proportions, centred in the button.
    QSizeF size = renderer().viewBoxF().size();
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    QRectF area(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    if (isDown())
        area.translate(1, 1); // a pressed picture sinks a little
    renderer().render(&painter, area);
    if (hasFocus()) {
        // The fields' mark (FocusFrame): a yellow frame, here at the button's edge, with a dark line inside it so
        // that it stands out from a light picture too.
        painter.setRenderHint(QPainter::Antialiasing, false);
        const int w = FocusFrame::kWidth;
        const QRect edge = rect();
        painter.fillRect(QRect(edge.left(), edge.top(), edge.width(), w), Colours::kFocusYellow);
        painter.fillRect(QRect(edge.left(), edge.bottom() - w + 1, edge.width(), w), Colours::kFocusYellow);
        painter.fillRect(QRect(edge.left(), edge.top(), w, edge.height()), Colours::kFocusYellow);
        painter.fillRect(QRect(edge.right() - w + 1, edge.top(), w, edge.height()), Colours::kFocusYellow);
        painter.setPen(QPen(Colours::kHintStrip, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(edge.adjusted(w, w, -w - 1, -w - 1));
    }
}
