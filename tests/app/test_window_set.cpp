#include "access/change_password_window.h"
#include "access/login_window.h"
#include "access/password_store.h"
#include "app/window_set_gui.h"
#include "support/test_support.h"
#include "support/typing.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

// The program's windows over a temporary folder holding the password "plicario", started.
struct Flow
{
    TestContext test;
    WindowSet windows{(PasswordStore(test.dir.path()).storePassword(QStringLiteral("plicario")), test.context)};
    QSignalSpy finished{&windows, &WindowSet::finished};

    Flow() { windows.start(); }

    // The one visible top-level window; the test fails when there is not exactly one.
    static QWidget* visible()
    {
        QWidgetList shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                shown.append(w);
        return shown.size() == 1 ? shown.first() : nullptr;
    }
    static QString visibleName()
    {
        QWidget* w = visible();
        return w ? w->objectName() : QStringLiteral("<not exactly one window>");
    }

    template <class T = QWidget> T* in(QWidget* window, const char* name)
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    void logIn()
    {
        QWidget* login = windows.login();
        QApplication::setActiveWindow(login);
        typeText(in<QLineEdit>(login, "txtPassword"), QStringLiteral("plicario"));
        QTest::keyClick(in<QLineEdit>(login, "txtPassword"), Qt::Key_Return);
    }
    void click(QWidget* window, const char* name)
    {
        auto* button = in<QAbstractButton>(window, name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace

class TestWindowSet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startShowsTheLoginWindowCentred()
    {
        Flow f;
        QCOMPARE(Flow::visibleName(), QStringLiteral("frmPassword"));
        QWidget* login = f.windows.login();
        QVERIFY(QTest::qWaitForWindowActive(login));
        QVERIFY(f.in(login, "txtPassword")->hasFocus());
        const QPoint centre = login->screen()->availableGeometry().center();
        QVERIFY((login->frameGeometry().center() - centre).manhattanLength() <= 2);
        // Nothing but the login window is made before it shows: the others wait until they are first needed.
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{login});
    }

    void applicationsAndBack_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        const QString addresses = QStringLiteral(" Plicario 3.0 - Archivio Indirizzi");
        const QString labels = QStringLiteral(" Plicario 3.0 - Gestione Etichette");
        const QString mail = QStringLiteral(" Plicario 3.0 - Protocollo Posta");
        QTest::newRow("imgApp01") << "imgApp01" << "frmArchivio_Indirizzi" << addresses;
        QTest::newRow("btnApp01") << "btnApp01" << "frmArchivio_Indirizzi" << addresses;
        QTest::newRow("imgApp02") << "imgApp02" << "frmArchivio_Etichette" << labels;
        QTest::newRow("btnApp02") << "btnApp02" << "frmArchivio_Etichette" << labels;
        QTest::newRow("imgApp03") << "imgApp03" << "frmMenuProtocollo" << mail;
        QTest::newRow("btnApp03") << "btnApp03" << "frmMenuProtocollo" << mail;
    }
    void applicationsAndBack()
    {
        QFETCH(QString, control);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        Flow f;
        f.logIn();
        QCOMPARE(Flow::visibleName(), QStringLiteral("frmAvvio"));
        QWidget* launcher = f.windows.launcher();
        QVERIFY(launcher->windowState() & Qt::WindowMaximized);

        // The window made on the first opening is the one shown again on the second.
        QWidget* first = nullptr;
        for (int round = 0; round < 2; ++round) {
            f.click(launcher, qPrintable(control));
            QCOMPARE(Flow::visibleName(), window);
            QWidget* app = Flow::visible();
            if (!first)
                first = app;
            QCOMPARE(app, first);
            QCOMPARE(app->windowTitle(), caption);
            QVERIFY(app->windowState() & Qt::WindowMaximized);
            app->close();
            QCOMPARE(Flow::visible(), launcher);
            QVERIFY(launcher->windowState() & Qt::WindowMaximized);
        }
        QCOMPARE(f.finished.count(), 0);
        QVERIFY(f.test.messages.log().isEmpty());
    }

    void changePasswordAndBack()
    {
        Flow f;
        QWidget* login = f.windows.login();
        typeText(f.in<QLineEdit>(login, "txtPassword"), QStringLiteral("abc"));
        f.click(login, "btnCambiaPassword");
        QCOMPARE(Flow::visibleName(), QStringLiteral("frmCambiaPassword"));

        // A successful change closes the window and the login window takes over, emptied.
        QWidget* change = f.windows.changePassword();
        QApplication::setActiveWindow(change);
        f.in<QLineEdit>(change, "txtPasswordOld")->setText(QStringLiteral("plicario"));
        f.in<QLineEdit>(change, "txtPasswordNew")->setText(QStringLiteral("nuova"));
        f.in<QLineEdit>(change, "txtConferma")->setText(QStringLiteral("nuova"));
        f.click(change, "cmdOK");
        QCOMPARE(Flow::visibleName(), QStringLiteral("frmPassword"));
        QVERIFY(QTest::qWaitForWindowActive(login));
        QCOMPARE(f.in<QLineEdit>(login, "txtPassword")->text(), QString());
        QVERIFY(f.in(login, "txtPassword")->hasFocus());

        // "Chiudi" does the same without a change.
        f.click(login, "btnCambiaPassword");
        f.click(change, "cmdEsci");
        QCOMPARE(Flow::visibleName(), QStringLiteral("frmPassword"));
        QCOMPARE(f.finished.count(), 0);

        typeText(f.in<QLineEdit>(login, "txtPassword"), QStringLiteral("nuova"));
        QTest::keyClick(f.in<QLineEdit>(login, "txtPassword"), Qt::Key_Return);
        QCOMPARE(Flow::visibleName(), QStringLiteral("frmAvvio"));
    }

    void leavingTheProgram_data()
    {
        QTest::addColumn<bool>("fromLauncher");
        QTest::addColumn<QString>("control"); // empty: the window is closed by its title bar
        QTest::newRow("login Esci") << false << QStringLiteral("cmdEsci");
        QTest::newRow("login closed") << false << QString();
        QTest::newRow("launcher exit picture") << true << QStringLiteral("imgEsci");
        QTest::newRow("launcher closed") << true << QString();
    }
    void leavingTheProgram()
    {
        QFETCH(bool, fromLauncher);
        QFETCH(QString, control);
        Flow f;
        if (fromLauncher)
            f.logIn();
        QWidget* window = fromLauncher ? static_cast<QWidget*>(f.windows.launcher()) : f.windows.login();
        QCOMPARE(Flow::visible(), window);
        if (control.isEmpty())
            window->close();
        else
            f.click(window, qPrintable(control));
        QCOMPARE(f.finished.count(), 1);
        QVERIFY(!window->isVisible());
    }

    // Every control a user acts on has a name a screen reader can say, unique in its window.
    void accessibleNames_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("login") << 0;
        QTest::newRow("change password") << 1;
        QTest::newRow("launcher") << 2;
    }
    void accessibleNames()
    {
        QFETCH(int, which);
        Flow f;
        QWidget* windows[] = {f.windows.login(), f.windows.changePassword(), f.windows.launcher()};
        QWidget* window = windows[which];
        QStringList names;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            QVERIFY(face);
            const QString name = face->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.append(name);
        }
        QVERIFY(names.size() >= 3);
    }
};

QTEST_MAIN(TestWindowSet)
#include "test_window_set.moc"
