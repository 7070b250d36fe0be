#include "access/login_window.h"

#include "access/password_store.h"
#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/errors.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kWrongPassword = QStringLiteral("Attenzione: password errata.");
const QString kReadFailure = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                                            "della password. Si consiglia di reinstallare il software.");
} // namespace

LoginWindow::LoginWindow(const AppContext& context)
    : AccessWindow(QStringLiteral("frmPassword"), QStringLiteral(" Plicario 3.0 - Autenticazione")), m_context(context)
{
    auto* prompt = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    prompt->setObjectName(QStringLiteral("lblPassword"));

    m_txtPassword =
        addPasswordField(QStringLiteral("txtPassword"), QStringLiteral("effPassword"), QStringLiteral("Password"));
    m_txtPassword->setAccessibleDescription(prompt->text());
    prompt->setBuddy(m_txtPassword);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setEnabled(false);
    auto* cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    auto* btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    Keyboard::setShortcut(cmdEsci, Keyboard::kExit);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnCambiaPassword);
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(cmdEsci);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(prompt);
    layout->addWidget(m_txtPassword);
    layout->addLayout(buttons);
    m_txtPassword->setMinimumWidth(360);
    fixSize();
    Keyboard::setUpWindow(this);

    connect(m_txtPassword, &QLineEdit::textChanged, this, &LoginWindow::updateOk);
    connect(m_cmdOK, &QPushButton::clicked, this, &LoginWindow::login);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &LoginWindow::changePasswordRequested);
}

void LoginWindow::showForLogin()
{
    m_txtPassword->clear();
    show();
    activateWindow();
    m_txtPassword->setFocus();
}

void LoginWindow::updateOk()
{
    m_cmdOK->setEnabled(isFilled(m_txtPassword));
}

bool LoginWindow::fieldKeyPressed(QLineEdit*, int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (isFilled(m_txtPassword))
        login();
    return true;
}

void LoginWindow::fieldKeyReleased(QLineEdit*)
{
    updateOk();
}

void LoginWindow::login()
{
    runGuarded(this, m_context.messages, [this] {
        bool correct = false;
        try {
            correct = PasswordStore(m_context.programFolder).checkPassword(m_txtPassword->text());
        } catch (const SettingsError&) {
            m_context.messages->plain(this, kReadFailure);
            return;
        }
        if (!correct) {
            m_context.messages->plain(this, kWrongPassword);
            m_txtPassword->clear();
            m_txtPassword->setFocus();
            return;
        }
        Q_EMIT loggedIn();
    });
}

void LoginWindow::showEvent(QShowEvent* event)
{
    AccessWindow::showEvent(event);
    m_txtPassword->setFocus();
}

void LoginWindow::closeEvent(QCloseEvent* event)
{
    AccessWindow::closeEvent(event);
    Q_EMIT closed();
}
