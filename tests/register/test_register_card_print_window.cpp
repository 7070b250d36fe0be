#include "register/register_card_print_window.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using Kind = Messages::Kind;

class TestRegisterCardPrintWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;

    // Every field set, the values untrimmed as they may stand on screen.
    static RegisterCard onScreen()
    {
        RegisterCard c;
        for (int f = 0; f < RegisterCard::fieldCount(); ++f)
            c.setValue(f, QStringLiteral("  %1 valore  ").arg(QString::fromLatin1(RegisterCard::fields()[f].name)));
        c.setValue(RegisterCard::Tipologia, QStringLiteral("In entrata"));
        c.setValue(RegisterCard::Formato, QStringLiteral(" A4 "));
        c.setValue(RegisterCard::Pagine, QStringLiteral("3 "));
        c.setValue(RegisterCard::Oggetto, QStringLiteral("Fattura & saldo <2024> «città»"));
        return c;
    }
    std::unique_ptr<RegisterCardPrintWindow> open(const RegisterCard& card, const QString& annulment = {})
    {
        auto dialog = std::make_unique<RegisterCardPrintWindow>(m_ctx->context, card, annulment, nullptr);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qWarning("card print window not exposed");
        return dialog;
    }
    static void click(QWidget* w, const QString& name)
    {
        auto* b = w->findChild<QPushButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static QString text(const PreparedPage& page, const QString& name)
    {
        const PreparedItem* item = page.find(name);
        return item ? item->lines.join(u'\n') : QStringLiteral("<none>");
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        m_ctx->clock.time = QTime(9, 5, 7);
    }
    void cleanup()
    {
        delete m_printer;
        delete m_ctx;
    }

    void printsTheSixteenValuesAndCloses()
    {
        auto dialog = open(onScreen());
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Stampa scheda"));
        click(dialog.get(), QStringLiteral("btnStampa"));
        QCOMPARE(m_printer->printDialogs(), 1);
        QVERIFY(!dialog->isVisible());
        const PreparedReport& report = *m_printer->lastPrinted();
        QCOMPARE(report.pages.size(), size_t(1));
        const PreparedPage& page = report.pages[0];
        QCOMPARE(page.orientation, Orientation::Portrait);
        const QList<QPair<QString, QString>> values = {
            {"txtNumero", "Numero valore"},
            {"txtDataReg", "DataReg valore"},
            {"txtUfficio", "Ufficio valore"},
            {"txtOperatore", "Operatore valore"},
            {"txtCategoria", "Categoria valore"},
            {"txtCollocazione", "Collocazione valore"},
            {"txtOggetto", "Fattura & saldo <2024> «città»"},
            {"txtDataSpe", "DataSpe valore"},
            {"txtDataRic", "DataRic valore"},
            {"txtFormato", "A4  -  N. pagine: 3"},
            {"txtRiferimenti", "Riferimenti valore"},
            {"txtMittente", "Mittente valore"},
            {"txtRecapitoMit", "RecapitoMit valore"},
            {"txtDestinatario", "Destinatario valore"},
            {"txtRecapitoDes", "RecapitoDes valore"},
            {"txtNote", "Note valore"},
            {"txtCalce", "Stampa eseguita in data 15/03/2024 alle ore 09:05:07"},
            {"Memo10", "Formato:"},
        };
        for (const auto& [name, value] : values)
            QCOMPARE(text(page, name), value);
        // The mail type, the digital copy and the attachments are not printed.
        for (const PreparedItem& item : page.items)
            for (const QString& line : item.lines)
                for (const char* absent : {"In entrata", "Copia valore", "File01", "Desc03"})
                    QVERIFY2(!line.contains(QLatin1String(absent)), qPrintable(line));
    }

    void emptyFormatStillPrintsThePages()
    {
        auto dialog = open(RegisterCard());
        click(dialog.get(), QStringLiteral("btnStampa"));
        QCOMPARE(text(m_printer->lastPrinted()->pages.at(0), QStringLiteral("txtFormato")),
                 QStringLiteral("  -  N. pagine: "));
    }

    void annullaClosesWithoutPrinting()
    {
        auto dialog = open(onScreen());
        click(dialog.get(), QStringLiteral("btnAnnulla"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(m_printer->printDialogs(), 0);
    }

    void printFailureIsReportedAndTheWindowStays()
    {
        m_printer->failWith = QStringLiteral("Nessuna stampante disponibile.");
        auto dialog = open(onScreen());
        click(dialog.get(), QStringLiteral("btnStampa"));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Plain);
        QCOMPARE(m_ctx->messages.log()[0].text, QStringLiteral("Nessuna stampante disponibile."));
        QVERIFY(dialog->isVisible());
    }

    void printedPdfHoldsTheRows()
    {
        auto dialog = open(onScreen());
        click(dialog.get(), QStringLiteral("btnStampa"));
        QCOMPARE(m_printer->printedFiles().size(), 1);
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), m_printer->printedFiles()[0], QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString printed = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const char* expected : {"SCHEDA PROTOCOLLO DOCUMENTO", "Protocollo n.", "Formato:", "A4 - N. pagine: 3",
                                     "Recapito destinatario:", "Stampa eseguita in data 15/03/2024 alle ore 09:05:07"})
            QVERIFY2(printed.simplified().contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!printed.contains(QStringLiteral("In entrata")));
    }

    // An annulled card says so in its title bar and prints its annulment whole under the footer, in the page.
    void annulledCardPrintsItsAnnulment()
    {
        const QString annulment = QStringLiteral("Registrazione annullata il 11/12/2026 alle 10:15 da mario: ") +
                                  QStringLiteral("documento protocollato due volte, ").repeated(6) +
                                  QStringLiteral("fine.");
        auto dialog = open(onScreen(), annulment);
        click(dialog.get(), QStringLiteral("btnStampa"));
        const PreparedPage& page = m_printer->lastPrinted()->pages.at(0);
        QCOMPARE(text(page, QStringLiteral("titArcataSup")),
                 QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO - REGISTRAZIONE ANNULLATA"));
        const PreparedItem* item = page.find(QStringLiteral("txtAnnullamento"));
        QVERIFY(item);
        QVERIFY2(item->lines.size() >= 2, qPrintable(item->lines.join(u'|')));
        QCOMPARE(item->lines.join(u' '), annulment);
        QVERIFY(item->rect.top >= page.find(QStringLiteral("Shape23"))->rect.bottom());
        QVERIFY(item->rect.bottom() <= page.paperHeight);

        // The same window's next card, not annulled, prints plain.
        auto plain = open(onScreen());
        click(plain.get(), QStringLiteral("btnStampa"));
        const PreparedPage& plainPage = m_printer->lastPrinted()->pages.at(0);
        QCOMPARE(text(plainPage, QStringLiteral("titArcataSup")), QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO"));
        const PreparedItem* none = plainPage.find(QStringLiteral("txtAnnullamento"));
        QVERIFY(!none || none->lines.join(QString()).isEmpty());
    }
};

QTEST_MAIN(TestRegisterCardPrintWindow)
#include "test_register_card_print_window.moc"
