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
#include <QTableView>
#include <QTest>
#include <QToolButton>

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

        auto* grid = dialog.findChild<QTableView*>(QStringLiteral("grdSchede"));
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Ferrari Luca"));
        QCOMPARE(cell(grid, 0, 3), QStringLiteral("Ing. Luca Ferrari"));
        QCOMPARE(cell(grid, 1, 1), QString()); // the duplicate is not among the new cards
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblConteggi"))->text(),
                 QStringLiteral("Schede nuove: 1    Già presenti in archivio o nel file: 1    Scartate: 0"));
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
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("lblScartate"))->text().contains(QStringLiteral("riga 2")));

        const auto choose = [&](const char* combo, const QString& field) {
            auto* c = dialog.findChild<QComboBox*>(QLatin1String(combo));
            QVERIFY2(c, combo);
            c->setCurrentIndex(c->findText(field));
        };
        choose("cboColonna01", QStringLiteral("Cognome"));
        choose("cboColonna02", QStringLiteral("Nome"));
        choose("cboColonna03", QStringLiteral("Indirizzo"));
        choose("cboColonna04", QStringLiteral("Città"));
        auto* grid = dialog.findChild<QTableView*>(QStringLiteral("grdSchede"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Rossi Mario"));
        QCOMPARE(cell(grid, 0, 3), QStringLiteral("Mario Rossi"));
        QCOMPARE(cell(grid, 0, 4), QStringLiteral("Via Po 1"));
        QCOMPARE(cell(grid, 0, 5), QStringLiteral("Torino"));
        QCOMPARE(cell(grid, 1, 0), QStringLiteral("3"));
        QVERIFY(importa->isEnabled());

        // Enter on the focused button imports.
        importa->setFocus();
        QTest::keyClick(importa, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QList<Contact> contacts = dialog.contacts();
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
        auto* grid = dialog.findChild<QTableView*>(QStringLiteral("grdSchede"));
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Rossi Mario"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Neri Ada"));
        QCOMPARE(dialog.contacts().size(), 2);
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
