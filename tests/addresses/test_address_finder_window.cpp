#include "addresses/address_archive_window.h"
#include "addresses/address_finder_window.h"
#include "addresses/address_list_line.h"
#include "common/line_list_widget.h"
#include "support/modal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

AddressCard card(const QString& nome, const QString& tipo = QString(), const QString& note = QString(),
                 const QString& rigo01 = QString())
{
    AddressCard c;
    c.setValue(AddressCard::Nome, nome);
    c.setValue(AddressCard::Tipo, tipo);
    c.setValue(AddressCard::Note, note);
    c.setValue(AddressCard::Rigo01, rigo01);
    return c;
}

QStringList names(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out << line.left(40).trimmed();
    return out;
}

} // namespace

class TestAddressFinderWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;
    QList<QPair<int, AddressCard>> m_loaded;

    void fill(const QList<AddressCard>& cards)
    {
        AddressCardFile file(m_ctx->dir.path());
        for (const AddressCard& c : cards)
            file.append(c);
    }
    std::unique_ptr<AddressFinderWindow> open()
    {
        auto finder = std::make_unique<AddressFinderWindow>(
            m_ctx->context,
            [this](int n, const AddressCard& c) {
                m_loaded.append({n, c});
            },
            nullptr);
        finder->show();
        if (!QTest::qWaitForWindowActive(finder.get()))
            qWarning("finder not active");
        return finder;
    }
    static LineListWidget* list(QDialog* d) { return d->findChild<LineListWidget*>(QStringLiteral("lstRecords")); }
    static void search(QDialog* d, const QString& text)
    {
        auto* field = d->findChild<QLineEdit*>(QStringLiteral("txtTrova"));
        field->setText(text);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnTrova")), Qt::LeftButton);
    }
    static void doubleClick(LineListWidget* list, int row)
    {
        const QRect r = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        m_loaded.clear();
    }
    void cleanup()
    {
        delete m_printer;
        delete m_ctx;
    }

    void listsNamedCardsSorted()
    {
        fill({card(QStringLiteral("rossi")), card(QStringLiteral("   ")), card(QStringLiteral("Àlfa")),
              card(QStringLiteral("Bianchi")), card(QString()), card(QStringLiteral("ROSSI"), QStringLiteral("b")),
              card(QStringLiteral("zeta")), card(QStringLiteral("Rossi"), QStringLiteral("a"))});
        auto finder = open();
        QCOMPARE(finder->windowTitle(), QStringLiteral(" Trova schede in archivio"));
        const QStringList lines = list(finder.get())->lines();
        // a to z fold only; an accented capital sorts after every plain letter.
        QCOMPARE(names(lines), (QStringList{"Bianchi", "rossi", "Rossi", "ROSSI", "zeta", "Àlfa"}));
        QCOMPARE(lines[2], AddressList::line(card(QStringLiteral("Rossi"), QStringLiteral("a"))));
        QCOMPARE(QApplication::focusWidget(), finder->findChild<QLineEdit*>(QStringLiteral("txtTrova")));
        QCOMPARE(list(finder.get())->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(list(finder.get())->font().pointSize(), 12);
    }

    void noArchiveGivesAnEmptyListAndCreatesTheFile()
    {
        auto finder = open();
        QCOMPARE(list(finder.get())->model()->rowCount(), 0);
        QVERIFY(QFile::exists(m_ctx->path(AddressCardFile::kFileName)));
        search(finder.get(), QStringLiteral("x"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void unreadableArchiveListsNothingSilently()
    {
        QFile blocker(m_ctx->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_ctx->context.programFolder = m_ctx->path(QStringLiteral("blocker/Plicario"));
        auto finder = open();
        QCOMPARE(list(finder.get())->model()->rowCount(), 0);
        QVERIFY(m_ctx->messages.log().isEmpty());
        QVERIFY(finder->isVisible());
    }

    void searchMovesTheSelection()
    {
        fill({card(QStringLiteral("Alfa"), QStringLiteral("CLIENTE")), card(QStringLiteral("Beta")),
              card(QStringLiteral("Gamma"), QStringLiteral("cliente")), card(QStringLiteral("Èpsilon cliente"))});
        auto finder = open();
        LineListWidget* l = list(finder.get());
        struct Step
        {
            QString text;
            int selected;
        };
        // Lower case finds upper case; the same key goes on and wraps; a new key starts again from the first
        // entry; "tipo" is on every line; an accented capital is not found in lower case.
        const QList<Step> steps = {
            {"cliente", 0}, {"cliente", 2}, {"cliente", 3}, {"cliente", 0}, {"tipo", 0},
            {"tipo", 1},    {"beta", 1},    {"èpsilon", 1}, {"nessuno", 1}, {"", 1},
        };
        for (const Step& s : steps) {
            search(finder.get(), s.text);
            QCOMPARE(l->currentRow(), s.selected);
        }
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void enterInTheSearchFieldMovesToTrova()
    {
        auto finder = open();
        auto* field = finder->findChild<QLineEdit*>(QStringLiteral("txtTrova"));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), finder->findChild<QPushButton*>(QStringLiteral("btnTrova")));
        QVERIFY(finder->isVisible());
    }

    void doubleClickLoadsTheLaterOfEqualLines()
    {
        fill({card(QStringLiteral("Primo")), card(QStringLiteral("Uguale"), "T", "N", QStringLiteral("via 1")),
              card(QStringLiteral("Altro")), card(QStringLiteral("Uguale"), "T", "N", QStringLiteral("via 2"))});
        auto finder = open();
        LineListWidget* l = list(finder.get());
        QCOMPARE(names(l->lines()), (QStringList{"Altro", "Primo", "Uguale", "Uguale"}));
        doubleClick(l, 2);
        QCOMPARE(m_loaded.size(), 1);
        QCOMPARE(m_loaded[0].first, 4);
        QCOMPARE(m_loaded[0].second.value(AddressCard::Rigo01), QStringLiteral("via 2"));
        QVERIFY(!finder->isVisible());
        QCOMPARE(l->model()->rowCount(), 0);
    }

    void pickedCardReachesTheArchiveWindow()
    {
        AddressCard second = card(QStringLiteral("Verdi"), QStringLiteral("Fornitore"), QStringLiteral("nota"),
                                  QStringLiteral("Via Po 3"));
        second.setValue(AddressCard::File02, QStringLiteral("contratto.pdf"));
        fill({card(QStringLiteral("Neri")), second});
        AddressArchiveWindow window(m_ctx->context);
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("txtNote"))->setText(QStringLiteral("da scartare"));
        inModal<AddressFinderWindow>(
            &window,
            [&] { QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdTrova")), Qt::LeftButton); },
            [&](AddressFinderWindow* finder) {
                search(finder, QStringLiteral("verdi"));
                doubleClick(list(finder), list(finder)->currentRow());
            });
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("2"));
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtNome"))->text(), QStringLiteral("Verdi"));
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtRigo01"))->text(), QStringLiteral("Via Po 3"));
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtNote"))->text(), QStringLiteral("nota"));
        QCOMPARE(window.attachments().files[1], QStringLiteral("contratto.pdf"));
        // The typed note was asked about first (and given up: the recorder answers No).
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));
    }

    void printsTheListInListOrder_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<bool>("accept");
        QTest::newRow("three cards") << 3 << true;
        QTest::newRow("empty list") << 0 << true;
        QTest::newRow("dialog cancelled") << 3 << false;
    }
    void printsTheListInListOrder()
    {
        QFETCH(int, cards);
        QFETCH(bool, accept);
        QList<AddressCard> all;
        for (int i = cards; i >= 1; --i)
            all << card(QStringLiteral("Nome %1").arg(i), QStringLiteral("tipo"), QStringLiteral("[nota]"));
        fill(all);
        m_printer->acceptPrint = accept;
        auto finder = open();
        QTest::mouseClick(finder->findChild<QPushButton*>(QStringLiteral("btnStampa")), Qt::LeftButton);
        QCOMPARE(m_printer->printDialogs(), 1);
        QVERIFY(finder->isVisible());
        QVERIFY(m_ctx->messages.log().isEmpty());
        if (!accept) {
            QVERIFY(m_printer->printedFiles().isEmpty());
            return;
        }
        const PreparedPage& page = m_printer->lastPrinted()->pages.at(0);
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines,
                 QStringList{QStringLiteral("Riepilogo etichette in archivio")});
        QVERIFY(page.find(QStringLiteral("txtPagina")));
        const PreparedItem* body = page.find(QStringLiteral("txtRiepilogo"));
        QCOMPARE(body ? body->lines : QStringList(), list(finder.get())->lines());
    }

    void printFailureIsReportedAndTheFinderStays()
    {
        fill({card(QStringLiteral("Uno"))});
        m_printer->failWith = QStringLiteral("Stampante non disponibile.");
        auto finder = open();
        QTest::mouseClick(finder->findChild<QPushButton*>(QStringLiteral("btnStampa")), Qt::LeftButton);
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Messages::Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[0].text, QStringLiteral("Stampante non disponibile."));
        QVERIFY(finder->isVisible());
    }

    void longLinesScrollSideways()
    {
        fill({card(QString(40, u'N'), QString(28, u'T'), QString(250, u'x'))});
        auto finder = open();
        LineListWidget* l = list(finder.get());
        QVERIFY(QTest::qWaitForWindowExposed(finder.get()));
        QTRY_VERIFY(l->horizontalScrollBar()->maximum() > 0);
        const int charWidth = QFontMetrics(l->font()).horizontalAdvance(u'x');
        QVERIFY(l->horizontalScrollBar()->maximum() + l->viewport()->width() >= charWidth * 334);
    }
};

QTEST_MAIN(TestAddressFinderWindow)
#include "test_address_finder_window.moc"
