#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// `title` as a regular expression for xdotool that matches it literally.
QString escapedTitle(const QString& title);

// Waits until `condition` holds, letting events run, for at most `ms` milliseconds.
bool waitFor(const std::function<bool()>& condition, int ms = 20000);

// A private X server (Xvfb) for whole-program checks, driven with xdotool. Stopped by its own process id.
class XSession
{
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb on a free display with one screen of `size` ("1366x768x24"); an empty result, or the reason it
    // failed.
    QString start(const QString& size);
    const QString& display() const { return m_display; }
    // Starts openbox on the display and waits until it manages windows; an empty result, or the reason it failed.
    QString startWindowManager();

    // Runs xprop on the display; returns its standard output, trimmed.
    QString xprop(const QStringList& args) const;
    // The window that holds the keyboard.
    QString focusedWindow() const;
    // The visible windows whose title matches the regular expression `pattern`.
    QStringList visibleWindowsMatching(const QString& pattern) const;

    // Runs xdotool on the display; returns its standard output, trimmed.
    QString xdotool(const QStringList& args) const;
    // The visible windows whose title is exactly `title`.
    QStringList visibleWindows(const QString& title) const;
    // The titles of every visible window, for a failure report.
    QString visibleTitles() const;
    // Gives the keyboard to `window` and waits until it holds it.
    bool focus(const QString& window) const;
    // Waits until `title` is the one window with that title and gives it the keyboard; its id, or empty.
    QString waitForFocusedWindow(const QString& title, int ms = 30000) const;
    // Types text, or presses keys by their X names, one after the other ("ctrl+i", "Tab Tab Return").
    void type(const QString& text) const;
    void key(const QString& keys) const;

    // Starts `program` on the display with the xcb platform and the variables of `extra`; its errors go to the
    // test's.
    void startProgram(QProcess& process, const QString& program,
                      const QProcessEnvironment& extra = QProcessEnvironment()) const;

private:
    // Runs a tool on the display; its standard output, trimmed.
    QString run(const QString& program, const QStringList& args) const;

    QProcess m_xvfb;
    QProcess m_windowManager;
    QTemporaryDir m_windowManagerHome;
    QString m_display;
};

// Counts how often a program opens one file of a folder (inotify). A window opens its archive for each action, so this
// tells when the action of a key has run, also when a shortcut presses its button a moment after the key.
class FileOpenCounter
{
public:
    FileOpenCounter(const QString& folder, const QString& name);
    ~FileOpenCounter();
    FileOpenCounter(const FileOpenCounter&) = delete;
    FileOpenCounter& operator=(const FileOpenCounter&) = delete;

    // The opens so far; -1 when the folder cannot be watched.
    int count();

private:
    int m_fd = -1;
    QByteArray m_name;
    int m_count = 0;
};

// The program as a user has it: copied into a portable folder of its own with the initial password "plicario", and
// started on an X session. Killed by its own process id when this goes.
class PortableProgram
{
public:
    ~PortableProgram();

    // `built` is the program the build made; an empty result, or the reason it could not start.
    QString start(const XSession& x, const QString& built, const QProcessEnvironment& extra = QProcessEnvironment());
    QString folder() const { return m_folder.path(); }
    QProcess& process() { return m_process; }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
};
