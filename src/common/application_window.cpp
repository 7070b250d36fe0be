#include "common/application_window.h"

#include "common/window_gui.h"

#include <QCloseEvent>

ApplicationWindow::ApplicationWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Windows::markMainWindow(this);
    Windows::fillScreen(this);
}

void ApplicationWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}
