#include "app/window_set_gui.h"

#include "access/change_password_window.h"
#include "access/login_window.h"
#include "addresses/address_archive_window.h"
#include "labels/label_sheet_window.h"
#include "register/register_menu_window.h"
#include "register/register_window.h"

WindowSet::WindowSet(const AppContext& context) : m_context(context)
{
    m_login = new LoginWindow(context);
    keep(m_login);
    connect(m_login, &LoginWindow::loggedIn, this, [this] {
        launcher()->show();
        m_launcher->activateWindow();
        m_login->hide();
    });
    connect(m_login, &LoginWindow::changePasswordRequested, this, [this] {
        changePassword()->show();
        m_changePassword->activateWindow();
        m_login->hide();
    });
    connect(m_login, &LoginWindow::closed, this, &WindowSet::finished);
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

LauncherWindow* WindowSet::launcher()
{
    if (!m_launcher) {
        m_launcher = new LauncherWindow(m_context);
        keep(m_launcher);
        connect(m_launcher, &LauncherWindow::applicationRequested, this, &WindowSet::openApplication);
        connect(m_launcher, &LauncherWindow::closed, this, &WindowSet::finished);
    }
    return m_launcher;
}

ChangePasswordWindow* WindowSet::changePassword()
{
    if (!m_changePassword) {
        m_changePassword = new ChangePasswordWindow(m_context);
        keep(m_changePassword);
        connect(m_changePassword, &ChangePasswordWindow::closed, m_login, &LoginWindow::showForLogin);
    }
    return m_changePassword;
}

QWidget* WindowSet::application(LauncherWindow::Application application)
{
    switch (application) {
    case LauncherWindow::Application::AddressArchive:
        if (!m_addressArchive)
            m_addressArchive = adoptApplication(new AddressArchiveWindow(m_context));
        return m_addressArchive;
    case LauncherWindow::Application::LabelSheets:
        if (!m_labelSheets)
            m_labelSheets = adoptApplication(new LabelSheetWindow(m_context));
        return m_labelSheets;
    case LauncherWindow::Application::MailRegister:
        if (!m_registerMenu)
            m_registerMenu = makeRegisterMenu();
        return m_registerMenu;
    }
    return nullptr;
}

QWidget* WindowSet::makeRegisterMenu()
{
    auto* menu = adoptApplication(new RegisterMenuWindow(m_context));
    // The menu gives way to the register of the year it opened; closing that register returns to the launcher.
    connect(menu, &RegisterMenuWindow::yearOpened, this, [this](const QString& path, const QString& caption) {
        RegisterWindow* window = registerWindow();
        window->openYear(path, caption);
        window->show();
        window->raise();
        window->activateWindow();
    });
    return menu;
}

RegisterWindow* WindowSet::registerWindow()
{
    if (!m_register)
        m_register = adoptApplication(new RegisterWindow(m_context));
    return m_register;
}

void WindowSet::openApplication(LauncherWindow::Application application)
{
    QWidget* window = this->application(application);
    window->show();
    window->raise();
    window->activateWindow();
    m_launcher->hide();
}
