#include "common/picture_button_widget.h"

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
    if (hasFocus())
        FocusFrame::paintOnButton(painter, rect());
}
