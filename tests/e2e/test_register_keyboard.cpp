// The real program on a real X server, by keyboard alone: log in, open the register of a year from the launcher,
// register three documents, leave, and read the year back with the batch tool.
#include "support/test_support.h"
#include "support/x_session.h"

#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestRegisterKeyboard : public QObject
{
    Q_OBJECT

    XSession m_x;

    void keys(const QStringList& names)
    {
        m_x.xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + names);
    }
    void type(const QString& text)
    {
        m_x.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
    }
    // Waits for exactly one visible window of that title and gives it the keyboard.
    QString waitAndFocus(const QString& title)
    {
        if (!waitFor([&] { return m_x.visibleWindows(title).size() == 1; }, 60000))
            return QString();
        const QString id = m_x.visibleWindows(title).first();
        return m_x.focus(id) ? id : QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A small laptop's screen: every window must fit it.
        const QString failure = m_x.start(QStringLiteral("1366x768x24"));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void threeDocumentsByKeyboard()
    {
        PortableProgram program;
        const QString failure = program.start(m_x, QString::fromUtf8(PLICARIO_PROGRAM));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        auto fail = [&](const char* what) { return QByteArray(what) + "; visible: " + m_x.visibleTitles().toUtf8(); };

        QVERIFY2(!waitAndFocus(QStringLiteral(" Plicario 3.0 - Autenticazione")).isEmpty(),
                 fail("no login window").constData());
        type(QStringLiteral("plicario"));
        keys({QStringLiteral("Return")});

        // The launcher starts on its first picture; the register's is the fifth.
        QVERIFY2(!waitAndFocus(QStringLiteral(" Plicario 3.0")).isEmpty(), fail("no launcher").constData());
        keys({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
              QStringLiteral("space")});

        // The year menu: its field holds this year; another year replaces it, Enter reaches "Apri", Enter opens.
        QVERIFY2(!waitAndFocus(QStringLiteral(" Plicario 3.0 - Protocollo Posta")).isEmpty(),
                 fail("no year menu").constData());
        keys({QStringLiteral("ctrl+a")});
        type(QStringLiteral("2031"));
        keys({QStringLiteral("Return"), QStringLiteral("Return")});
        const QString registerTitle = QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2031");
        QVERIFY2(!waitAndFocus(registerTitle).isEmpty(), fail("no register window").constData());
        QVERIFY(m_x.visibleWindows(QStringLiteral(" Plicario 3.0 - Protocollo Posta")).isEmpty());

        // The program dates each card when it is made; a run across midnight dates them on either day.
        const QDate firstDay = QDate::currentDate();
        FileOpenCounter yearOpens(program.folder(), QStringLiteral("2031.prt"));
        for (int n = 1; n <= 3; ++n) {
            // New: number and date filled, the cursor in the category. The shortcut presses "Nuovo" a moment after
            // the key, and keys typed before that are lost: wait until the new card has read the year's file.
            const int opened = yearOpens.count();
            keys({QStringLiteral("ctrl+n")});
            QVERIFY2(waitFor([&] { return yearOpens.count() > opened; }), fail("no new card").constData());
            if (n == 1) {
                // Office and operator sit just before the category; the mail type before them.
                keys({QStringLiteral("shift+Tab")});
                type(QStringLiteral("Rossi"));
                keys({QStringLiteral("shift+Tab")});
                type(QStringLiteral("Segreteria"));
                keys({QStringLiteral("Tab"), QStringLiteral("Tab")});
            }
            type(QStringLiteral("Categoria %1").arg(n));
            keys({QStringLiteral("Return")});
            type(QStringLiteral("Armadio %1").arg(n));
            keys({QStringLiteral("Return")});
            type(QStringLiteral("Oggetto %1").arg(n));
            keys({QStringLiteral("Return")});
            type(QStringLiteral("0%1/01/2031").arg(n));
            // Back from the subject to the mail type: collocation, category, operator, office, then the buttons.
            for (int i = 0; i < 6; ++i)
                keys({QStringLiteral("shift+Tab")});
            keys({QStringLiteral("space")});
            keys({QStringLiteral("ctrl+s")});
            QVERIFY2(!waitAndFocus(QStringLiteral("Informazione")).isEmpty(),
                     fail("no message after saving").constData());
            keys({QStringLiteral("Return")});
            QVERIFY2(!waitAndFocus(registerTitle).isEmpty(), fail("the message did not close").constData());
        }
        const QDate lastDay = QDate::currentDate();
        // Esc leaves the register for the launcher.
        keys({QStringLiteral("Escape")});
        QVERIFY2(waitFor([&] {
                     return m_x.visibleWindows(QStringLiteral(" Plicario 3.0")).size() == 1 &&
                            m_x.visibleWindows(registerTitle).isEmpty();
                 }),
                 fail("no launcher after the register").constData());
        QCOMPARE(program.process().state(), QProcess::Running);

        const CliResult dump =
            runCli(program.folder(), {QStringLiteral("dump"), QStringLiteral("register"), QStringLiteral("2031")});
        QCOMPARE(dump.exitCode, 0);
        const QList<QByteArray> lines = dump.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        for (int n = 1; n <= 3; ++n) {
            const QJsonObject card = QJsonDocument::fromJson(lines[n - 1]).object();
            QCOMPARE(card.value("Numero").toString(), QString::number(n));
            const QDate dated = QDate::fromString(card.value("DataReg").toString(), QStringLiteral("dd/MM/yyyy"));
            QVERIFY2(dated >= firstDay && dated <= lastDay, lines[n - 1].constData());
            QCOMPARE(card.value("Categoria").toString(), QStringLiteral("Categoria %1").arg(n));
            QCOMPARE(card.value("Collocazione").toString(), QStringLiteral("Armadio %1").arg(n));
            QCOMPARE(card.value("Oggetto").toString(), QStringLiteral("Oggetto %1").arg(n));
            QCOMPARE(card.value("DataSpe").toString(), QStringLiteral("0%1/01/2031").arg(n));
            QCOMPARE(card.value("Ufficio").toString(), QStringLiteral("Segreteria"));
            QCOMPARE(card.value("Operatore").toString(), QStringLiteral("Rossi"));
            QVERIFY2(QStringList({"In entrata", "In uscita", "Interna"}).contains(card.value("Tipologia").toString()),
                     lines[n - 1].constData());
        }
        // Leaving the register kept office and operator for the next time.
        const QByteArray ini = readFileBytes(QDir(program.folder()).filePath(QStringLiteral("Tessaro.ini")));
        QVERIFY(ini.contains("Ufficio=Segreteria"));
        QVERIFY(ini.contains("Operatore=Rossi"));
    }
};

QTEST_GUILESS_MAIN(TestRegisterKeyboard)
#include "test_register_keyboard.moc"
