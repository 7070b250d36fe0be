#pragma once

#include <QWidget>

// A main window of one of the three applications. Closing it hands the screen back to the launcher: the window set
// answers closed() by showing the launcher. A window that cannot derive from this class only needs a signal
// `void closed()` of its own, emitted when the user leaves it for the launcher.
class ApplicationWindow : public QWidget
{
    Q_OBJECT

public:
    // Opens maximised, as every application does.
    ApplicationWindow(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};
