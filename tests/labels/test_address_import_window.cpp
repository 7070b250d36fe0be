#include "addresses/address_list_line.h"
#include "common/line_list_widget.h"
#include "labels/address_import_window.h"
#include "labels/label_sheet_fixture.h"
#include "labels/label_sheet_window.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

AddressCard card(const QString& name, const QString& tag, int lines = 6)
{
    AddressCard c;
    c.setValue(AddressCard::Nome, name);
    c.setValue(AddressCard::Tipo, QStringLiteral("Cliente"));
    c.setValue(AddressCard::Note, QStringLiteral("nota"));
    for (int i = 1; i <= lines; ++i)
        c.setValue(AddressCard::Rigo01 + i - 1, QStringLiteral("%1 %2 riga %3").arg(name, tag).arg(i));
    c.setValue(AddressCard::File01, QStringLiteral("allegato.pdf"));
    return c;
}

QByteArray fileBytes(const QString& folder, const QString& name)
{
    QFile f(QDir(folder).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestAddressImportWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;
    LabelSheetWindow* m_window = nullptr;

    void fillAddresses(const QList<AddressCard>& cards)
    {
        AddressCardFile file(m_ctx->dir.path());
        for (const AddressCard& c : cards)
            file.append(c);
    }
    static LineListWidget* list(QDialog* d) { return d->findChild<LineListWidget*>(QStringLiteral("lstRecords")); }
    static void search(QDialog* d, const QString& text)
    {
        d->findChild<QLineEdit*>(QStringLiteral("txtTrova"))->setText(text);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnTrova")), Qt::LeftButton);
    }
    static void doubleClick(LineListWidget* list, int row)
    {
        const QRect r = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Opens the import of `slot` by its arrow and runs `drive` in it.
    void importInto(int slot, const std::function<void(AddressImportWindow*)>& drive)
    {
        inModal<AddressImportWindow>(
            m_window,
            [&] {
                QTest::mouseClick(m_window->findChild<QAbstractButton*>(QStringLiteral("impIndirizzo_E") +
                                                                        LabelSheetFixture::twoDigits(slot)),
                                  Qt::LeftButton);
            },
            drive);
    }
    QString position() { return m_window->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(); }
    // The window shows the stored sheet 1.
    void showStoredSheet()
    {
        LabelSheetFile(m_ctx->dir.path()).append(LabelSheetFixture::numbered(1));
        QTest::mouseClick(m_window->findChild<QAbstractButton*>(QStringLiteral("cmdPrimo")), Qt::LeftButton);
        QCOMPARE(position(), QStringLiteral("1"));
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

    void importIntoSlot05ChangesOnlySlot05()
    {
        fillAddresses({card(QStringLiteral("Rossi"), QStringLiteral("a")), card(QStringLiteral("Verdi"), "b", 3),
                       card(QStringLiteral("Bianchi"), QStringLiteral("c"))});
        showStoredSheet();
        const QByteArray sheets = fileBytes(m_ctx->dir.path(), LabelSheetFile::kFileName);
        const QByteArray addresses = fileBytes(m_ctx->dir.path(), AddressCardFile::kFileName);

        importInto(5, [](AddressImportWindow* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("frmImportaIndirizzi"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral(" Importa etichetta da archivio indirizzi"));
            QCOMPARE(dialog->targetSlot(), 5);
            search(dialog, QStringLiteral("verdi"));
            doubleClick(list(dialog), list(dialog)->currentRow());
            QVERIFY(!dialog->isVisible());
        });

        LabelSheet expected = LabelSheetFixture::numbered(1);
        expected.setName(5, QStringLiteral("Verdi"));
        // Lines 4 to 6, empty on the card, replace what the slot held.
        const QStringList lines = {"Verdi b riga 1", "Verdi b riga 2", "Verdi b riga 3", "", "", ""};
        for (int line = 1; line <= 6; ++line)
            expected.setLine(5, line, lines[line - 1]);
        QVERIFY(m_window->sheetOnScreen() == expected);
        QCOMPARE(m_window->findChild<QLineEdit*>(QStringLiteral("txtNome_E05"))->text(), QStringLiteral("Verdi"));
        // Nothing stored: the position and both files are as they were.
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(fileBytes(m_ctx->dir.path(), LabelSheetFile::kFileName), sheets);
        QCOMPARE(fileBytes(m_ctx->dir.path(), AddressCardFile::kFileName), addresses);
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void equalLinesImportTheLaterCard_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("first of the two") << 1;
        QTest::newRow("second of the two") << 2;
    }
    void equalLinesImportTheLaterCard()
    {
        QFETCH(int, row);
        // Same name, type and note: two equal lines; the card stored later wins whichever is clicked.
        fillAddresses({card(QStringLiteral("Uguale"), QStringLiteral("prima")), card(QStringLiteral("Altro"), "x"),
                       card(QStringLiteral("Uguale"), QStringLiteral("seconda")),
                       card(QStringLiteral("Zeta"), QStringLiteral("z"))});
        importInto(12, [row](AddressImportWindow* dialog) {
            LineListWidget* l = list(dialog);
            QCOMPARE(l->lines().size(), 4);
            QCOMPARE(l->lines()[1], l->lines()[2]);
            doubleClick(l, row);
        });
        const LabelSheet shown = m_window->sheetOnScreen();
        QCOMPARE(shown.name(12), QStringLiteral("Uguale"));
        for (int line = 1; line <= 6; ++line)
            QCOMPARE(shown.line(12, line), QStringLiteral("Uguale seconda riga %1").arg(line));
        for (int slot = 1; slot <= 24; ++slot)
            if (slot != 12)
                QVERIFY(shown.name(slot).isEmpty());
    }

    void keyInTheNameFieldOpensThatSlotsImport()
    {
        fillAddresses({card(QStringLiteral("Rossi"), QStringLiteral("a"))});
        int target = 0;
        QLineEdit* field = m_window->findChild<QLineEdit*>(QStringLiteral("txtNome_E17"));
        inModal<AddressImportWindow>(
            m_window,
            [&] {
                field->setFocus();
                QTest::keyClick(field, Qt::Key_I, Qt::ControlModifier);
            },
            [&](AddressImportWindow* dialog) { target = dialog->targetSlot(); });
        QCOMPARE(target, 17);
        // The key is named in the arrow's tooltip.
        QVERIFY(m_window->findChild<QAbstractButton*>(QStringLiteral("impIndirizzo_E17"))
                    ->toolTip()
                    .contains(QKeySequence(Qt::CTRL | Qt::Key_I).toString(QKeySequence::NativeText)));
        // Closing without a choice changes nothing.
        QVERIFY(m_window->sheetOnScreen() == LabelSheet());
    }

    // From a slot's name field to the imported card by keys alone, the tab order search field, list, print, search,
    // close.
    void keyboardAlone()
    {
        fillAddresses({card(QStringLiteral("Rossi"), QStringLiteral("a")), card(QStringLiteral("Verdi"), "b")});
        QLineEdit* slot = m_window->findChild<QLineEdit*>(QStringLiteral("txtNome_E04"));
        inModal<AddressImportWindow>(
            m_window,
            [&] {
                slot->setFocus();
                QTest::keyClick(slot, Qt::Key_I, Qt::ControlModifier);
            },
            [](AddressImportWindow* dialog) {
                QVERIFY(QTest::qWaitForWindowActive(dialog));
                QWidget* field = dialog->findChild<QWidget*>(QStringLiteral("txtTrova"));
                QCOMPARE(QApplication::focusWidget(), field);
                QTest::keyClicks(field, QStringLiteral("verdi"));
                QTest::keyClick(field, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnTrova"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QCOMPARE(list(dialog)->currentRow(), 1);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
                QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnStampa"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
                QCOMPARE(QApplication::focusWidget(), list(dialog));
                QTest::keyClick(list(dialog), Qt::Key_Return);
                QVERIFY(!dialog->isVisible());
            });
        QCOMPARE(m_window->sheetOnScreen().name(4), QStringLiteral("Verdi"));
        QCOMPARE(m_window->sheetOnScreen().line(4, 2), QStringLiteral("Verdi b riga 2"));
    }

    void failedImportClosesSilently()
    {
        fillAddresses({card(QStringLiteral("Rossi"), QStringLiteral("a"))});
        m_window->importCard(3, card(QStringLiteral("Prima"), QStringLiteral("p")));
        const LabelSheet before = m_window->sheetOnScreen();
        importInto(3, [this](AddressImportWindow* dialog) {
            QCOMPARE(list(dialog)->lines().size(), 1);
            // The archive goes away under the open window: a folder stands where the file was.
            QVERIFY(QFile::remove(m_ctx->path(AddressCardFile::kFileName)));
            QVERIFY(QDir(m_ctx->dir.path()).mkdir(AddressCardFile::kFileName));
            doubleClick(list(dialog), 0);
            QVERIFY(!dialog->isVisible());
        });
        QVERIFY(m_window->sheetOnScreen() == before);
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void noArchiveListsNothing()
    {
        importInto(1, [this](AddressImportWindow* dialog) {
            QCOMPARE(list(dialog)->lines().size(), 0);
            QVERIFY(QFile::exists(m_ctx->path(AddressCardFile::kFileName)));
            search(dialog, QStringLiteral("x"));
            QCOMPARE(m_ctx->messages.log().size(), 1);
            QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Plain);
            QCOMPARE(m_ctx->messages.log()[0].text,
                     QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        });
    }

    void printsTheListUnderItsTitle()
    {
        fillAddresses({card(QStringLiteral("Rossi"), QStringLiteral("a")), card(QStringLiteral("Bianchi"), "b")});
        importInto(2, [this](AddressImportWindow* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnStampa")), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            const PreparedPage& page = m_printer->lastPrinted()->pages.at(0);
            QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines,
                     QStringList{QStringLiteral("Riepilogo etichette in archivio")});
            QCOMPARE(page.find(QStringLiteral("txtRiepilogo"))->lines, list(dialog)->lines());
        });
        QVERIFY(m_window->sheetOnScreen() == LabelSheet());
    }
};

QTEST_MAIN(TestAddressImportWindow)
#include "test_address_import_window.moc"
