#include "addresses/attachments_window.h"
#include "common/errors.h"
#include "register/date_picker_window.h"
#include "register/numbering_window.h"
#include "register/annulment_window.h"
#include "register/register_journal.h"
#include "register/register_window.h"
#include "register_year_fixture.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QUrl>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using Kind = Messages::Kind;
using F = RegisterCard::Field;

namespace {

const QString kEmptyYear = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QByteArray kSuffixOn = "[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n";

// The 18 edits in the order Enter walks them.
const QStringList kEdits = {"txtNumero",       "txtDataReg",     "txtUfficio", "txtOperatore", "txtCategoria",
                            "txtCollocazione", "txtOggetto",     "txtDataSpe", "txtDataRic",   "txtFormato",
                            "txtPagine",       "txtRiferimenti", "txtNote",    "txtMittente",  "txtRecapitoMit",
                            "txtDestinatario", "txtRecapitoDes", "txtCopia"};

RegisterCard makeCard(int n)
{
    RegisterCard c;
    c.setValue(F::Numero, QString::number(n));
    c.setValue(F::Tipologia, n % 2 ? QStringLiteral("In uscita") : QStringLiteral("Interna"));
    c.setValue(F::DataReg, QStringLiteral("%1/02/2024").arg(n, 2, 10, QLatin1Char('0')));
    c.setValue(F::Ufficio, QStringLiteral("Ufficio %1").arg(n));
    c.setValue(F::Operatore, QStringLiteral("Operatore %1").arg(n));
    c.setValue(F::Categoria, QStringLiteral("Fatture"));
    c.setValue(F::Oggetto, QStringLiteral("Oggetto %1").arg(n));
    c.setValue(F::Mittente, QStringLiteral("Mittente %1").arg(n));
    c.setValue(F::Copia, QStringLiteral("copia%1.pdf").arg(n));
    c.setValue(F::File02, QStringLiteral("allegato%1.pdf").arg(n));
    c.setValue(F::Desc02, QStringLiteral("Descrizione %1").arg(n));
    return c;
}

QList<RegisterCard> cards(int count)
{
    QList<RegisterCard> list;
    for (int n = 1; n <= count; ++n)
        list.append(makeCard(n));
    return list;
}

} // namespace

class TestRegisterWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    RegisterWindow* m_window = nullptr;
    QString m_year;

    QLineEdit* edit(const QString& name) { return m_window->findChild<QLineEdit*>(name); }
    QRadioButton* radio(const QString& name) { return m_window->findChild<QRadioButton*>(name); }
    QString text(const QString& name) { return edit(name)->text(); }
    QString position() { return m_window->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(); }
    void click(const QString& name)
    {
        auto* button = m_window->findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Opens the window on a year file of the temporary folder, as the year menu does.
    void open(const QString& year = QStringLiteral("2024"))
    {
        m_window->hide();
        m_year = RegisterYear::filePath(m_ctx->dir.path(), year);
        m_window->openYear(m_year, QStringLiteral(" Plicario 3.0 - Protocollo Posta anno ") + year);
        m_window->show();
        QApplication::setActiveWindow(m_window);
    }
    // Runs `drive` inside the modal dialog that `action` opens; the dialog must have opened.
    template <class Dialog>
    void inDialog(const std::function<void()>& action, const std::function<void(Dialog*)>& drive)
    {
        bool ran = false;
        QTimer::singleShot(0, m_window, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            ran = true;
            drive(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        action();
        QVERIFY(ran);
    }
    const QList<RecordingMessages::Entry>& log() { return m_ctx->messages.log(); }
    RegisterCard stored(int n) { return RegisterFile(m_year).read(n); }
    int storedCount() { return RegisterFile(m_year).count(); }
    void fillRequired()
    {
        edit("txtNumero")->setText(QStringLiteral("5"));
        edit("txtCategoria")->setText(QStringLiteral("Fatture"));
        edit("txtOggetto")->setText(QStringLiteral("Fattura di marzo"));
        radio("optEntrata")->setChecked(true);
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_window = new RegisterWindow(m_ctx->context);
        open();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup()
    {
        delete m_window;
        delete m_ctx;
    }

    void opensBlankWithTheFieldsOfACard()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2024"));
        QVERIFY(m_window->windowState() & Qt::WindowMaximized);
        QCOMPARE(m_window->findChild<QLabel*>("panInfo")->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QCOMPARE(text("txtDataReg"), QStringLiteral("15/03/2024"));
        QCOMPARE(position(), QString());
        QVERIFY(edit("txtNumero")->hasFocus());
        QVERIFY(!m_window->findChild<QPushButton*>("btnApri")->isEnabled());
        for (const char* name : {"optEntrata", "optUscita", "optInterna"})
            QVERIFY(!radio(name)->isChecked());
        // Showing creates no file.
        QVERIFY(!QFile::exists(m_year));

        // Each edit: its maximum length is its record width; dates, number and pages centred; frames hidden.
        const QList<int> widths = {16, 10, 50, 50, 50, 120, 250, 10, 10, 50, 12, 250, 250, 120, 120, 120, 120, 250};
        const QStringList centred = {"txtNumero", "txtDataReg", "txtDataSpe", "txtDataRic", "txtPagine"};
        for (int i = 0; i < kEdits.size(); ++i) {
            QLineEdit* e = edit(kEdits[i]);
            QVERIFY2(e, qPrintable(kEdits[i]));
            QCOMPARE(e->maxLength(), widths[i]);
            QCOMPARE(bool(e->alignment() & Qt::AlignHCenter), centred.contains(kEdits[i]));
            QVERIFY(!e->accessibleName().isEmpty());
            QWidget* frame = m_window->findChild<QWidget*>(QStringLiteral("eff") + kEdits[i].mid(3));
            QVERIFY2(frame, qPrintable(kEdits[i]));
            QCOMPARE(frame->isVisible(), e->hasFocus());
        }
        QVERIFY(edit("txtDataReg")->isReadOnly());
        QVERIFY(edit("txtCopia")->isReadOnly());
        // The screen of a small laptop holds it.
        QVERIFY(m_window->minimumSizeHint().width() <= 1366);
        QVERIFY(m_window->minimumSizeHint().height() <= 728 - 30);
    }

    void enterWalksTheFields()
    {
        for (int i = 0; i + 1 < kEdits.size(); ++i) {
            if (kEdits[i] == QLatin1String("txtDataReg"))
                continue; // Enter there opens the calendar
            edit(kEdits[i])->setFocus();
            QTest::keyClick(edit(kEdits[i]), Qt::Key_Return);
            QVERIFY2(edit(kEdits[i + 1])->hasFocus(), qPrintable(kEdits[i]));
            QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("eff") + kEdits[i + 1].mid(3))->isVisible());
            QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("eff") + kEdits[i].mid(3))->isVisible());
        }
        // The copy's name field has no key of its own.
        QTest::keyClick(edit("txtCopia"), Qt::Key_Return);
        QVERIFY(edit("txtCopia")->hasFocus());
    }

    void freshYear()
    {
        click("cmdNuovo");
        QCOMPARE(text("txtNumero"), QStringLiteral("1"));
        QCOMPARE(text("txtDataReg"), QStringLiteral("15/03/2024"));
        QCOMPARE(position(), QString());
        QVERIFY(edit("txtCategoria")->hasFocus());
        QVERIFY(QFile::exists(m_year));
        QCOMPARE(QFileInfo(m_year).size(), 0);
        QVERIFY(log().isEmpty());

        edit("txtUfficio")->setText(QStringLiteral("  Segreteria "));
        edit("txtCategoria")->setText(QStringLiteral("Fatture"));
        edit("txtOggetto")->setText(QStringLiteral("Fattura n. 12"));
        edit("txtDataSpe")->setText(QStringLiteral("10/03/2024"));
        radio("optUscita")->setChecked(true);
        click("cmdSalva");
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].kind, Kind::Information);
        QCOMPARE(log()[0].text, kAppended);
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(QFileInfo(m_year).size(), RegisterCard::kSize);
        RegisterCard card = stored(1);
        QCOMPARE(card.value(F::Numero), QStringLiteral("1"));
        QCOMPARE(card.value(F::Tipologia), QStringLiteral("In uscita"));
        QCOMPARE(card.value(F::DataReg), QStringLiteral("15/03/2024"));
        QCOMPARE(card.value(F::Ufficio), QStringLiteral("Segreteria"));
        QCOMPARE(card.value(F::DataSpe), QStringLiteral("10/03/2024"));
        QCOMPARE(text("txtUfficio"), QStringLiteral("  Segreteria ")); // the screen keeps what was typed

        // A second save of the same card overwrites it.
        edit("txtOggetto")->setText(QStringLiteral("Fattura n. 13"));
        radio("optInterna")->setChecked(true);
        click("cmdSalva");
        QCOMPARE(log().size(), 2);
        QCOMPARE(log()[1].kind, Kind::Information);
        QCOMPARE(log()[1].text, kUpdated);
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(storedCount(), 1);
        card = stored(1);
        QCOMPARE(card.value(F::Oggetto), QStringLiteral("Fattura n. 13"));
        QCOMPARE(card.value(F::Tipologia), QStringLiteral("Interna"));

        // The next new card follows it.
        click("cmdNuovo");
        QCOMPARE(text("txtNumero"), QStringLiteral("2"));
        QCOMPARE(text("txtOggetto"), QString());
        QCOMPARE(text("txtUfficio"), QStringLiteral("  Segreteria "));
        QVERIFY(!radio("optInterna")->isChecked());
        QCOMPARE(position(), QString());
    }

    void newCardNumber_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("cards");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("number");
        QTest::newRow("start 100, suffix on, 3 cards") << "2024" << 3 << kSuffixOn << QDate(2024, 6, 1) << "103/2024";
        QTest::newRow("start 100, suffix off") << "2024" << 3
                                               << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\n"
                                                             "Indicazione Anno Solare=No\r\n")
                                               << QDate(2024, 6, 1) << "103";
        // The suffix is the register's year, whatever the clock says; a start number stored without its year counts
        // for the current year only.
        QTest::newRow("a 2023 register opened in 2024") << "2023" << 2 << kSuffixOn << QDate(2024, 1, 8) << "3/2023";
        QTest::newRow("no settings") << "2025" << 0 << QByteArray() << QDate(2025, 1, 2) << "1";
    }
    void newCardNumber()
    {
        QFETCH(QString, year);
        QFETCH(int, cards);
        QFETCH(QByteArray, ini);
        QFETCH(QDate, today);
        QFETCH(QString, number);
        if (!ini.isEmpty())
            QVERIFY(writeFileBytes(m_ctx->path("Tessaro.ini"), ini));
        m_ctx->clock.date = today;
        open(year);
        {
            RegisterFile file(m_year);
            for (const RegisterCard& c : ::cards(cards))
                file.append(c);
        }
        click("cmdNuovo");
        QCOMPARE(text("txtNumero"), number);
        QCOMPARE(text("txtDataReg"), today.toString("dd/MM/yyyy"));
        QVERIFY(log().isEmpty());
    }

    void saveChecksRunInOrder()
    {
        struct Step
        {
            std::function<void()> before;
            QString warning;
            QString focus;
        };
        const QList<Step> steps = {
            {[this] { edit("txtDataReg")->clear(); },
             "Attenzione: per salvare la scheda è necessario indicare il numero di protocollo del documento.",
             "txtNumero"},
            {[this] { edit("txtNumero")->setText(QStringLiteral("  ")); },
             "Attenzione: per salvare la scheda è necessario indicare il numero di protocollo del documento.",
             "txtNumero"},
            {[this] { edit("txtNumero")->setText(QStringLiteral("7")); },
             "Attenzione: per salvare la scheda è necessario indicare la data di registrazione del documento.",
             "txtDataReg"},
            {[this] { edit("txtDataReg")->setText(QStringLiteral("01/03/2024")); },
             "Attenzione: per salvare la scheda è necessario indicare la categoria del documento.", "txtCategoria"},
            {[this] { edit("txtCategoria")->setText(QStringLiteral("Fatture")); },
             "Attenzione: per salvare la scheda è necessario indicare l'oggetto del documento.", "txtOggetto"},
            {[this] { edit("txtOggetto")->setText(QStringLiteral("Fattura")); },
             "Attenzione: per salvare la scheda è necessario indicare la tipologia di posta (in entrata, in uscita "
             "o interna).",
             "optEntrata"},
        };
        for (const Step& step : steps) {
            step.before();
            edit("txtNote")->setFocus();
            m_ctx->messages.clear();
            click("cmdSalva");
            QCOMPARE(log().size(), 1);
            QCOMPARE(log()[0].kind, Kind::Warning);
            QCOMPARE(log()[0].text, step.warning);
            QCOMPARE(QApplication::focusWidget()->objectName(), step.focus);
            QVERIFY(!QFile::exists(m_year));
        }
        // The number typed by hand, without New, is saved as typed.
        radio("optInterna")->setChecked(true);
        m_ctx->messages.clear();
        click("cmdSalva");
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].text, kAppended);
        QCOMPARE(stored(1).value(F::Numero), QStringLiteral("7"));
    }

    void movesThroughTheYear()
    {
        yearWith(m_ctx->dir, cards(10));
        click("cmdUltimo");
        QCOMPARE(position(), QStringLiteral("10"));
        for (int i = 0; i < 3; ++i)
            click("cmdIndietro");
        QCOMPARE(position(), QStringLiteral("7"));
        // Load card: every field, the type, the attachments, office and operator of the card.
        QCOMPARE(text("txtNumero"), QStringLiteral("7"));
        QCOMPARE(text("txtDataReg"), QStringLiteral("07/02/2024"));
        QCOMPARE(text("txtUfficio"), QStringLiteral("Ufficio 7"));
        QCOMPARE(text("txtMittente"), QStringLiteral("Mittente 7"));
        QCOMPARE(text("txtCopia"), QStringLiteral("copia7.pdf"));
        QVERIFY(m_window->findChild<QPushButton*>("btnApri")->isEnabled());
        QVERIFY(radio("optUscita")->isChecked());
        QCOMPARE(m_window->cardOnScreen().value(F::File02), QStringLiteral("allegato7.pdf"));
        QCOMPARE(m_window->cardOnScreen().value(F::Desc02), QStringLiteral("Descrizione 7"));
        click("cmdIndietro");
        QVERIFY(radio("optInterna")->isChecked() && !radio("optUscita")->isChecked());

        // A new card has no position: Next from there shows card 1.
        click("cmdAvanti");
        QCOMPARE(position(), QStringLiteral("7"));
        click("cmdNuovo");
        QCOMPARE(text("txtNumero"), QStringLiteral("11"));
        QCOMPARE(position(), QString());
        click("cmdAvanti");
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(text("txtNumero"), QStringLiteral("1"));
        click("cmdIndietro"); // at card 1: nothing
        QCOMPARE(position(), QStringLiteral("1"));
        click("cmdUltimo");
        click("cmdAvanti"); // at the last card: nothing
        QCOMPARE(position(), QStringLiteral("10"));
        click("cmdPrimo");
        QCOMPARE(position(), QStringLiteral("1"));
        QVERIFY(log().isEmpty());

        // A saved change to a card browsed to overwrites it in place.
        edit("txtNote")->setText(QStringLiteral("Vista"));
        click("cmdSalva");
        QCOMPARE(log().last().text, kUpdated);
        QCOMPARE(storedCount(), 10);
        QCOMPARE(stored(1).value(F::Note), QStringLiteral("Vista"));
        QCOMPARE(stored(2), makeCard(2));
    }

    // A stored mail type the three buttons do not name selects none of them (never the previous card's), and the
    // card keeps it through a save until the user picks one. An empty one must be picked, as on a new card.
    void aMailTypeTheButtonsDoNotNameIsKept()
    {
        QList<RegisterCard> year = cards(3);
        year[1].setValue(F::Tipologia, QStringLiteral("Raccomandata"));
        year[2].setValue(F::Tipologia, QString());
        yearWith(m_ctx->dir, year);
        const auto noneChecked = [this] {
            return !radio("optEntrata")->isChecked() && !radio("optUscita")->isChecked() &&
                   !radio("optInterna")->isChecked();
        };
        click("cmdPrimo");
        QVERIFY(radio("optUscita")->isChecked());
        click("cmdAvanti");
        QCOMPARE(position(), QStringLiteral("2"));
        QVERIFY(noneChecked());
        QCOMPARE(m_window->cardOnScreen().value(F::Tipologia), QStringLiteral("Raccomandata"));
        // Nothing typed, so nothing to ask about on the way out and back.
        click("cmdAvanti");
        QVERIFY(noneChecked());
        click("cmdIndietro");
        QVERIFY(log().isEmpty());

        edit("txtNote")->setText(QStringLiteral("Vista"));
        click("cmdSalva");
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].text, kUpdated);
        QCOMPARE(stored(2).value(F::Tipologia), QStringLiteral("Raccomandata"));
        QCOMPARE(stored(2).value(F::Note), QStringLiteral("Vista"));

        QTest::mouseClick(radio("optEntrata"), Qt::LeftButton);
        QVERIFY(radio("optEntrata")->isChecked());
        click("cmdSalva");
        QCOMPARE(log().last().text, kUpdated);
        QCOMPARE(stored(2).value(F::Tipologia), QStringLiteral("In entrata"));

        // The empty type of card 3 is no type to keep: a save asks for one and writes nothing.
        click("cmdAvanti");
        QVERIFY(noneChecked());
        edit("txtNote")->setText(QStringLiteral("Vista"));
        m_ctx->messages.clear();
        click("cmdSalva");
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].kind, Kind::Warning);
        QVERIFY(log()[0].text.contains(QStringLiteral("tipologia di posta")));
        QCOMPARE(stored(3), year[2]);
    }

    void movesInAnEmptyYear_data()
    {
        QTest::addColumn<QString>("button");
        for (const char* b : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"})
            QTest::newRow(b) << b;
    }
    void movesInAnEmptyYear()
    {
        QFETCH(QString, button);
        edit("txtNumero")->setText(QStringLiteral("3"));
        click(button);
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].kind, Kind::Information);
        QCOMPARE(log()[0].text, kEmptyYear);
        QCOMPARE(text("txtNumero"), QStringLiteral("3"));
        QVERIFY(QFile::exists(m_year));
    }

    void registrationDateKeys()
    {
        fillRequired();
        QLineEdit* date = edit("txtDataReg");
        date->setFocus();
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QString());
        click("cmdSalva");
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].text,
                 QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di registrazione del "
                                "documento."));
        QVERIFY(date->hasFocus());
        QVERIFY(!QFile::exists(m_year));

        // Any other key opens the calendar; "Annulla" leaves the date empty.
        inDialog<DatePickerWindow>([&] { QTest::keyClick(date, Qt::Key_A); },
                                   [](DatePickerWindow* picker) {
                                       QCOMPARE(picker->date(), QDate(2024, 3, 15));
                                       QTest::mouseClick(picker->findChild<QPushButton*>("btnAnnulla"), Qt::LeftButton);
                                   });
        QCOMPARE(date->text(), QString());
        // Enter too; "Importa" writes the picked day.
        inDialog<DatePickerWindow>([&] { QTest::keyClick(date, Qt::Key_Return); },
                                   [](DatePickerWindow* picker) {
                                       auto* calendar = picker->findChild<QCalendarWidget*>("calAppuntamenti");
                                       calendar->setSelectedDate(QDate(2024, 3, 5));
                                       QTest::mouseClick(picker->findChild<QPushButton*>("btnImportaData"),
                                                         Qt::LeftButton);
                                   });
        QCOMPARE(date->text(), QStringLiteral("05/03/2024"));
        QTest::keyClick(date, Qt::Key_Delete);
        QCOMPARE(date->text(), QString());
        // Tab still leaves the field.
        QTest::keyClick(date, Qt::Key_Tab);
        QVERIFY(!date->hasFocus());
    }

    // Enter walks on past the date and the mail type: it opens the calendar, and once the calendar has closed the
    // next Enter moves to the type; there the arrows choose, and Enter moves on to the office.
    void enterWalksPastTheDateAndTheMailType()
    {
        QLineEdit* date = edit("txtDataReg");
        QWidget* typeMark = m_window->findChild<QWidget*>(QStringLiteral("effTipologia"));
        QVERIFY(typeMark && !typeMark->isVisible());
        const auto enter = [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); };
        const auto backInTheWindow = [this] {
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window));
        };
        const auto focusName = [] { return QApplication::focusWidget()->objectName(); };

        edit("txtNumero")->setFocus();
        enter(edit("txtNumero"));
        QVERIFY(date->hasFocus());
        inDialog<DatePickerWindow>([&] { enter(date); },
                                   [](DatePickerWindow* picker) {
                                       QTest::mouseClick(picker->findChild<QPushButton*>("btnAnnulla"), Qt::LeftButton);
                                   });
        backInTheWindow();
        QCOMPARE(date->text(), QStringLiteral("15/03/2024"));
        enter(date);
        QCOMPARE(focusName(), QStringLiteral("optEntrata"));
        QVERIFY(typeMark->isVisible());
        QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("effDataReg"))->isVisible());
        QCOMPARE(m_window->cardOnScreen().value(F::Tipologia), QString()); // reaching the type chooses nothing

        // The arrows go round the three types, choosing each; the mark follows the focus inside the group.
        const QList<std::pair<Qt::Key, const char*>> arrows = {
            {Qt::Key_Right, "In uscita"}, {Qt::Key_Down, "Interna"}, {Qt::Key_Right, "In entrata"},
            {Qt::Key_Left, "Interna"},    {Qt::Key_Up, "In uscita"},
        };
        for (const auto& [key, type] : arrows) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(m_window->cardOnScreen().value(F::Tipologia), QString::fromUtf8(type));
            QVERIFY(qobject_cast<QRadioButton*>(QApplication::focusWidget())->isChecked());
            QVERIFY(typeMark->isVisible());
        }
        enter(QApplication::focusWidget());
        QCOMPARE(focusName(), QStringLiteral("txtUfficio"));
        QVERIFY(!typeMark->isVisible());
        QCOMPARE(m_window->cardOnScreen().value(F::Tipologia), QStringLiteral("In uscita"));

        // Coming back, Enter opens the calendar again; after "Importa" it moves to the chosen type.
        date->setFocus();
        inDialog<DatePickerWindow>(
            [&] { enter(date); },
            [](DatePickerWindow* picker) {
                picker->findChild<QCalendarWidget*>("calAppuntamenti")->setSelectedDate(QDate(2024, 3, 5));
                QTest::mouseClick(picker->findChild<QPushButton*>("btnImportaData"), Qt::LeftButton);
            });
        backInTheWindow();
        QCOMPARE(date->text(), QStringLiteral("05/03/2024"));
        enter(date);
        QCOMPARE(focusName(), QStringLiteral("optUscita"));

        // After the calendar, any other key still opens it, and so does Enter after the date is emptied.
        date->setFocus();
        inDialog<DatePickerWindow>([&] { QTest::keyClick(date, Qt::Key_5); }, [](DatePickerWindow*) {});
        backInTheWindow();
        QTest::keyClick(date, Qt::Key_Delete);
        QCOMPARE(date->text(), QString());
        inDialog<DatePickerWindow>([&] { enter(date); }, [](DatePickerWindow*) {});
    }

    void officeAndOperatorOutliveAClose()
    {
        QVERIFY(writeFileBytes(m_ctx->path("Tessaro.ini"),
                               "[Protocollo Documenti]\r\nUfficio=Protocollo\r\nOperatore=Rossi\r\n"));
        open();
        QCOMPARE(text("txtUfficio"), QStringLiteral("Protocollo"));
        QCOMPARE(text("txtOperatore"), QStringLiteral("Rossi"));
        // Viewing a card puts its office and operator on screen; closing keeps them for next time.
        yearWith(m_ctx->dir, cards(3));
        click("cmdUltimo");
        edit("txtOperatore")->setText(QStringLiteral("  Bianchi "));
        m_window->close();
        QVERIFY(!m_window->isVisible());
        open();
        QCOMPARE(text("txtUfficio"), QStringLiteral("Ufficio 3"));
        QCOMPARE(text("txtOperatore"), QStringLiteral("Bianchi"));
        QCOMPARE(position(), QString());
        QCOMPARE(text("txtNumero"), QString());
        // The card's operator changed on screen, so closing asked first; the recorder answered No.
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].kind, Kind::Question);
    }

    // On a blank card the office and operator are the next card's defaults: changing them is no card to ask about.
    void officeOnABlankCardIsNoTypedWork()
    {
        edit("txtUfficio")->setText(QStringLiteral("Segreteria"));
        m_window->close();
        QVERIFY(!m_window->isVisible());
        QVERIFY(log().isEmpty());
        open();
        QCOMPARE(text("txtUfficio"), QStringLiteral("Segreteria"));
        // A subject typed is.
        edit("txtOggetto")->setText(QStringLiteral("Bozza"));
        m_window->close();
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].kind, Kind::Question);
    }

    // The number New shows is taken again at Save, under the lock: another workstation (here the batch tool) that
    // registered a document in between does not make two documents share a number.
    void aNumberTakenMeanwhileGivesTheNextOne()
    {
        QVERIFY(writeFileBytes(
            m_ctx->path("Tessaro.ini"),
            "[Numerazione Protocollo]\r\nInizio=124\r\nAnno Inizio=2024\r\nIndicazione Anno Solare=S\xEC\r\n"));
        click("cmdNuovo");
        QCOMPARE(text("txtNumero"), QStringLiteral("124/2024"));
        const CliResult other = runCli(m_ctx->dir.path(), {"append", "register", "2024"},
                                       R"({"Tipologia":"In entrata","DataReg":"15/03/2024","Oggetto":"Altra"})");
        QCOMPARE(other.exitCode, 0);
        QCOMPARE(stored(1).value(F::Numero), QStringLiteral("124/2024"));
        edit("txtCategoria")->setText(QStringLiteral("Fatture"));
        edit("txtOggetto")->setText(QStringLiteral("Fattura"));
        radio("optEntrata")->setChecked(true);
        click("cmdSalva");
        QCOMPARE(storedCount(), 2);
        QCOMPARE(stored(2).value(F::Numero), QStringLiteral("125/2024"));
        QCOMPARE(text("txtNumero"), QStringLiteral("125/2024"));
        QCOMPARE(log().size(), 1);
        QCOMPARE(log()[0].kind, Kind::Information);
        QCOMPARE(log()[0].text, QStringLiteral("Il documento è stato protocollato con il numero 125/2024: il 124/2024 "
                                               "è stato assegnato nel frattempo da un'altra postazione."));
        QVERIFY(!m_window->hasUnsavedChanges());
    }

    // A number typed by hand is kept when it is free and refused when the register already holds it.
    void aNumberTypedByHandMustBeFree_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("free");
        QTest::newRow("held") << "2" << false;
        QTest::newRow("held, with the year") << "2/2024" << false;
        QTest::newRow("free") << "40" << true;
    }
    void aNumberTypedByHandMustBeFree()
    {
        QFETCH(QString, typed);
        QFETCH(bool, free);
        yearWith(m_ctx->dir, cards(3));
        fillRequired();
        edit("txtNumero")->setText(typed);
        click("cmdSalva");
        QCOMPARE(storedCount(), free ? 4 : 3);
        QCOMPARE(log().size(), 1);
        if (free) {
            QCOMPARE(stored(4).value(F::Numero), typed);
            QCOMPARE(log()[0].text, kAppended);
        } else {
            QCOMPARE(log()[0].kind, Kind::Warning);
            QCOMPARE(log()[0].text, QStringLiteral("Attenzione: il numero di protocollo %1 è già assegnato a un altro "
                                                   "documento di questo registro.")
                                        .arg(typed));
            QCOMPARE(position(), QString());
        }
    }

    // The window and the batch tool registering at the same moment, round after round: every number once, none
    // skipped.
    void windowAndBatchToolNeverShareANumber()
    {
        const QString cli = QStringLiteral(PLICARIO_CLI);
        for (int round = 0; round < 15; ++round) {
            QProcess batch;
            batch.start(cli, {"--folder", m_ctx->dir.path(), "append", "register", "2024"});
            QVERIFY(batch.waitForStarted());
            batch.write(R"({"Tipologia":"Interna","DataReg":"15/03/2024","Oggetto":"Dal lotto"})"
                        "\n");
            batch.closeWriteChannel();
            click("cmdNuovo");
            edit("txtCategoria")->setText(QStringLiteral("Fatture"));
            edit("txtOggetto")->setText(QStringLiteral("Dalla finestra"));
            radio("optUscita")->setChecked(true);
            click("cmdSalva");
            QVERIFY(batch.waitForFinished(30000));
            QCOMPARE(batch.exitCode(), 0);
        }
        QCOMPARE(storedCount(), 30);
        QSet<QString> numbers;
        for (int n = 1; n <= 30; ++n)
            numbers.insert(stored(n).value(F::Numero));
        QSet<QString> expected;
        for (int n = 1; n <= 30; ++n)
            expected.insert(QString::number(n));
        QCOMPARE(numbers, expected);
    }

    // Once stored, a document's number and registration date stay as registered; the rest may be corrected.
    void aStoredNumberAndDateAreFixed()
    {
        yearWith(m_ctx->dir, cards(2));
        click("cmdUltimo");
        QVERIFY(edit("txtNumero")->isReadOnly());
        QVERIFY(edit("txtNumero")->accessibleDescription().contains(QStringLiteral("non si possono cambiare")));
        edit("txtDataReg")->setFocus();
        QTest::keyClick(edit("txtDataReg"), Qt::Key_Backspace);
        QCOMPARE(text("txtDataReg"), QStringLiteral("02/02/2024"));
        QTest::keyClick(edit("txtDataReg"), Qt::Key_A);
        QVERIFY(!QApplication::activeModalWidget());
        edit("txtNote")->setText(QStringLiteral("corretta"));
        click("cmdSalva");
        QCOMPARE(stored(2).value(F::Note), QStringLiteral("corretta"));
        QCOMPARE(stored(2).value(F::Numero), QStringLiteral("2"));
        // A new card's number is the user's again.
        click("cmdNuovo");
        QVERIFY(!edit("txtNumero")->isReadOnly());
    }

    // A year file that cannot be opened: every action says so once and leaves the window as it was.
    void accessErrorLeavesTheWindowAsItWas()
    {
        yearWith(m_ctx->dir, cards(2));
        click("cmdUltimo");
        fillRequired();
        edit("txtNumero")->setText(QStringLiteral("99"));
        // The year's path now goes through a regular file: nothing there can be opened, not even by root.
        QVERIFY(writeFileBytes(m_ctx->path("blocco"), "x"));
        m_window->openYear(m_ctx->path("blocco/2024.prt"), m_window->windowTitle());
        for (const char* button : {"cmdSalva", "cmdNuovo", "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
            m_ctx->messages.clear();
            // New asks about the typed card first; Cancel would keep it, No goes on to fail.
            click(QLatin1String(button));
            QCOMPARE(log().size(), button == QLatin1String("cmdNuovo") ? 2 : 1);
            QCOMPARE(log().last().kind, Kind::Error);
            QCOMPARE(log().last().text, Errors::kArchiveAccess);
            QCOMPARE(position(), QStringLiteral("2"));
            QCOMPARE(text("txtNumero"), QStringLiteral("99"));
        }
    }

    // A registered card is annulled with a reason and a confirmation: the journal holds it, the year file is as it
    // was, the window marks the card and refuses to change it; the next card is not marked.
    // A message file becomes a new card to complete; its files are kept only when the card is saved, and a card
    // given up leaves nothing behind. A receipt is refused in words and the screen stays as it was.
    void aMessageBecomesACard()
    {
        const QString mail = QStringLiteral(PLICARIO_SOURCE_DIR "/tests/register/fixtures/mail/");
        const QDir kept(Attachments::folderPath(m_ctx->dir.path()));
        m_ctx->fileChooser.answers.enqueue(mail + QStringLiteral("pec_acceptance.eml"));
        click(QStringLiteral("cmdMessaggio"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QVERIFY(m_ctx->messages.log()[0].text.contains(QStringLiteral("ricevuta della posta certificata")));
        QCOMPARE(text(QStringLiteral("txtOggetto")), QString());

        m_ctx->messages.clear();
        m_ctx->fileChooser.answers.enqueue(mail + QStringLiteral("pec_delivery.eml"));
        click(QStringLiteral("cmdMessaggio"));
        QCOMPARE(text(QStringLiteral("txtMittente")), QStringLiteral("Comune di Valfiorita"));
        QCOMPARE(text(QStringLiteral("txtRecapitoMit")), QStringLiteral("protocollo@pec.valfiorita.example.it"));
        QCOMPARE(text(QStringLiteral("txtOggetto")), QStringLiteral("Determina n. 12"));
        QCOMPARE(text(QStringLiteral("txtDataRic")), QStringLiteral("16/03/2026"));
        QVERIFY(text(QStringLiteral("txtNote")).startsWith(QStringLiteral("PEC opec21.")));
        QCOMPARE(text(QStringLiteral("txtCopia")), QStringLiteral("pec_delivery.eml"));
        QVERIFY(radio(QStringLiteral("optEntrata"))->isChecked());
        QVERIFY(!kept.exists() || kept.isEmpty());

        // Given up for a new card: nothing was kept.
        m_ctx->messages.queueQuestionAnswer(Messages::Answer::No);
        click(QStringLiteral("cmdNuovo"));
        QCOMPARE(text(QStringLiteral("txtOggetto")), QString());
        QVERIFY(!kept.exists() || kept.isEmpty());

        // Taken again, completed and saved: the copy and the attachment are kept, fingerprinted in the journal.
        m_ctx->fileChooser.answers.enqueue(mail + QStringLiteral("pec_delivery.eml"));
        click(QStringLiteral("cmdMessaggio"));
        edit(QStringLiteral("txtCategoria"))->setText(QStringLiteral("Delibere"));
        m_ctx->messages.clear();
        click(QStringLiteral("cmdSalva"));
        QCOMPARE(m_window->position(), 1);
        QCOMPARE(kept.entryList(QDir::Files, QDir::Name), (QStringList{"determina.pdf", "pec_delivery.eml"}));
        QCOMPARE(readFileBytes(kept.filePath("pec_delivery.eml")), readFileBytes(mail + "pec_delivery.eml"));
        const QByteArray sha = QCryptographicHash::hash("%PDF-1.4\ndetermina\n", QCryptographicHash::Sha256).toHex();
        QVERIFY(readFileBytes(RegisterJournal::pathFor(m_year)).contains("\"sha256\":\"" + sha + "\""));

        // Dropped from the mail program onto the window, the same message starts a new card.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(mail + QStringLiteral("attachments.eml"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window, &drop);
        QTRY_COMPARE(text(QStringLiteral("txtOggetto")), QStringLiteral("Comunicazione orari uffici – Città"));
        QCOMPARE(m_window->position(), 0);
    }

    void annulment()
    {
        QByteArray bytes;
        for (const RegisterCard& c : cards(2))
            bytes += c.toBytes();
        QVERIFY(writeFileBytes(m_year, bytes));
        click("cmdAnnulla");
        QCOMPARE(log().last().kind, Kind::Warning); // a new card has nothing to annul
        click("cmdPrimo");
        m_ctx->messages.clear();
        m_ctx->messages.queueQuestionAnswer(Messages::Answer::Yes);
        inModal<AnnulmentWindow>(
            m_window, [&] { click("cmdAnnulla"); },
            [](AnnulmentWindow* dialog) {
                auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("btnAnnulla"));
                QVERIFY(!ok->isEnabled()); // the reason is required
                QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtMotivo")), "protocollata due volte");
                QVERIFY(ok->isEnabled());
                QTest::mouseClick(ok, Qt::LeftButton);
            });
        QCOMPARE(log().size(), 2);
        QCOMPARE(log()[0].kind, Kind::Question);
        QVERIFY(log()[0].text.contains(QStringLiteral("Motivo: protocollata due volte")));
        QCOMPARE(log()[1].kind, Kind::Information);
        QCOMPARE(readFileBytes(m_year), bytes);
        const QHash<int, JournalEntry> annulled = RegisterJournal::annulments(RegisterJournal::read(m_year));
        QCOMPARE(annulled.keys(), QList<int>{1});
        QCOMPARE(annulled[1].reason, QStringLiteral("protocollata due volte"));
        auto* notice = m_window->findChild<QLabel*>(QStringLiteral("lblAnnullata"));
        QVERIFY(notice->isVisible());
        QVERIFY(notice->text().contains(QStringLiteral("protocollata due volte")));
        QVERIFY(edit("txtOggetto")->isReadOnly());
        // Changed anyway (a field set from elsewhere): Save refuses and stores nothing.
        edit("txtOggetto")->setText(QStringLiteral("Cambiato"));
        m_ctx->messages.clear();
        click("cmdSalva");
        QCOMPARE(log().last().kind, Kind::Warning);
        QVERIFY(log().last().text.contains(QStringLiteral("non si può modificare")));
        QCOMPARE(readFileBytes(m_year), bytes);
        m_ctx->messages.queueQuestionAnswer(Messages::Answer::No);
        click("cmdAvanti");
        QCOMPARE(position(), QStringLiteral("2"));
        QVERIFY(!notice->isVisible());
        QVERIFY(!edit("txtOggetto")->isReadOnly());
    }

    // A year whose file and journal disagree is named once when it opens.
    void aDisagreeingJournalIsNamedOnOpening()
    {
        QVERIFY(writeFileBytes(m_year, makeCard(1).toBytes()));
        {
            RawRecordFile file(m_year, RegisterCard::recordSize());
            RegisterJournalWriter(file, {QStringLiteral("mario"), JournalAuthor::kWindow, {}})
                .registerCard(makeCard(2).toBytes());
        }
        RegisterCard changed = makeCard(2);
        changed.setValue(F::Oggetto, QStringLiteral("Cambiato a mano"));
        QVERIFY(writeFileBytes(m_year, makeCard(1).toBytes() + changed.toBytes()));
        m_ctx->messages.clear();
        open();
        QTRY_COMPARE(log().size(), 1);
        QCOMPARE(log()[0].kind, Kind::Warning);
        QVERIFY2(log()[0].text.contains(QStringLiteral("scheda 2 (protocollo 2): è stata cambiata fuori dal "
                                                       "programma (Oggetto)")),
                 qPrintable(log()[0].text));
    }

    void badStartNumberFailsAfterBlanking()
    {
        QVERIFY(writeFileBytes(m_ctx->path("Tessaro.ini"), "[Numerazione Protocollo]\r\nInizio=dieci\r\n"));
        edit("txtOggetto")->setText(QStringLiteral("Da perdere"));
        m_ctx->messages.queueQuestionAnswer(Messages::Answer::No);
        click("cmdNuovo");
        QCOMPARE(log().size(), 2);
        QCOMPARE(log()[0].kind, Kind::Question);
        QCOMPARE(log()[1].kind, Kind::Error);
        QCOMPARE(log()[1].text, Errors::kArchiveAccess);
        QCOMPARE(text("txtOggetto"), QString());
        QCOMPARE(text("txtNumero"), QString());
    }

    void digitalCopy()
    {
        const QString source = m_ctx->path(QStringLiteral("scansioni/lettera.pdf"));
        QDir().mkpath(QFileInfo(source).absolutePath());
        QVERIFY(writeFileBytes(source, "%PDF lettera"));
        auto* open = m_window->findChild<QPushButton*>("btnApri");
        m_ctx->fileChooser.answers.enqueue(source);
        click("btnSfoglia");
        QCOMPARE(m_ctx->fileChooser.titles, QStringList{QStringLiteral("Selezionare il file da allegare:")});
        QCOMPARE(text("txtCopia"), QStringLiteral("lettera.pdf"));
        QCOMPARE(readFileBytes(m_ctx->path("Documenti_Allegati/lettera.pdf")), QByteArray("%PDF lettera"));
        QVERIFY(open->isEnabled());
        click("btnApri");
        QCOMPARE(m_ctx->shell.opened.size(), 1);
        QCOMPARE(m_ctx->shell.opened[0],
                 QLatin1Char('"') + QDir(m_ctx->path("Documenti_Allegati")).filePath("lettera.pdf") + QLatin1Char('"'));
        // A cancelled file dialog changes nothing.
        click("btnSfoglia");
        QCOMPARE(text("txtCopia"), QStringLiteral("lettera.pdf"));
        // The cross empties the name; the copy stays in the folder.
        click("imgCancella01");
        QCOMPARE(text("txtCopia"), QString());
        QVERIFY(!open->isEnabled());
        QVERIFY(QFile::exists(m_ctx->path("Documenti_Allegati/lettera.pdf")));
        edit("txtCopia")->setText(QStringLiteral("   "));
        QVERIFY(!open->isEnabled());
    }

    void furtherAttachmentsReachTheCard()
    {
        yearWith(m_ctx->dir, cards(1));
        click("cmdPrimo");
        inDialog<AttachmentsWindow>(
            [this] { click("cmdFile"); },
            [](AttachmentsWindow* dialog) {
                QCOMPARE(dialog->mode(), AttachmentsWindow::Mode::Register);
                auto edit = [&](const char* n) { return dialog->findChild<QLineEdit*>(n); };
                QCOMPARE(edit("txtFile02")->text(), QStringLiteral("allegato1.pdf"));
                QTest::mouseClick(dialog->findChild<QAbstractButton*>("imgCancella02"), Qt::LeftButton);
                edit("txtDesc03")->setText(QString(300, QLatin1Char('d')));
                QTest::mouseClick(dialog->findChild<QPushButton*>("btnApplica"), Qt::LeftButton);
            });
        QCOMPARE(m_window->cardOnScreen().value(F::File02), QString());
        click("cmdSalva");
        const RegisterCard card = stored(1);
        QCOMPARE(card.value(F::File02), QString());
        QCOMPARE(card.value(F::Desc02), QStringLiteral("Descrizione 1"));
        QCOMPARE(card.value(F::Desc03), QString(250, QLatin1Char('d')));

        // "Annulla" keeps the holders.
        inDialog<AttachmentsWindow>([this] { click("cmdFile"); },
                                    [](AttachmentsWindow* dialog) {
                                        dialog->findChild<QLineEdit*>("txtDesc01")->setText("Nuova");
                                        QTest::mouseClick(dialog->findChild<QPushButton*>("btnAnnulla"),
                                                          Qt::LeftButton);
                                    });
        QCOMPARE(m_window->cardOnScreen().value(F::Desc01), QString());
    }

    void numberingWindow()
    {
        QVERIFY(writeFileBytes(m_ctx->path("Tessaro.ini"), kSuffixOn + "[Altro]\r\nChiave=1\r\n"));
        const QByteArray before = readFileBytes(m_ctx->path("Tessaro.ini"));
        inDialog<NumberingWindow>([this] { click("cmdNumerazione"); },
                                  [](NumberingWindow* dialog) {
                                      auto* start = dialog->findChild<QLineEdit*>("txtInizio");
                                      QCOMPARE(start->text(), QStringLiteral("100"));
                                      QVERIFY(dialog->findChild<QLabel*>("lblAnno")->text().contains(u"2024"));
                                      QVERIFY(dialog->findChild<QCheckBox*>("chkTipo")->isChecked());
                                      start->setText(QStringLiteral("200"));
                                      QTest::mouseClick(dialog->findChild<QPushButton*>("btnAnnulla"), Qt::LeftButton);
                                  });
        QCOMPARE(readFileBytes(m_ctx->path("Tessaro.ini")), before);

        inDialog<NumberingWindow>([this] { click("cmdNumerazione"); },
                                  [](NumberingWindow* dialog) {
                                      auto* start = dialog->findChild<QLineEdit*>("txtInizio");
                                      start->setText(QStringLiteral("007"));
                                      dialog->findChild<QCheckBox*>("chkTipo")->setChecked(false);
                                      QTest::mouseClick(dialog->findChild<QPushButton*>("btnApplica"), Qt::LeftButton);
                                  });
        const RegisterNumbering n = RegisterSettings(m_ctx->dir.path()).readNumbering();
        QCOMPARE(n.start, QStringLiteral("7"));
        QVERIFY(!n.yearSuffix);
        QVERIFY(readFileBytes(m_ctx->path("Tessaro.ini")).contains("Indicazione Anno Solare=No"));
        QVERIFY(readFileBytes(m_ctx->path("Tessaro.ini")).contains("Anno Inizio=2024"));
        QVERIFY(readFileBytes(m_ctx->path("Tessaro.ini")).contains("[Altro]\r\nChiave=1"));
        // The very next new card uses it.
        click("cmdNuovo");
        QCOMPARE(text("txtNumero"), QStringLiteral("7"));
    }

    void hints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        const char* rows[][2] = {
            {"cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
            {"cmdSalva", "Salva la scheda corrente in archivio."},
            {"cmdTrova", "Trova una scheda in archivio."},
            {"cmdRiepilogo", "Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo."},
            {"cmdFile", "Allega file alla scheda corrente."},
            {"cmdStampa", "Stampa la scheda corrente."},
            {"cmdPrimo", "Visualizza la prima scheda in archivio."},
            {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
            {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
            {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
            {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
            {"cmdNumerazione", "Imposta il numero iniziale per la numerazione del protocollo."},
            {"cmdGuida", "Visualizza la guida in linea."},
            {"cmdEsci", "Esci da questa schermata di lavoro."},
            {"btnSfoglia", "Seleziona il file da allegare alla scheda corrente."},
            {"btnApri", "Apri il file allegato alla scheda corrente."},
            {"imgCancella01", "Cancella il percorso del file allegato alla scheda corrente."},
            {"txtDataReg",
             "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << r[0] << QString::fromUtf8(r[1]);
    }
    void hints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        auto* w = m_window->findChild<QWidget*>(control);
        QVERIFY(w);
        QCOMPARE(w->accessibleDescription(), hint);
        // The pointer over it writes the hint into the hint line; over the background the line empties.
        auto* line = m_window->findChild<QLabel*>("panInfo");
        // The offscreen screen is narrower than the window's least width, so neighbours may overlap: the pointer goes
        // where the control itself is under it.
        QPoint at(-1, w->height() / 2);
        for (int x = w->width() / 2; x < w->width() && at.x() < 0; ++x)
            if (m_window->childAt(w->mapTo(m_window, QPoint(x, at.y()))) == w)
                at.setX(x);
        QVERIFY(at.x() >= 0);
        QTest::mouseMove(w, at);
        QTRY_COMPARE(line->text(), hint);
        QTest::mouseMove(m_window->findChild<QWidget*>("panScheda"), QPoint(2, 2));
        QTRY_COMPARE(line->text(), QString());
    }

    // The search, summary, card print and export windows open over the register, made for one use.
    void reportWindowsOpen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("cmdTrova") << "cmdTrova"
                                  << "frmTrovaProtocollo";
        QTest::newRow("cmdRiepilogo") << "cmdRiepilogo"
                                      << "frmRiepProtocollo";
        QTest::newRow("cmdStampa") << "cmdStampa"
                                   << "frmStampaProtocollo";
        QTest::newRow("cmdEsporta") << "cmdEsporta"
                                    << "frmExpProtocollo";
    }
    void reportWindowsOpen()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QString seen;
        QWidget* owner = nullptr;
        inDialog<QDialog>([&] { click(button); },
                          [&](QDialog* dialog) {
                              seen = dialog->objectName();
                              owner = dialog->parentWidget();
                          });
        QCOMPARE(seen, window);
        QCOMPARE(owner, static_cast<QWidget*>(m_window));
        QVERIFY(!m_window->findChild<QDialog*>());
        QVERIFY(log().isEmpty());
    }

    // A card chosen in the search comes onto the register window with its position.
    void searchBringsTheCardBack()
    {
        yearWith(m_ctx->dir, cards(3));
        inDialog<QDialog>([&] { click("cmdTrova"); },
                          [&](QDialog* search) {
                              QTest::mouseClick(search->findChild<QPushButton*>("btnCerca"), Qt::LeftButton);
                              auto* list = search->findChild<QAbstractItemView*>("lstRecords");
                              QVERIFY(list);
                              const QModelIndex second = list->model()->index(1, 0);
                              const QPoint at = list->visualRect(second).center();
                              QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                              QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                          });
        QCOMPARE(position(), QStringLiteral("2"));
        QCOMPARE(text("txtOggetto"), QStringLiteral("Oggetto 2"));
        QVERIFY(radio("optInterna")->isChecked());
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "test_register_window.moc"
