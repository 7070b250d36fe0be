#include "common/errors.h"
#include "help/help_topics.h"
#include "labels/address_import_window.h"
#include "labels/label_sheet_fixture.h"
#include "labels/label_sheet_window.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using Kind = Messages::Kind;

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");

using LabelSheetFixture::appendNumbered;
using LabelSheetFixture::numbered;
using LabelSheetFixture::twoDigits;

QByteArray sheetBytes(const QString& folder)
{
    QFile f(QDir(folder).filePath(LabelSheetFile::kFileName));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

AddressCard makeCard(const QString& name, const QString& line1, const QString& type = QString())
{
    AddressCard card;
    card.setValue(AddressCard::Nome, name);
    card.setValue(AddressCard::Tipo, type);
    card.setValue(AddressCard::Note, QStringLiteral("nota"));
    card.setValue(AddressCard::Rigo01, line1);
    for (int i = 2; i <= 6; ++i)
        card.setValue(AddressCard::Rigo01 + i - 1, QStringLiteral("%1 riga %2").arg(name).arg(i));
    return card;
}

} // namespace

class TestLabelSheetWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;
    LabelSheetWindow* m_window = nullptr;

    QLineEdit* name(int slot) { return m_window->findChild<QLineEdit*>(QStringLiteral("txtNome_E") + twoDigits(slot)); }
    QString position() { return m_window->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(); }
    QString hint() { return m_window->findChild<QLabel*>(QStringLiteral("panInfo"))->text(); }
    void click(const QString& objectName)
    {
        auto* button = m_window->findChild<QAbstractButton*>(objectName);
        QVERIFY2(button, qPrintable(objectName));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // The window shows sheet n of the file, as a move to it would.
    void goTo(int n)
    {
        click(QStringLiteral("cmdPrimo"));
        for (int i = 1; i < n; ++i)
            click(QStringLiteral("cmdAvanti"));
        QCOMPARE(position(), QString::number(n));
    }
    void expectScreen(const LabelSheet& expected)
    {
        const LabelSheet shown = m_window->sheetOnScreen();
        for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
            QCOMPARE(name(slot)->text(), expected.name(slot));
            for (int line = 1; line <= LabelSheet::kLines; ++line)
                QCOMPARE(shown.line(slot, line), expected.line(slot, line));
        }
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        m_window = new LabelSheetWindow(m_ctx->context);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup()
    {
        delete m_window;
        delete m_printer;
        delete m_ctx;
    }

    void opensOnAnEmptySheetEveryTime()
    {
        QVERIFY(m_window->windowState() & Qt::WindowMaximized);
        QCOMPARE(m_window->windowTitle(), QStringLiteral(" Plicario 3.0 - Gestione Etichette"));
        QCOMPARE(hint(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QCOMPARE(QApplication::focusWidget(), name(1));
        // Showing the window touches no file.
        QVERIFY(!QFile::exists(m_ctx->path(LabelSheetFile::kFileName)));
        for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
            QLineEdit* field = name(slot);
            QVERIFY(field->isReadOnly());
            QCOMPARE(field->maxLength(), 250);
            QVERIFY(field->font().bold());
            auto* arrow = m_window->findChild<QAbstractButton*>(QStringLiteral("impIndirizzo_E") + twoDigits(slot));
            QVERIFY(arrow);
            // The arrow stands right of its name field.
            QVERIFY(arrow->mapTo(m_window, QPoint()).x() > field->mapTo(m_window, QPoint()).x() + field->width() / 2);
        }
        // Row by row, three to a row, as on the printed page.
        auto at = [this](int slot) { return name(slot)->mapTo(m_window, QPoint()); };
        QCOMPARE(at(2).y(), at(1).y());
        QCOMPARE(at(3).y(), at(1).y());
        QVERIFY(at(2).x() > at(1).x() && at(3).x() > at(2).x());
        QVERIFY(at(4).y() > at(1).y());
        QCOMPARE(at(4).x(), at(1).x());
        QCOMPARE(at(24).x(), at(3).x());
        QVERIFY(at(24).y() > at(21).y());

        // Whatever it held, a new showing starts again from an empty sheet.
        appendNumbered(m_ctx->dir.path(), 3);
        click(QStringLiteral("cmdUltimo"));
        QCOMPARE(position(), QStringLiteral("3"));
        m_window->close();
        m_window->show();
        QCOMPARE(position(), QString());
        expectScreen(LabelSheet());
        QCOMPARE(m_window->focusWidget(), name(1));
    }

    // A sheet stored after the window opened, or one that vanished: Next on a file found empty forgets the position.
    void nextOnAFileFoundEmptyForgetsThePosition()
    {
        appendNumbered(m_ctx->dir.path(), 2);
        goTo(2);
        QVERIFY(QFile::resize(m_ctx->path(LabelSheetFile::kFileName), 0));
        click(QStringLiteral("cmdAvanti"));
        QCOMPARE(position(), QString());
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].text, kEmptyArchive);
        // The screen stays; saving it now makes it sheet 1 of the emptied file.
        QCOMPARE(name(1)->text(), numbered(2).name(1));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(m_ctx->messages.log().last().text, kAppended);
    }

    // A sheet with no named slot is refused; one named slot anywhere is enough.
    void emptySheetIsRefused_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("no file") << false;
        QTest::newRow("stored sheets") << true;
    }
    void emptySheetIsRefused()
    {
        QFETCH(bool, fileExists);
        if (fileExists)
            appendNumbered(m_ctx->dir.path(), 2);
        const QByteArray before = sheetBytes(m_ctx->dir.path());
        // Lines without a name leave the slot empty.
        m_window->importCard(3, makeCard(QString(), QStringLiteral("Via 1")));
        name(24)->setFocus();
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Warning);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Attenzione: per salvare la scheda è necessario importare almeno un'etichetta."));
        QCOMPARE(QApplication::focusWidget(), name(1));
        QCOMPARE(QFile::exists(m_ctx->path(LabelSheetFile::kFileName)), fileExists);
        QCOMPARE(sheetBytes(m_ctx->dir.path()), before);
        QCOMPARE(position(), QString());
    }

    // A sheet composed from label 5 on (the first four already used on the paper) is saved, and saved again after
    // a correction.
    void sheetStartingAtSlotFiveIsSaved()
    {
        appendNumbered(m_ctx->dir.path(), 2);
        for (int slot : {5, 6, 24})
            m_window->importCard(slot, makeCard(QStringLiteral("Altro %1").arg(slot), QStringLiteral("Via 1")));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("3"));
        QCOMPARE(m_ctx->messages.log().last().text, kAppended);
        m_window->importCard(6, makeCard(QStringLiteral("Corretto"), QStringLiteral("Via 2")));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("3"));
        QCOMPARE(m_ctx->messages.log().size(), 2);
        QCOMPARE(m_ctx->messages.log().last().text, kUpdated);
        const LabelSheet stored = LabelSheetFile(m_ctx->dir.path()).read(3);
        QCOMPARE(stored.name(1), QString());
        QCOMPARE(stored.name(5), QStringLiteral("Altro 5"));
        QCOMPARE(stored.name(6), QStringLiteral("Corretto"));
        QCOMPARE(stored.line(6, 1), QStringLiteral("Via 2"));
        QCOMPARE(stored.name(24), QStringLiteral("Altro 24"));
        QCOMPARE(sheetBytes(m_ctx->dir.path()).size(), 3 * LabelSheet::kSize);
    }

    void newSheetIsAppendedThenSavedInPlace()
    {
        appendNumbered(m_ctx->dir.path(), 4);
        const QByteArray before = sheetBytes(m_ctx->dir.path());
        m_window->importCard(1, makeCard(QStringLiteral("  Rossi  "), QStringLiteral("  Via Roma 1 ")));
        m_window->importCard(17, makeCard(QStringLiteral("Bianchi"), QStringLiteral("Via Po 2")));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("5"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Information);
        QCOMPARE(m_ctx->messages.log()[0].text, kAppended);
        QByteArray after = sheetBytes(m_ctx->dir.path());
        QCOMPARE(after.size(), 5 * LabelSheet::kSize);
        QCOMPARE(after.left(before.size()), before);
        const LabelSheet stored = LabelSheetFile(m_ctx->dir.path()).read(5);
        QCOMPARE(stored.name(1), QStringLiteral("Rossi"));
        QCOMPARE(stored.line(1, 1), QStringLiteral("Via Roma 1"));
        QCOMPARE(stored.name(17), QStringLiteral("Bianchi"));
        QCOMPARE(stored.line(17, 6), QStringLiteral("Bianchi riga 6"));
        QCOMPARE(stored.name(2), QString());

        // Saved again at once: the same record is overwritten, with the other message.
        m_window->importCard(2, makeCard(QStringLiteral("Verdi"), QStringLiteral("Via Mare 3")));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("5"));
        QCOMPARE(m_ctx->messages.log().size(), 2);
        QCOMPARE(m_ctx->messages.log()[1].kind, Kind::Information);
        QCOMPARE(m_ctx->messages.log()[1].text, kUpdated);
        after = sheetBytes(m_ctx->dir.path());
        QCOMPARE(after.size(), 5 * LabelSheet::kSize);
        QCOMPARE(after.left(before.size()), before);
        QCOMPARE(LabelSheetFile(m_ctx->dir.path()).read(5).name(2), QStringLiteral("Verdi"));
    }

    void storedSheetIsRewrittenAlone()
    {
        appendNumbered(m_ctx->dir.path(), 5);
        const QByteArray before = sheetBytes(m_ctx->dir.path());
        goTo(2);
        m_window->importCard(12, makeCard(QStringLiteral("Neri"), QStringLiteral("Via Dante 8")));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("2"));
        QCOMPARE(m_ctx->messages.log().last().text, kUpdated);
        const QByteArray after = sheetBytes(m_ctx->dir.path());
        const int k = LabelSheet::kSize;
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(k), before.left(k));
        QCOMPARE(after.mid(2 * k), before.mid(2 * k));
        LabelSheet expected = numbered(2);
        expected.setName(12, QStringLiteral("Neri"));
        expected.setLine(12, 1, QStringLiteral("Via Dante 8"));
        for (int line = 2; line <= 6; ++line)
            expected.setLine(12, line, QStringLiteral("Neri riga %1").arg(line));
        QVERIFY(LabelSheetFile(m_ctx->dir.path()).read(2) == expected);
    }

    void emptyingSlot07ThenSaving_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
        QTest::newRow("Delete") << int(Qt::Key_Delete);
    }
    void emptyingSlot07ThenSaving()
    {
        QFETCH(int, key);
        appendNumbered(m_ctx->dir.path(), 3);
        goTo(3);
        const QByteArray before = sheetBytes(m_ctx->dir.path());
        name(7)->setFocus();
        QTest::keyClick(name(7), Qt::Key(key));
        LabelSheet expected = numbered(3);
        expected.setName(7, QString());
        for (int line = 1; line <= 6; ++line)
            expected.setLine(7, line, QString());
        expectScreen(expected);
        // Emptying touches neither the position nor the file.
        QCOMPARE(position(), QStringLiteral("3"));
        QCOMPARE(sheetBytes(m_ctx->dir.path()), before);
        QVERIFY(m_ctx->messages.log().isEmpty());

        click(QStringLiteral("cmdSalva"));
        QVERIFY(LabelSheetFile(m_ctx->dir.path()).read(3) == expected);
        // Fields 7 and 61 to 66 hold length 0.
        const QByteArray after = sheetBytes(m_ctx->dir.path());
        const int record = 2 * LabelSheet::kSize;
        QCOMPARE(int(after[record + 6 * 251]), 0);
        for (int line = 1; line <= 6; ++line)
            QCOMPARE(int(after[record + 6024 + 1506 * 6 + 251 * (line - 1)]), 0);
    }

    void enterMovesToTheNextSlotAndRoundAgain()
    {
        for (int slot : {1, 5, 23, 24}) {
            name(slot)->setFocus();
            QTest::keyClick(name(slot), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), name(slot % 24 + 1));
        }
        name(24)->setFocus();
        QTest::keyClick(name(24), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), name(1));
        // Tab follows the slots in order too.
        name(3)->setFocus();
        QTest::keyClick(name(3), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), name(4));
    }

    // A name longer than its slot shows its beginning, on import, on Tab into it and from a stored sheet; the whole
    // name is the tooltip and what a screen reader reads.
    void longNameShowsItsBeginning()
    {
        const QString longName = QStringLiteral("Dott. Luigi Dell'Orto e Dott.ssa Maria Bianchi in Dell'Orto, "
                                                "Studio Associato di Consulenza Tributaria");
        auto showsStart = [&](int slot) {
            QLineEdit* field = name(slot);
            // The cursor marks what the field scrolls to; at 0 the first letters are on screen.
            return field->cursorPosition() == 0 && !field->hasSelectedText() && field->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < 10 &&
                   field->toolTip() == longName && field->accessibleDescription().startsWith(longName + u'.');
        };
        LabelSheet stored;
        stored.setName(5, longName);
        LabelSheetFile(m_ctx->dir.path()).append(stored);
        click(QStringLiteral("cmdPrimo"));
        QVERIFY(showsStart(5));

        m_window->importCard(2, makeCard(longName, QStringLiteral("Via 1")));
        QVERIFY(name(2)->fontMetrics().horizontalAdvance(longName) > name(2)->width());
        QVERIFY(showsStart(2));
        name(1)->setFocus();
        QTest::keyClick(name(1), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), name(2));
        QTRY_VERIFY(showsStart(2));
        // Emptied, the slot says nothing of the old name.
        QTest::keyClick(name(2), Qt::Key_Delete);
        QCOMPARE(name(2)->toolTip(), QString());
        QVERIFY(!name(2)->accessibleDescription().contains(QStringLiteral("Orto")));
    }

    void otherKeysLeaveTheSlotAlone()
    {
        m_window->importCard(4, makeCard(QStringLiteral("Gialli"), QStringLiteral("Via Verdi 1")));
        name(4)->setFocus();
        QTest::keyClicks(name(4), QStringLiteral("abc"));
        QTest::keyClick(name(4), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(name(4)->text(), QStringLiteral("Gialli"));
        QCOMPARE(m_window->sheetOnScreen().line(4, 1), QStringLiteral("Via Verdi 1"));
    }

    void unwritableFolderShowsAccessErrorAndKeepsTheSheet_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* c : {"cmdSalva", "cmdPrimo", "cmdUltimo", "cmdIndietro", "cmdAvanti"})
            QTest::newRow(c) << c;
    }
    void unwritableFolderShowsAccessErrorAndKeepsTheSheet()
    {
        QFETCH(QString, command);
        appendNumbered(m_ctx->dir.path(), 3);
        goTo(2);
        m_window->importCard(1, makeCard(QStringLiteral("A video"), QStringLiteral("Via 1")));
        const LabelSheet before = m_window->sheetOnScreen();
        // A program folder whose parent is a regular file cannot hold an archive, not even for root.
        QFile blocker(m_ctx->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_ctx->context.programFolder = m_ctx->path(QStringLiteral("blocker/Plicario"));

        click(command);

        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Error);
        QCOMPARE(m_ctx->messages.log()[0].text, Errors::kArchiveAccess);
        expectScreen(before);
        QCOMPARE(position(), QStringLiteral("2"));
    }

    // A sheet cut short by a crash: the whole sheets still browse, the torn one is not shown, and a save appends
    // over the fragment.
    void tornLastSheetIsNotASheet()
    {
        appendNumbered(m_ctx->dir.path(), 2);
        QFile file(m_ctx->path(LabelSheetFile::kFileName));
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(1000, 'x'));
        file.close();
        click(QStringLiteral("cmdUltimo"));
        QCOMPARE(position(), QStringLiteral("2"));
        click(QStringLiteral("cmdNuovo"));
        m_window->importCard(1, makeCard(QStringLiteral("Terza"), QStringLiteral("Via 3")));
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(position(), QStringLiteral("3"));
        QCOMPARE(sheetBytes(m_ctx->dir.path()).size(), 3 * LabelSheet::kSize);
        QCOMPARE(LabelSheetFile(m_ctx->dir.path()).read(3).name(1), QStringLiteral("Terza"));
    }

    void newSheetEmptiesEverything()
    {
        appendNumbered(m_ctx->dir.path(), 2);
        goTo(2);
        name(8)->setFocus();
        click(QStringLiteral("cmdNuovo"));
        QCOMPARE(position(), QString());
        expectScreen(LabelSheet());
        QCOMPARE(QApplication::focusWidget(), name(1));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void hintsFollowThePointer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cmdNuovo") << "cmdNuovo"
                                  << "Prepara la schermata per la registrazione di una nuova scheda.";
        QTest::newRow("cmdSalva") << "cmdSalva"
                                  << "Salva la scheda corrente.";
        QTest::newRow("cmdAnteprima") << "cmdAnteprima"
                                      << "Visualizza l'anteprima di stampa della pagina delle etichette.";
        QTest::newRow("cmdStampa") << "cmdStampa"
                                   << "Stampa la pagina delle etichette.";
        QTest::newRow("cmdPrimo") << "cmdPrimo"
                                  << "Visualizza la prima scheda in archivio.";
        QTest::newRow("cmdIndietro") << "cmdIndietro"
                                     << "Visualizza la scheda precedente in archivio.";
        QTest::newRow("cmdAvanti") << "cmdAvanti"
                                   << "Visualizza la scheda successiva in archivio.";
        QTest::newRow("cmdUltimo") << "cmdUltimo"
                                   << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("cmdGuida") << "cmdGuida"
                                  << "Visualizza la guida in linea.";
        QTest::newRow("cmdEsci") << "cmdEsci"
                                 << "Esci da questa schermata.";
        QTest::newRow("impIndirizzo_E01") << "impIndirizzo_E01"
                                          << "Importa etichetta da archivio indirizzi.";
        QTest::newRow("impIndirizzo_E24") << "impIndirizzo_E24"
                                          << "Importa etichetta da archivio indirizzi.";
    }
    void hintsFollowThePointer()
    {
        QFETCH(QString, button);
        QFETCH(QString, hint);
        auto* b = m_window->findChild<QAbstractButton*>(button);
        QVERIFY(b);
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!b->toolTip().isEmpty());
        QTest::mouseMove(b, QPoint(4, 4));
        QTRY_COMPARE(this->hint(), hint);

        // The name fields and the position leave the line as it was.
        QTest::mouseMove(name(5), QPoint(6, 6));
        QTest::mouseMove(m_window->findChild<QLabel*>(QStringLiteral("lblPosizione")), QPoint(2, 2));
        QTest::qWait(20);
        QCOMPARE(this->hint(), hint);

        // A slot box, the slots' panel and the window's background empty it.
        for (const QString& background : {QStringLiteral("shpEtichetta_E05"), QStringLiteral("panEtichette")}) {
            QTest::mouseMove(b, QPoint(4, 4));
            QTRY_COMPARE(this->hint(), hint);
            QTest::mouseMove(m_window->findChild<QWidget*>(background), QPoint(2, 2));
            QTRY_COMPARE(this->hint(), QString());
        }
    }

    void helpShowsTheLabelTopic()
    {
        QString title;
        QString text;
        inModal<QDialog>(
            m_window, [this] { click(QStringLiteral("cmdGuida")); },
            [&](QDialog* help) {
                QCOMPARE(help->objectName(), QStringLiteral("frmGuida"));
                title = help->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
                text = help->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText();
            });
        QCOMPARE(title, QStringLiteral("App Gestione Etichette"));
        QCOMPARE(title, HelpTopics::labelSheets().title);
        QVERIFY(text.startsWith(QStringLiteral("L'app Gestione Etichette permette")));
    }

    void fitsALaptopScreenAndSpeaksEveryControl()
    {
        const QSize least = m_window->minimumSizeHint().expandedTo(m_window->minimumSize());
        QVERIFY2(least.width() <= 1366 && least.height() <= 728,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        QStringList names;
        for (QWidget* w : m_window->findChildren<QWidget*>()) {
            const QString id = w->objectName();
            if (!(id.startsWith(QLatin1String("txt")) || id.startsWith(QLatin1String("cmd")) ||
                  id.startsWith(QLatin1String("imp")) || id.startsWith(QLatin1String("img"))))
                continue;
            QVERIFY2(!w->accessibleName().trimmed().isEmpty(), qPrintable(id));
            names << w->accessibleName();
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                QVERIFY2(!b->accessibleDescription().isEmpty(), qPrintable(id));
        }
        QCOMPARE(names.size(), 24 + 24 + 11 + 2);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    }

    // Typed work is asked about first (see the record window's tests); a blank sheet just closes.
    void closingABlankSheetAsksNothing()
    {
        QSignalSpy closed(m_window, &LabelSheetWindow::closed);
        click(QStringLiteral("cmdEsci"));
        QCOMPARE(closed.size(), 1);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_ctx->messages.log().isEmpty());
        QVERIFY(!QFile::exists(m_ctx->path(LabelSheetFile::kFileName)));
    }
};

QTEST_MAIN(TestLabelSheetWindow)
#include "test_label_sheet_window.moc"
