#pragma once

#include "common/messages.h"

#include <QMessageBox>

// The program's message boxes: warnings, errors and information with OK and Cancel, confirmations with Yes and No,
// questions with Yes, No and Cancel, and the plain box with OK alone.
class MessageBoxMessages : public Messages
{
public:
    void warning(QWidget* owner, const QString& text) override;
    void error(QWidget* owner, const QString& text) override;
    void information(QWidget* owner, const QString& text) override;
    bool confirm(QWidget* owner, const QString& text) override;
    void plain(QWidget* owner, const QString& text) override;
    Answer question(QWidget* owner, const QString& text) override;

    // Texts keep their own paragraph breaks ("\r\n\r\n" or "\n\r\n\r"); on screen each becomes one empty line.
    static QString displayText(const QString& text);

    // The box each kind shows, not yet run; exposed so the buttons can be checked.
    static QMessageBox* makeBox(QWidget* owner, Kind kind, const QString& text);

private:
    static QMessageBox::StandardButton ask(QWidget* owner, Kind kind, const QString& text);
};
