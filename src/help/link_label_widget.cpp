#include "help/link_label_widget.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// Screen readers and desktop automation see a link that can be pressed, not a piece of static text.
class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QStringList actionNames() const override { return QStringList(pressAction()) << QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name == pressAction())
            static_cast<LinkLabel*>(widget())->activate();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* linkLabelAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("LinkLabel") && object && object->isWidgetType())
        return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    QFont linkFont(QStringLiteral("Tahoma"), 14);
    linkFont.setUnderline(true);
    setFont(linkFont);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextColour(kIdleColour);
    addPicture(this);

    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(linkLabelAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled)
}

void LinkLabel::activate()
{
    setTextColour(kIdleColour);
    Q_EMIT activated();
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
            } else if (widget->rect().contains(mouse->position().toPoint())) {
                activate();
            } else {
                // Like any button: letting go outside the control cancels the click.
                setTextColour(kIdleColour);
            }
            return true;
        }
    }
    return QLabel::eventFilter(watched, event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
