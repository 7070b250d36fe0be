#include "support/x_session.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

bool waitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(100);
    }
    return true;
}

XSession::~XSession()
{
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.kill(); // by its own process id
        m_xvfb.waitForFinished(5000);
    }
}

bool XSession::start(const QString& size)
{
    // -displayfd 1: Xvfb picks a free display and tells its number on standard output.
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  size, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_xvfb.waitForStarted(10000))
        return false;
    if (!waitFor([this] { return m_xvfb.canReadLine() || m_xvfb.waitForReadyRead(100); }, 20000))
        return false;
    m_display = QLatin1Char(':') + QString::fromLatin1(m_xvfb.readLine()).trimmed();
    return m_display.size() > 1 && !xdotool({QStringLiteral("version")}).isEmpty();
}

QString XSession::xdotool(const QStringList& args) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QStringList XSession::visibleWindows(const QString& title) const
{
    const QString pattern = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
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
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
    if (!waitFor([&] { return xdotool({QStringLiteral("getwindowfocus")}) == id; }, ms))
        return {};
    // Type only once the window holds the keyboard, or the first letters may go nowhere.
    QTest::qWait(200);
    return id;
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

void XSession::startProgram(QProcess& process, const QString& program) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {});
}
