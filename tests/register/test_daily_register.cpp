#include "common/record_file.h"
#include "register/daily_register.h"
#include "register/daily_register_pdf.h"
#include "register/daily_register_report.h"
#include "register/register_card.h"
#include "register/register_journal.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

RegisterCard card(const QString& number, const QString& type, const QString& subject)
{
    RegisterCard c;
    c.setValue(RegisterCard::Numero, number);
    c.setValue(RegisterCard::Tipologia, type);
    c.setValue(RegisterCard::DataReg, QStringLiteral("10/12/2026"));
    c.setValue(RegisterCard::Oggetto, subject);
    c.setValue(RegisterCard::Mittente, QStringLiteral("Comune di Pavia"));
    c.setValue(RegisterCard::Destinatario, QStringLiteral("Studio Bianchi"));
    return c;
}

JournalAuthor at(const char* when)
{
    return {QStringLiteral("mario"), JournalAuthor::kWindow, QDateTime::fromString(QLatin1String(when), Qt::ISODate)};
}

} // namespace

class TestDailyRegister : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_year;

private Q_SLOTS:
    // Three days: the 9th (one card), the 10th (two cards registered out of number order, a correction of the 9th's
    // card, an annulment), the 11th (one card). The 10th's register holds exactly the 10th's entries.
    void initTestCase()
    {
        m_year = RegisterYear::filePath(m_dir.path(), QStringLiteral("2026"));
        RawRecordFile file(m_year, RegisterCard::recordSize());
        RegisterJournalWriter(file, at("2026-12-09T17:00:00+01:00"))
            .registerCard(card("1", "In entrata", "Vecchia").toBytes());
        RegisterJournalWriter(file, at("2026-12-10T09:00:00+01:00"))
            .registerCard(card("3", "In uscita", "Risposta").toBytes());
        RegisterJournalWriter(file, at("2026-12-10T09:05:00+01:00"))
            .registerCard(card("2", "In entrata", "Domanda").toBytes());
        RegisterJournalWriter(file, at("2026-12-10T10:00:00+01:00"))
            .correctCard(1, card("1", "In entrata", "Vecchia corretta").toBytes());
        RegisterJournalWriter(file, at("2026-12-10T23:59:00+01:00")).annulCard(2, QStringLiteral("errore"));
        RegisterJournalWriter(file, at("2026-12-11T08:00:00+01:00"))
            .registerCard(card("4", "In entrata", "Domani").toBytes());
    }

    void holdsTheDaysEntriesOnly()
    {
        const QByteArray journal = RegisterJournal::read(m_year);
        const DailyRegister day = DailyRegister::collect(journal, QDate(2026, 12, 10));
        QCOMPARE(day.registered.size(), 2);
        QCOMPARE(day.registered[0].values[RegisterCard::Numero], "2"); // number order, not journal order
        QCOMPARE(day.registered[1].values[RegisterCard::Numero], "3");
        QCOMPARE(day.corrections.size(), 1);
        QCOMPARE(day.corrections[0].card, 1);
        QCOMPARE(day.annulments.size(), 1);
        QCOMPARE(day.annulments[0].reason, "errore");
        // The chain's hash at the day's last entry: the annulment, line 5.
        QList<QByteArray> lines = journal.trimmed().split('\n');
        QVERIFY(lines[4].endsWith("\"hash\":\"" + day.closingHash + "\"}"));

        const QString text = day.lines().join(u'\n');
        QVERIFY2(text.contains("N. 3  del 10/12/2026  In uscita  Destinatario: Studio Bianchi"), qPrintable(text));
        QVERIFY(text.contains("N. 2  del 10/12/2026  In entrata  Mittente: Comune di Pavia"));
        QVERIFY(text.contains("Oggetto: \"Vecchia\" diventa \"Vecchia corretta\""));
        QVERIFY(text.contains("Motivo: errore"));
        QVERIFY(!text.contains("Domani"));

        const DailyRegister quiet = DailyRegister::collect(journal, QDate(2026, 12, 8));
        QVERIFY(quiet.registered.isEmpty());
        QVERIFY(quiet.closingHash.isEmpty());
    }

    // A long day runs over pages: every line once, in order, each page numbered out of the whole, none past its foot.
    void aLongDayIsPaged()
    {
        DailyRegister day;
        day.day = QDate(2026, 12, 10);
        for (int n = 1; n <= 200; ++n) {
            const RegisterCard c = card(QString::number(n), "In entrata", QStringLiteral("Oggetto %1").arg(n));
            QStringList values;
            for (int f = 0; f < RegisterCard::fieldCount(); ++f)
                values << c.value(f);
            day.registered.append({n, values, {}});
        }
        const PreparedReport report = DailyRegisterReport::prepare(day, QStringLiteral("2026"));
        QVERIFY(report.pages.size() > 3);
        QStringList all;
        for (size_t p = 0; p < report.pages.size(); ++p) {
            const PreparedPage& page = report.pages[p];
            QCOMPARE(page.find(QStringLiteral("pagina"))->lines,
                     QStringList{QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(report.pages.size())});
            const PreparedItem* body = page.find(QStringLiteral("righe"));
            QVERIFY(body->rect.top.mm() + body->lineHeight.mm() * double(body->lines.size()) <=
                    page.find(QStringLiteral("pagina"))->rect.top.mm());
            all += body->lines;
        }
        QCOMPARE(all, day.lines());
    }

    // The PDF says it is PDF/A-1b in its metadata and carries the day's documents and page numbers.
    void pdfIsArchival()
    {
        const QString pdf = m_dir.filePath(QStringLiteral("giorno.pdf"));
        writeDailyRegisterPdf(DailyRegister::collect(RegisterJournal::read(m_year), QDate(2026, 12, 10)),
                              QStringLiteral("2026"), pdf);
        const QByteArray bytes = readFileBytes(pdf);
        QVERIFY(bytes.contains("pdfaid:part=\"1\""));
        QVERIFY(bytes.contains("pdfaid:conformance=\"B\""));
        const QString text = pdfPageTexts(pdf).join(u'\n');
        QVERIFY2(text.contains(QStringLiteral("Pagina 1 di 1")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Registro giornaliero di protocollo 2026 - 10/12/2026")));
        QVERIFY(text.contains(QStringLiteral("Studio Bianchi")));
    }
};

QTEST_MAIN(TestDailyRegister)
#include "test_daily_register.moc"
