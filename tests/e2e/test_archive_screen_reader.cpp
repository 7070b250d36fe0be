// The real program on a 1366 x 768 X server with a real AT-SPI bus, as a screen reader sees it and works it: the
// address archive window is a frame whose every control has its spoken name, a card typed and saved through the bus
// alone is in the archive, read back by the batch tool, and the three record windows speak their card position.
#include "support/test_support.h"
#include "support/x_session.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kLauncher = QStringLiteral(" Plicario 3.0");

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

    // Starts the reader (atspi_archive.py) on the window titled `title`; see the script for `args`.
    void startReader(QProcess& reader, const QString& title, const QStringList& args) const
    {
        reader.setProcessEnvironment(m_env);
        reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        reader.start(QStringLiteral("/usr/bin/python3"),
                     QStringList{QStringLiteral(PLICARIO_SOURCE_DIR "/tests/e2e/atspi_archive.py"), title} + args);
    }
    // What the reader printed: what it read, and its "error" if it failed.
    static QJsonObject answer(QProcess& reader)
    {
        if (!reader.waitForFinished(120000)) {
            reader.kill();
            reader.waitForFinished(5000);
            return {{QStringLiteral("error"), QStringLiteral("the AT-SPI reader did not finish")}};
        }
        const QByteArray out = reader.readAllStandardOutput();
        QJsonObject seen = QJsonDocument::fromJson(out).object();
        const bool failed = reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0;
        if (failed && !seen.contains(QStringLiteral("error")))
            seen.insert(QStringLiteral("error"), QStringLiteral("the AT-SPI reader failed: ") + QString::fromUtf8(out));
        return seen;
    }
    QJsonObject read(const QString& title, const QStringList& args) const
    {
        QProcess reader;
        startReader(reader, title, args);
        return answer(reader);
    }
    // Empty when the reader did what it was asked.
    static QString errorOf(const QJsonObject& seen) { return seen.value(QStringLiteral("error")).toString(); }
    static QStringList namesOf(const QJsonObject& seen)
    {
        QStringList names;
        for (const QJsonValue& name : seen.value(QStringLiteral("names")).toArray())
            names << name.toString();
        return names;
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

    // Each application through the launcher, worked over the bus alone: the address archive is a frame whose every
    // control has its spoken name, a card saved there is in the archive (read back by the batch tool), and each of
    // the three windows speaks the position of the card it shows.
    void applicationsSpokenAndWorkedOverTheBus()
    {
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                     m_env.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")));
        extra.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        PortableProgram program;
        const QString failure = program.start(m_x, QString::fromUtf8(PLICARIO_PROGRAM), extra);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        // Two label sheets and three registered documents to move among.
        QCOMPARE(runCli(program.folder(), {QStringLiteral("append"), QStringLiteral("labels")},
                        "{\"Nome_E01\":\"Primo foglio\"}\n{\"Nome_E01\":\"Secondo foglio\"}\n")
                     .exitCode,
                 0);
        QCOMPARE(runCli(program.folder(),
                        {QStringLiteral("append"), QStringLiteral("register"), QStringLiteral("2031")},
                        "{\"Numero\":\"1\",\"Tipologia\":\"Interna\"}\n{\"Numero\":\"2\",\"Tipologia\":\"Interna\"}\n"
                        "{\"Numero\":\"3\",\"Tipologia\":\"Interna\"}\n")
                     .exitCode,
                 0);

        QVERIFY(!m_x.waitForFocusedWindow(QStringLiteral(" Plicario 3.0 - Autenticazione"), 60000).isEmpty());
        m_x.type(QStringLiteral("plicario"));
        m_x.key(QStringLiteral("Return"));
        // The launcher: Tab to "Apri Archivio Indirizzi", Enter presses it.
        QVERIFY(!m_x.waitForFocusedWindow(kLauncher).isEmpty());
        m_x.key(QStringLiteral("Tab Return"));
        const QString archiveTitle = QStringLiteral(" Plicario 3.0 - Archivio Indirizzi");
        QVERIFY2(!m_x.waitForFocusedWindow(archiveTitle).isEmpty(), qPrintable(m_x.visibleTitles()));

        QProcess reader;
        startReader(reader, archiveTitle,
                    {QStringLiteral("--set=Nome etichetta=Rossi Mario"), QStringLiteral("--set=Tipo=Cliente"),
                     QStringLiteral("--set=Indirizzo rigo 1=Sig. Mario Rossi"),
                     QStringLiteral("--set=Indirizzo rigo 3=00100 Roma"),
                     QStringLiteral("--set=Note=dal lettore di schermo"), QStringLiteral("--press=Salva"),
                     QStringLiteral("--position=Scheda 1")});
        // Saved: the card is on disk while the program still shows its message, which Enter closes.
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
        m_x.key(QStringLiteral("Return"));
        const QJsonObject archive = answer(reader);
        QCOMPARE(errorOf(archive), QString());

        // A window, not a filler, and every control by the name a screen reader speaks; the card was a new one.
        QCOMPARE(archive.value(QStringLiteral("role")).toString(), QStringLiteral("frame"));
        const QStringList names = namesOf(archive);
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
                                     "Scheda nuova",
                                     "Busta da lettera",
                                     "Pronto per archiviare una nuova scheda..."})
            QVERIFY2(names.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(archive.value(QStringLiteral("position")).toString(), QStringLiteral("Scheda 1"));
        QCOMPARE(errorOf(read(archiveTitle, {QStringLiteral("--press=Esci")})), QString());

        // The label sheets open on a new sheet; the last stored one is the second.
        QCOMPARE(errorOf(read(kLauncher, {QStringLiteral("--press=Apri Gestione Etichette")})), QString());
        const QString labelsTitle = QStringLiteral(" Plicario 3.0 - Gestione Etichette");
        QJsonObject seen =
            read(labelsTitle, {QStringLiteral("--press=Ultima scheda"), QStringLiteral("--position=Scheda 2")});
        QCOMPARE(errorOf(seen), QString());
        QVERIFY(namesOf(seen).contains(QStringLiteral("Scheda nuova")));
        QCOMPARE(seen.value(QStringLiteral("position")).toString(), QStringLiteral("Scheda 2"));
        QCOMPARE(errorOf(read(labelsTitle, {QStringLiteral("--press=Esci")})), QString());

        // The register of 2031, through the year menu: a new card first, then the third and last.
        QCOMPARE(errorOf(read(kLauncher, {QStringLiteral("--press=Apri Protocollo Posta")})), QString());
        QCOMPARE(errorOf(read(QStringLiteral(" Plicario 3.0 - Protocollo Posta"),
                              {QStringLiteral("--set=Anno=2031"), QStringLiteral("--press=Apri")})),
                 QString());
        seen = read(QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2031"),
                    {QStringLiteral("--press=Ultima scheda"), QStringLiteral("--position=Scheda 3")});
        QCOMPARE(errorOf(seen), QString());
        QVERIFY(namesOf(seen).contains(QStringLiteral("Scheda nuova")));
        QCOMPARE(seen.value(QStringLiteral("position")).toString(), QStringLiteral("Scheda 3"));
        QCOMPARE(program.process().state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestArchiveScreenReader)
#include "test_archive_screen_reader.moc"
