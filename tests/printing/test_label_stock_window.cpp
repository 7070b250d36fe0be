// "Formato etichette" driven by the keyboard alone: a known stock and an offset saved, a custom stock that does not
// fit refused with its reason, the calibration page shown; and the label print window printing with what was saved.
#include "labels/label_sheet.h"
#include "labels/label_sheet_print_window.h"
#include "printing/label_stock_window.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTest>

using Kind = Messages::Kind;

namespace {

void tabTo(QWidget* target)
{
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i) {
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), target);
}

void typeInto(QWidget* field, const QString& text)
{
    tabTo(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

} // namespace

class TestLabelStockWindow : public QObject
{
    Q_OBJECT
    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;
    LabelStockWindow* m_window = nullptr;

    template <typename T> T* child(const char* name) { return m_window->findChild<T*>(QLatin1String(name)); }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        m_window = new LabelStockWindow(m_ctx->context, nullptr);
        m_window->show();
        QApplication::setActiveWindow(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void cleanup()
    {
        delete m_window;
        delete m_printer;
        delete m_ctx;
    }

    void knownStockAndOffsetSaved()
    {
        QVERIFY(m_window->width() <= 1366 && m_window->height() <= 728);
        auto* stock = child<QComboBox>("cboFormato");
        QCOMPARE(QApplication::focusWidget(), stock);
        QTest::keyClick(stock, Qt::Key_Down);
        QCOMPARE(stock->currentData().toString(), QStringLiteral("70x37"));
        // A known stock's measures are values to read, not fields; Tab still reaches them.
        for (const char* measure : {"Larghezza", "Altezza", "MargineSinistro", "PassoVerticale"}) {
            QVERIFY(!child<QDoubleSpinBox>(qPrintable(QStringLiteral("spn") + QLatin1String(measure)))->isVisible());
            QVERIFY(child<QLabel>(qPrintable(QStringLiteral("lbl") + QLatin1String(measure)))->isVisible());
        }
        QCOMPARE(child<QLabel>("lblLarghezza")->text(), QStringLiteral("70,00 mm"));
        QCOMPARE(child<QLabel>("lblLarghezza")->accessibleName(), QStringLiteral("Larghezza etichetta: 70,00 mm"));
        tabTo(child<QLabel>("lblAltezza"));
        QCOMPARE(child<QLabel>("lblAltezza")->text(), QStringLiteral("37,00 mm"));
        typeInto(child<QDoubleSpinBox>("spnScostamentoSinistro"), QStringLiteral("-3"));
        typeInto(child<QDoubleSpinBox>("spnScostamentoSuperiore"), QStringLiteral("2,5"));
        auto* save = child<QAbstractButton>("btnSalva");
        QCOMPARE(save->toolTip(), QStringLiteral("Salva (Ctrl+S)"));
        tabTo(save);
        QTest::keyClick(save, Qt::Key_Return);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        const LabelSettings saved = LabelSettings::load(m_ctx->dir.path());
        QCOMPARE(saved.stock.id, QStringLiteral("70x37"));
        QCOMPARE(saved.offsetLeft, -3.0);
        QCOMPARE(saved.offsetTop, 2.5);
    }

    void customStockThatDoesNotFitIsRefused()
    {
        auto* stock = child<QComboBox>("cboFormato");
        QTest::keyClick(stock, Qt::Key_End);
        QCOMPARE(stock->currentData().toString(), LabelStock::kCustomId);
        // "Personalizzato" turns them into fields, and the window keeps its size.
        const QSize size = m_window->size();
        QVERIFY(child<QDoubleSpinBox>("spnLarghezza")->isVisible());
        QVERIFY(!child<QLabel>("lblLarghezza")->isVisible());
        QCOMPARE(m_window->size(), size);
        typeInto(child<QDoubleSpinBox>("spnLarghezza"), QStringLiteral("75"));
        typeInto(child<QDoubleSpinBox>("spnMargineSinistro"), QStringLiteral("0"));
        typeInto(child<QDoubleSpinBox>("spnPassoOrizzontale"), QStringLiteral("75"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Warning);
        QVERIFY(m_ctx->messages.log()[0].text.contains(QStringLiteral("la terza colonna finisce a 225 mm")));
        QVERIFY(m_window->isVisible());
        QVERIFY(!QFile::exists(m_ctx->path(QStringLiteral("Impostazioni.ini"))));

        // Made to fit, its calibration page shows before anything is saved.
        typeInto(child<QDoubleSpinBox>("spnPassoOrizzontale"), QStringLiteral("70"));
        typeInto(child<QDoubleSpinBox>("spnLarghezza"), QStringLiteral("70"));
        auto* test = child<QAbstractButton>("btnProva");
        tabTo(test);
        QTest::keyClick(test, Qt::Key_Return);
        QCOMPARE(m_printer->previews(), 1);
        const PreparedReport& page = *m_printer->lastPreviewed();
        QCOMPARE(page.name, QStringLiteral("Pagina di prova"));
        QCOMPARE(page.pages[0].find(QStringLiteral("Etichetta3"))->rect.left.mm(), 140.0);
        QVERIFY(!QFile::exists(m_ctx->path(QStringLiteral("Impostazioni.ini"))));
    }

    void damagedSettingsAreToldAndDefaultsShown()
    {
        delete m_window;
        QVERIFY(writeFileBytes(m_ctx->path(QStringLiteral("Impostazioni.ini")), "[Etichette]\r\nFormato=90x50\r\n"));
        m_window = new LabelStockWindow(m_ctx->context, nullptr);
        m_window->show();
        QTRY_COMPARE(m_ctx->messages.log().size(), 1);
        QVERIFY(m_ctx->messages.log()[0].text.contains(QStringLiteral("il formato \"90x50\"")));
        QCOMPARE(child<QComboBox>("cboFormato")->currentData().toString(), LabelStock::standard().id);
    }

    // The label print window reaches this window, and prints with what it saved.
    void printWindowUsesTheSavedStock()
    {
        delete m_window;
        m_window = nullptr;
        LabelSheet sheet;
        sheet.setLine(1, 1, QStringLiteral("Rossi"));
        LabelSheetPrintWindow print(m_ctx->context, LabelSheetPrintWindow::Mode::Print, sheet, nullptr);
        print.show();
        QApplication::setActiveWindow(&print);
        QVERIFY(QTest::qWaitForWindowActive(&print));
        auto* stock = print.findChild<QAbstractButton*>(QStringLiteral("btnFormato"));
        QCOMPARE(stock->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
        inModal<LabelStockWindow>(
            &print,
            [&] {
                tabTo(stock);
                QTest::keyClick(stock, Qt::Key_Return);
            },
            [&](LabelStockWindow* w) {
                QApplication::setActiveWindow(w);
                QVERIFY(QTest::qWaitForWindowActive(w));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // 70 x 37
                auto* save = w->findChild<QAbstractButton*>(QStringLiteral("btnSalva"));
                tabTo(save);
                QTest::keyClick(save, Qt::Key_Return);
            });
        QApplication::setActiveWindow(&print);
        QVERIFY(QTest::qWaitForWindowActive(&print));
        auto* go = print.findChild<QAbstractButton*>(QStringLiteral("btnStampa"));
        tabTo(go);
        QTest::keyClick(go, Qt::Key_Return);
        QCOMPARE(m_printer->printDialogs(), 1);
        const PreparedPage& page = m_printer->lastPrinted()->pages[0];
        QCOMPARE(page.find(QStringLiteral("Shape24"))->rect.top.mm(), 259.0);
        QCOMPARE(page.find(QStringLiteral("txtRigo01_E01"))->rect.left.mm(), 4.0);
    }
};

QTEST_MAIN(TestLabelStockWindow)
#include "test_label_stock_window.moc"
