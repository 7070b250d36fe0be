// The import from the address archive window: the import window's preview and column choices, and the archive
// window's report.
#include "addresses/address_archive_window.h"
#include "addresses/contact_import_window.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

using Kind = Messages::Kind;

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(PLICARIO_SOURCE_DIR "/tests/addresses/fixtures/") + QLatin1String(name);
}

QString cell(QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

QTableView* page(const QDialog& dialog, const char* name)
{
    auto* grid = dialog.findChild<QTableView*>(QLatin1String(name));
    Q_ASSERT(grid);
    return grid;
}

QList<Contact> collected(const AddressImport::ContactSource& source)
{
    QList<Contact> out;
    source.forEach([&](const Contact& c) { out.append(c); });
    return out;
}

// A sheet whose headers say nothing: every column starts as "(non importare)".
const QByteArray kPlainSheet = "A;B;C;D\r\nRossi;Mario;Via Po 1;Torino\r\nNeri;Ada;Via Roma 2;Roma\r\n";

} // namespace

class TestContactImportWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void previewShowsTheCardsAsStoredWithTheCounts()
    {
        TestContext ctx;
        {
            // The second card of the file is already in the archive.
            AddressCardFile file(ctx.dir.path());
            AddressCard c;
            c.setValue(AddressCard::Nome, QStringLiteral("Farmacia Centrale"));
            c.setValue(AddressCard::Rigo01, QStringLiteral("Farmacia Centrale"));
            c.setValue(AddressCard::Rigo02, QStringLiteral("Piazza della Repubblica 2"));
            c.setValue(AddressCard::Rigo03, QStringLiteral("60121 Ancona AN"));
            file.append(c);
        }
        ctx.fileChooser.answers.enqueue(fixture("phone_v30.vcf"));
        ContactImportWindow dialog(ctx.context, nullptr);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);

        auto* grid = page(dialog, "grdSchede");
        QCOMPARE(grid->model()->rowCount(), 1); // the duplicate is not among the new cards
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Ferrari Luca"));
        QVERIFY2(cell(grid, 0, 2).startsWith(QStringLiteral("Ing. Luca Ferrari\n")), qPrintable(cell(grid, 0, 2)));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblConteggi"))->text(),
                 QStringLiteral("Schede nuove: 1    Già presenti in archivio o nel file: 1    Scartate: 0"));
        // The duplicate beside the archive card it equals, both whole.
        auto* same = page(dialog, "grdGiaPresenti");
        QCOMPARE(same->model()->rowCount(), 1);
        const QString farmacia = QStringLiteral("Farmacia Centrale\nFarmacia Centrale\nPiazza della Repubblica 2\n"
                                                "60121 Ancona AN");
        QCOMPARE(cell(same, 0, 1), farmacia);
        QCOMPARE(cell(same, 0, 2), QStringLiteral("scheda n. 1 dell'archivio"));
        QCOMPARE(cell(same, 0, 3), farmacia);
        // A vCard names its own fields: no column choices.
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("panColonne"))->isVisible());
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("btnImporta"))->isEnabled());
        QVERIFY(ctx.messages.log().isEmpty());
    }

    void columnChoicesDriveTheGrid()
    {
        TestContext ctx;
        const QString path = ctx.path(QStringLiteral("foglio.csv"));
        QVERIFY(writeFileBytes(path, kPlainSheet));
        ctx.fileChooser.answers.enqueue(path);
        ContactImportWindow dialog(ctx.context, nullptr);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // No name in the first row is known: the window asks, and the user says it is a header.
        ctx.messages.queueQuestionAnswer(Messages::Answer::Yes);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
        QCOMPARE(ctx.messages.log().size(), 1);
        QCOMPARE(ctx.messages.log()[0].kind, Kind::Question);
        QVERIFY(ctx.messages.log()[0].text.startsWith(QStringLiteral("La prima riga contiene intestazioni?")));
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("panColonne"))->isVisible());
        auto* importa = dialog.findChild<QPushButton*>(QStringLiteral("btnImporta"));
        QVERIFY(!importa->isEnabled()); // nothing named yet: every row would be refused
        QCOMPARE(page(dialog, "grdScartate")->model()->rowCount(), 2);
        QCOMPARE(cell(page(dialog, "grdScartate"), 0, 0), QStringLiteral("2"));
        QCOMPARE(cell(page(dialog, "grdScartate"), 0, 1),
                 QStringLiteral("la scheda non ha né un nome né una ragione sociale"));

        const auto choose = [&](const char* combo, const QString& field) {
            auto* c = dialog.findChild<QComboBox*>(QLatin1String(combo));
            QVERIFY2(c, combo);
            c->setCurrentIndex(c->findText(field));
        };
        choose("cboColonna01", QStringLiteral("Cognome"));
        choose("cboColonna02", QStringLiteral("Nome"));
        choose("cboColonna03", QStringLiteral("Indirizzo"));
        choose("cboColonna04", QStringLiteral("Città"));
        auto* grid = page(dialog, "grdSchede");
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Rossi Mario"));
        QCOMPARE(cell(grid, 0, 2), QStringLiteral("Mario Rossi\nVia Po 1\nTorino"));
        QCOMPARE(cell(grid, 1, 0), QStringLiteral("3"));
        QCOMPARE(page(dialog, "grdScartate")->model()->rowCount(), 0);
        QVERIFY(importa->isEnabled());

        // Enter on the focused button imports.
        importa->setFocus();
        QTest::keyClick(importa, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QList<Contact> contacts = collected(dialog.contacts());
        QCOMPARE(contacts.size(), 2);
        QCOMPARE(contacts[1].familyName, QStringLiteral("Neri"));
    }

    // Answered No, the first row is a card of its own; a sheet of a thousand columns offers only the first few
    // hundred choices and says so.
    void headerlessSheetOfManyColumns()
    {
        TestContext ctx;
        const QString path = ctx.path(QStringLiteral("foglio.csv"));
        QByteArray first = "Rossi Mario;Cliente;Via Po 1;10100 Torino TO";
        QByteArray second = "Neri Ada;;Via Roma 2;00100 Roma RM";
        for (int i = 0; i < 1000; ++i) {
            first += ";x";
            second += ";y";
        }
        QVERIFY(writeFileBytes(path, first + "\r\n" + second + "\r\n"));
        ctx.fileChooser.answers.enqueue(path);
        ctx.messages.queueQuestionAnswer(Messages::Answer::No);
        ContactImportWindow dialog(ctx.context, nullptr);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
        QCOMPARE(ctx.messages.log().size(), 1);
        QCOMPARE(dialog.findChildren<QComboBox*>().size(), ContactImportWindow::kMaxColumnChoices);
        auto* beyond = dialog.findChild<QLabel*>(QStringLiteral("lblColonneOltre"));
        QVERIFY(beyond);
        QVERIFY2(beyond->text().contains(QStringLiteral("1004 colonne")), qPrintable(beyond->text()));
        QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("cboColonna01"))->accessibleName(),
                 QStringLiteral("Colonna 1, Colonna 1"));
        auto* grid = page(dialog, "grdSchede");
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Rossi Mario"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Neri Ada"));
        QCOMPARE(collected(dialog.contacts()).size(), 2);
    }

    // Letters stored as their base letter are named on the new card; a card the archive cannot keep is refused with
    // its characters, never taken for a duplicate; a card equal to an earlier one of the file names that line.
    void changedRefusedAndRepeatedCardsAreShownAsSuch()
    {
        TestContext ctx;
        const QString path = ctx.path(QStringLiteral("rubrica.csv"));
        QVERIFY(writeFileBytes(path, QStringLiteral("Cognome;Nome;Indirizzo;Città\r\n"
                                                    "Dvořák;Jan;Via Po 1;Torino\r\n"
                                                    "Иванов;Иван;Via Roma 2;Roma\r\n"
                                                    "Иванова;Анна;Via Roma 2;Roma\r\n"
                                                    "Rossi;Mario;Via Po 1;Torino\r\n"
                                                    "ROSSI;Mario;Via Po 1;Torino\r\n")
                                         .toUtf8()));
        ctx.fileChooser.answers.enqueue(path);
        ContactImportWindow dialog(ctx.context, nullptr);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
        QVERIFY(ctx.messages.log().isEmpty());

        auto* fresh = page(dialog, "grdSchede");
        QCOMPARE(fresh->model()->rowCount(), 2);
        QCOMPARE(cell(fresh, 0, 1), QStringLiteral("Dvorák Jan"));
        QCOMPARE(cell(fresh, 0, 5), QStringLiteral("«ř» → «r»"));
        QCOMPARE(cell(fresh, 1, 5), QString());
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblAvvisi"))->text().contains(QStringLiteral("Caratteri")));

        auto* refused = page(dialog, "grdScartate");
        QCOMPARE(refused->model()->rowCount(), 2); // two different people, both kept out, neither a duplicate
        QCOMPARE(cell(refused, 0, 0), QStringLiteral("3"));
        QVERIFY2(cell(refused, 0, 1).contains(QStringLiteral("«И» (U+0418)")), qPrintable(cell(refused, 0, 1)));
        QCOMPARE(cell(refused, 1, 0), QStringLiteral("4"));

        auto* same = page(dialog, "grdGiaPresenti");
        QCOMPARE(same->model()->rowCount(), 1);
        QCOMPARE(cell(same, 0, 0), QStringLiteral("6"));
        QCOMPARE(cell(same, 0, 2), QStringLiteral("riga 5 del file"));
        QVERIFY(cell(same, 0, 3).startsWith(QStringLiteral("Rossi Mario\n")));

        auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabEsito"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Schede nuove (2)"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Già presenti (1)"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Scartate (2)"));
    }

    // A UTF-8 file with a stray windows-1252 byte keeps its accents, and the window names the line of the byte.
    void strayBytesAreNamedByLine()
    {
        TestContext ctx;
        const QString path = ctx.path(QStringLiteral("rubrica.csv"));
        QVERIFY(writeFileBytes(path,
                               "Cognome;Nome;Citt\xc3\xa0\r\nRossi;Mario;Forl\xc3\xac\r\nBianchi;Nicol\xf2;Roma\r\n"));
        ctx.fileChooser.answers.enqueue(path);
        ContactImportWindow dialog(ctx.context, nullptr);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
        auto* fresh = page(dialog, "grdSchede");
        QCOMPARE(cell(fresh, 0, 2), QStringLiteral("Mario Rossi\nForlì"));
        QCOMPARE(cell(fresh, 1, 1), QStringLiteral("Bianchi Nicolò"));
        const QString notice = dialog.findChild<QLabel*>(QStringLiteral("lblAvvisi"))->text();
        QVERIFY2(notice.contains(QStringLiteral("windows-1252: riga 3.")), qPrintable(notice));
    }

    // A file of many contacts is counted in the background; a new column choice starts the count again, and a window
    // closed while counting stops the count.
    void aLargeFileIsCountedInTheBackground()
    {
        TestContext ctx;
        const QString path = ctx.path(QStringLiteral("grande.csv"));
        QByteArray sheet = "Nome;Note\r\n";
        const int rows = int(ContactImportWindow::kCountedAtOnce) + 100; // 20,100: counts as Italian writes them
        for (int i = 0; i < rows; ++i)
            sheet += "Persona " + QByteArray::number(i) + ";nota\r\n";
        sheet += "Persona 7;nota\r\n;senza nome\r\n";
        QVERIFY(writeFileBytes(path, sheet));
        ctx.fileChooser.answers.enqueue(path);
        auto dialog = std::make_unique<ContactImportWindow>(ctx.context, nullptr);
        dialog->show();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
        auto* counts = dialog->findChild<QLabel*>(QStringLiteral("lblConteggi"));
        auto* importa = dialog->findChild<QPushButton*>(QStringLiteral("btnImporta"));
        QTRY_COMPARE_WITH_TIMEOUT(
            counts->text(),
            QStringLiteral("Schede nuove: 20.100    Già presenti in archivio o nel file: 1    Scartate: 1"), 20000);
        QCOMPARE(page(*dialog, "grdSchede")->model()->rowCount(), ContactImportWindow::kPreviewCards);
        QCOMPARE(cell(page(*dialog, "grdGiaPresenti"), 0, 2), QStringLiteral("riga 9 del file"));
        QVERIFY(importa->isEnabled());

        // The name column left out: every row is refused, and the count says so once it is done.
        auto* name = dialog->findChild<QComboBox*>(QStringLiteral("cboColonna01"));
        name->setCurrentIndex(name->findText(QStringLiteral("(non importare)")));
        QVERIFY(!importa->isEnabled());
        QVERIFY2(counts->text().startsWith(QStringLiteral("Lettura delle 20.102 schede")),
                 qPrintable(counts->text())); // the window is back before the count is done
        QCOMPARE(page(*dialog, "grdSchede")->model()->rowCount(), 0);
        QCOMPARE(dialog->findChild<QTabWidget*>(QStringLiteral("tabEsito"))->tabText(0),
                 QStringLiteral("Schede nuove"));
        QTRY_COMPARE_WITH_TIMEOUT(
            counts->text(),
            QStringLiteral("Schede nuove: 0    Già presenti in archivio o nel file: 0    Scartate: 20.102"), 20000);
        name->setCurrentIndex(name->findText(QStringLiteral("Nome")));
        dialog.reset(); // while counting
        QVERIFY(ctx.messages.log().isEmpty());
    }

    void aBrokenFileIsRefusedWithItsLine()
    {
        TestContext ctx;
        const QString path = ctx.path(QStringLiteral("rotto.vcf"));
        QVERIFY(writeFileBytes(path, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Neri;Ada\r\n"));
        ctx.fileChooser.answers.enqueue(path);
        ContactImportWindow dialog(ctx.context, nullptr);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
        QCOMPARE(ctx.messages.log().size(), 1);
        QCOMPARE(ctx.messages.log()[0].kind, Kind::Error);
        QVERIFY2(ctx.messages.log()[0].text.contains(QStringLiteral("riga 1")), qPrintable(ctx.messages.log()[0].text));
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("btnImporta"))->isEnabled());
        QVERIFY(!QFile::exists(ctx.path(AddressCardFile::kFileName)));
    }

    void windowImportsReportsAndShowsTheFirstNewCard()
    {
        TestContext ctx;
        {
            AddressCardFile file(ctx.dir.path());
            AddressCard c;
            c.setValue(AddressCard::Nome, QStringLiteral("Già qui"));
            file.append(c);
        }
        ctx.fileChooser.answers.enqueue(fixture("mailprogram.csv"));
        AddressArchiveWindow window(ctx.context);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* command = window.findChild<QToolButton*>(QStringLiteral("cmdImporta"));
        QVERIFY(command);
        QVERIFY(command->toolTip().contains(QStringLiteral("Ctrl+I")));
        QVERIFY(!command->accessibleDescription().isEmpty());

        // Ctrl+I, as the tooltip says, typed where the focus is (the name field). The shortcut presses the button as
        // a click does, a moment later.
        QVERIFY(QApplication::focusWidget());
        inModal<ContactImportWindow>(
            &window, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier); },
            [](ContactImportWindow* dialog) {
                QVERIFY(dialog->width() <= 1366 && dialog->height() <= 728);
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnImporta")), Qt::LeftButton);
            });

        QCOMPARE(ctx.messages.log().size(), 1);
        QCOMPARE(ctx.messages.log()[0].kind, Kind::Plain);
        QCOMPARE(ctx.messages.log()[0].text, QStringLiteral("3 schede importate, 0 già presenti, 1 scartata"));
        QCOMPARE(AddressCardFile(ctx.dir.path()).count(), 4);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("2"));
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtNome"))->text(), QStringLiteral("Neri Paolo"));
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtRigo03"))->text(), QStringLiteral("16121 Genova GE"));
    }

    void cancellingImportsNothing()
    {
        TestContext ctx;
        ctx.fileChooser.answers.enqueue(fixture("mailprogram.csv"));
        AddressArchiveWindow window(ctx.context);
        window.show();
        inModal<ContactImportWindow>(
            &window,
            [&] { QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdImporta")), Qt::LeftButton); },
            [](ContactImportWindow* dialog) {
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnSfoglia")), Qt::LeftButton);
                QTest::keyClick(dialog, Qt::Key_Escape);
                QTRY_VERIFY(!dialog->isVisible()); // Esc presses "Annulla", a moment later
            });
        QVERIFY(ctx.messages.log().isEmpty());
        QVERIFY(!QFile::exists(ctx.path(AddressCardFile::kFileName)));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QString());
    }
};

QTEST_MAIN(TestContactImportWindow)
#include "test_contact_import_window.moc"
