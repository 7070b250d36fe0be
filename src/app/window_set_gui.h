#pragma once

#include "app/launcher_window.h"

#include <QObject>
#include <memory>
#include <vector>

struct AppContext;
class ChangePasswordWindow;
class LoginWindow;
class RegisterWindow;

// The program's main windows and the flow between them: at any time exactly one of them is visible, apart from modal
// dialogs. Only the login window is made at start-up, so that it shows at once; every other main window is made the
// first time it is asked for and then kept, hidden between uses, as the one instance of its kind. Dialogs are not
// here: each use makes its own.
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
    // The accessors below make their window when it does not exist yet.
    LauncherWindow* launcher();
    ChangePasswordWindow* changePassword();
    QWidget* application(LauncherWindow::Application application);
    // The register window of the year the year menu opened.
    RegisterWindow* registerWindow();

Q_SIGNALS:
    // The user left the program (login window or launcher closed): the run loop should stop.
    void finished();

private:
    template <class Window> Window* adoptApplication(Window* window)
    {
        connect(window, &Window::closed, this, [this] {
            launcher()->show();
            m_launcher->activateWindow();
        });
        keep(window);
        return window;
    }
    void keep(QWidget* window);
    QWidget* makeRegisterMenu();
    void openApplication(LauncherWindow::Application application);

    const AppContext& m_context;
    std::vector<std::unique_ptr<QWidget>> m_windows; // in order of creation
    LoginWindow* m_login = nullptr;
    LauncherWindow* m_launcher = nullptr;
    ChangePasswordWindow* m_changePassword = nullptr;
    QWidget* m_labelSheets = nullptr;
    QWidget* m_addressArchive = nullptr;
    QWidget* m_registerMenu = nullptr;
    RegisterWindow* m_register = nullptr;
};
