#include "help/help_topics.h"
#include "printing/export_grid_widget.h"
#include "printing/spreadsheet_document.h"
#include "register/register_export_rows.h"
#include "register/register_export_window.h"
#include "register/register_summary_window.h"
#include "register/register_year_fixture.h"
#include "support/modal.h"
#include "support/test_support.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

class TestRegisterExportWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    QString m_year;

    template <typename Dialog> std::unique_ptr<Dialog> open()
    {
        auto dialog = std::make_unique<Dialog>(m_ctx->context, m_year, nullptr);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qWarning("window not exposed");
        return dialog;
    }
    static ExportGridWidget* grid(QWidget* w) { return w->findChild<ExportGridWidget*>(QStringLiteral("grdRecords")); }
    static void click(QWidget* w, const QString& name)
    {
        auto* b = w->findChild<QToolButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void exportFrom(QWidget* w)
    {
        m_ctx->messages.queueAnswer(true);
        m_ctx->messages.queueAnswer(false);
        click(w, QStringLiteral("cmdEsporta"));
    }
    QByteArray exported() const { return readFileBytes(m_ctx->path(QStringLiteral("Protocollo.xls"))); }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_year = RegisterYear::filePath(m_ctx->dir.path(), QStringLiteral("2024"));
    }
    void cleanup() { delete m_ctx; }

    void theWholeYearInTheGrid()
    {
        QList<RegisterCard> cards;
        for (int n = 1; n <= 3; ++n) {
            RegisterCard c;
            for (int f = 0; f < RegisterCard::fieldCount(); ++f)
                c.setValue(f,
                           QStringLiteral(" %1 %2 ").arg(QString::fromLatin1(RegisterCard::fields()[f].name)).arg(n));
            cards << c;
        }
        cards[1].setValue(RegisterCard::Oggetto, QStringLiteral("Caffè & <Co>"));
        yearWith(m_ctx->dir, cards);
        auto dialog = open<RegisterExportWindow>();
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Esportazione protocollo posta in Excel"));
        ExportGridWidget* g = grid(dialog.get());
        QCOMPARE(g->model()->rowCount(), 3);
        QCOMPARE(g->model()->columnCount(), 20);
        const QList<ExportGridColumn>& columns = RegisterExport::gridColumns();
        for (int c = 0; c < 20; ++c) {
            QCOMPARE(g->model()->headerData(c, Qt::Horizontal).toString(), columns[c].header);
            QCOMPARE(g->columnWidth(c), columns[c].width);
            QVERIFY(!(g->model()->index(0, c).flags() & Qt::ItemIsEditable));
        }
        QCOMPARE(g->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Data registrazione"));
        QCOMPARE(g->columnWidth(14), 350);
        QCOMPARE(g->rowHeight(0), 21);
        QVERIFY(g->alternatingRowColors());
        QCOMPARE(g->model()->index(1, 0).data().toString(), QStringLiteral("2"));
        QCOMPARE(g->model()->index(1, 8).data().toString(), QStringLiteral("Caffè & <Co>"));
        QCOMPARE(g->model()->index(2, 18).data().toString(), QStringLiteral("RecapitoDes 3"));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Esportazione archivio in Microsoft Excel."));
        QVERIFY(dialog->width() <= 1366 && dialog->height() <= 728);

        exportFrom(dialog.get());
        QList<QStringList> rows;
        for (const QStringList& row : g->rows())
            rows << row.mid(1);
        QCOMPARE(exported(), SpreadsheetDocument::build(QStringLiteral("Protocollo Posta"),
                                                        ExportGrid::exportColumns(columns), rows));
        QVERIFY(!exported().contains("Copia 1"));
        QVERIFY(exported().contains("width=200>N. protocollo</td>"));
    }

    void emptyYearShowsAndExportsTenEmptyRows()
    {
        auto dialog = open<RegisterExportWindow>();
        QVERIFY(QFile::exists(m_year));
        QCOMPARE(grid(dialog.get())->rows(), ExportGrid::emptyRows(20));
        exportFrom(dialog.get());
        QCOMPARE(exported(), SpreadsheetDocument::build(QStringLiteral("Protocollo Posta"),
                                                        ExportGrid::exportColumns(RegisterExport::gridColumns()),
                                                        QList<QStringList>(10, QStringList(18, QString()))));
        QCOMPARE(exported().count("<tr>"), 11);
    }

    void unreadableYearLoadsSilently()
    {
        QFile blocker(m_ctx->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_year = m_ctx->path(QStringLiteral("blocker/2024.prt"));
        auto dialog = open<RegisterExportWindow>();
        QCOMPARE(grid(dialog.get())->rows(), ExportGrid::emptyRows(20));
        QVERIFY(m_ctx->messages.log().isEmpty());
    }

    void theSecondExportReplacesTheFirst()
    {
        RegisterCard c;
        c.setValue(RegisterCard::Numero, QStringLiteral("1"));
        c.setValue(RegisterCard::DataReg, QStringLiteral("05/03/2024"));
        c.setValue(RegisterCard::Oggetto, QStringLiteral("solo nel riepilogo"));
        RegisterCard d = c;
        d.setValue(RegisterCard::Numero, QStringLiteral("2"));
        d.setValue(RegisterCard::DataReg, QStringLiteral("05/06/2024"));
        d.setValue(RegisterCard::Oggetto, QStringLiteral("fuori intervallo"));
        yearWith(m_ctx->dir, {c, d});
        {
            auto summary = open<RegisterSummaryWindow>();
            summary->findChild<QLineEdit*>(QStringLiteral("txtDataInizio"))->setText(QStringLiteral("01/03/2024"));
            summary->findChild<QLineEdit*>(QStringLiteral("txtDataFine"))->setText(QStringLiteral("31/03/2024"));
            click(summary.get(), QStringLiteral("cmdTrova"));
            exportFrom(summary.get());
            QVERIFY(exported().contains("<x:Name>Protocollo Documenti</x:Name>"));
            QVERIFY(!exported().contains("fuori intervallo"));
        }
        auto dialog = open<RegisterExportWindow>();
        exportFrom(dialog.get());
        const QByteArray file = exported();
        QVERIFY(file.contains("<x:Name>Protocollo Posta</x:Name>"));
        QVERIFY(!file.contains("Protocollo Documenti"));
        QCOMPARE(file.count("<tr>"), 3);
        QVERIFY(file.contains("fuori intervallo"));
        QVERIFY(file.endsWith("</html>"));
    }

    void helpAndExit_data()
    {
        QTest::addColumn<bool>("summary");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("export") << false << "Esportazione protocollo posta in Excel"
                                << HelpTopics::registerExport().text;
        QTest::newRow("summary") << true << "Riepilogo protocollo per intervallo di tempo"
                                 << HelpTopics::registerSummary().text;
    }
    void helpAndExit()
    {
        QFETCH(bool, summary);
        QFETCH(QString, title);
        QFETCH(QString, text);
        std::unique_ptr<QDialog> dialog;
        if (summary)
            dialog = open<RegisterSummaryWindow>();
        else
            dialog = open<RegisterExportWindow>();
        QString shownTitle;
        QString shownText;
        inModal<QDialog>(
            dialog.get(), [&] { click(dialog.get(), QStringLiteral("cmdGuida")); },
            [&](QDialog* help) {
                QCOMPARE(help->objectName(), QStringLiteral("frmGuida"));
                shownTitle = help->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
                shownText = help->findChild<QPlainTextEdit*>()->toPlainText();
            });
        QCOMPARE(shownTitle, title);
        QVERIFY(shownText.startsWith(text.left(60)));
        click(dialog.get(), QStringLiteral("cmdEsci"));
        QVERIFY(!dialog->isVisible());
    }
};

QTEST_MAIN(TestRegisterExportWindow)
#include "test_register_export_window.moc"
