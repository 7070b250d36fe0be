// With no printer in the system the print commands say so, while the preview opens and saves its pages as a PDF.
#include "addresses/address_archive_window.h"
#include "printing/address_sheet_preview_window.h"
#include "printing/preview_window.h"
#include "printing/print_service_gui.h"
#include "printing/templates/label_page_template.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {
const QString kNoPrinter = QStringLiteral("Nessuna stampante è installata nel sistema.");
}

class TestNoPrinter : public QObject
{
    Q_OBJECT

    TestContext m_test;
    QtPrintService m_service{m_test.context};

private Q_SLOTS:
    void initTestCase()
    {
        // The premise: the CUPS client found no scheduler, so Qt lists no printer.
        QVERIFY(QPrinterInfo::availablePrinterNames().isEmpty());
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());
        m_test.context.printService = &m_service;
    }
    void init() { m_test.messages.clear(); }

    void printCommandsKeepTheirMessage()
    {
        const PreparedReport report = LabelPageTemplate::make().prepare(QDate(2024, 3, 15));
        try {
            m_service.print(nullptr, report);
            QFAIL("printed with no printer");
        } catch (const ReportError& error) {
            QCOMPARE(error.message(), kNoPrinter);
        }
    }

    // The one-address sheet: the preview opens, its print button says there is no printer and stays open, and
    // "Salva PDF" writes the sheet shown, suggested in the documents folder under the report's name.
    void previewOpensAndSavesAPdf()
    {
        const QString path = m_test.path(QStringLiteral("etichette.pdf"));
        m_test.saveFileChooser.answers.enqueue(path);
        AddressArchiveWindow archive(m_test.context);
        archive.show();
        archive.findChild<QLineEdit*>(QStringLiteral("txtRigo01"))->setText(QStringLiteral("Ditta Rossi S.r.l."));
        archive.findChild<QLineEdit*>(QStringLiteral("txtRigo02"))->setText(QStringLiteral("Via Roma 1"));
        int shownPages = 0;
        inModal<AddressSheetPreviewWindow>(
            &archive,
            [&] { QTest::mouseClick(archive.findChild<QToolButton*>(QStringLiteral("cmdAnteprima")), Qt::LeftButton); },
            [&](AddressSheetPreviewWindow* sheet) {
                inModal<PreviewWindow>(
                    [&] {
                        QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("btnStampa")), Qt::LeftButton);
                    },
                    [&](PreviewWindow* preview) {
                        shownPages = preview->previewWidget()->pageCount();
                        preview->findChild<QAction*>(QStringLiteral("pbPrint"))->trigger();
                        QVERIFY(preview->isVisible());
                        preview->findChild<QAction*>(QStringLiteral("pbSalvaPdf"))->trigger();
                    });
            });

        // No printer, told; then where the file went.
        QCOMPARE(m_test.messages.log().size(), 2);
        QCOMPARE(m_test.messages.log().first().kind, Messages::Kind::Plain);
        QCOMPARE(m_test.messages.log().first().text, kNoPrinter);
        QCOMPARE(m_test.messages.log().last().kind, Messages::Kind::Information);
        QVERIFY(m_test.messages.log().last().text.contains(QFileInfo(path).absoluteFilePath()));
        QCOMPARE(m_test.saveFileChooser.suggested,
                 QStringList{QDir::home().filePath(QStringLiteral("Documents/Anteprima Etichetta.pdf"))});
        const QStringList pages = pdfPageTexts(path);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(shownPages, 1);
        QCOMPARE(pages.first().split(u'\n').first().trimmed().section(QStringLiteral("  "), 0, 0),
                 QStringLiteral("Ditta Rossi S.r.l."));
    }
};

int main(int argc, char** argv)
{
    // No printer: the CUPS client is pointed at a scheduler that is not there. And a home of our own, with a
    // documents folder, for the suggested file name.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    QTemporaryDir home;
    QDir(home.path()).mkdir(QStringLiteral("Documents"));
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    QApplication app(argc, argv);
    TestNoPrinter test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_no_printer.moc"
