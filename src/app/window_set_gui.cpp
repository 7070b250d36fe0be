#include "app/window_set_gui.h"

#include "access/change_password_window.h"
#include "access/login_window.h"
#include "addresses/address_archive_window.h"
#include "labels/label_sheet_window.h"
#include "register/register_menu_window.h"
#include "register/register_window.h"

WindowSet::WindowSet(const AppContext& context)
{
    // The order of creation is the order the program has always made its windows in.
    m_login = new LoginWindow(context);
    keep(m_login);
    m_launcher = new LauncherWindow(context);
    keep(m_launcher);
    m_changePassword = new ChangePasswordWindow(context);
    keep(m_changePassword);
    m_labelSheets = adoptApplication(new LabelSheetWindow(context));
    m_addressArchive = adoptApplication(new AddressArchiveWindow(context));
    auto* registerMenu = adoptApplication(new RegisterMenuWindow(context));
    m_registerMenu = registerMenu;
    m_register = adoptApplication(new RegisterWindow(context));
    // The menu gives way to the register of the year it opened; closing that register returns to the launcher.
    connect(registerMenu, &RegisterMenuWindow::yearOpened, this, [this](const QString& path, const QString& caption) {
        m_register->openYear(path, caption);
        m_register->show();
        m_register->raise();
        m_register->activateWindow();
    });

    connect(m_login, &LoginWindow::loggedIn, this, [this] {
        m_launcher->show();
        m_launcher->activateWindow();
        m_login->hide();
    });
    connect(m_login, &LoginWindow::changePasswordRequested, this, [this] {
        m_changePassword->show();
        m_changePassword->activateWindow();
        m_login->hide();
    });
    connect(m_changePassword, &ChangePasswordWindow::closed, m_login, &LoginWindow::showForLogin);
    connect(m_launcher, &LauncherWindow::applicationRequested, this, &WindowSet::openApplication);
    connect(m_login, &LoginWindow::closed, this, &WindowSet::finished);
    connect(m_launcher, &LauncherWindow::closed, this, &WindowSet::finished);
}

WindowSet::~WindowSet()
{
    while (!m_windows.empty())
        m_windows.pop_back();
}

void WindowSet::keep(QWidget* window)
{
    window->hide();
    m_windows.emplace_back(window);
}

void WindowSet::start()
{
    m_login->show();
    m_login->activateWindow();
}

QWidget* WindowSet::application(LauncherWindow::Application application) const
{
    switch (application) {
    case LauncherWindow::Application::AddressArchive:
        return m_addressArchive;
    case LauncherWindow::Application::LabelSheets:
        return m_labelSheets;
    case LauncherWindow::Application::MailRegister:
        return m_registerMenu;
    }
    return nullptr;
}

void WindowSet::openApplication(LauncherWindow::Application application)
{
    QWidget* window = this->application(application);
    window->show();
    window->raise();
    window->activateWindow();
    m_launcher->hide();
}
