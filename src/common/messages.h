#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through here, so tests can record and answer them.
class Messages
{
public:
    enum class Kind
    {
        Warning,
        Error,
        Information,
        Confirmation,
        Plain,
        Question
    };
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~Messages() = default;

    // Warning, error and information show OK and Cancel; the answer is not used.
    virtual void warning(QWidget* owner, const QString& text) = 0;
    virtual void error(QWidget* owner, const QString& text) = 0;
    virtual void information(QWidget* owner, const QString& text) = 0;
    // Yes and No; false only when the user answered No.
    virtual bool confirm(QWidget* owner, const QString& text) = 0;
    // A single OK button.
    virtual void plain(QWidget* owner, const QString& text) = 0;
    // Yes, No and Cancel; closing the box is Cancel, so nothing happens that the user did not choose.
    virtual Answer question(QWidget* owner, const QString& text) = 0;
};
