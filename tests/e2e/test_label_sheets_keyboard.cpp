// The real program on a 1366 x 768 X server, driven by the keyboard alone: a sheet of labels composed from the
// address archive, saved, and read back from the file by the batch tool.
#include "support/test_support.h"
#include "support/x_session.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

class TestLabelSheetsKeyboard : public QObject
{
    Q_OBJECT

    XSession m_x;

    // Fails the test with what is on screen when `title` does not come up holding the keyboard.
    QString expectWindow(const QString& title, const QProcess& program)
    {
        const QString id = m_x.waitForFocusedWindow(title, 60000);
        if (id.isEmpty())
            qWarning("\"%s\" did not show; program %s; visible: %s", qPrintable(title),
                     program.state() == QProcess::Running ? "running" : "ended", qPrintable(m_x.visibleTitles()));
        return id;
    }
    bool gone(const QString& title)
    {
        return waitFor([&] { return m_x.visibleWindows(title).isEmpty(); });
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString failure = m_x.start(QStringLiteral("1366x768x24"));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void composeSaveAndReadBack()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("plicario"));
        QVERIFY(QFile::copy(QString::fromUtf8(PLICARIO_PROGRAM), program));
        QCOMPARE(runCli(folder.path(), {QStringLiteral("password"), QStringLiteral("set")}, "plicario\n").exitCode, 0);
        const QByteArray cards =
            "{\"Nome\":\"Rossi Mario\",\"Tipo\":\"Cliente\",\"Rigo01\":\"Sig. Mario Rossi\",\"Rigo02\":\"Via Roma 1\","
            "\"Rigo03\":\"00100 Roma\"}\n"
            "{\"Nome\":\"Verdi Anna\",\"Tipo\":\"Fornitore\",\"Rigo01\":\"Anna Verdi\",\"Rigo02\":\"Corso Po 7\","
            "\"Rigo03\":\"10100 Torino\",\"Rigo06\":\"ITALIA\"}\n"
            "{\"Nome\":\"Bianchi Srl\",\"Tipo\":\"Cliente\",\"Rigo01\":\"Bianchi Srl\",\"Rigo02\":\"Via Dante 3\"}\n";
        QCOMPARE(runCli(folder.path(), {QStringLiteral("append"), QStringLiteral("addresses")}, cards).exitCode, 0);

        QProcess plicario;
        m_x.startProgram(plicario, program);
        QVERIFY(plicario.waitForStarted(10000));
        auto stop = qScopeGuard([&] {
            plicario.kill(); // by its own process id
            plicario.waitForFinished(5000);
        });

        QVERIFY(!expectWindow(QStringLiteral(" Plicario 3.0 - Autenticazione"), plicario).isEmpty());
        m_x.type(QStringLiteral("plicario"));
        m_x.key(QStringLiteral("Return"));

        // The launcher: Tab to "Apri Gestione Etichette" and press it.
        QVERIFY(!expectWindow(QStringLiteral(" Plicario 3.0"), plicario).isEmpty());
        m_x.key(QStringLiteral("Tab Tab Tab space"));
        const QString labels = QStringLiteral(" Plicario 3.0 - Gestione Etichette");
        QVERIFY(!expectWindow(labels, plicario).isEmpty());

        // Slot 01: the focus is in its name field; the key of the arrow's tooltip opens its import.
        const QString import = QStringLiteral(" Importa etichetta da archivio indirizzi");
        auto importBy = [&](const QString& key) {
            m_x.key(QStringLiteral("ctrl+i"));
            if (expectWindow(import, plicario).isEmpty())
                return false;
            // A key, Enter to Trova, Enter to find; back to the list, where Enter imports the found card.
            m_x.type(key);
            m_x.key(QStringLiteral("Return Return shift+Tab shift+Tab Return"));
            return gone(import) && !expectWindow(labels, plicario).isEmpty();
        };
        QVERIFY(importBy(QStringLiteral("verdi")));
        // Enter moves on to slot 02, then to slot 03.
        m_x.key(QStringLiteral("Return Return"));
        QVERIFY(importBy(QStringLiteral("srl")));

        // Save: one information message, closed with Enter.
        m_x.key(QStringLiteral("ctrl+s"));
        QVERIFY(!expectWindow(QStringLiteral("Informazione"), plicario).isEmpty());
        m_x.key(QStringLiteral("Return"));
        QVERIFY(gone(QStringLiteral("Informazione")));
        // Esc leaves for the launcher.
        QVERIFY(!expectWindow(labels, plicario).isEmpty());
        m_x.key(QStringLiteral("Escape"));
        QVERIFY(gone(labels));
        QVERIFY(!expectWindow(QStringLiteral(" Plicario 3.0"), plicario).isEmpty());

        const CliResult dump = runCli(folder.path(), {QStringLiteral("dump"), QStringLiteral("labels")});
        QCOMPARE(dump.exitCode, 0);
        const QList<QByteArray> lines = dump.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        const QJsonObject sheet = QJsonDocument::fromJson(lines[0]).object();
        QCOMPARE(sheet.value(QStringLiteral("Nome_E01")).toString(), QStringLiteral("Verdi Anna"));
        QCOMPARE(sheet.value(QStringLiteral("Rigo01_E01")).toString(), QStringLiteral("Anna Verdi"));
        QCOMPARE(sheet.value(QStringLiteral("Rigo03_E01")).toString(), QStringLiteral("10100 Torino"));
        QCOMPARE(sheet.value(QStringLiteral("Rigo06_E01")).toString(), QStringLiteral("ITALIA"));
        QCOMPARE(sheet.value(QStringLiteral("Nome_E02")).toString(), QString());
        QCOMPARE(sheet.value(QStringLiteral("Nome_E03")).toString(), QStringLiteral("Bianchi Srl"));
        QCOMPARE(sheet.value(QStringLiteral("Rigo02_E03")).toString(), QStringLiteral("Via Dante 3"));
        for (int slot = 4; slot <= 24; ++slot)
            QCOMPARE(sheet.value(QStringLiteral("Nome_E%1").arg(slot, 2, 10, QLatin1Char('0'))).toString(), QString());
        QCOMPARE(plicario.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestLabelSheetsKeyboard)
#include "test_label_sheets_keyboard.moc"
