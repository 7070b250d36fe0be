// The real program on a 1366 x 768 X server with a real AT-SPI bus, as a screen reader sees it: the address archive
// window is a frame whose every control has its spoken name, and a card typed and saved through the bus alone is in
// the archive, read back by the batch tool.
#include "support/test_support.h"
#include "support/x_session.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A process of our own, stopped by its process id: asked first, so it can stop the processes it started (the
// accessibility launcher stops its own bus).
struct OwnProcess : QProcess
{
    ~OwnProcess() override
    {
        if (state() == QProcess::NotRunning)
            return;
        terminate();
        if (!waitForFinished(5000)) {
            kill();
            waitForFinished(5000);
        }
    }
};

} // namespace

class TestArchiveScreenReader : public QObject
{
    Q_OBJECT

    XSession m_x;
    QTemporaryDir m_runtime; // where the accessibility bus puts its socket
    OwnProcess m_bus;
    OwnProcess m_a11yLauncher;
    QProcessEnvironment m_env;

    bool a11yBusAnswers() const
    {
        QProcess call;
        call.setProcessEnvironment(m_env);
        call.start(QStringLiteral("dbus-send"),
                   {QStringLiteral("--session"), QStringLiteral("--print-reply"), QStringLiteral("--dest=org.a11y.Bus"),
                    QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus.GetAddress")});
        return call.waitForFinished(5000) && call.exitCode() == 0 && call.readAllStandardOutput().contains("unix:");
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString failure = m_x.start(QStringLiteral("1366x768x24"));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        // A session bus of our own, so nothing of the machine's desktop answers in its place.
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        QVERIFY2(m_bus.waitForStarted(10000), "dbus-daemon is missing");
        QVERIFY(waitFor([this] { return m_bus.canReadLine() || m_bus.waitForReadyRead(100); }, 10000));
        const QString address = QString::fromLatin1(m_bus.readLine()).trimmed();
        QVERIFY(!address.isEmpty());

        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("DISPLAY"), m_x.display());
        m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        m_env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        m_a11yLauncher.setProcessEnvironment(m_env);
        m_a11yLauncher.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                             {QStringLiteral("--launch-immediately")});
        QVERIFY2(m_a11yLauncher.waitForStarted(10000), "at-spi-bus-launcher is missing: install at-spi2-core");
        QVERIFY2(waitFor([this] { return a11yBusAnswers(); }, 20000), "the accessibility bus did not come up");
    }

    void archiveSpokenAndSavedOverTheBus()
    {
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                     m_env.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")));
        extra.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        PortableProgram program;
        const QString failure = program.start(m_x, QString::fromUtf8(PLICARIO_PROGRAM), extra);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QVERIFY(!m_x.waitForFocusedWindow(QStringLiteral(" Plicario 3.0 - Autenticazione"), 60000).isEmpty());
        m_x.type(QStringLiteral("plicario"));
        m_x.key(QStringLiteral("Return"));
        // The launcher: Tab to "Apri Archivio Indirizzi", Enter presses it.
        QVERIFY(!m_x.waitForFocusedWindow(QStringLiteral(" Plicario 3.0")).isEmpty());
        m_x.key(QStringLiteral("Tab Return"));
        QVERIFY2(!m_x.waitForFocusedWindow(QStringLiteral(" Plicario 3.0 - Archivio Indirizzi")).isEmpty(),
                 qPrintable(m_x.visibleTitles()));

        QProcess reader;
        reader.setProcessEnvironment(m_env);
        reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        reader.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(PLICARIO_SOURCE_DIR "/tests/e2e/atspi_archive.py"),
                      QStringLiteral("Nome etichetta=Rossi Mario"), QStringLiteral("Tipo=Cliente"),
                      QStringLiteral("Indirizzo rigo 1=Sig. Mario Rossi"),
                      QStringLiteral("Indirizzo rigo 3=00100 Roma"), QStringLiteral("Note=dal lettore di schermo")});
        QVERIFY2(reader.waitForFinished(120000), "the AT-SPI reader did not finish");
        const QByteArray out = reader.readAllStandardOutput();
        QCOMPARE(reader.exitCode(), 0);
        const QJsonObject seen = QJsonDocument::fromJson(out).object();
        QVERIFY2(!seen.contains(QStringLiteral("error")), out.constData());

        // A window, not a filler, and every control by the name a screen reader speaks.
        QCOMPARE(seen.value(QStringLiteral("role")).toString(), QStringLiteral("frame"));
        QStringList names;
        for (const QJsonValue& name : seen.value(QStringLiteral("names")).toArray())
            names << name.toString();
        for (const char* expected : {"Nome etichetta",
                                     "Tipo",
                                     "Indirizzo rigo 1",
                                     "Indirizzo rigo 2",
                                     "Indirizzo rigo 3",
                                     "Indirizzo rigo 4",
                                     "Indirizzo rigo 5",
                                     "Indirizzo rigo 6",
                                     "Note",
                                     "Nuovo",
                                     "Duplica",
                                     "Salva",
                                     "Trova",
                                     "Allega file",
                                     "Stampa su busta",
                                     "Anteprima etichette",
                                     "Esporta archivio",
                                     "Guida",
                                     "Esci",
                                     "Prima scheda",
                                     "Scheda precedente",
                                     "Scheda successiva",
                                     "Ultima scheda",
                                     "Busta da lettera",
                                     "Pronto per archiviare una nuova scheda..."})
            QVERIFY2(names.contains(QString::fromUtf8(expected)), expected);

        // Saved: the card is on disk while the program still shows its message.
        QJsonObject card;
        QVERIFY(waitFor([&] {
            const CliResult dump = runCli(program.folder(), {QStringLiteral("dump"), QStringLiteral("addresses")});
            card = QJsonDocument::fromJson(dump.out).object();
            return !card.isEmpty();
        }));
        QCOMPARE(card.value(QStringLiteral("Nome")).toString(), QStringLiteral("Rossi Mario"));
        QCOMPARE(card.value(QStringLiteral("Tipo")).toString(), QStringLiteral("Cliente"));
        QCOMPARE(card.value(QStringLiteral("Rigo01")).toString(), QStringLiteral("Sig. Mario Rossi"));
        QCOMPARE(card.value(QStringLiteral("Rigo02")).toString(), QString());
        QCOMPARE(card.value(QStringLiteral("Rigo03")).toString(), QStringLiteral("00100 Roma"));
        QCOMPARE(card.value(QStringLiteral("Note")).toString(), QStringLiteral("dal lettore di schermo"));
        QVERIFY(!m_x.waitForFocusedWindow(QStringLiteral("Informazione")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestArchiveScreenReader)
#include "test_archive_screen_reader.moc"
