#include "access/change_password_window.h"

#include "access/password_store.h"
#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/errors.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kWrongOldPassword = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                             "E' necessario reinserire entrambi i valori.");
const QString kDone = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeFailure = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                              "modifica della password. Si consiglia di reinstallare il software.");
// The stored form keeps one byte per character and at most 255 of them; anything else would never match again.
const QString kCannotHold = QStringLiteral("Attenzione: la nuova password non può essere memorizzata. ") +
                            PasswordStore::kLimits + QStringLiteral(" E' necessario reinserire entrambi i valori.");
} // namespace

ChangePasswordWindow::ChangePasswordWindow(const AppContext& context)
    : AccessWindow(QStringLiteral("frmCambiaPassword"), QStringLiteral(" Cambia password")), m_context(context)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    int row = 0;
    auto addField = [&](const QString& label, const QString& name, const QString& frame) {
        auto* caption = new QLabel(label, this);
        QLineEdit* field = addPasswordField(name, frame, label.chopped(1));
        field->setMinimumWidth(300);
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
        return field;
    };
    m_txtPasswordOld = addField(QStringLiteral("Vecchia password:"), QStringLiteral("txtPasswordOld"),
                                QStringLiteral("effPasswordOld"));
    m_txtPasswordNew =
        addField(QStringLiteral("Nuova password:"), QStringLiteral("txtPasswordNew"), QStringLiteral("effPasswordNew"));
    m_txtConferma = addField(QStringLiteral("Conferma nuova password:"), QStringLiteral("txtConferma"),
                             QStringLiteral("effConferma"));

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setEnabled(false);
    auto* cmdEsci = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    Keyboard::setShortcut(cmdEsci, Keyboard::kExit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(cmdEsci);
    grid->addLayout(buttons, row, 0, 1, 2);
    fixSize();
    Keyboard::setUpWindow(this);

    for (QLineEdit* field : {m_txtPasswordOld, m_txtPasswordNew, m_txtConferma})
        connect(field, &QLineEdit::textChanged, this, &ChangePasswordWindow::updateOk);
    connect(m_cmdOK, &QPushButton::clicked, this, &ChangePasswordWindow::change);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

void ChangePasswordWindow::updateOk()
{
    m_cmdOK->setEnabled(isFilled(m_txtPasswordOld) && isFilled(m_txtPasswordNew) && isFilled(m_txtConferma));
}

bool ChangePasswordWindow::fieldKeyPressed(QLineEdit* field, int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    QLineEdit* next = field == m_txtPasswordOld   ? m_txtPasswordNew
                      : field == m_txtPasswordNew ? m_txtConferma
                                                  : m_txtPasswordOld;
    next->setFocus();
    return true;
}

void ChangePasswordWindow::fieldKeyReleased(QLineEdit*)
{
    updateOk();
}

bool ChangePasswordWindow::changeStoredPassword()
{
    const PasswordStore store(m_context.programFolder);
    if (!store.checkPassword(m_txtPasswordOld->text())) {
        m_context.messages->plain(this, kWrongOldPassword);
        m_txtPasswordOld->clear();
        m_txtPasswordOld->setFocus();
        return false;
    }
    const QString newPassword = m_txtPasswordNew->text();
    const bool confirmed = Text::trimmed(newPassword) == Text::trimmed(m_txtConferma->text());
    const bool storable = PasswordStore::canStore(newPassword);
    if (!confirmed || !storable) {
        m_context.messages->plain(this, confirmed ? kCannotHold : kNotConfirmed);
        m_txtPasswordNew->clear();
        m_txtConferma->clear();
        m_txtPasswordNew->setFocus();
        return false;
    }
    store.storePassword(newPassword);
    return true;
}

void ChangePasswordWindow::change()
{
    runGuarded(this, m_context.messages, [this] {
        bool changed = false;
        try {
            changed = changeStoredPassword();
        } catch (const SettingsError&) {
            m_context.messages->plain(this, kChangeFailure);
            return;
        }
        if (changed) {
            m_context.messages->plain(this, kDone);
            close();
        }
    });
}

void ChangePasswordWindow::showEvent(QShowEvent* event)
{
    AccessWindow::showEvent(event);
    for (QLineEdit* field : {m_txtPasswordOld, m_txtPasswordNew, m_txtConferma})
        field->clear();
    m_txtPasswordOld->setFocus();
}

void ChangePasswordWindow::closeEvent(QCloseEvent* event)
{
    AccessWindow::closeEvent(event);
    Q_EMIT closed();
}
