#include "common/line_list_widget.h"
#include "register/register_search.h"
#include "register/register_search_window.h"
#include "register/register_year_fixture.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using Kind = Messages::Kind;

namespace {

const QStringList kRing = {"txtNumero",  "txtTipologia", "txtDataReg",      "txtOperatore",   "txtCategoria",
                           "txtOggetto", "txtMittente",  "txtDestinatario", "txtRiferimenti", "txtNote"};

} // namespace

class TestRegisterSearchWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;
    QString m_year;

    std::unique_ptr<RegisterSearchWindow> open()
    {
        auto dialog = std::make_unique<RegisterSearchWindow>(m_ctx->context, m_year, nullptr);
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("search window not active");
        return dialog;
    }
    template <typename T> static T* child(QWidget* w, const QString& name)
    {
        T* found = w->findChild<T*>(name);
        if (!found)
            qFatal("no %s", qPrintable(name));
        return found;
    }
    static LineListWidget* list(QWidget* w) { return child<LineListWidget>(w, QStringLiteral("lstRecords")); }
    static void click(QWidget* w, const QString& button)
    {
        QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
    }
    // The protocol numbers of the listed lines, in list order.
    static QStringList numbers(QWidget* w)
    {
        QStringList out;
        for (const QString& line : list(w)->lines())
            out << line.mid(9, 14).trimmed();
        return out;
    }
    static void doubleClick(LineListWidget* l, int row)
    {
        const QRect r = l->visualRect(l->model()->index(row, 0));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, r.center());
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        m_year = RegisterYear::filePath(m_ctx->dir.path(), QStringLiteral("2024"));
    }
    void cleanup()
    {
        delete m_printer;
        delete m_ctx;
    }

    void noFilterListsEveryCardSortedByLineText()
    {
        QList<RegisterCard> cards;
        for (int n = 1; n <= 12; ++n)
            cards << cardWith(
                {"Numero=" + QString::number(n), "DataReg=01/03/2024", "Oggetto=Oggetto " + QString::number(n)});
        yearWith(m_ctx->dir, cards);
        auto dialog = open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Trova documenti protocollati"));
        QVERIFY(child<QWidget>(dialog.get(), QStringLiteral("panAvvio"))->isVisible());
        QVERIFY(!child<QWidget>(dialog.get(), QStringLiteral("panContainer"))->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog.get(), QStringLiteral("txtNumero")));

        click(dialog.get(), QStringLiteral("btnCerca"));
        QCOMPARE(numbers(dialog.get()), (QStringList{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QCOMPARE(list(dialog.get())->lines().first(), RegisterSearch::resultLine(cards[0]));
        QCOMPARE(child<QLabel>(dialog.get(), QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 12 schede."));
        QVERIFY(!child<QWidget>(dialog.get(), QStringLiteral("panAvvio"))->isVisible());
        QVERIFY(child<QWidget>(dialog.get(), QStringLiteral("panContainer"))->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog.get(), QStringLiteral("txtTrova")));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void filters_data()
    {
        QTest::addColumn<QStringList>("typed"); // "edit=text"
        QTest::addColumn<QStringList>("found"); // numbers, in list order
        QTest::newRow("sender and subject together")
            << QStringList{"txtMittente=rossi", "txtOggetto=fattura"} << QStringList{"1", "4"};
        QTest::newRow("a blank filter is ignored")
            << QStringList{"txtMittente=rossi", "txtNote=   ", "txtCategoria=  "} << QStringList{"1", "2", "4"};
        QTest::newRow("registered in March") << QStringList{"txtDataReg=03/2024"} << QStringList{"1", "3"};
        QTest::newRow("incoming mail") << QStringList{"txtTipologia=entrata"} << QStringList{"2", "3"};
        QTest::newRow("an accented capital does not find its small letter")
            << QStringList{"txtOggetto=È"} << QStringList{"5"};
        QTest::newRow("a small accented letter finds only itself") << QStringList{"txtOggetto=è"} << QStringList{"3"};
        QTest::newRow("every set filter must occur")
            << QStringList{"txtMittente=ROSSI", "txtDestinatario=nessuno"} << QStringList{};
    }
    void filters()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, found);
        yearWith(m_ctx->dir, {cardWith({"Numero=1", "DataReg=05/03/2024", "Tipologia=In uscita", "Mittente=Mario Rossi",
                                        "Oggetto=Fattura n. 12", "Destinatario=Comune"}),
                              cardWith({"Numero=2", "DataReg=05/04/2024", "Tipologia=In entrata", "Mittente=ROSSI Srl",
                                        "Oggetto=Preventivo", "Note=urgente"}),
                              cardWith({"Numero=3", "DataReg=31/03/2024", "Tipologia=In entrata", "Mittente=Bianchi",
                                        "Oggetto=Ciò che è dovuto, fattura"}),
                              cardWith({"Numero=4", "DataReg=03/02/2024", "Tipologia=Interna", "Mittente=rossi e figli",
                                        "Oggetto=FATTURA saldo"}),
                              cardWith({"Numero=5", "DataReg=12/12/2023", "Tipologia=Interna", "Oggetto=È arrivato"})});
        auto dialog = open();
        for (const QString& t : typed) {
            const qsizetype eq = t.indexOf(u'=');
            child<QLineEdit>(dialog.get(), t.left(eq))->setText(t.mid(eq + 1));
        }
        click(dialog.get(), QStringLiteral("btnCerca"));
        QCOMPARE(numbers(dialog.get()), found);
        QCOMPARE(child<QLabel>(dialog.get(), QStringLiteral("lblTrovate"))->text(),
                 RegisterSearch::countText(found.size()));
    }

    void enterRingAndFocusFrames()
    {
        auto dialog = open();
        for (int i = 0; i < kRing.size(); ++i) {
            auto* field = child<QLineEdit>(dialog.get(), kRing[i]);
            QCOMPARE(QApplication::focusWidget(), field);
            QVERIFY(child<QWidget>(dialog.get(), "eff" + kRing[i].mid(3))->isVisible());
            QVERIFY(field->font().bold());
            QVERIFY(!field->accessibleName().isEmpty());
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(!child<QWidget>(dialog.get(), "eff" + kRing[i].mid(3))->isVisible());
        }
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog.get(), QStringLiteral("txtNumero")));
        QVERIFY(child<QWidget>(dialog.get(), QStringLiteral("panAvvio"))->isVisible());
    }

    void waitTextShowsFromTheMousePress()
    {
        yearWith(m_ctx->dir, {cardWith({"Numero=1"})});
        auto dialog = open();
        auto* wait = child<QLabel>(dialog.get(), QStringLiteral("lblAttendere"));
        auto* cerca = child<QPushButton>(dialog.get(), QStringLiteral("btnCerca"));
        QCOMPARE(wait->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
        QVERIFY(!wait->isVisible());
        QTest::mousePress(cerca, Qt::LeftButton);
        QVERIFY(wait->isVisible());
        QVERIFY(child<QWidget>(dialog.get(), QStringLiteral("panAvvio"))->isVisible());
        QTest::mouseRelease(cerca, Qt::LeftButton);
        QCOMPARE(list(dialog.get())->model()->rowCount(), 1);
        dialog->reject();
        QVERIFY(!wait->isVisible());
        QCOMPARE(list(dialog.get())->model()->rowCount(), 0);
    }

    void keysReachEveryAction()
    {
        yearWith(m_ctx->dir, {cardWith({"Numero=1", "Oggetto=fattura"}), cardWith({"Numero=2"})});
        auto dialog = open();
        QTest::keyClick(dialog.get(), Qt::Key_F, Qt::ControlModifier);
        QTRY_COMPARE(list(dialog.get())->model()->rowCount(), 2); // a shortcut clicks after a short press
        child<QLineEdit>(dialog.get(), QStringLiteral("txtTrova"))->setText(QStringLiteral("fattura"));
        QTest::keyClick(dialog.get(), Qt::Key_F, Qt::ControlModifier);
        QTRY_COMPARE(list(dialog.get())->currentRow(), 0);
        QTest::keyClick(dialog.get(), Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(m_printer->printDialogs(), 1);
        QCOMPARE(child<QPushButton>(dialog.get(), QStringLiteral("btnStampa"))->toolTip(),
                 QStringLiteral("Stampa elenco (Ctrl+P)"));
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QTRY_VERIFY(!dialog->isVisible());
    }

    // From the list, "Nuova ricerca" (Ctrl+N) goes back to the filters as typed; Cerca then searches again.
    void searchAgainFromTheList()
    {
        yearWith(m_ctx->dir, {cardWith({"Numero=1", "Mittente=Rossi"}), cardWith({"Numero=2", "Mittente=Bianchi"}),
                              cardWith({"Numero=3", "Mittente=Rossi e figli"})});
        auto dialog = open();
        auto* sender = child<QLineEdit>(dialog.get(), QStringLiteral("txtMittente"));
        sender->setText(QStringLiteral("rossi"));
        QTest::keyClick(dialog.get(), Qt::Key_F, Qt::ControlModifier);
        QTRY_COMPARE(numbers(dialog.get()), (QStringList{"1", "3"}));
        QCOMPARE(child<QPushButton>(dialog.get(), QStringLiteral("btnNuovaRicerca"))->toolTip(),
                 QStringLiteral("Nuova ricerca (Ctrl+N)"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(child<QWidget>(dialog.get(), QStringLiteral("panAvvio"))->isVisible());
        QVERIFY(!child<QWidget>(dialog.get(), QStringLiteral("panContainer"))->isVisible());
        QVERIFY(!child<QLabel>(dialog.get(), QStringLiteral("lblAttendere"))->isVisible());
        QCOMPARE(sender->text(), QStringLiteral("rossi"));
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dialog.get(), QStringLiteral("txtNumero")));

        sender->setText(QStringLiteral("bianchi"));
        click(dialog.get(), QStringLiteral("btnCerca"));
        QCOMPARE(numbers(dialog.get()), QStringList{"2"});
        QCOMPARE(child<QLabel>(dialog.get(), QStringLiteral("lblTrovate"))->text(), RegisterSearch::countText(1));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void emptyYearListsNothingAndFindSaysSo()
    {
        auto dialog = open();
        click(dialog.get(), QStringLiteral("btnCerca"));
        QVERIFY(QFile::exists(m_year));
        QCOMPARE(list(dialog.get())->model()->rowCount(), 0);
        QCOMPARE(child<QLabel>(dialog.get(), QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 0 schede."));
        click(dialog.get(), QStringLiteral("btnTrova"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void unreadableYearGivesThePlainAccessMessage()
    {
        QFile blocker(m_ctx->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_year = m_ctx->path(QStringLiteral("blocker/2024.prt"));
        auto dialog = open();
        click(dialog.get(), QStringLiteral("btnCerca"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                                "possedere i privilegi di scrittura nella cartella di installazione del programma."));
        QVERIFY(child<QWidget>(dialog.get(), QStringLiteral("panAvvio"))->isVisible());
        QVERIFY(!child<QLabel>(dialog.get(), QStringLiteral("lblAttendere"))->isVisible());
        QVERIFY(dialog->isVisible());
    }

    void findMovesOnAndWraps()
    {
        yearWith(m_ctx->dir, {cardWith({"Numero=1", "Oggetto=fattura"}), cardWith({"Numero=2", "Oggetto=lettera"}),
                              cardWith({"Numero=3", "Oggetto=FATTURA"})});
        auto dialog = open();
        click(dialog.get(), QStringLiteral("btnCerca"));
        auto* trova = child<QLineEdit>(dialog.get(), QStringLiteral("txtTrova"));
        trova->setText(QStringLiteral("fattura"));
        QTest::keyClick(trova, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(dialog.get(), QStringLiteral("btnTrova")));
        const QList<int> expected = {0, 2, 0};
        for (int row : expected) {
            click(dialog.get(), QStringLiteral("btnTrova"));
            QCOMPARE(list(dialog.get())->currentRow(), row);
        }
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void equalLinesLoadTheLaterCard_data()
    {
        QTest::addColumn<bool>("byKeyboard");
        QTest::newRow("double click") << false;
        QTest::newRow("Enter") << true;
    }
    void equalLinesLoadTheLaterCard()
    {
        QFETCH(bool, byKeyboard);
        const QStringList same = {"Numero=7",         "DataReg=01/03/2024",    "Tipologia=Interna",
                                  "Mittente=Ufficio", "Destinatario=Archivio", "Oggetto=" + QString(35, u'x')};
        yearWith(m_ctx->dir, {cardWith(same + QStringList{"Note=prima"}), cardWith({"Numero=8"}),
                              cardWith(same + QStringList{"Note=seconda", "Oggetto=" + QString(35, u'x') + "yz"}),
                              cardWith({"Numero=9"})});
        auto dialog = open();
        click(dialog.get(), QStringLiteral("btnCerca"));
        LineListWidget* l = list(dialog.get());
        QCOMPARE(numbers(dialog.get()), (QStringList{"7", "7", "8", "9"}));
        QCOMPARE(l->lines()[0], l->lines()[1]);
        if (byKeyboard) {
            l->setCurrentRow(0);
            l->setFocus();
            QTest::keyClick(l, Qt::Key_Return);
        } else {
            doubleClick(l, 0);
        }
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->chosenPosition(), 3);
        QCOMPARE(dialog->chosenCard().value(RegisterCard::Note), QStringLiteral("seconda"));
        QCOMPARE(l->model()->rowCount(), 0);
    }

    void loadFailureClosesSilently()
    {
        yearWith(m_ctx->dir, {cardWith({"Numero=1"})});
        auto dialog = open();
        click(dialog.get(), QStringLiteral("btnCerca"));
        // The card changed after the search: its line is no longer in the file.
        QFile::remove(m_year);
        yearWith(m_ctx->dir, {cardWith({"Numero=2"})});
        doubleClick(list(dialog.get()), 0);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!dialog->isVisible());
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void printsTheListInListOrder()
    {
        yearWith(m_ctx->dir, {cardWith({"Numero=2"}), cardWith({"Numero=10"}), cardWith({"Numero=1"})});
        auto dialog = open();
        click(dialog.get(), QStringLiteral("btnCerca"));
        click(dialog.get(), QStringLiteral("btnStampa"));
        QCOMPARE(m_printer->printDialogs(), 1);
        const PreparedPage& page = m_printer->lastPrinted()->pages.at(0);
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines,
                 QStringList{QStringLiteral("Riepilogo documenti protocollati")});
        QCOMPARE(page.find(QStringLiteral("txtRiepilogo"))->lines, list(dialog.get())->lines());
        QCOMPARE(numbers(dialog.get()), (QStringList{"1", "10", "2"}));
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(TestRegisterSearchWindow)
#include "test_register_search_window.moc"
