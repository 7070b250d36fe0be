#include "common/errors.h"
#include "printing/preview_window.h"
#include "printing/print_service_gui.h"
#include "printing/templates/label_page_template.h"
#include "printing/templates/list_template.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QToolBar>
#include <QtTest>
#include <optional>

namespace {

PreparedReport labelPage()
{
    return LabelPageTemplate::make().prepare(QDate(2024, 3, 15));
}

// A list long enough for several pages, its title on the first line of the first page.
PreparedReport longList()
{
    ReportTemplate tpl = ListTemplate::make();
    QStringList lines;
    for (int i = 0; i < 150; ++i)
        lines << QStringLiteral("Riga %1").arg(i);
    ListTemplate::fill(tpl, QStringLiteral("Elenco dei destinatari"), lines);
    return tpl.prepare(QDate(2024, 3, 15));
}

QStringList toolbarNames(PreviewWindow* window)
{
    QStringList names;
    const auto* toolbar = window->findChild<QToolBar*>();
    for (QAction* action : toolbar->actions()) {
        if (!action->objectName().isEmpty())
            names << action->objectName();
        else if (QWidget* widget = toolbar->widgetForAction(action); widget && !action->isSeparator())
            names << widget->objectName();
    }
    return names;
}

QString firstLine(const QString& pageText)
{
    for (const QString& line : pageText.split(u'\n'))
        if (!line.trimmed().isEmpty())
            return line.simplified();
    return QString();
}

// Runs the preview and lets `drive` work in it while it is up.
void runPreview(PreviewWindow& window, const std::function<void(PreviewWindow*)>& drive)
{
    inModal<PreviewWindow>([&] { window.run(); }, drive);
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensMaximisedModalAtFullSizeWithItsToolbar()
    {
        TestContext test;
        const PreparedReport report = labelPage();
        int prints = 0;
        PreviewWindow window(
            report, [&](QWidget*) { return ++prints > 0; }, test.context);
        runPreview(window, [&](PreviewWindow* w) {
            QVERIFY(w->isModal());
            QVERIFY(w->windowState() & Qt::WindowMaximized);
            QCOMPARE(toolbarNames(w), (QStringList{"pbPrint", "pbSalvaPdf", "pbZoom", "pbFullScreen", "pbClose",
                                                   "lblPagina", "lblVaiAPagina", "txtPagina"}));
            auto* print = w->findChild<QAction*>(QStringLiteral("pbPrint"));
            QVERIFY(!print->icon().isNull());
            QCOMPARE(print->toolTip(), QStringLiteral("Stampa (Ctrl+P)"));
            QVERIFY(!w->findChild<QAction*>(QStringLiteral("pbSalvaPdf"))->icon().isNull());
            QCOMPARE(w->previewWidget()->zoomFactor(), 1.0);
            QCOMPARE(w->findChild<QComboBox*>(QStringLiteral("pbZoom"))->currentText(), QStringLiteral("100%"));
            QCOMPARE(w->previewWidget()->pageCount(), 1);
            print->trigger();
            QCOMPARE(prints, 1);
            w->findChild<QAction*>(QStringLiteral("pbClose"))->trigger();
        });
        QVERIFY(window.printed());
    }

    // Ctrl+P prints and Ctrl+Shift+S saves from the keyboard alone: the toolbar's buttons never take the focus.
    void shortcutsPrintAndSave()
    {
        TestContext test;
        const PreparedReport report = labelPage();
        int prints = 0;
        PreviewWindow window(
            report, [&](QWidget*) { return ++prints > 0; }, test.context);
        runPreview(window, [&](PreviewWindow* w) {
            QApplication::setActiveWindow(w);
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
            QCOMPARE(prints, 1);
            QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(test.saveFileChooser.suggested.size(), 1); // the dialog asked, and was cancelled
            QVERIFY(w->isVisible());
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QVERIFY(!window.isVisible());
        QVERIFY(test.messages.log().isEmpty());
    }

    // The file holds what the preview shows: as many pages, the same first line, drawn by the same painter.
    void savePdfWritesThePagesShown()
    {
        TestContext test;
        const PreparedReport report = longList();
        QVERIFY(report.pages.size() > 2);
        const QString path = test.path(QStringLiteral("elenco.pdf"));
        test.saveFileChooser.answers.enqueue(path);
        int shownPages = 0;
        PreviewWindow window(
            report, [](QWidget*) { return false; }, test.context);
        runPreview(window, [&](PreviewWindow* w) {
            shownPages = w->previewWidget()->pageCount();
            w->findChild<QAction*>(QStringLiteral("pbSalvaPdf"))->trigger();
            QVERIFY(w->isVisible()); // saving leaves the preview open
            w->reject();
        });

        QCOMPARE(test.saveFileChooser.suggested.size(), 1);
        QCOMPARE(QFileInfo(test.saveFileChooser.suggested.first()).fileName(), report.name + QStringLiteral(".pdf"));
        // The user is told where the file went.
        QCOMPARE(test.messages.log().size(), 1);
        QCOMPARE(test.messages.log().first().text,
                 QStringLiteral("Il file PDF è stato salvato in \"%1\".").arg(QFileInfo(path).absoluteFilePath()));
        const QStringList pages = pdfPageTexts(path);
        QCOMPARE(pages.size(), shownPages);
        QCOMPARE(pages.size(), int(report.pages.size()));
        QCOMPARE(firstLine(pages.first()), QStringLiteral("Elenco dei destinatari"));
        QVERIFY(pages.last().contains(QStringLiteral("Riga 149")));
        QVERIFY(!window.printed());
    }

    void cancelledSaveWritesNothing()
    {
        TestContext test;
        const PreparedReport report = labelPage();
        PreviewWindow window(
            report, [](QWidget*) { return false; }, test.context);
        runPreview(window, [](PreviewWindow* w) {
            w->findChild<QAction*>(QStringLiteral("pbSalvaPdf"))->trigger();
            w->reject();
        });
        QCOMPARE(test.saveFileChooser.suggested.size(), 1);
        QVERIFY(test.messages.log().isEmpty());
        QCOMPARE(QDir(test.dir.path()).entryList(QDir::Files), QStringList());
    }

    // A file that cannot be written is told in Italian, the preview stays open, and a file already there is not
    // touched: the PDF is written whole or not at all.
    void saveFailureIsToldAndLeavesNoCutFile_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("folder that is a file") << false;
        QTest::newRow("disk full") << true;
    }
    void saveFailureIsToldAndLeavesNoCutFile()
    {
        QFETCH(bool, fullDisk);
        TestContext test;
        const PreparedReport report = longList();
        QVERIFY(writeFileBytes(test.path(QStringLiteral("file")), "not a folder"));
        const QString path =
            fullDisk ? test.path(QStringLiteral("elenco.pdf")) : test.path(QStringLiteral("file/x.pdf"));
        const QByteArray older = "%PDF an older file";
        if (fullDisk)
            QVERIFY(writeFileBytes(path, older));
        test.saveFileChooser.answers.enqueue(path);
        PreviewWindow window(
            report, [](QWidget*) { return false; }, test.context);
        runPreview(window, [&](PreviewWindow* w) {
            {
                std::optional<FileSizeLimit> limit;
                if (fullDisk)
                    limit.emplace(4096);
                w->findChild<QAction*>(QStringLiteral("pbSalvaPdf"))->trigger();
            }
            QVERIFY(w->isVisible());
            w->reject();
        });

        QCOMPARE(test.messages.log().size(), 1);
        const QString shown = test.messages.log().first().text;
        QVERIFY2(shown.startsWith(QStringLiteral("Attenzione: impossibile salvare il file PDF \"%1\"")
                                      .arg(QFileInfo(path).absoluteFilePath())),
                 qPrintable(shown));
        QCOMPARE(readFileBytes(path), fullDisk ? older : QByteArray());
        QStringList left = QDir(test.dir.path()).entryList(QDir::Files);
        QCOMPARE(left, fullDisk ? (QStringList{"elenco.pdf", "file"}) : QStringList{"file"});
    }

    void showsEveryPageOfALongList()
    {
        TestContext test;
        PreparedReport report = longList();
        report.preview.buttons = {PreviewButton::Close};
        PreviewWindow window(
            report, [](QWidget*) { return false; }, test.context);
        runPreview(window, [&](PreviewWindow* w) {
            QCOMPARE(toolbarNames(w),
                     (QStringList{"pbSalvaPdf", "pbClose", "lblPagina", "lblVaiAPagina", "txtPagina"}));
            QCOMPARE(w->previewWidget()->pageCount(), int(report.pages.size()));
            QCOMPARE(w->previewWidget()->orientation(), QPageLayout::Landscape);
            w->reject();
        });
        QVERIFY(!window.printed());
    }

    // Many sheets: where the preview stands is shown, and the keyboard or the page field goes anywhere at once.
    void pageNumberAndGoingToAPage()
    {
        TestContext test;
        PreparedReport report = labelPage();
        report.pages.assign(30, report.pages.front());
        PreviewWindow window(
            report, [](QWidget*) { return false; }, test.context);
        runPreview(window, [&](PreviewWindow* w) {
            QApplication::setActiveWindow(w);
            QVERIFY(QTest::qWaitForWindowActive(w));
            auto* label = w->findChild<QLabel*>(QStringLiteral("lblPagina"));
            auto* field = w->findChild<QSpinBox*>(QStringLiteral("txtPagina"));
            QPrintPreviewWidget* pages = w->previewWidget();
            auto at = [&](int page) {
                return pages->currentPage() == page && label->text() == QStringLiteral("Pagina %1 di 30").arg(page) &&
                       field->value() == page;
            };
            QVERIFY(at(1));
            QCOMPARE(field->maximum(), 30);
            QVERIFY(pages->isAncestorOf(QApplication::focusWidget())); // the keys start on the pages

            struct Step
            {
                QWidget* target;
                Qt::Key key;
                Qt::KeyboardModifiers modifiers;
                int page;
            };
            const Step steps[] = {
                {pages, Qt::Key_End, Qt::NoModifier, 30},
                {pages, Qt::Key_Home, Qt::NoModifier, 1},
                {field, Qt::Key_End, Qt::ControlModifier, 30},
                {field, Qt::Key_Home, Qt::ControlModifier, 1},
            };
            for (const Step& step : steps) {
                step.target->setFocus();
                QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
                QVERIFY2(QTest::qWaitFor([&] { return at(step.page); }, 2000), qPrintable(label->text()));
            }

            // A number typed in the field, then Enter.
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(QApplication::focusWidget(), "12");
            QVERIFY(at(1)); // not while typing
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY2(QTest::qWaitFor([&] { return at(12); }, 2000), qPrintable(label->text()));

            // Scrolling by other keys is followed too.
            pages->setFocus();
            for (int i = 0; i < 8; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
            QVERIFY2(QTest::qWaitFor([&] { return pages->currentPage() > 12 && at(pages->currentPage()); }, 2000),
                     qPrintable(label->text()));
            w->reject();
        });
    }

    void cancelledPrintFromPreviewIsNoPrint()
    {
        TestContext test;
        const PreparedReport report = labelPage();
        PreviewWindow window(
            report, [](QWidget*) { return false; }, test.context);
        runPreview(window, [](PreviewWindow* w) {
            w->findChild<QAction*>(QStringLiteral("pbPrint"))->trigger();
            QVERIFY(w->isVisible()); // still open after a cancelled dialog
            w->reject();
        });
        QVERIFY(!window.printed());
    }

    // A printer failure from the preview's print button reaches the caller of the preview, and the window closes.
    void printFailureReachesTheCaller()
    {
        TestContext test;
        const PreparedReport report = labelPage();
        PreviewWindow window(
            report, [](QWidget*) -> bool { throw ReportError(QStringLiteral("Stampante guasta")); }, test.context);
        QVERIFY_THROWS_EXCEPTION(ReportError, runPreview(window, [](PreviewWindow* w) {
                                     w->findChild<QAction*>(QStringLiteral("pbPrint"))->trigger();
                                 }));
        QVERIFY(!window.isVisible());
        QVERIFY(test.messages.log().isEmpty());
    }

    // The real print dialog starts on the system's default printer; cancelling it prints nothing and is no error.
    void printDialogCancelIsNoError()
    {
        TestContext test;
        QtPrintService service(test.context);
        const PreparedReport report = labelPage();
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(ReportError, service.print(nullptr, report));
            return;
        }
        QString chosen;
        int copies = 0;
        bool printed = true;
        inModal<QPrintDialog>([&] { printed = service.print(nullptr, report); },
                              [&](QPrintDialog* dialog) {
                                  chosen = dialog->printer()->printerName();
                                  copies = dialog->printer()->copyCount();
                                  dialog->reject();
                              });
        QVERIFY(!printed);
        QCOMPARE(chosen, QPrinterInfo::defaultPrinter().printerName());
        QCOMPARE(copies, 1);
    }

    void emptyReportIsAnError()
    {
        TestContext test;
        QtPrintService service(test.context);
        QVERIFY_THROWS_EXCEPTION(ReportError, service.print(nullptr, PreparedReport{}));
        QVERIFY_THROWS_EXCEPTION(ReportError, service.preview(nullptr, PreparedReport{}));
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"
