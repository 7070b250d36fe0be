// "Componi dall'archivio", driven by the keyboard alone: from the label sheet window's toolbar to the stored sheets
// on screen, and the whole selection printed in one job or saved as one PDF file.
#include "addresses/address_card.h"
#include "labels/compose_labels_window.h"
#include "labels/label_sheet_window.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

using Kind = Messages::Kind;

namespace {

// Seven customers in no order, one with no address, one supplier.
void writeCards(const QString& folder)
{
    AddressCardFile file(folder);
    auto add = [&](const QString& name, const QString& type, bool address) {
        AddressCard card;
        card.setValue(AddressCard::Nome, name);
        card.setValue(AddressCard::Tipo, type);
        if (address)
            card.setValue(AddressCard::Rigo01, QStringLiteral("Via ") + name);
        file.append(card);
    };
    for (const char* n : {"Gamma", "alfa", "Beta", "Eta", "delta", "Zeta", "Epsilon"})
        add(QString::fromLatin1(n), QStringLiteral("Cliente"), true);
    add(QStringLiteral("Senza indirizzo"), QStringLiteral("Cliente"), false);
    add(QStringLiteral("Fornitore Uno"), QStringLiteral("Fornitore"), true);
}

void typeInto(QWidget* field, const QString& text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

// Presses Tab until `target` has the focus; fails when it never gets it.
void tabTo(QWidget* window, QWidget* target)
{
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), target);
}

} // namespace

class TestComposeLabelsWindow : public QObject
{
    Q_OBJECT
    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        writeCards(m_ctx->dir.path());
    }
    void cleanup()
    {
        delete m_printer;
        delete m_ctx;
    }

    void storedFromTheSheetWindowByKeyboard()
    {
        LabelSheetWindow sheets(m_ctx->context);
        sheets.show();
        QApplication::setActiveWindow(&sheets);
        QVERIFY(QTest::qWaitForWindowActive(&sheets));
        auto* command = sheets.findChild<QAbstractButton*>(QStringLiteral("cmdComponi"));
        QVERIFY(command->toolTip().endsWith(QStringLiteral("(Ctrl+M)")));
        QVERIFY(!command->accessibleDescription().isEmpty());
        QCOMPARE(command->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
        inModal<ComposeLabelsWindow>(
            &sheets,
            [&] {
                tabTo(&sheets, command);
                QTest::keyClick(command, Qt::Key_Return);
            },
            [&](ComposeLabelsWindow* w) {
                QApplication::setActiveWindow(w);
                QVERIFY(QTest::qWaitForWindowActive(w));
                auto* tipo = w->findChild<QLineEdit*>(QStringLiteral("txtTipo"));
                QCOMPARE(QApplication::focusWidget(), tipo);
                QTest::keyClicks(tipo, QStringLiteral("CLIENTE"));
                QTest::keyClick(tipo, Qt::Key_Return);
                auto* slot = w->findChild<QSpinBox*>(QStringLiteral("spnPrimaEtichetta"));
                QCOMPARE(QApplication::focusWidget(), slot);
                typeInto(slot, QStringLiteral("20"));
                QTRY_COMPARE(w->findChild<QLabel*>(QStringLiteral("lblRiepilogo"))->text(),
                             QStringLiteral("7 schede, 2 fogli; 1 scheda esclusa: 1 senza indirizzo."));
                tabTo(w, w->findChild<QAbstractButton*>(QStringLiteral("btnArchivia")));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
        QCOMPARE(m_ctx->messages.log().size(), 2);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Confirmation);
        QCOMPARE(m_ctx->messages.log()[1].text, QStringLiteral("Fogli archiviati: 2, dal numero 1 al numero 2."));
        QCOMPARE(LabelSheetFile(m_ctx->dir.path()).count(), 2);
        // The window shows the first new sheet.
        QCOMPARE(sheets.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("1"));
        QCOMPARE(sheets.sheetOnScreen().name(20), QStringLiteral("alfa"));
        QCOMPARE(sheets.sheetOnScreen().line(24, 1), QStringLiteral("Via Eta"));
    }

    void answeringNoStoresNothing()
    {
        ComposeLabelsWindow w(m_ctx->context, nullptr);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        m_ctx->messages.queueAnswer(false);
        // A button's shortcut clicks it after a short flash.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(w.firstStored(), 0);
        QVERIFY(!QFile::exists(m_ctx->path(LabelSheetFile::kFileName)));
        QVERIFY(w.isVisible());
    }

    void printsOneJobAndSavesOnePdf()
    {
        ComposeLabelsWindow w(m_ctx->context, nullptr);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblRiepilogo"))->text(),
                 QStringLiteral("8 schede, 1 foglio; 1 scheda esclusa: 1 senza indirizzo."));
        typeInto(w.findChild<QSpinBox*>(QStringLiteral("spnPrimaEtichetta")), QStringLiteral("24"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(m_printer->printDialogs(), 1);
        const QStringList printed = pdfPageTexts(m_printer->printedFiles().value(0));
        QCOMPARE(printed.size(), 2);
        QVERIFY(printed[0].contains(QStringLiteral("Via alfa")) && printed[1].contains(QStringLiteral("Via Zeta")));
        QVERIFY(!printed[0].contains(QStringLiteral("Via Zeta")));

        const QString pdf = m_ctx->path(QStringLiteral("etichette.pdf"));
        m_ctx->saveFileChooser.answers.enqueue(pdf);
        tabTo(&w, w.findChild<QAbstractButton*>(QStringLiteral("btnPdf")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const QStringList pages = pdfPageTexts(pdf);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains(QStringLiteral("Via alfa")) && pages[1].contains(QStringLiteral("Via Zeta")));
        QCOMPARE(m_ctx->messages.log().last().text,
                 QStringLiteral("Fogli di etichette salvati: 2, nel file PDF \"%1\".")
                     .arg(QFileInfo(pdf).absoluteFilePath()));

        // A choice of no card: told, nothing printed.
        typeInto(w.findChild<QLineEdit*>(QStringLiteral("txtTipo")), QStringLiteral("banca"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(m_ctx->messages.log().size(), 2);
        QCOMPARE(m_printer->printDialogs(), 1);
        QCOMPARE(m_ctx->messages.log().last().text,
                 QStringLiteral("Nessuna scheda dell'archivio degli indirizzi corrisponde alla scelta."));
    }

    // A line too long even condensed is named by sheet, label and line before anything is saved, printed or shown;
    // No leaves everything as it was. A line that condensing saves asks nothing.
    void cutLinesAreNamedFirst_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("withCut");
        QTest::addColumn<bool>("goOn");
        QTest::newRow("pdf, stop") << "btnPdf" << true << false;
        QTest::newRow("pdf, go on") << "btnPdf" << true << true;
        QTest::newRow("print, stop") << "btnStampa" << true << false;
        QTest::newRow("preview, stop") << "btnAnteprima" << true << false;
        QTest::newRow("preview, go on") << "btnAnteprima" << true << true;
        QTest::newRow("pdf, only condensed") << "btnPdf" << false << true;
    }
    void cutLinesAreNamedFirst()
    {
        QFETCH(QString, command);
        QFETCH(bool, withCut);
        QFETCH(bool, goOn);
        {
            AddressCardFile file(m_ctx->dir.path());
            for (int i = 1; i <= 62; ++i) {
                AddressCard card;
                card.setValue(AddressCard::Nome, QStringLiteral("Lungo %1").arg(i, 2, 10, QLatin1Char('0')));
                card.setValue(AddressCard::Tipo, QStringLiteral("Lungo"));
                card.setValue(AddressCard::Rigo01, QStringLiteral("Via Roma %1").arg(i));
                if (i == 20)
                    card.setValue(AddressCard::Rigo05, QString(31, u'M')); // narrowed to fit, nothing lost
                if (i == 62 && withCut)
                    card.setValue(AddressCard::Rigo05, QString(60, u'W')); // sheet 3, label 14
                file.append(card);
            }
        }
        ComposeLabelsWindow w(m_ctx->context, nullptr);
        w.show();
        typeInto(w.findChild<QLineEdit*>(QStringLiteral("txtTipo")), QStringLiteral("lungo"));
        const QString pdf = m_ctx->path(QStringLiteral("etichette.pdf"));
        m_ctx->saveFileChooser.answers.enqueue(pdf);
        if (withCut)
            m_ctx->messages.queueAnswer(goOn);
        w.findChild<QAbstractButton*>(command)->click();

        const int done = int(QFile::exists(pdf)) + m_printer->printDialogs() + m_printer->previews();
        QCOMPARE(done, goOn ? 1 : 0);
        QVERIFY(w.isVisible());
        if (!withCut) {
            QCOMPARE(m_ctx->messages.log().size(), 1);
            QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Information); // the file saved
            return;
        }
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Confirmation);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Attenzione: queste righe sono troppo lunghe per l'etichetta e in stampa verranno "
                                "tagliate:\n\nFoglio 3, etichetta 14, riga 5\n\nProseguire comunque?"));
        QCOMPARE(m_ctx->messages.log().size(), command == "btnPdf" && goOn ? 2 : 1);
        // Asked before the file is chosen, so that a No costs no choice.
        QCOMPARE(m_ctx->saveFileChooser.suggested.size(), command == "btnPdf" && goOn ? 1 : 0);
        if (command == "btnPdf" && goOn)
            QCOMPARE(pdfPageTexts(pdf).size(), 3);
    }

    void everyControlByTabAndNamed()
    {
        ComposeLabelsWindow w(m_ctx->context, nullptr);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.width() <= 1366 && w.height() <= 728);
        QSet<QString> reached;
        for (int i = 0; i < 12; ++i) {
            reached << QApplication::focusWidget()->objectName();
            QVERIFY2(!QApplication::focusWidget()->accessibleName().isEmpty(),
                     qPrintable(QApplication::focusWidget()->objectName()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (const char* id : {"txtTipo", "spnPrimaEtichetta", "lblRiepilogo", "btnAnteprima", "btnStampa", "btnPdf",
                               "btnArchivia", "btnFormato", "btnAnnulla"})
            QVERIFY2(reached.contains(QLatin1String(id)), id);
        QVERIFY(
            w.findChild<QAbstractButton*>(QStringLiteral("btnFormato"))->toolTip().contains(QStringLiteral("Ctrl+L")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestComposeLabelsWindow)
#include "test_compose_labels_window.moc"
