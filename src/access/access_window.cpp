#include "access/access_window.h"

#include "common/focus_frame_widget.h"
#include "common/text.h"
#include "common/window_gui.h"

#include <QKeyEvent>
#include <QLineEdit>

AccessWindow::AccessWindow(const QString& objectName, const QString& caption)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Windows::markMainWindow(this);
}

QLineEdit* AccessWindow::addPasswordField(const QString& objectName, const QString& frameName,
                                          const QString& accessibleName)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(objectName);
    field->setAccessibleName(accessibleName);
    field->setEchoMode(QLineEdit::Password);
    QFont font(QStringLiteral("Verdana"), 14);
    font.setBold(true);
    field->setFont(font);
    field->installEventFilter(this);
    new FocusFrame(field, frameName);
    return field;
}

void AccessWindow::fixSize()
{
    setFixedSize(sizeHint());
}

bool AccessWindow::isFilled(const QLineEdit* field)
{
    return !Text::trimmed(field->text()).isEmpty();
}

void AccessWindow::showEvent(QShowEvent* event)
{
    Windows::centre(this, Windows::Over::Screen);
    QWidget::showEvent(event);
}

bool AccessWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && field->parentWidget() == this) {
        if (event->type() == QEvent::KeyPress)
            return fieldKeyPressed(field, static_cast<QKeyEvent*>(event)->key());
        if (event->type() == QEvent::KeyRelease)
            fieldKeyReleased(field);
    }
    return QWidget::eventFilter(watched, event);
}
