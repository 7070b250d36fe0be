#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

// A virtual X server of our own for whole-program checks, with xdotool to look at its windows and type into them.
// The server is stopped by its own process id when the session ends.
class XSession
{
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb on a free display with one screen of `size` ("1366x768x24"); false when Xvfb or xdotool is missing.
    bool start(const QString& size);
    const QString& display() const { return m_display; }

    // Runs xdotool on this display; its standard output, trimmed.
    QString xdotool(const QStringList& args) const;
    // The visible windows whose title is exactly `title`.
    QStringList visibleWindows(const QString& title) const;
    // The titles of every visible window, for a failure report.
    QString visibleTitles() const;
    // Waits until `title` is the one window with that title and it holds the keyboard; its id, or empty.
    QString waitForFocusedWindow(const QString& title, int ms = 30000) const;
    // Types text, or presses keys by their X names, one after the other ("ctrl+i", "Tab Tab Return").
    void type(const QString& text) const;
    void key(const QString& keys) const;

    // Starts `program` on this display with the xcb platform.
    void startProgram(QProcess& process, const QString& program) const;

private:
    QProcess m_xvfb;
    QString m_display;
};

// Polls `condition` every 100 ms for at most `ms` milliseconds.
bool waitFor(const std::function<bool()>& condition, int ms = 20000);
