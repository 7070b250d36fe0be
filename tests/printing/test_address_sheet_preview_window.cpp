#include "addresses/address_archive_window.h"
#include "printing/address_sheet_preview_window.h"
#include "printing/templates/label_page_template.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class TestAddressSheetPreviewWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;

    // Opens the preview from the archive window with these lines on screen; `drive` works in the modal window.
    void fromArchive(const QStringList& lines, const std::function<void(QDialog*)>& drive)
    {
        AddressArchiveWindow archive(m_ctx->context);
        archive.show();
        for (int n = 1; n <= 6; ++n)
            archive.findChild<QLineEdit*>(QStringLiteral("txtRigo0%1").arg(n))->setText(lines.value(n - 1));
        inModal<AddressSheetPreviewWindow>(
            &archive,
            [&] { QTest::mouseClick(archive.findChild<QToolButton*>(QStringLiteral("cmdAnteprima")), Qt::LeftButton); },
            [&](AddressSheetPreviewWindow* w) {
                QCOMPARE(w->windowTitle(), QStringLiteral(" Anteprima di stampa"));
                drive(w);
            });
    }
    static void press(QDialog* w, const char* name)
    {
        QTest::mouseClick(w->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
    }
    void cleanup()
    {
        delete m_printer;
        delete m_ctx;
    }

    void everyLabelCarriesTheLinesOnScreen_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("three lines, unsaved") << QStringList{"  Ditta Bianchi ", "Via Roma 3", "20100 Milano"};
        QTest::newRow("no card loaded") << QStringList{};
        QTest::newRow("a gap") << QStringList{"Uno", "", "Tre", "", "", "Sei"};
    }
    void everyLabelCarriesTheLinesOnScreen()
    {
        QFETCH(QStringList, lines);
        fromArchive(lines, [](QDialog* w) {
            press(w, "btnStampa");
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(m_printer->previews(), 1);
        const PreparedReport& report = *m_printer->lastPreviewed();
        QCOMPARE(report.name, QStringLiteral("Anteprima Etichetta"));
        QCOMPARE(report.pages.size(), size_t(1));
        const PreparedPage& page = report.pages[0];
        QCOMPARE(page.orientation, Orientation::Portrait);
        QCOMPARE(page.paperWidth.mm(), 210.0);
        for (int slot = 1; slot <= 24; ++slot)
            for (int line = 1; line <= 6; ++line) {
                const PreparedItem* item = page.find(LabelPageTemplate::objectName(line, slot));
                QVERIFY(item);
                QCOMPARE(item->lines.join(QString()), lines.value(line - 1).trimmed());
            }
        // Line 4 keeps its place on the label whatever lies above it.
        const PreparedItem* first = page.find(LabelPageTemplate::objectName(1, 1));
        const PreparedItem* fourth = page.find(LabelPageTemplate::objectName(4, 1));
        QVERIFY(fourth->rect.top > first->rect.top);
    }

    void annullaClosesWithoutPreview()
    {
        fromArchive({"Uno"}, [](QDialog* w) {
            press(w, "btnAnnulla");
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(m_printer->previews(), 0);
    }

    void previewFailureIsReportedAndTheWindowStays()
    {
        m_printer->failWith = QStringLiteral("Anteprima non disponibile.");
        fromArchive({"Uno"}, [this](QDialog* w) {
            press(w, "btnStampa");
            QVERIFY(w->isVisible());
            QCOMPARE(m_ctx->messages.log().size(), 1);
            QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Plain);
            QCOMPARE(m_ctx->messages.log()[0].text, QStringLiteral("Anteprima non disponibile."));
        });
    }
};

QTEST_MAIN(TestAddressSheetPreviewWindow)
#include "test_address_sheet_preview_window.moc"
