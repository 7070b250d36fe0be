// The real program on a real X server: the login window shows, the initial password opens the launcher.
#include "support/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs xdotool on `display`; returns its standard output, trimmed.
QString xdotool(const QString& display, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The visible windows whose title is exactly `title`.
QStringList visibleWindows(const QString& display, const QString& title)
{
    const QString pattern = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
    const QString out = xdotool(display, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                          QStringLiteral("--name"), pattern});
    return out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n'));
}

// The titles of every visible window, for a failure report.
QString visibleTitles(const QString& display)
{
    const QString shown = xdotool(display, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                            QStringLiteral("--name"), QStringLiteral(".")});
    QStringList titles;
    for (const QString& id : shown.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        titles << QLatin1Char('"') + xdotool(display, {QStringLiteral("getwindowname"), id}) + QLatin1Char('"');
    return titles.join(QStringLiteral(", "));
}

bool waitFor(const std::function<bool()>& condition, int ms = 20000)
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

} // namespace

class TestStartupLogin : public QObject
{
    Q_OBJECT

    QProcess m_xvfb;
    QString m_display;

private Q_SLOTS:
    void initTestCase()
    {
        // -displayfd 1: Xvfb picks a free display and tells its number on standard output.
        m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                              QStringLiteral("-screen"), QStringLiteral("0"),
                                              QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                              QStringLiteral("tcp")});
        QVERIFY2(m_xvfb.waitForStarted(10000), "Xvfb is missing: scripts/deps.sh installs it");
        QVERIFY(waitFor([this] { return m_xvfb.canReadLine() || m_xvfb.waitForReadyRead(100); }, 20000));
        m_display = QLatin1Char(':') + QString::fromLatin1(m_xvfb.readLine()).trimmed();
        QVERIFY(m_display.size() > 1);
        QVERIFY2(!xdotool(m_display, {QStringLiteral("version")}).isEmpty(),
                 "xdotool is missing: scripts/deps.sh installs it");
    }

    void cleanupTestCase()
    {
        m_xvfb.kill(); // by its own process id
        m_xvfb.waitForFinished(5000);
    }

    void initialPasswordOpensTheLauncher()
    {
        // A portable folder of our own: the program and the store the build lays out.
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("plicario"));
        QVERIFY(QFile::copy(QString::fromUtf8(PLICARIO_PROGRAM), program));
        QVERIFY(runCli(folder.path(), {QStringLiteral("password"), QStringLiteral("set")}, "plicario\n").exitCode ==
                0);

        QProcess plicario;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        plicario.setProcessEnvironment(env);
        plicario.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        plicario.start(program, {});
        QVERIFY(plicario.waitForStarted(10000));
        auto stop = qScopeGuard([&] {
            plicario.kill();
            plicario.waitForFinished(5000);
        });

        const QString loginTitle = QStringLiteral(" Plicario 3.0 - Autenticazione");
        const QString launcherTitle = QStringLiteral(" Plicario 3.0");
        // A loaded machine may take its time; a program that died says how.
        if (!waitFor([&] { return visibleWindows(m_display, loginTitle).size() == 1; }, 60000))
            QFAIL(qPrintable(QStringLiteral("the login window did not show; program %1, exit code %2, windows: %3")
                                 .arg(plicario.state() == QProcess::Running ? QStringLiteral("running")
                                                                              : QStringLiteral("ended"))
                                 .arg(plicario.exitCode())
                                 .arg(visibleTitles(m_display))));
        QVERIFY(visibleWindows(m_display, launcherTitle).isEmpty());
        const QString login = visibleWindows(m_display, loginTitle).first();

        // Centred on the 1280 x 1024 screen.
        QMap<QString, int> geometry;
        for (const QString& line : xdotool(m_display, {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                                                       login})
                                       .split(QLatin1Char('\n'))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            geometry.insert(line.left(eq), line.mid(eq + 1).toInt());
        }
        QVERIFY(geometry.value(QStringLiteral("WIDTH")) > 0);
        QVERIFY(qAbs(geometry.value(QStringLiteral("X")) * 2 + geometry.value(QStringLiteral("WIDTH")) - 1280) <= 4);
        QVERIFY(qAbs(geometry.value(QStringLiteral("Y")) * 2 + geometry.value(QStringLiteral("HEIGHT")) - 1024) <= 4);

        // Type only once the window holds the keyboard, or the first letters may go nowhere.
        xdotool(m_display, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), login});
        QVERIFY(waitFor([&] { return xdotool(m_display, {QStringLiteral("getwindowfocus")}) == login; }));
        QTest::qWait(200);
        xdotool(m_display, {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"),
                            QStringLiteral("plicario")});
        xdotool(m_display, {QStringLiteral("key"), QStringLiteral("Return")});

        if (!waitFor([&] { return visibleWindows(m_display, launcherTitle).size() == 1; }))
            QFAIL(qPrintable(QStringLiteral("the launcher did not show; visible: ") + visibleTitles(m_display)));
        QVERIFY(waitFor([&] { return visibleWindows(m_display, loginTitle).isEmpty(); }));
        QCOMPARE(plicario.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestStartupLogin)
#include "test_startup_login.moc"
