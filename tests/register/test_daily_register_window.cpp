#include "common/record_file.h"
#include "register/daily_register_window.h"
#include "register/register_card.h"
#include "register/register_journal.h"
#include "support/pdf_print_service.h"
#include "support/test_support.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using Kind = Messages::Kind;

namespace {

RegisterCard card(const QString& number, const QString& subject)
{
    RegisterCard c;
    c.setValue(RegisterCard::Numero, number);
    c.setValue(RegisterCard::Tipologia, QStringLiteral("In entrata"));
    c.setValue(RegisterCard::DataReg, QStringLiteral("10/12/2026"));
    c.setValue(RegisterCard::Oggetto, subject);
    c.setValue(RegisterCard::Mittente, QStringLiteral("Comune di Pavia"));
    return c;
}

JournalAuthor at(const char* when)
{
    return {QStringLiteral("mario"), JournalAuthor::kWindow, QDateTime::fromString(QLatin1String(when), Qt::ISODate)};
}

QString bodyOf(const PreparedReport& report)
{
    QStringList lines;
    for (const PreparedPage& page : report.pages)
        lines += page.find(QStringLiteral("righe"))->lines;
    return lines.join(u'\n');
}

} // namespace

class TestDailyRegisterWindow : public QObject
{
    Q_OBJECT

    TestContext* m_ctx = nullptr;
    PdfPrintService* m_printer = nullptr;
    QString m_year;

    std::unique_ptr<DailyRegisterWindow> open()
    {
        auto dialog = std::make_unique<DailyRegisterWindow>(m_ctx->context, m_year, nullptr);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qWarning("daily register window not exposed");
        return dialog;
    }
    static void click(QWidget* w, const char* name)
    {
        auto* b = w->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        m_ctx = new TestContext;
        m_printer = new PdfPrintService(m_ctx->dir.path());
        m_ctx->context.printService = m_printer;
        m_ctx->clock.date = QDate(2026, 12, 10);
        m_year = RegisterYear::filePath(m_ctx->dir.path(), QStringLiteral("2026"));
        RawRecordFile file(m_year, RegisterCard::recordSize());
        RegisterJournalWriter(file, at("2026-12-09T17:00:00+01:00")).registerCard(card("1", "Ieri").toBytes());
        RegisterJournalWriter(file, at("2026-12-10T09:00:00+01:00")).registerCard(card("2", "Oggi").toBytes());
        RegisterJournalWriter(file, at("2026-12-10T11:00:00+01:00")).annulCard(1, QStringLiteral("doppia"));
    }
    void cleanup()
    {
        delete m_printer;
        delete m_ctx;
    }

    // Opens on today, keeps to the register's year, and fits a small screen.
    void opensOnTodayWithinTheYear()
    {
        auto dialog = open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Registro giornaliero"));
        auto* calendar = dialog->findChild<QCalendarWidget*>(QStringLiteral("calGiorno"));
        QVERIFY(calendar);
        QCOMPARE(calendar->selectedDate(), QDate(2026, 12, 10));
        QCOMPARE(calendar->minimumDate(), QDate(2026, 1, 1));
        QCOMPARE(calendar->maximumDate(), QDate(2026, 12, 31));
        QVERIFY(calendar->isAncestorOf(QApplication::focusWidget()));
        dialog->setDay(QDate(2027, 1, 5));
        QCOMPARE(dialog->day(), QDate(2026, 12, 31));
        QVERIFY(dialog->width() <= 1366 && dialog->height() <= 698);
    }

    // Preview, print and Enter on a day all show the chosen day's register, read from the journal now.
    void previewAndPrintShowTheChosenDay()
    {
        auto dialog = open();
        click(dialog.get(), "btnAnteprima");
        QCOMPARE(m_printer->previews(), 1);
        const QString today = bodyOf(*m_printer->lastPreviewed());
        QVERIFY2(today.contains(QStringLiteral("N. 2  del 10/12/2026  In entrata  Mittente: Comune di Pavia")),
                 qPrintable(today));
        QVERIFY(today.contains(QStringLiteral("Motivo: doppia")));
        QVERIFY(!today.contains(QStringLiteral("Ieri")));
        QCOMPARE(m_printer->lastPreviewed()->pages.back().find(QStringLiteral("pagina"))->lines,
                 QStringList{QStringLiteral("Pagina 1 di 1")});

        auto* calendar = dialog->findChild<QCalendarWidget*>(QStringLiteral("calGiorno"));
        calendar->setSelectedDate(QDate(2026, 12, 9));
        click(dialog.get(), "btnStampa");
        QCOMPARE(m_printer->printedFiles().size(), 1);
        QVERIFY(bodyOf(*m_printer->lastPrinted()).contains(QStringLiteral("Oggetto: Ieri")));

        auto* days = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(days);
        days->setFocus();
        QTest::keyClick(days, Qt::Key_Return);
        QCOMPARE(m_printer->previews(), 2);
    }

    // "Salva PDF" writes a PDF/A file where the user chose and says where; a cancelled choice writes nothing.
    void savePdfSaysWhere()
    {
        auto dialog = open();
        click(dialog.get(), "btnSalvaPdf");
        QCOMPARE(m_ctx->saveFileChooser.suggested,
                 QStringList{m_ctx->dir.filePath(QStringLiteral("Registro giornaliero 2026-12-10.pdf"))});
        QVERIFY(m_ctx->messages.log().isEmpty());

        const QString pdf = m_ctx->dir.filePath(QStringLiteral("giorno.pdf"));
        m_ctx->saveFileChooser.answers.enqueue(pdf);
        click(dialog.get(), "btnSalvaPdf");
        QVERIFY(readFileBytes(pdf).contains("pdfaid:part=\"1\""));
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QCOMPARE(m_ctx->messages.log()[0].kind, Kind::Information);
        QCOMPARE(m_ctx->messages.log()[0].text,
                 QStringLiteral("Registro giornaliero del 10/12/2026 salvato nel file PDF:\n") + pdf);
    }

    // A journal that cannot be read is said in words; the window stays for another try.
    void anUnreadableJournalIsReported()
    {
        QFile::remove(RegisterJournal::pathFor(m_year));
        QVERIFY(QDir().mkdir(RegisterJournal::pathFor(m_year)));
        auto dialog = open();
        click(dialog.get(), "btnAnteprima");
        QCOMPARE(m_printer->previews(), 0);
        QCOMPARE(m_ctx->messages.log().size(), 1);
        QVERIFY(!m_ctx->messages.log()[0].text.isEmpty());
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(TestDailyRegisterWindow)
#include "test_daily_register_window.moc"
