#pragma once

#include "access/access_window.h"

struct AppContext;
class QLineEdit;
class QPushButton;

// Replaces the stored password after checking the old one.
class ChangePasswordWindow : public AccessWindow
{
    Q_OBJECT

public:
    explicit ChangePasswordWindow(const AppContext& context);

Q_SIGNALS:
    // The window closed, after a change or not: the login window takes over.
    void closed();

protected:
    bool fieldKeyPressed(QLineEdit* field, int key) override;
    void fieldKeyReleased(QLineEdit* field) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void updateOk();
    void change();
    // False when a check refused the entry (the message is shown and the fields are set for a new try).
    bool changeStoredPassword();

    const AppContext& m_context;
    QLineEdit* m_txtPasswordOld;
    QLineEdit* m_txtPasswordNew;
    QLineEdit* m_txtConferma;
    QPushButton* m_cmdOK;
};
