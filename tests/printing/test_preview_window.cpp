#include "common/errors.h"
#include "printing/preview_window.h"
#include "printing/print_service_gui.h"
#include "printing/templates/label_page_template.h"
#include "printing/templates/list_template.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

namespace {

PreparedReport labelPage()
{
    return LabelPageTemplate::make().prepare(QDate(2024, 3, 15));
}

// Runs `check` on the modal window once it is up.
template <typename Window>
void whenShown(std::function<void(Window*)> check)
{
    QTimer::singleShot(0, [check] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY(window);
        check(window);
    });
}

QStringList toolbarNames(PreviewWindow* window)
{
    QStringList names;
    const auto* toolbar = window->findChild<QToolBar*>();
    for (QAction* action : toolbar->actions()) {
        if (!action->objectName().isEmpty())
            names << action->objectName();
        else if (QWidget* widget = toolbar->widgetForAction(action))
            names << widget->objectName();
    }
    return names;
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensMaximisedModalAtFullSizeWithItsToolbar()
    {
        const PreparedReport report = labelPage();
        int prints = 0;
        PreviewWindow window(report, [&](QWidget*) { return ++prints > 0; });
        bool checked = false;
        whenShown<PreviewWindow>([&](PreviewWindow* w) {
            QVERIFY(w->isModal());
            QVERIFY(w->windowState() & Qt::WindowMaximized);
            QCOMPARE(toolbarNames(w), (QStringList{"pbPrint", "pbZoom", "pbFullScreen", "pbClose"}));
            QCOMPARE(w->previewWidget()->zoomFactor(), 1.0);
            QCOMPARE(w->findChild<QComboBox*>(QStringLiteral("pbZoom"))->currentText(), QStringLiteral("100%"));
            QCOMPARE(w->previewWidget()->pageCount(), 1);
            w->findChild<QAction*>(QStringLiteral("pbPrint"))->trigger();
            QCOMPARE(prints, 1);
            w->findChild<QAction*>(QStringLiteral("pbClose"))->trigger();
            checked = true;
        });
        window.run();
        QVERIFY(checked);
        QVERIFY(window.printed());
    }

    void showsEveryPageOfALongList()
    {
        ReportTemplate tpl = ListTemplate::make();
        QStringList lines;
        for (int i = 0; i < 150; ++i)
            lines << QStringLiteral("Riga %1").arg(i);
        ListTemplate::fill(tpl, QStringLiteral("Elenco"), lines);
        PreparedReport report = tpl.prepare(QDate(2024, 3, 15));
        report.preview.buttons = {PreviewButton::Close};
        PreviewWindow window(report, [](QWidget*) { return false; });
        whenShown<PreviewWindow>([&](PreviewWindow* w) {
            QCOMPARE(toolbarNames(w), QStringList{"pbClose"});
            QCOMPARE(w->previewWidget()->pageCount(), int(report.pages.size()));
            QCOMPARE(w->previewWidget()->orientation(), QPageLayout::Landscape);
            w->reject();
        });
        window.run();
        QVERIFY(!window.printed());
    }

    void cancelledPrintFromPreviewIsNoPrint()
    {
        const PreparedReport report = labelPage();
        PreviewWindow window(report, [](QWidget*) { return false; });
        whenShown<PreviewWindow>([](PreviewWindow* w) {
            w->findChild<QAction*>(QStringLiteral("pbPrint"))->trigger();
            QVERIFY(w->isVisible()); // still open after a cancelled dialog
            w->reject();
        });
        window.run();
        QVERIFY(!window.printed());
    }

    // A printer failure from the preview's print button reaches the caller of the preview, and the window closes.
    void printFailureReachesTheCaller()
    {
        const PreparedReport report = labelPage();
        PreviewWindow window(report, [](QWidget*) -> bool { throw ReportError(QStringLiteral("Stampante guasta")); });
        whenShown<PreviewWindow>([](PreviewWindow* w) { w->findChild<QAction*>(QStringLiteral("pbPrint"))->trigger(); });
        QVERIFY_THROWS_EXCEPTION(ReportError, window.run());
        QVERIFY(!window.isVisible());
    }

    // The real print dialog starts on the system's default printer; cancelling it prints nothing and is no error.
    void printDialogCancelIsNoError()
    {
        QtPrintService service;
        const PreparedReport report = labelPage();
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(ReportError, service.print(nullptr, report));
            return;
        }
        QString chosen;
        int copies = 0;
        whenShown<QPrintDialog>([&](QPrintDialog* dialog) {
            chosen = dialog->printer()->printerName();
            copies = dialog->printer()->copyCount();
            dialog->reject();
        });
        QVERIFY(!service.print(nullptr, report));
        QCOMPARE(chosen, QPrinterInfo::defaultPrinter().printerName());
        QCOMPARE(copies, 1);
    }

    void emptyReportIsAnError()
    {
        QtPrintService service;
        QVERIFY_THROWS_EXCEPTION(ReportError, service.print(nullptr, PreparedReport{}));
        QVERIFY_THROWS_EXCEPTION(ReportError, service.preview(nullptr, PreparedReport{}));
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"
