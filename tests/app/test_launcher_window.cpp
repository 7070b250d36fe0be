#include "app/launcher_window.h"
#include "common/maker.h"
#include "common/picture_button_widget.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class TestLauncherWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout()
    {
        TestContext test;
        LauncherWindow launcher(test.context);
        launcher.show();
        QVERIFY(QTest::qWaitForWindowExposed(&launcher));
        QCOMPARE(launcher.windowTitle(), QStringLiteral(" Plicario 3.0"));
        QVERIFY(launcher.windowState() & Qt::WindowMaximized);
        QWidget* panel = launcher.findChild<QWidget*>(QStringLiteral("panAvvio"));
        QCOMPARE(panel->size(), LauncherWindow::kPanelSize);
        // Centred on a screen large enough for it.
        launcher.setWindowState(Qt::WindowNoState);
        launcher.resize(1280, 1024);
        QTRY_VERIFY((panel->mapTo(&launcher, panel->rect().center()) - launcher.rect().center()).manhattanLength() <=
                    2);

        const QStringList controls{"imgApp01", "btnApp01", "imgApp02",     "btnApp02", "imgApp03", "btnApp03",
                                   "imgGuida", "imgInfo",  "imgCopyright", "imgSito",  "imgEsci"};
        for (const QString& name : controls) {
            auto* picture = launcher.findChild<PictureButton*>(name);
            QVERIFY2(picture, qPrintable(name));
            QVERIFY2(picture->hasPicture(), qPrintable(name));
            QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(panel->rect().contains(picture->geometry()));
        }
        QVERIFY(!launcher.findChild<QLabel*>(QStringLiteral("imgTitolo"))->pixmap().isNull());
        // Each button picture stands below its large picture.
        for (const char* n : {"01", "02", "03"}) {
            const QRect big = launcher.findChild<QWidget*>(QStringLiteral("imgApp") + n)->geometry();
            const QRect button = launcher.findChild<QWidget*>(QStringLiteral("btnApp") + n)->geometry();
            QVERIFY(button.top() >= big.bottom() && button.left() == big.left());
        }
    }

    void applicationsAreRequested()
    {
        TestContext test;
        LauncherWindow launcher(test.context);
        QSignalSpy spy(&launcher, &LauncherWindow::applicationRequested);
        const QList<QPair<QString, LauncherWindow::Application>> cases{
            {"imgApp01", LauncherWindow::Application::AddressArchive},
            {"btnApp01", LauncherWindow::Application::AddressArchive},
            {"imgApp02", LauncherWindow::Application::LabelSheets},
            {"btnApp02", LauncherWindow::Application::LabelSheets},
            {"imgApp03", LauncherWindow::Application::MailRegister},
            {"btnApp03", LauncherWindow::Application::MailRegister}};
        for (const auto& [name, app] : cases) {
            // The keyboard reaches every picture too.
            auto* picture = launcher.findChild<PictureButton*>(name);
            QTest::mouseClick(picture, Qt::LeftButton);
            QTest::keyClick(picture, Qt::Key_Space);
            QCOMPARE(spy.count(), 2);
            QCOMPARE(spy.at(0).at(0).value<LauncherWindow::Application>(), app);
            QCOMPARE(spy.at(1).at(0).value<LauncherWindow::Application>(), app);
            spy.clear();
        }
    }

    void webSiteOpensThroughTheShell()
    {
        TestContext test;
        LauncherWindow launcher(test.context);
        test.shell.answer = false; // whatever the desktop answers, the launcher says nothing
        QTest::mouseClick(launcher.findChild<PictureButton*>(QStringLiteral("imgSito")), Qt::LeftButton);
        QCOMPARE(test.shell.opened, QStringList{Maker::kWebAddress});
        QVERIFY(Maker::kWebAddress.startsWith(QStringLiteral("https://")));
        QVERIFY(test.messages.log().isEmpty());
    }

    void informationWindows_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("help") << "imgGuida"
                              << "frmGuida"
                              << " Guida all'utilizzo del software";
        QTest::newRow("about") << "imgInfo"
                               << "frmInfo"
                               << " Informazioni su Plicario 3.0";
        QTest::newRow("copyright") << "imgCopyright"
                                   << "frmSplash" << QStringLiteral(" Plicario 3.0 - ") + Maker::kCopyrightNotice;
    }
    void informationWindows()
    {
        QFETCH(QString, control);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        TestContext test;
        LauncherWindow launcher(test.context);
        launcher.show();
        QString seenName, seenCaption, seenTitle;
        QWidget* seenOwner = nullptr;
        // Made for one use: nothing of it is left once it closed.
        inModal<QDialog>(
            &launcher, [&] { QTest::mouseClick(launcher.findChild<PictureButton*>(control), Qt::LeftButton); },
            [&](QDialog* dialog) {
                seenName = dialog->objectName();
                seenCaption = dialog->windowTitle();
                seenOwner = dialog->parentWidget();
                if (auto* title = dialog->findChild<QLabel*>(QStringLiteral("lblTitolo")))
                    seenTitle = title->text();
            });
        QCOMPARE(seenName, window);
        QCOMPARE(seenCaption, caption);
        QCOMPARE(seenOwner, &launcher);
        if (window == QStringLiteral("frmGuida"))
            QCOMPARE(seenTitle, QStringLiteral("Uno sguardo a Plicario 3.0"));
        QVERIFY(launcher.isVisible());
    }
};

QTEST_MAIN(TestLauncherWindow)
#include "test_launcher_window.moc"
