#pragma once

#include "access/access_window.h"

struct AppContext;
class QLineEdit;
class QPushButton;

// The login window, the program's main window: a correct password opens the launcher.
class LoginWindow : public AccessWindow
{
    Q_OBJECT

public:
    explicit LoginWindow(const AppContext& context);

    // Back from the change window: the field emptied, the window shown, the focus in the field.
    void showForLogin();

Q_SIGNALS:
    // The typed password matches the stored one; the window hides itself once the launcher is shown.
    void loggedIn();
    void changePasswordRequested();
    // "Esci" or the window closed: the program ends.
    void closed();

protected:
    bool fieldKeyPressed(QLineEdit* field, int key) override;
    void fieldKeyReleased(QLineEdit* field) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void updateOk();
    void login();

    const AppContext& m_context;
    QLineEdit* m_txtPassword;
    QPushButton* m_cmdOK;
};
