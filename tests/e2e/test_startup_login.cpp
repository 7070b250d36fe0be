// The real program on a real X server: the login window shows, the initial password opens the launcher.
#include "support/test_support.h"
#include "support/x_session.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestStartupLogin : public QObject
{
    Q_OBJECT

    XSession m_x;

private Q_SLOTS:
    void initTestCase()
    {
        const QString failure = m_x.start(QStringLiteral("1280x1024x24"));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void initialPasswordOpensTheLauncher()
    {
        // A portable folder of our own: the program and the store the build lays out.
        PortableProgram program;
        const QString failure = program.start(m_x, QString::fromUtf8(PLICARIO_PROGRAM));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QProcess& plicario = program.process();

        const QString loginTitle = QStringLiteral(" Plicario 3.0 - Autenticazione");
        const QString launcherTitle = QStringLiteral(" Plicario 3.0");
        // A loaded machine may take its time; a program that died says how.
        if (!waitFor([&] { return m_x.visibleWindows(loginTitle).size() == 1; }, 60000))
            QFAIL(qPrintable(
                QStringLiteral("the login window did not show; program %1, exit code %2, windows: %3")
                    .arg(plicario.state() == QProcess::Running ? QStringLiteral("running") : QStringLiteral("ended"))
                    .arg(plicario.exitCode())
                    .arg(m_x.visibleTitles())));
        QVERIFY(m_x.visibleWindows(launcherTitle).isEmpty());
        const QString login = m_x.visibleWindows(loginTitle).first();

        // Centred on the 1280 x 1024 screen.
        QMap<QString, int> geometry;
        for (const QString& line : m_x.xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), login})
                                       .split(QLatin1Char('\n'))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            geometry.insert(line.left(eq), line.mid(eq + 1).toInt());
        }
        QVERIFY(geometry.value(QStringLiteral("WIDTH")) > 0);
        QVERIFY(qAbs(geometry.value(QStringLiteral("X")) * 2 + geometry.value(QStringLiteral("WIDTH")) - 1280) <= 4);
        QVERIFY(qAbs(geometry.value(QStringLiteral("Y")) * 2 + geometry.value(QStringLiteral("HEIGHT")) - 1024) <= 4);

        QVERIFY(m_x.focus(login));
        m_x.xdotool(
            {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), QStringLiteral("plicario")});
        m_x.xdotool({QStringLiteral("key"), QStringLiteral("Return")});

        if (!waitFor([&] { return m_x.visibleWindows(launcherTitle).size() == 1; }))
            QFAIL(qPrintable(QStringLiteral("the launcher did not show; visible: ") + m_x.visibleTitles()));
        QVERIFY(waitFor([&] { return m_x.visibleWindows(loginTitle).isEmpty(); }));
        QCOMPARE(plicario.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestStartupLogin)
#include "test_startup_login.moc"
