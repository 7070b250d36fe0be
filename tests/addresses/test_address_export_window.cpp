#include "addresses/address_archive_window.h"
#include "addresses/address_card.h"
#include "addresses/address_export_rows.h"
#include "addresses/address_export_window.h"
#include "help/help_topics.h"
#include "printing/spreadsheet_document.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using Kind = Messages::Kind;

namespace {

const QString kExportNow =
    QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede "
                   "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kOpenNow =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kCannotExport = QStringLiteral("Attenzione: il sistema non permette di esportare i "
                                             "dati.\n\r\n\rAccertarsi che il file di Excel non sia già aperto.");

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestAddressExportWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;

    QString exportPath() const { return m_ctx->path(QStringLiteral("Archivio_Indirizzi.xls")); }
    void fill(const QList<QStringList>& cards)
    {
        AddressCardFile file(m_ctx->dir.path());
        for (const QStringList& values : cards) {
            AddressCard card;
            for (int i = 0; i < values.size(); ++i)
                card.setValue(i, values[i]);
            file.append(card);
        }
    }
    std::unique_ptr<AddressExportWindow> open()
    {
        auto window = std::make_unique<AddressExportWindow>(m_ctx->context, nullptr);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("export window not exposed");
        return window;
    }
    static QTableView* grid(QWidget* w) { return w->findChild<QTableView*>(QStringLiteral("grdRecords")); }
    static QString cell(QTableView* g, int row, int column) { return g->model()->index(row, column).data().toString(); }
    static void click(QWidget* w, const QString& name)
    {
        auto* b = w->findChild<QToolButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }

private Q_SLOTS:
    void init() { m_ctx = new TestContext; }
    void cleanup() { delete m_ctx; }

    void emptyArchiveShowsAndExportsTenEmptyRows()
    {
        auto window = open();
        QCOMPARE(window->windowTitle(), QStringLiteral(" Esportazione archivio indirizzi in Excel"));
        QTableView* g = grid(window.get());
        QCOMPARE(g->model()->rowCount(), 10);
        QCOMPARE(g->model()->columnCount(), 10);
        const QStringList headers = {"N.",
                                     "Nome etichetta",
                                     "Tipo",
                                     "Indirizzo (rigo 1)",
                                     "Indirizzo (rigo 2)",
                                     "Indirizzo (rigo 3)",
                                     "Indirizzo (rigo 4)",
                                     "Indirizzo (rigo 5)",
                                     "Indirizzo (rigo 6)",
                                     "Note"};
        const QList<int> widths = {60, 250, 200, 280, 280, 280, 280, 280, 280, 350};
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(g->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
            QCOMPARE(g->columnWidth(c), widths[c]);
            // Every column is read-only, the two address lines the old layout left editable included.
            QVERIFY(!(g->model()->index(0, c).flags() & Qt::ItemIsEditable));
        }
        QCOMPARE(g->rowHeight(0), 21);
        QVERIFY(g->alternatingRowColors());
        QVERIFY(QFile::exists(m_ctx->path(AddressCardFile::kFileName)));

        m_ctx->messages.queueAnswer(true);
        m_ctx->messages.queueAnswer(false);
        click(window.get(), QStringLiteral("cmdEsporta"));
        const QByteArray file = readFile(exportPath());
        QCOMPARE(file.count("<tr>"), 11);
        QCOMPARE(file.count("<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\"></td>"), 90);
        QVERIFY(!file.contains('\r') && !file.contains('\n'));
        QVERIFY(file.contains("<x:Name>Archivio Indirizzi</x:Name>"));
        QVERIFY(file.contains("width=300>Nome etichetta</td>"));
        QVERIFY(!file.contains(">N.<"));
    }

    void gridAndFileHoldTheCards()
    {
        const QStringList first = {"  Caffè & Co  ", "<b>x</b>",  "Via Po 1",    "", "10121 Torino", "", "",
                                   "riga 6",         "prezzo 5€", "allegato.pdf"};
        fill({first, QStringList{}, QStringList{"Ultima", "tipo"}});
        auto window = open();
        QTableView* g = grid(window.get());
        QCOMPARE(g->model()->rowCount(), 3);
        QCOMPARE(cell(g, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(g, 2, 0), QStringLiteral("3"));
        QCOMPARE(cell(g, 0, 1), QStringLiteral("Caffè & Co"));
        QCOMPARE(cell(g, 0, 2), QStringLiteral("<b>x</b>"));
        QCOMPARE(cell(g, 0, 8), QStringLiteral("riga 6"));
        QCOMPARE(cell(g, 0, 9), QStringLiteral("prezzo 5€"));
        QCOMPARE(cell(g, 1, 1), QString());
        QCOMPARE(cell(g, 2, 1), QStringLiteral("Ultima"));

        m_ctx->messages.queueAnswer(true);
        m_ctx->messages.queueAnswer(false);
        click(window.get(), QStringLiteral("cmdEsporta"));
        QList<QStringList> rows = {
            {"Caffè & Co", "<b>x</b>", "Via Po 1", "", "10121 Torino", "", "", "riga 6", "prezzo 5€"},
            QStringList(9, QString()),
            {"Ultima", "tipo", "", "", "", "", "", "", ""}};
        const QByteArray expected = SpreadsheetDocument::build(
            AddressExport::kSheetName, ExportGrid::exportColumns(AddressExport::gridColumns()), rows);
        QCOMPARE(readFile(exportPath()), expected);
        QVERIFY(!expected.contains("allegato.pdf"));
    }

    void questionsDecide_data()
    {
        QTest::addColumn<bool>("exportNow");
        QTest::addColumn<bool>("openNow");
        QTest::newRow("no to the first question") << false << false;
        QTest::newRow("no to the second question") << true << false;
        QTest::newRow("yes to both") << true << true;
    }
    void questionsDecide()
    {
        QFETCH(bool, exportNow);
        QFETCH(bool, openNow);
        fill({{"Uno"}});
        QFile earlier(exportPath());
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("export precedente");
        earlier.close();

        auto window = open();
        m_ctx->messages.queueAnswer(exportNow);
        m_ctx->messages.queueAnswer(openNow);
        click(window.get(), QStringLiteral("cmdEsporta"));

        QList<RecordingMessages::Entry> expected = {{Kind::Confirmation, kExportNow}};
        if (exportNow)
            expected.append({Kind::Confirmation, kOpenNow});
        QCOMPARE(m_ctx->messages.log().size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(m_ctx->messages.log()[i].kind, expected[i].kind);
            QCOMPARE(m_ctx->messages.log()[i].text, expected[i].text);
        }
        const QByteArray file = readFile(exportPath());
        QCOMPARE(file == "export precedente", !exportNow);
        QCOMPARE(m_ctx->shell.opened, openNow ? QStringList{u'"' + exportPath() + u'"'} : QStringList());
        QVERIFY(window->isVisible());
    }

    void fileThatCannotBeWrittenGivesTheOneError_data()
    {
        QTest::addColumn<bool>("lockFile");
        QTest::newRow("open in the office suite") << true;
        QTest::newRow("a folder in its place") << false;
    }
    void fileThatCannotBeWrittenGivesTheOneError()
    {
        QFETCH(bool, lockFile);
        fill({{"Uno"}});
        if (lockFile) {
            QFile earlier(exportPath());
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("export precedente");
            earlier.close();
            QFile lock(m_ctx->path(QStringLiteral(".~lock.Archivio_Indirizzi.xls#")));
            QVERIFY(lock.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(exportPath()));
        }
        auto window = open();
        click(window.get(), QStringLiteral("cmdEsporta"));
        QCOMPARE(m_ctx->messages.log().size(), 2);
        QCOMPARE(m_ctx->messages.log()[1].kind, Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[1].text, kCannotExport);
        if (lockFile)
            QCOMPARE(readFile(exportPath()), QByteArray("export precedente"));
        QVERIFY(m_ctx->shell.opened.isEmpty());
    }

    void unwritableFolderLoadsSilentlyAndRefusesTheExport()
    {
        QFile blocker(m_ctx->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_ctx->context.programFolder = m_ctx->path(QStringLiteral("blocker/Plicario"));
        auto window = open();
        QCOMPARE(grid(window.get())->model()->rowCount(), 10);
        QVERIFY(m_ctx->messages.log().isEmpty());
        click(window.get(), QStringLiteral("cmdEsporta"));
        QCOMPARE(m_ctx->messages.log().size(), 2);
        QCOMPARE(m_ctx->messages.log()[1].kind, Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[1].text, kCannotExport);
    }

    void hints()
    {
        auto window = open();
        QLabel* info = window->findChild<QLabel*>(QStringLiteral("panInfo"));
        QCOMPARE(info->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
        const QList<QPair<QString, QString>> cases = {
            {"cmdEsporta", "Esporta l'archivio in formato Microsoft Excel."},
            {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
            {"cmdEsci", "Esci da questo ambiente di lavoro."}};
        int x = 5;
        for (const auto& [name, hint] : cases) {
            auto* b = window->findChild<QToolButton*>(name);
            QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
            QApplication::sendEvent(b, &enter);
            QCOMPARE(info->text(), hint);
            QCOMPARE(b->accessibleDescription(), hint);
            // A new point each time: a move to where the pointer already is is no move.
            QTest::mouseMove(grid(window.get())->viewport(), QPoint(x += 20, 5));
            QTRY_COMPARE(info->text(), QString());
        }
    }

    void helpAndExit()
    {
        QString title;
        auto window = open();
        inModal<QDialog>(
            window.get(), [&] { click(window.get(), QStringLiteral("cmdGuida")); },
            [&](QDialog* help) {
                QCOMPARE(help->objectName(), QStringLiteral("frmGuida"));
                title = help->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
            });
        QCOMPARE(title, QStringLiteral("Esportazione archivio indirizzi in Excel"));
        QCOMPARE(title, HelpTopics::addressExport().title);
        click(window.get(), QStringLiteral("cmdEsci"));
        QVERIFY(!window->isVisible());
    }

    void archiveWindowOpensIt()
    {
        fill({{"Uno"}, {"Due"}});
        AddressArchiveWindow archive(m_ctx->context);
        archive.show();
        int rows = -1;
        inModal<AddressExportWindow>(
            &archive, [&] { click(&archive, QStringLiteral("cmdEsporta")); },
            [&](AddressExportWindow* window) { rows = grid(window)->model()->rowCount(); });
        QCOMPARE(rows, 2);
    }
};

QTEST_MAIN(TestAddressExportWindow)
#include "test_address_export_window.moc"
