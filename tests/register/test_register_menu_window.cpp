#include "access/login_window.h"
#include "access/password_store.h"
#include "app/window_set_gui.h"
#include "register/register_menu_window.h"
#include "register/register_window.h"
#include "support/modal.h"
#include "support/test_support.h"
#include "support/typing.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestRegisterMenuWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    RegisterMenuWindow* m_menu = nullptr;

    QLineEdit* year() { return m_menu->findChild<QLineEdit*>("txtAnnoPreventivi"); }
    QPushButton* open() { return m_menu->findChild<QPushButton*>("btnApriPreventivi"); }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_menu = new RegisterMenuWindow(m_ctx->context);
        m_menu->show();
        QApplication::setActiveWindow(m_menu);
        QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    }
    void cleanup()
    {
        delete m_menu;
        delete m_ctx;
    }

    void everyShowingStartsFromThisYear()
    {
        QCOMPARE(m_menu->windowTitle(), QStringLiteral(" Plicario 3.0 - Protocollo Posta"));
        QVERIFY(m_menu->windowState() & Qt::WindowMaximized);
        QCOMPARE(year()->text(), QStringLiteral("2024"));
        QVERIFY(year()->hasFocus());
        QVERIFY(m_menu->findChild<QWidget*>("effAnnoPreventivi")->isVisible());
        QCOMPARE(m_menu->exitTarget(), RegisterMenuWindow::ExitTarget::Launcher);
        year()->setText(QStringLiteral("2019"));
        m_menu->hide();
        m_ctx->clock.date = QDate(2025, 1, 1);
        m_menu->show();
        QCOMPARE(year()->text(), QStringLiteral("2025"));
        QVERIFY(m_menu->minimumSizeHint().width() <= 1366 && m_menu->minimumSizeHint().height() <= 698);
    }

    void yearFieldTakesFourDigitsOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("result");
        QTest::newRow("letters") << "ab2c0"
                                 << ""
                                 << "20";
        QTest::newRow("a fifth digit") << "20245"
                                       << ""
                                       << "2024";
        QTest::newRow("signs") << "-1.9/"
                               << ""
                               << "19";
        QTest::newRow("a pasted path") << ""
                                       << "/home/utente/2024.prt"
                                       << "";
        QTest::newRow("a pasted year and name") << ""
                                                << "2024.prt"
                                                << "";
        QTest::newRow("five pasted digits") << ""
                                            << "20245"
                                            << "";
        QTest::newRow("a pasted year") << ""
                                       << "2023"
                                       << "2023";
        QTest::newRow("pasted digits after two typed") << "20"
                                                       << "23"
                                                       << "2023";
    }
    void yearFieldTakesFourDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, result);
        year()->clear();
        typeText(year(), typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keySequence(year(), QKeySequence::Paste);
        }
        QCOMPARE(year()->text(), result);
    }

    void shortYearIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("three digits") << "202";
        QTest::newRow("empty") << "";
    }
    void shortYearIsRefused()
    {
        QFETCH(QString, text);
        QSignalSpy opened(m_menu, &RegisterMenuWindow::yearOpened);
        year()->setText(text);
        QTest::mouseClick(open(), Qt::LeftButton);
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Warning);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QVERIFY(year()->hasFocus());
        QVERIFY(m_menu->isVisible());
        QCOMPARE(opened.count(), 0);
    }

    void enterOpensTheYear()
    {
        QSignalSpy opened(m_menu, &RegisterMenuWindow::yearOpened);
        QSignalSpy closed(m_menu, &RegisterMenuWindow::closed);
        year()->setText(QStringLiteral("2023"));
        QTest::keyClick(year(), Qt::Key_Return);
        QVERIFY(open()->hasFocus());
        QCOMPARE(opened.count(), 0);
        QTest::keyClick(open(), Qt::Key_Return);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened[0][0].toString(), QDir(m_ctx->dir.path()).filePath("2023.prt"));
        QCOMPARE(opened[0][1].toString(), QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2023"));
        QCOMPARE(closed.count(), 0);
        QVERIFY(!m_menu->isVisible());
        QCOMPARE(m_menu->exitTarget(), RegisterMenuWindow::ExitTarget::Register);
        // Opening the menu and choosing a year creates nothing.
        QVERIFY(!QFile::exists(QDir(m_ctx->dir.path()).filePath("2023.prt")));
        // Shown again, it leads back to the launcher.
        m_menu->show();
        QCOMPARE(m_menu->exitTarget(), RegisterMenuWindow::ExitTarget::Launcher);
    }

    void exitAndCloseLeadToTheLauncher_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::newRow("exit picture") << true;
        QTest::newRow("title bar") << false;
    }
    void exitAndCloseLeadToTheLauncher()
    {
        QFETCH(bool, picture);
        QSignalSpy opened(m_menu, &RegisterMenuWindow::yearOpened);
        QSignalSpy closed(m_menu, &RegisterMenuWindow::closed);
        if (picture)
            QTest::mouseClick(m_menu->findChild<QAbstractButton*>("imgEsci"), Qt::LeftButton);
        else
            m_menu->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(opened.count(), 0);
        QVERIFY(!m_menu->isVisible());
    }

    void helpTopic()
    {
        QString caption, title;
        inModal<QDialog>(
            m_menu, [&] { QTest::mouseClick(m_menu->findChild<QAbstractButton*>("imgGuida"), Qt::LeftButton); },
            [&](QDialog* dialog) {
                caption = dialog->windowTitle();
                title = dialog->findChild<QLabel*>("lblTitolo")->text();
            });
        QCOMPARE(caption, QStringLiteral(" Guida all'utilizzo del software"));
        QCOMPARE(title, QStringLiteral("App Protocollo Posta"));
    }

    // Through the program's own window set: launcher, menu, register of the year, and back to the launcher; a second
    // year opens in the same register window.
    void launcherMenuRegisterAndBack()
    {
        TestContext test;
        PasswordStore(test.dir.path()).storePassword(QStringLiteral("plicario"));
        WindowSet windows(test.context);
        windows.start();
        windows.login()->hide();
        windows.launcher()->show();
        RegisterWindow* first = nullptr;
        for (const QString& year : {QStringLiteral("2022"), QStringLiteral("2023")}) {
            QTest::mouseClick(windows.launcher()->findChild<QAbstractButton*>("btnApp03"), Qt::LeftButton);
            QWidget* menu = windows.application(LauncherWindow::Application::MailRegister);
            QVERIFY(menu->isVisible());
            QVERIFY(!windows.launcher()->isVisible());
            menu->findChild<QLineEdit*>("txtAnnoPreventivi")->setText(year);
            QTest::mouseClick(menu->findChild<QPushButton*>("btnApriPreventivi"), Qt::LeftButton);
            RegisterWindow* reg = windows.registerWindow();
            if (!first)
                first = reg;
            QCOMPARE(reg, first);
            QVERIFY(reg->isVisible());
            QVERIFY(!menu->isVisible());
            QVERIFY(!windows.launcher()->isVisible());
            QCOMPARE(reg->windowTitle(), QStringLiteral(" Plicario 3.0 - Protocollo Posta anno ") + year);
            QCOMPARE(reg->yearFilePath(), QDir(test.dir.path()).filePath(year + QStringLiteral(".prt")));
            QTest::mouseClick(reg->findChild<QAbstractButton*>("cmdNuovo"), Qt::LeftButton);
            QVERIFY(QFile::exists(QDir(test.dir.path()).filePath(year + QStringLiteral(".prt"))));
            // Closing the register returns to the launcher, not to the menu.
            QTest::mouseClick(reg->findChild<QAbstractButton*>("cmdEsci"), Qt::LeftButton);
            QVERIFY(!reg->isVisible());
            QVERIFY(!menu->isVisible());
            QVERIFY(windows.launcher()->isVisible());
        }
        QVERIFY(test.messages.log().isEmpty());
    }
};

QTEST_MAIN(TestRegisterMenuWindow)
#include "test_register_menu_window.moc"
