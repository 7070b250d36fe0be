#pragma once

#include <QDate>
#include <QString>
#include <QTime>

class Messages;
class PrintService;
class QWidget;

// Today's date and the time; tests fix them.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QTime now() const = 0;
};

// Opens a file, folder, web address or mailto link with its associated program.
class Shell
{
public:
    virtual ~Shell() = default;
    // Returns false when nothing could open it.
    virtual bool open(const QString& command) = 0;
};

// The file-open dialog of attachments; an empty result means the user cancelled.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual QString chooseFile(QWidget* owner, const QString& title, const QString& filter) = 0;
};

// The file-save dialog; it starts on `suggestedPath` and asks before replacing a file. An empty result means the
// user cancelled.
class SaveFileChooser
{
public:
    virtual ~SaveFileChooser() = default;
    virtual QString chooseSaveFile(QWidget* owner, const QString& title, const QString& suggestedPath,
                                   const QString& filter) = 0;
};

// The services every window receives at construction. Not owned.
struct AppContext
{
    QString programFolder; // with no trailing separator; join with QDir(programFolder).filePath()
    Clock* clock = nullptr;
    Messages* messages = nullptr;
    Shell* shell = nullptr;
    FileChooser* fileChooser = nullptr;
    SaveFileChooser* saveFileChooser = nullptr;
    PrintService* printService = nullptr;
};
