#include "register/register_interval.h"

#include <QTest>

class TestRegisterInterval : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: not a date
        QTest::newRow("dd/mm/yyyy") << "01/03/2024" << QDate(2024, 3, 1);
        QTest::newRow("one-digit day and month") << "5/3/2024" << QDate(2024, 3, 5);
        QTest::newRow("blanks around") << " 31/12/2024 " << QDate(2024, 12, 31);
        QTest::newRow("leap day") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("no leap day") << "29/02/2023" << QDate();
        QTest::newRow("31 February") << "31/02/2024" << QDate();
        QTest::newRow("month 13") << "01/13/2024" << QDate();
        QTest::newRow("day 0") << "00/01/2024" << QDate();
        QTest::newRow("two-digit year") << "01/03/24" << QDate();
        QTest::newRow("no year") << "01/03" << QDate();
        QTest::newRow("three-digit day") << "001/03/2024" << QDate();
        QTest::newRow("other separator") << "01-03-2024" << QDate();
        QTest::newRow("year first") << "2024/03/01" << QDate();
        QTest::newRow("signs") << "+1/03/2024" << QDate();
        QTest::newRow("other digits") << QStringLiteral("٠١/03/2024") << QDate();
        QTest::newRow("year 0") << "01/01/0000" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const std::optional<QDate> got = RegisterInterval::parseDate(text);
        QCOMPARE(got.has_value(), date.isValid());
        if (got)
            QCOMPARE(*got, date);
    }

    void check_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("focus");
        QTest::addColumn<QString>("message");
        using C = RegisterInterval::Check;
        const int warning = int(Messages::Kind::Warning);
        const int plain = int(Messages::Kind::Plain);
        QTest::newRow("both empty: the start first")
            << " "
            << "" << int(C::StartMissing) << warning << int(C::StartField)
            << "Attenzione: per visualizzare il riepilogo è necessario indicare la data di inizio intervallo.";
        QTest::newRow("end empty")
            << "01/03/2024"
            << "\t" << int(C::EndMissing) << warning << int(C::EndField)
            << "Attenzione: per visualizzare il riepilogo è necessario indicare la data di fine intervallo.";
        QTest::newRow("start does not exist")
            << " 31/02/2024"
            << "bad" << int(C::StartInvalid) << plain << int(C::StartField)
            << "Attenzione: la data 31/02/2024 di inizio intervallo non esiste.\n\r\n\rPer poter visualizzare il "
               "riepilogo è necessario indicare una data valida.";
        QTest::newRow("end does not exist")
            << "01/03/2024"
            << "32/03/2024 " << int(C::EndInvalid) << plain << int(C::EndField)
            << "Attenzione: la data 32/03/2024 di fine intervallo non esiste.\n\r\n\rPer poter visualizzare il "
               "riepilogo è necessario indicare una data valida.";
        QTest::newRow("end before start")
            << "10/03/2024"
            << "01/03/2024" << int(C::EndBeforeStart) << plain << int(C::StayPut)
            << "Attenzione: la data di fine intervallo (01/03/2024) non può essere anteriore a quella di inizio "
               "intervallo (10/03/2024).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
               "intervallo di tempo valido.";
        QTest::newRow("a valid interval") << "1/3/2024"
                                          << "31/03/2024" << int(C::None) << plain << int(C::StayPut) << "";
        QTest::newRow("one day") << "01/03/2024"
                                 << "1/3/2024" << int(C::None) << plain << int(C::StayPut) << "";
    }
    void check()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(int, problem);
        QFETCH(int, kind);
        QFETCH(int, focus);
        QFETCH(QString, message);
        const RegisterInterval::Check c = RegisterInterval::check(start, end);
        QCOMPARE(int(c.problem), problem);
        QCOMPARE(c.message, message);
        QCOMPARE(int(c.focus), focus);
        if (!c.ok())
            QCOMPARE(int(c.kind), kind);
        else
            QVERIFY(c.start == RegisterInterval::parseDate(start) && c.end == RegisterInterval::parseDate(end));
    }
};

QTEST_GUILESS_MAIN(TestRegisterInterval)
#include "test_register_interval.moc"
