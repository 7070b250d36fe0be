#pragma once

#include <QWidget>

class QLineEdit;

// What the login and the change-password windows share: a fixed size, no buttons in the title bar, centred on the
// screen whenever shown, and masked password fields with a yellow frame while focused.
class AccessWindow : public QWidget
{
    Q_OBJECT

protected:
    AccessWindow(const QString& objectName, const QString& caption);

    // A masked field named `objectName`, framed by `frameName` while it has the focus. Key presses and releases in it
    // reach fieldKeyPressed() and fieldKeyReleased().
    QLineEdit* addPasswordField(const QString& objectName, const QString& frameName, const QString& accessibleName);

    // Fixes the window at the size its layout asks for; call once the controls are in place.
    void fixSize();

    // Returns true when the key was handled.
    virtual bool fieldKeyPressed(QLineEdit* field, int key) = 0;
    virtual void fieldKeyReleased(QLineEdit* field) = 0;

    static bool isFilled(const QLineEdit* field);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
