#pragma once

#include "app/launcher_window.h"

#include <QObject>
#include <memory>
#include <vector>

struct AppContext;
class ChangePasswordWindow;
class LoginWindow;
class RegisterWindow;

// The program's main windows, made once at start-up, hidden, and the flow between them: at any time exactly one of
// them is visible, apart from modal dialogs. Dialogs are not here: each use makes its own.
//
// An application window joins the set through adoptApplication(): it only needs a signal `void closed()`, emitted
// when the user leaves it for the launcher (ApplicationWindow provides one).
class WindowSet : public QObject
{
    Q_OBJECT

public:
    explicit WindowSet(const AppContext& context);
    ~WindowSet() override;

    // Shows the login window, centred, with the focus in its password field.
    void start();

    LoginWindow* login() const { return m_login; }
    LauncherWindow* launcher() const { return m_launcher; }
    ChangePasswordWindow* changePassword() const { return m_changePassword; }
    QWidget* application(LauncherWindow::Application application) const;
    // The register window of the year the year menu opened.
    RegisterWindow* registerWindow() const { return m_register; }

Q_SIGNALS:
    // The user left the program (login window or launcher closed): the run loop should stop.
    void finished();

private:
    template <class Window> Window* adoptApplication(Window* window)
    {
        connect(window, &Window::closed, m_launcher, [this] {
            m_launcher->show();
            m_launcher->activateWindow();
        });
        keep(window);
        return window;
    }
    void keep(QWidget* window);
    void openApplication(LauncherWindow::Application application);

    std::vector<std::unique_ptr<QWidget>> m_windows; // in order of creation
    LoginWindow* m_login = nullptr;
    LauncherWindow* m_launcher = nullptr;
    ChangePasswordWindow* m_changePassword = nullptr;
    QWidget* m_labelSheets = nullptr;
    QWidget* m_addressArchive = nullptr;
    QWidget* m_registerMenu = nullptr;
    RegisterWindow* m_register = nullptr;
};
