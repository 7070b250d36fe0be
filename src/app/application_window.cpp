#include "app/application_window.h"

#include "common/window_gui.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

ApplicationWindow::ApplicationWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Windows::markMainWindow(this);
    fillScreen(this);
}

void ApplicationWindow::fillScreen(QWidget* window)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->setGeometry(screen->availableGeometry());
    window->setWindowState(Qt::WindowMaximized);
}

void ApplicationWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}
