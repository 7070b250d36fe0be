// The real program on an X server, with no window manager and with openbox: after every window that the label sheets
// open closes, the keyboard is back in the window that opened it; the fixed dialogs ask for no title-bar buttons, one
// that a window manager minimises anyway comes back, and one that it closes is cancelled.
#include "support/test_support.h"
#include "support/x_session.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kLabels = QStringLiteral(" Plicario 3.0 - Gestione Etichette");
const QString kCompose = QStringLiteral(" Componi dall'archivio");
const QString kStock = QStringLiteral(" Formato etichette");
const QString kImport = QStringLiteral(" Importa etichetta da archivio indirizzi");
const QString kPrint = QStringLiteral(" Stampa pagina etichette");
const QString kPreview = QStringLiteral("^Anteprima di stampa");
const QString kRegister = QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2031");

// Motif's function bits.
constexpr unsigned kMwmFunctionsFlag = 1, kMwmMinimize = 8, kMwmMaximize = 16, kMwmClose = 32;

} // namespace

class TestNestedWindows : public QObject
{
    Q_OBJECT

    // An X server of its own for each case, so that a window manager started for one never meets the next.
    std::unique_ptr<XSession> m_x;
    std::unique_ptr<PortableProgram> m_program;

    // A new X server, with openbox when asked; why not, when there can be none here.
    QString startX(bool windowManager)
    {
        m_program.reset();
        m_x = std::make_unique<XSession>();
        const QString noX = m_x->start(QStringLiteral("1366x768x24"));
        return !noX.isEmpty() || !windowManager ? noX : m_x->startWindowManager();
    }

    // Starts the program and logs in: the launcher holds the keyboard.
    void startOnLauncher()
    {
        m_program = std::make_unique<PortableProgram>();
        const QString failure = m_program->start(*m_x, QString::fromUtf8(PLICARIO_PROGRAM));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const QByteArray cards = "{\"Nome\":\"Rossi Mario\",\"Tipo\":\"Cliente\",\"Rigo01\":\"Via Roma 1\"}\n"
                                 "{\"Nome\":\"Verdi Anna\",\"Tipo\":\"Cliente\",\"Rigo01\":\"Corso Po 7\"}\n";
        QCOMPARE(runCli(m_program->folder(), {QStringLiteral("append"), QStringLiteral("addresses")}, cards).exitCode,
                 0);
        // The pointer away from every window: with no window manager, keys would otherwise reach the window under it.
        m_x->xdotool({QStringLiteral("mousemove"), QStringLiteral("1365"), QStringLiteral("767")});

        QVERIFY2(!m_x->waitForFocusedWindow(QStringLiteral(" Plicario 3.0 - Autenticazione"), 60000).isEmpty(),
                 qPrintable(m_x->visibleTitles()));
        m_x->type(QStringLiteral("plicario"));
        m_x->key(QStringLiteral("Return"));
        QVERIFY2(!m_x->waitForFocusedWindow(QStringLiteral(" Plicario 3.0")).isEmpty(),
                 qPrintable(m_x->visibleTitles()));
    }

    void startOnLabels()
    {
        startOnLauncher();
        if (QTest::currentTestFailed())
            return;
        m_x->key(QStringLiteral("Tab Tab Tab space"));
        QVERIFY2(!m_x->waitForFocusedWindow(kLabels).isEmpty(), qPrintable(m_x->visibleTitles()));
    }

    // The register of 2031, by way of the year menu.
    void startOnRegister()
    {
        startOnLauncher();
        if (QTest::currentTestFailed())
            return;
        m_x->key(QStringLiteral("Tab Tab Tab Tab space"));
        QVERIFY2(!m_x->waitForFocusedWindow(QStringLiteral(" Plicario 3.0 - Protocollo Posta")).isEmpty(),
                 qPrintable(m_x->visibleTitles()));
        m_x->key(QStringLiteral("ctrl+a"));
        m_x->type(QStringLiteral("2031"));
        m_x->key(QStringLiteral("Return Return"));
        QVERIFY2(!m_x->waitForFocusedWindow(kRegister).isEmpty(), qPrintable(m_x->visibleTitles()));
    }

    // The usual hints of a dialog with a title and no buttons: Motif's functions without minimise, maximise or
    // close, and a fixed size. Openbox reads only moving and resizing from Motif's functions and keeps its minimise
    // and close buttons on every window with a title bar; minimised, the dialog comes back at once with the keyboard,
    // and with the windows openbox minimised along with it, since its owner takes no keys while it is open.
    void expectFixedDialog(const QString& id, const QString& title, bool windowManager)
    {
        const QString motif = m_x->xprop({QStringLiteral("-id"), id, QStringLiteral("_MOTIF_WM_HINTS")});
        const QRegularExpressionMatch hints =
            QRegularExpression(QStringLiteral("= (0x[0-9a-f]+), (0x[0-9a-f]+)")).match(motif);
        QVERIFY2(hints.hasMatch(), qPrintable(title + QLatin1Char(' ') + motif));
        const unsigned flags = hints.captured(1).toUInt(nullptr, 16);
        const unsigned functions = hints.captured(2).toUInt(nullptr, 16);
        QVERIFY2((flags & kMwmFunctionsFlag) && !(functions & (kMwmMinimize | kMwmMaximize | kMwmClose)),
                 qPrintable(title + QLatin1Char(' ') + motif));
        const QString size = m_x->xprop({QStringLiteral("-id"), id, QStringLiteral("WM_NORMAL_HINTS")});
        const QRegularExpressionMatch minimum =
            QRegularExpression(QStringLiteral("minimum size: (\\d+ by \\d+)")).match(size);
        const QRegularExpressionMatch maximum =
            QRegularExpression(QStringLiteral("maximum size: (\\d+ by \\d+)")).match(size);
        QVERIFY2(minimum.hasMatch() && minimum.captured(1) == maximum.captured(1), qPrintable(title + size));
        if (!windowManager)
            return;
        // What openbox offers: no maximising and no resizing for a window of fixed size.
        const QString actions = m_x->xprop({QStringLiteral("-id"), id, QStringLiteral("_NET_WM_ALLOWED_ACTIONS")});
        QVERIFY2(actions.contains(QStringLiteral("_NET_WM_ACTION_MOVE")), qPrintable(actions));
        QVERIFY2(!actions.contains(QStringLiteral("MAXIMIZE")) && !actions.contains(QStringLiteral("RESIZE")),
                 qPrintable(title + actions));
        const QStringList shownBefore = visibleWindows();
        m_x->xdotool({QStringLiteral("windowminimize"), id});
        QVERIFY2(holdsKeyboard(id), qPrintable(title + QStringLiteral(" stayed minimised")));
        QCOMPARE(m_x->visibleWindowsMatching(exact(title)), QStringList{id});
        QVERIFY2(waitFor([&] { return visibleWindows() == shownBefore; }, 10000), qPrintable(m_x->visibleTitles()));
    }

    // Closes the dialog as its title bar's close button would (openbox's Alt+F4 runs the same action), or with Esc
    // where nothing draws a title bar; either way it is cancelled: it goes, and nothing opens in its place.
    void closeFixedDialog(const QString& title, const QStringList& shownUnder, bool windowManager)
    {
        m_x->key(windowManager ? QStringLiteral("alt+F4") : QStringLiteral("Escape"));
        QVERIFY2(waitFor([&] { return m_x->visibleWindows(title).isEmpty(); }), qPrintable(title));
        QVERIFY2(waitFor([&] { return visibleWindows() == shownUnder; }, 10000), qPrintable(m_x->visibleTitles()));
    }

    // Every visible window, in a stable order.
    QStringList visibleWindows() const
    {
        QStringList ids = m_x->visibleWindowsMatching(QStringLiteral("."));
        ids.sort();
        return ids;
    }

    // The one visible window whose title matches `pattern`, once it shows; empty when none did.
    QString shown(const QString& pattern)
    {
        QString id;
        waitFor([&] {
            const QStringList ids = m_x->visibleWindowsMatching(pattern);
            id = ids.size() == 1 ? ids.first() : QString();
            return !id.isEmpty();
        });
        return id;
    }

    // True once `window` holds the keyboard.
    bool holdsKeyboard(const QString& window)
    {
        return waitFor([&] { return m_x->focusedWindow() == window; }, 10000);
    }

    static void withAndWithoutWindowManager()
    {
        QTest::addColumn<bool>("windowManager");
        QTest::newRow("no window manager") << false;
        QTest::newRow("openbox") << true;
    }

    static QString exact(const QString& title) { return QLatin1Char('^') + escapedTitle(title) + QLatin1Char('$'); }

private Q_SLOTS:
    void keyboardComesBackAfterEveryNestedWindow_data() { withAndWithoutWindowManager(); }
    void keyboardComesBackAfterEveryNestedWindow()
    {
        QFETCH(bool, windowManager);
        if (const QString noX = startX(windowManager); !noX.isEmpty())
            QSKIP(qPrintable(noX));
        startOnLabels();
        if (QTest::currentTestFailed())
            return;
        const QString labels = m_x->visibleWindows(kLabels).value(0);

        // Each chain: the keys that open the windows one inside the other, each window's title; Esc then closes them
        // from the innermost out, and after each the window that opened it must hold the keyboard.
        struct Chain
        {
            QStringList keys;
            QStringList titles;
        };
        const QList<Chain> chains = {
            {{"ctrl+m", "Tab Tab Tab Return"}, {exact(kCompose), kPreview}},
            {{"ctrl+m", "ctrl+l", "ctrl+p"}, {exact(kCompose), exact(kStock), kPreview}},
            {{"ctrl+i"}, {exact(kImport)}},
            {{"ctrl+p"}, {exact(kPrint)}},
            {{"F1"}, {QStringLiteral("^ Guida")}},
        };
        for (const Chain& chain : chains) {
            QStringList opened{labels};
            for (int i = 0; i < chain.keys.size(); ++i) {
                m_x->key(chain.keys[i]);
                const QString id = shown(chain.titles[i]);
                QVERIFY2(!id.isEmpty(), qPrintable(chain.titles[i] + QStringLiteral(" did not show; visible: ") +
                                                   m_x->visibleTitles()));
                QVERIFY2(holdsKeyboard(id), qPrintable(chain.titles[i]));
                opened << id;
            }
            while (opened.size() > 1) {
                const QString closing = opened.takeLast();
                m_x->key(QStringLiteral("Escape"));
                QVERIFY2(waitFor([&] { return !m_x->visibleWindowsMatching(QStringLiteral(".")).contains(closing); }),
                         qPrintable(QStringLiteral("Esc did not close a window; visible: ") + m_x->visibleTitles()));
                QVERIFY2(holdsKeyboard(opened.last()),
                         qPrintable(
                             QStringLiteral("the keyboard did not come back; it is on %1, visible: %2")
                                 .arg(m_x->xdotool({QStringLiteral("getwindowfocus"), QStringLiteral("getwindowname")}),
                                      m_x->visibleTitles())));
            }
        }
        // The keys still reach the sheet: Esc leaves it for the launcher.
        m_x->key(QStringLiteral("Escape"));
        QVERIFY(waitFor([&] { return m_x->visibleWindows(kLabels).isEmpty(); }));
        QVERIFY(!m_x->waitForFocusedWindow(QStringLiteral(" Plicario 3.0")).isEmpty());
    }

    void fixedDialogsAskForNoTitleBarButtons_data() { withAndWithoutWindowManager(); }
    void fixedDialogsAskForNoTitleBarButtons()
    {
        QFETCH(bool, windowManager);
        if (const QString noX = startX(windowManager); !noX.isEmpty())
            QSKIP(qPrintable(noX));
        startOnLabels();
        if (QTest::currentTestFailed())
            return;
        struct Dialog
        {
            QString keys;
            QString title;
            bool overCompose;
        };
        const QList<Dialog> dialogs = {
            {QStringLiteral("ctrl+m"), kCompose, false},
            {QStringLiteral("ctrl+m ctrl+l"), kStock, true},
            {QStringLiteral("ctrl+i"), kImport, false},
            {QStringLiteral("ctrl+p"), kPrint, false},
        };
        for (const Dialog& dialog : dialogs) {
            m_x->key(dialog.keys);
            const QString id = shown(exact(dialog.title));
            QVERIFY2(!id.isEmpty(), qPrintable(dialog.title + QStringLiteral(" did not show")));
            QStringList under = visibleWindows();
            under.removeOne(id);

            expectFixedDialog(id, dialog.title, windowManager);
            if (QTest::currentTestFailed())
                return;
            if (dialog.title == kStock)
                m_x->key(QStringLiteral("Down")); // another format, which closing must not save
            closeFixedDialog(dialog.title, under, windowManager);
            if (QTest::currentTestFailed())
                return;
            QFile settings(QDir(m_program->folder()).filePath(QStringLiteral("Impostazioni.ini")));
            QVERIFY2(!settings.open(QIODevice::ReadOnly) || !settings.readAll().contains("[Etichette]"),
                     qPrintable(dialog.title + QStringLiteral(" saved the label format")));
            if (dialog.overCompose) {
                QVERIFY(holdsKeyboard(m_x->visibleWindows(kCompose).value(0)));
                m_x->key(QStringLiteral("Escape"));
                QVERIFY(waitFor([&] { return m_x->visibleWindows(kCompose).isEmpty(); }));
            }
            QVERIFY(holdsKeyboard(m_x->visibleWindows(kLabels).value(0)));
        }
    }

    void registerDialogsAskForNoTitleBarButtons_data() { withAndWithoutWindowManager(); }
    void registerDialogsAskForNoTitleBarButtons()
    {
        QFETCH(bool, windowManager);
        if (const QString noX = startX(windowManager); !noX.isEmpty())
            QSKIP(qPrintable(noX));
        startOnRegister();
        if (QTest::currentTestFailed())
            return;
        const QString owner = m_x->visibleWindows(kRegister).value(0);
        const QList<std::pair<QString, QString>> dialogs = {
            {QStringLiteral("ctrl+shift+n"), QStringLiteral(" Impostazione inizio numerazione")},
            {QStringLiteral("ctrl+f"), QStringLiteral(" Trova documenti protocollati")},
        };
        for (const auto& [keys, title] : dialogs) {
            m_x->key(keys);
            const QString id = shown(exact(title));
            QVERIFY2(!id.isEmpty(),
                     qPrintable(title + QStringLiteral(" did not show; visible: ") + m_x->visibleTitles()));
            QStringList under = visibleWindows();
            under.removeOne(id);
            expectFixedDialog(id, title, windowManager);
            if (QTest::currentTestFailed())
                return;
            closeFixedDialog(title, under, windowManager);
            if (QTest::currentTestFailed())
                return;
            QVERIFY(holdsKeyboard(owner));
        }
    }

    void cleanup()
    {
        m_program.reset(); // killed by its own process id before its X server goes
        m_x.reset();
    }
};

QTEST_GUILESS_MAIN(TestNestedWindows)
#include "test_nested_windows.moc"
