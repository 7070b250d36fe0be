#include "support/x_session.h"

#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/inotify.h>
#include <unistd.h>

QString escapedTitle(const QString& title)
{
    // xdotool reads POSIX extended expressions, where a backslash before an ordinary character may mean something
    // else (\' is the end of the text): escape only the special ones.
    QString escaped;
    for (const QChar c : title) {
        if (QStringLiteral(".[]()*+?{}|^$\\").contains(c))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

bool waitFor(const std::function<bool()>& condition, int ms)
{
    return QTest::qWaitFor(condition, ms);
}

XSession::~XSession()
{
    if (m_windowManager.state() != QProcess::NotRunning) {
        m_windowManager.kill();
        m_windowManager.waitForFinished(5000);
    }
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.kill();
        m_xvfb.waitForFinished(5000);
    }
}

QString XSession::start(const QString& size)
{
    // -displayfd 1: Xvfb picks a free display and tells its number on standard output.
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  size, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_xvfb.waitForStarted(10000))
        return QStringLiteral("Xvfb is missing: scripts/deps.sh installs it");
    if (!waitFor([this] { return m_xvfb.canReadLine() || m_xvfb.waitForReadyRead(100); }, 20000))
        return QStringLiteral("Xvfb did not tell its display");
    m_display = QLatin1Char(':') + QString::fromLatin1(m_xvfb.readLine()).trimmed();
    if (xdotool({QStringLiteral("version")}).isEmpty())
        return QStringLiteral("xdotool is missing: scripts/deps.sh installs it");
    return QString();
}

QString XSession::startWindowManager()
{
    // Its own home, so no user's configuration changes what it does; it runs the startup command once it manages
    // windows.
    const QString ready = QDir(m_windowManagerHome.path()).filePath(QStringLiteral("ready"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("HOME"), m_windowManagerHome.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_windowManagerHome.path());
    m_windowManager.setProcessEnvironment(env);
    m_windowManager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
    if (!m_windowManager.waitForStarted(10000))
        return QStringLiteral("openbox is missing: scripts/test installs it");
    if (!waitFor([&] { return QFile::exists(ready); }, 20000))
        return QStringLiteral("openbox did not start");
    return QString();
}

QString XSession::xprop(const QStringList& args) const
{
    return run(QStringLiteral("xprop"), args);
}

QString XSession::focusedWindow() const
{
    return xdotool({QStringLiteral("getwindowfocus")});
}

QString XSession::xdotool(const QStringList& args) const
{
    return run(QStringLiteral("xdotool"), args);
}

QString XSession::run(const QString& program, const QStringList& args) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QStringList XSession::visibleWindows(const QString& title) const
{
    return visibleWindowsMatching(QLatin1Char('^') + escapedTitle(title) + QLatin1Char('$'));
}

QStringList XSession::visibleWindowsMatching(const QString& pattern) const
{
    const QString out =
        xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern});
    return out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n'));
}

QString XSession::visibleTitles() const
{
    const QString shown = xdotool(
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral(".")});
    QStringList titles;
    for (const QString& id : shown.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        titles << QLatin1Char('"') + xdotool({QStringLiteral("getwindowname"), id}) + QLatin1Char('"');
    return titles.join(QStringLiteral(", "));
}

bool XSession::focus(const QString& window) const
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    // Type only once the window holds the keyboard, or the first keys may go nowhere.
    return waitFor([&] { return xdotool({QStringLiteral("getwindowfocus")}) == window; });
}

QString XSession::waitForFocusedWindow(const QString& title, int ms) const
{
    QString id;
    if (!waitFor(
            [&] {
                const QStringList ids = visibleWindows(title);
                id = ids.size() == 1 ? ids.first() : QString();
                return !id.isEmpty();
            },
            ms))
        return {};
    return focus(id) ? id : QString();
}

void XSession::type(const QString& text) const
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

void XSession::key(const QString& keys) const
{
    xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80")} +
            keys.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

void XSession::startProgram(QProcess& process, const QString& program, const QProcessEnvironment& extra) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(extra);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {});
}

FileOpenCounter::FileOpenCounter(const QString& folder, const QString& name) : m_name(QFile::encodeName(name))
{
    m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd >= 0 && inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN) < 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

FileOpenCounter::~FileOpenCounter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int FileOpenCounter::count()
{
    if (m_fd < 0)
        return -1;
    alignas(inotify_event) char buffer[4096];
    ssize_t got;
    while ((got = ::read(m_fd, buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && m_name == event->name) // the name is padded with zeros
                ++m_count;
            at += ssize_t(sizeof(inotify_event)) + event->len;
        }
    }
    return m_count;
}

PortableProgram::~PortableProgram()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString PortableProgram::start(const XSession& x, const QString& built, const QProcessEnvironment& extra)
{
    const QString program = QDir(m_folder.path()).filePath(QStringLiteral("plicario"));
    if (!QFile::copy(built, program))
        return QStringLiteral("the program could not be copied into a folder of its own");
    if (runCli(m_folder.path(), {QStringLiteral("password"), QStringLiteral("set")}, "plicario\n").exitCode != 0)
        return QStringLiteral("the batch tool did not store the password");
    x.startProgram(m_process, program, extra);
    if (!m_process.waitForStarted(10000))
        return QStringLiteral("the program did not start");
    return QString();
}
