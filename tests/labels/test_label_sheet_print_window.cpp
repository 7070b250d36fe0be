#include "labels/label_sheet_fixture.h"
#include "labels/label_sheet_print_window.h"
#include "labels/label_sheet_window.h"
#include "printing/templates/label_page_template.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestLabelSheetPrintWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;
    LabelSheetWindow* m_window = nullptr;

    // The window shows stored sheet 1, then slot 05 gets a card not saved and slot 09 is emptied.
    void composeUnsavedSheet()
    {
        LabelSheetFile(m_ctx->dir.path()).append(LabelSheetFixture::numbered(1));
        QTest::mouseClick(m_window->findChild<QAbstractButton*>(QStringLiteral("cmdPrimo")), Qt::LeftButton);
        AddressCard card;
        card.setValue(AddressCard::Nome, QStringLiteral("Nuovo"));
        card.setValue(AddressCard::Rigo01, QStringLiteral("Ditta Nuova Srl"));
        card.setValue(AddressCard::Rigo03, QStringLiteral("20100 Milano (MI)"));
        m_window->importCard(5, card);
        QLineEdit* nine = m_window->findChild<QLineEdit*>(QStringLiteral("txtNome_E09"));
        nine->setFocus();
        QTest::keyClick(nine, Qt::Key_Delete);
    }
    // Opens the dialog by the window's command and runs `drive` in it.
    void fromWindow(const QString& command, const std::function<void(LabelSheetPrintWindow*)>& drive)
    {
        inModal<LabelSheetPrintWindow>(
            m_window, [&] { QTest::mouseClick(m_window->findChild<QAbstractButton*>(command), Qt::LeftButton); },
            drive);
    }
    static void press(QDialog* dialog, const char* name)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    void expectPageHoldsTheWindow(const PreparedReport& report)
    {
        QCOMPARE(report.name, QStringLiteral("Pagina Etichette"));
        QCOMPARE(report.pages.size(), size_t(1));
        const PreparedPage& page = report.pages[0];
        QCOMPARE(page.orientation, Orientation::Portrait);
        const LabelSheet shown = m_window->sheetOnScreen();
        int texts = 0;
        for (int slot = 1; slot <= 24; ++slot)
            for (int line = 1; line <= 6; ++line) {
                const PreparedItem* item = page.find(LabelPageTemplate::objectName(line, slot));
                QVERIFY(item);
                QCOMPARE(item->lines.join(QString()), shown.line(slot, line).trimmed());
                ++texts;
            }
        QCOMPARE(texts, 144);
        QCOMPARE(page.find(LabelPageTemplate::objectName(1, 5))->lines.join(QString()),
                 QStringLiteral("Ditta Nuova Srl"));
        QVERIFY(page.find(LabelPageTemplate::objectName(2, 5))->lines.join(QString()).isEmpty());
        QVERIFY(page.find(LabelPageTemplate::objectName(1, 9))->lines.join(QString()).isEmpty());
        QCOMPARE(page.find(LabelPageTemplate::objectName(6, 24))->lines.join(QString()), QStringLiteral("S1 E24 R6"));
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        m_window = new LabelSheetWindow(m_ctx->context);
        m_window->show();
    }
    void cleanup()
    {
        delete m_window;
        delete m_printer;
        delete m_ctx;
    }

    void previewHoldsExactlyWhatTheWindowHolds()
    {
        composeUnsavedSheet();
        fromWindow(QStringLiteral("cmdAnteprima"), [](LabelSheetPrintWindow* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("frmAnteprima_Etichette"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral(" Anteprima di stampa"));
            QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("btnStampa"))->text(),
                     QStringLiteral("Mostra anteprima"));
            press(dialog, "btnStampa");
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(m_printer->previews(), 1);
        QCOMPARE(m_printer->printDialogs(), 0);
        expectPageHoldsTheWindow(*m_printer->lastPreviewed());
        // Nothing was saved on the way.
        QCOMPARE(LabelSheetFile(m_ctx->dir.path()).count(), 1);
        QVERIFY(LabelSheetFile(m_ctx->dir.path()).read(1) == LabelSheetFixture::numbered(1));
    }

    void printGoesThroughThePrintDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("printed") << true;
        QTest::newRow("print dialog cancelled") << false;
    }
    void printGoesThroughThePrintDialog()
    {
        QFETCH(bool, accept);
        composeUnsavedSheet();
        m_printer->acceptPrint = accept;
        fromWindow(QStringLiteral("cmdStampa"), [](LabelSheetPrintWindow* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("frmStampa_Etichette"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral(" Stampa pagina etichette"));
            QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("btnStampa"))->text(), QStringLiteral("Stampa"));
            press(dialog, "btnStampa");
            // Closed after the print dialog, whatever the answer.
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(m_printer->printDialogs(), 1);
        QCOMPARE(m_printer->printedFiles().size(), accept ? 1 : 0);
        if (accept) {
            expectPageHoldsTheWindow(*m_printer->lastPrinted());
            QVERIFY(QFile(m_printer->printedFiles().first()).size() > 0);
        }
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void annullaClosesWithoutPrinting_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("print") << "cmdStampa";
        QTest::newRow("preview") << "cmdAnteprima";
    }
    void annullaClosesWithoutPrinting()
    {
        QFETCH(QString, command);
        fromWindow(command, [](LabelSheetPrintWindow* dialog) {
            press(dialog, "btnAnnulla");
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(m_printer->printDialogs() + m_printer->previews(), 0);
    }

    // A line longer than its label even when narrowed is named, slot and line, before anything is printed; No keeps
    // the window open.
    void linesTooLongAreNamedBeforePrinting_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("goOn");
        QTest::newRow("print, go on") << "cmdStampa" << true;
        QTest::newRow("print, stop") << "cmdStampa" << false;
        QTest::newRow("preview, go on") << "cmdAnteprima" << true;
        QTest::newRow("preview, stop") << "cmdAnteprima" << false;
    }
    void linesTooLongAreNamedBeforePrinting()
    {
        QFETCH(QString, command);
        QFETCH(bool, goOn);
        AddressCard card;
        card.setValue(AddressCard::Nome, QStringLiteral("Lunga"));
        card.setValue(AddressCard::Rigo01, QStringLiteral("Sig. Mario Rossi")); // fits
        card.setValue(AddressCard::Rigo03, QStringLiteral("Amministrazione condominiale del Residence Le Magnolie "
                                                          "e Le Ginestre, scala B"));
        card.setValue(AddressCard::Rigo06, QString(70, u'M'));
        m_window->importCard(17, card);
        card.setValue(AddressCard::Rigo03, QStringLiteral("Via Roma 1"));
        card.setValue(AddressCard::Rigo05, QString(31, u'M')); // about 64 mm: narrowed to fit, nothing lost
        card.setValue(AddressCard::Rigo06, QString(25, u'M')); // about 51 mm of the 58.2 the line has
        m_window->importCard(2, card);
        m_ctx->messages.queueAnswer(goOn);
        fromWindow(command, [&](LabelSheetPrintWindow* dialog) {
            press(dialog, "btnStampa");
            QCOMPARE(dialog->isVisible(), !goOn);
        });
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Confirmation);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Attenzione: queste righe sono troppo lunghe per l'etichetta e in stampa verranno "
                                "tagliate:\n\nEtichetta 17, riga 3\nEtichetta 17, riga 6\n\nProseguire comunque?"));
        QCOMPARE(m_printer->printDialogs() + m_printer->previews(), goOn ? 1 : 0);
    }

    void failureIsReportedAndTheWindowStays_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("print") << "cmdStampa";
        QTest::newRow("preview") << "cmdAnteprima";
    }
    void failureIsReportedAndTheWindowStays()
    {
        QFETCH(QString, command);
        m_printer->failWith = QStringLiteral("Stampante non disponibile.");
        fromWindow(command, [this](LabelSheetPrintWindow* dialog) {
            press(dialog, "btnStampa");
            QVERIFY(dialog->isVisible());
            QCOMPARE(m_ctx->messages.log().size(), 1);
            QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Plain);
            QCOMPARE(m_ctx->messages.log()[0].text, QStringLiteral("Stampante non disponibile."));
        });
    }
};

QTEST_MAIN(TestLabelSheetPrintWindow)
#include "test_label_sheet_print_window.moc"
