#include "printing/export_grid_widget.h"
#include "printing/spreadsheet_document.h"
#include "register/register_export_rows.h"
#include "register/register_summary_window.h"
#include "register/register_year_fixture.h"
#include "support/test_support.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using Kind = Messages::Kind;

namespace {

RegisterCard card(const QString& numero, const QString& dataReg, const QString& oggetto = QString())
{
    RegisterCard c;
    c.setValue(RegisterCard::Numero, numero);
    c.setValue(RegisterCard::DataReg, dataReg);
    c.setValue(RegisterCard::Oggetto, oggetto);
    c.setValue(RegisterCard::RecapitoDes, QStringLiteral(" via Roma 1 "));
    c.setValue(RegisterCard::Copia, QStringLiteral("copia.pdf"));
    return c;
}

} // namespace

class TestRegisterSummaryWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    QString m_year;

    std::unique_ptr<RegisterSummaryWindow> open()
    {
        auto dialog = std::make_unique<RegisterSummaryWindow>(m_ctx->context, m_year, nullptr);
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("summary window not active");
        return dialog;
    }
    static QLineEdit* field(QWidget* w, const QString& name) { return w->findChild<QLineEdit*>(name); }
    static ExportGridWidget* grid(QWidget* w) { return w->findChild<ExportGridWidget*>(QStringLiteral("grdRecords")); }
    static void click(QWidget* w, const QString& name)
    {
        auto* b = w->findChild<QToolButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void summarise(QWidget* w, const QString& start, const QString& end)
    {
        field(w, QStringLiteral("txtDataInizio"))->setText(start);
        field(w, QStringLiteral("txtDataFine"))->setText(end);
        click(w, QStringLiteral("cmdTrova"));
    }
    // Column `c` of every row.
    static QStringList column(QWidget* w, int c)
    {
        QStringList out;
        for (const QStringList& row : grid(w)->rows())
            out << row.value(c);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_year = RegisterYear::filePath(m_ctx->dir.path(), QStringLiteral("2024"));
    }
    void cleanup() { delete m_ctx; }

    void showsStartEmptyEndTodayAndTenEmptyRows()
    {
        auto dialog = open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Riepilogo protocollo per intervallo di tempo"));
        QCOMPARE(field(dialog.get(), QStringLiteral("txtDataInizio"))->text(), QString());
        QCOMPARE(field(dialog.get(), QStringLiteral("txtDataFine"))->text(), QStringLiteral("15/03/2024"));
        QCOMPARE(QApplication::focusWidget(), field(dialog.get(), QStringLiteral("txtDataInizio")));
        for (const QString& name : {QStringLiteral("txtDataInizio"), QStringLiteral("txtDataFine")}) {
            QCOMPARE(field(dialog.get(), name)->maxLength(), 10);
            QVERIFY(field(dialog.get(), name)->font().bold());
            QCOMPARE(field(dialog.get(), name)->alignment(), Qt::AlignCenter);
        }
        ExportGridWidget* g = grid(dialog.get());
        QCOMPARE(g->model()->rowCount(), 10);
        QCOMPARE(g->model()->columnCount(), 20);
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Riepilogo documenti protocollati in un intervallo di tempo."));
        QVERIFY(dialog->width() <= 1366 && dialog->height() <= 728);
    }

    void checks_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString validDate =
            QStringLiteral("\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.");
        QTest::newRow("both empty: the start first")
            << "  "
            << "" << Kind::Warning
            << "Attenzione: per visualizzare il riepilogo è necessario indicare la data di inizio intervallo."
            << "txtDataInizio";
        QTest::newRow("end empty")
            << "01/03/2024"
            << " " << Kind::Warning
            << "Attenzione: per visualizzare il riepilogo è necessario indicare la data di fine intervallo."
            << "txtDataFine";
        QTest::newRow("start does not exist")
            << "31/02/2024"
            << "15/03/2024" << Kind::Plain
            << "Attenzione: la data 31/02/2024 di inizio intervallo non esiste." + validDate << "txtDataInizio";
        QTest::newRow("end is not a date")
            << "01/03/2024"
            << "1.3.2024" << Kind::Plain << "Attenzione: la data 1.3.2024 di fine intervallo non esiste." + validDate
            << "txtDataFine";
        QTest::newRow("start after end")
            << "10/03/2024"
            << "01/03/2024" << Kind::Plain
            << "Attenzione: la data di fine intervallo (01/03/2024) non può essere anteriore a quella di inizio "
               "intervallo (10/03/2024).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
               "intervallo di tempo valido."
            << "txtDataFine"; // where it was: the end field was the last one used
    }
    void checks()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        yearWith(m_ctx->dir, {card("1", "05/03/2024")});
        auto dialog = open();
        field(dialog.get(), QStringLiteral("txtDataInizio"))->setText(start);
        field(dialog.get(), QStringLiteral("txtDataFine"))->setText(end);
        field(dialog.get(), QStringLiteral("txtDataFine"))->setFocus();
        QTest::keyClick(field(dialog.get(), QStringLiteral("txtDataFine")), Qt::Key_Return);
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, kind);
        QCOMPARE(m_ctx->messages.log()[0].text, message);
        QCOMPARE(QApplication::focusWidget(), field(dialog.get(), focus));
        QCOMPARE(grid(dialog.get())->rows(), ExportGrid::emptyRows(20));
    }

    void intervalIncludesBothEndsInFileOrder()
    {
        yearWith(m_ctx->dir,
                 {card("1", "29/02/2024"), card("2", "31/03/2024", "ultimo giorno"), card("3", "15/03/2024"),
                  card("4", "01/04/2024"), card("5", "1/3/2024", "primo giorno"), card("6", "01/03/2024")});
        auto dialog = open();
        summarise(dialog.get(), QStringLiteral("01/03/2024"), QStringLiteral("31/03/2024"));
        QVERIFY(m_ctx->messages.log().isEmpty());
        QCOMPARE(column(dialog.get(), 0), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(column(dialog.get(), 1), (QStringList{"2", "3", "5", "6"}));
        const QStringList first = grid(dialog.get())->rows().at(0);
        QCOMPARE(first.size(), 20);
        QCOMPARE(first.at(8), QStringLiteral("ultimo giorno"));
        QCOMPARE(first.at(18), QStringLiteral("via Roma 1"));
        QCOMPARE(grid(dialog.get())->model()->index(2, 8).data().toString(), QStringLiteral("primo giorno"));
    }

    // A card whose registration date is not a date belongs to no interval; the summary names it instead.
    void cardsWithoutADateAreNamed()
    {
        yearWith(m_ctx->dir,
                 {card("1", "05/03/2024"), card("17/2024", "29/02/2023"), card("3", ""), card("4", "06/03/2024")});
        auto dialog = open();
        summarise(dialog.get(), QStringLiteral("01/03/2024"), QStringLiteral("31/03/2024"));
        QCOMPARE(column(dialog.get(), 1), (QStringList{"1", "4"}));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("2 schede con data non valida non incluse: n. 17/2024, 3"));
    }

    void emptyIntervalExportsOnlyTheHeader()
    {
        yearWith(m_ctx->dir, {card("1", "05/03/2024"), card("2", "06/03/2024")});
        auto dialog = open();
        summarise(dialog.get(), QStringLiteral("01/01/2024"), QStringLiteral("31/01/2024"));
        QCOMPARE(grid(dialog.get())->model()->rowCount(), 0);
        m_ctx->messages.queueAnswer(true);
        m_ctx->messages.queueAnswer(false);
        click(dialog.get(), QStringLiteral("cmdEsporta"));
        const QByteArray file = readFileBytes(m_ctx->path(QStringLiteral("Protocollo.xls")));
        QCOMPARE(file, SpreadsheetDocument::build(QStringLiteral("Protocollo Documenti"),
                                                  ExportGrid::exportColumns(RegisterExport::gridColumns()), {}));
        QCOMPARE(file.count("<tr>"), 1);
        QVERIFY(file.contains("<x:Name>Protocollo Documenti</x:Name>"));
    }

    void exportBeforeAnySummaryWritesTenEmptyRows()
    {
        auto dialog = open();
        m_ctx->messages.queueAnswer(true);
        m_ctx->messages.queueAnswer(false);
        click(dialog.get(), QStringLiteral("cmdEsporta"));
        const QByteArray file = readFileBytes(m_ctx->path(QStringLiteral("Protocollo.xls")));
        QCOMPARE(file, SpreadsheetDocument::build(QStringLiteral("Protocollo Documenti"),
                                                  ExportGrid::exportColumns(RegisterExport::gridColumns()),
                                                  QList<QStringList>(10, QStringList(18, QString()))));
        QCOMPARE(file.count("<tr>"), 11);
    }

    void emptyYearKeepsTheGrid()
    {
        yearWith(m_ctx->dir, {card("1", "05/03/2024")});
        auto dialog = open();
        summarise(dialog.get(), QStringLiteral("01/03/2024"), QStringLiteral("31/03/2024"));
        QCOMPARE(column(dialog.get(), 1), QStringList{"1"});
        QFile::resize(m_year, 0);
        summarise(dialog.get(), QStringLiteral("01/01/2024"), QStringLiteral("31/12/2024"));
        QCOMPARE(column(dialog.get(), 1), QStringList{"1"});
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void unreadableYearIsSilent()
    {
        QFile blocker(m_ctx->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_year = m_ctx->path(QStringLiteral("blocker/2024.prt"));
        auto dialog = open();
        summarise(dialog.get(), QStringLiteral("01/03/2024"), QStringLiteral("31/03/2024"));
        QVERIFY(m_ctx->messages.log().isEmpty());
        QCOMPARE(grid(dialog.get())->rows(), ExportGrid::emptyRows(20));
    }

    void hints()
    {
        auto dialog = open();
        auto* info = dialog->findChild<QLabel*>(QStringLiteral("panInfo"));
        const QList<QPair<QString, QString>> cases = {
            {"cmdTrova", "Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo selezionato."},
            {"txtDataInizio", "Indica una data nel formato gg/mm/aaa."},
            {"txtDataFine", "Indica una data nel formato gg/mm/aaa."},
            {"cmdEsporta", "Esporta l'archivio in formato Microsoft Excel."},
            {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
            {"cmdEsci", "Esci da questo ambiente di lavoro."}};
        int x = 5;
        for (const auto& [name, hint] : cases) {
            auto* w = dialog->findChild<QWidget*>(name);
            QVERIFY2(w, qPrintable(name));
            QTest::mouseMove(w, QPoint(4, 4));
            QTRY_COMPARE(info->text(), hint);
            QCOMPARE(w->accessibleDescription(), hint);
            QTest::mouseMove(grid(dialog.get())->viewport(), QPoint(x += 20, 5));
            QTRY_COMPARE(info->text(), QString());
        }
    }
};

QTEST_MAIN(TestRegisterSummaryWindow)
#include "test_register_summary_window.moc"
