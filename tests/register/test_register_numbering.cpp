#include "common/errors.h"
#include "common/ini_file.h"
#include "common/record_file.h"
#include "register/register_card.h"
#include "register/register_numbering.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRegisterNumbering : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The settings file as it stands and the cards already in the 2023 register: the next number.
    void nextNumber_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("number");
        QTest::newRow("no settings file, first card") << QByteArray() << 0 << "1";
        QTest::newRow("no settings file, third card") << QByteArray() << 2 << "3";
        QTest::newRow("start 100, suffix on, 3 cards")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n") << 3
            << "103/2023";
        QTest::newRow("start 100, suffix off, 3 cards")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=No\r\n") << 3 << "103";
        QTest::newRow("start 100, 5 cards, no suffix key")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\n") << 5 << "105";
        // The 2023 register opened in another year still numbers 2023's documents.
        QTest::newRow("the suffix is the register's year, not the clock's")
            << QByteArray("[Numerazione Protocollo]\r\nIndicazione Anno Solare=S\xEC\r\n") << 0 << "1/2023";
        QTest::newRow("empty start counts from 1") << QByteArray("[Numerazione Protocollo]\r\nInizio=\r\n") << 4 << "5";
        QTest::newRow("leading zeros") << QByteArray("[Numerazione Protocollo]\r\nInizio=007\r\n") << 1 << "8";
        QTest::newRow("start 0") << QByteArray("[Numerazione Protocollo]\r\nInizio=0\r\n") << 0 << "0";
        QTest::newRow("the largest number there is")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=2147483640\r\n") << 7 << "2147483647";
        QTest::newRow("only the exact S\xC3\xAC switches the suffix on")
            << QByteArray("[Numerazione Protocollo]\r\nIndicazione Anno Solare=si\r\n") << 0 << "1";
        QTest::newRow("S\xC3\xAC saved by a UTF-8 editor")
            << QByteArray("[numerazione protocollo]\nindicazione anno solare = S\xC3\xAC\n") << 0 << "1/2023";
    }
    void nextNumber()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, cards);
        QFETCH(QString, number);
        QTemporaryDir dir;
        if (!ini.isEmpty())
            QVERIFY(writeFileBytes(dir.filePath("Tessaro.ini"), ini));
        const QString year = RegisterYear::filePath(dir.path(), "2023");
        if (cards > 0) {
            RegisterFile file(year);
            for (int i = 0; i < cards; ++i)
                file.append(RegisterCard());
        }
        const RegisterNumbering numbering = RegisterSettings(dir.path()).numberingFor("2023", "2023");
        QCOMPARE(RegisterNumberer(RawRecordFile(year, RegisterCard::recordSize()), numbering, "2023").next(), number);
        // A year without a file gets one, empty.
        QVERIFY(QFile::exists(year));
    }

    void aStartThatIsNotANumberIsAnAccessFailure_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("count");
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("decimal") << "1,5" << 0;
        QTest::newRow("too large") << "99999999999999999999" << 0;
        // Near the top of the 64-bit range the sum itself would overflow.
        QTest::newRow("largest 64-bit start") << "9223372036854775807" << 5;
        QTest::newRow("smallest 64-bit start") << "-9223372036854775808" << 0;
        QTest::newRow("largest int plus one card") << "2147483647" << 1;
    }
    void aStartThatIsNotANumberIsAnAccessFailure()
    {
        QFETCH(QString, start);
        QFETCH(int, count);
        try {
            nextRegisterNumber(count, RegisterNumbering{start, false}, QStringLiteral("2024"));
            QFAIL("no failure");
        } catch (const ArchiveAccessError& e) {
            QCOMPARE(e.message(), Errors::kArchiveAccess);
        }
    }

    void normalize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalized");
        QTest::newRow("empty") << ""
                               << "1";
        QTest::newRow("blank") << "   "
                               << "1";
        QTest::newRow("leading zeros") << "007"
                                       << "7";
        QTest::newRow("zero stays") << "0"
                                    << "0";
        QTest::newRow("blanks around") << " 12 "
                                       << "12";
        QTest::newRow("half rounds up") << "2,5"
                                        << "3";
        QTest::newRow("below half rounds down") << "2,4"
                                                << "2";
        QTest::newRow("a point is not the decimal separator") << "1.5"
                                                              << "1";
        QTest::newRow("letters") << "1a"
                                 << "1";
        QTest::newRow("largest typed") << "99999"
                                       << "99999";
    }
    void normalize()
    {
        QFETCH(QString, text);
        QFETCH(QString, normalized);
        QCOMPARE(normalizeStartNumber(text), normalized);
    }

    void settingsRoundTrip()
    {
        QTemporaryDir dir;
        const RegisterSettings settings(dir.path());
        QCOMPARE(settings.readNumbering().start, QStringLiteral("1"));
        QVERIFY(!settings.readNumbering().yearSuffix);
        settings.writeNumbering(" 250 ", true);
        QCOMPARE(settings.readNumbering().start, QStringLiteral("250"));
        QVERIFY(settings.readNumbering().yearSuffix);
        settings.writeOperatorDefaults("  Segreteria ", "Anna\t");
        QCOMPARE(settings.readOperatorDefaults().office, QStringLiteral("Segreteria"));
        QCOMPARE(settings.readOperatorDefaults().operatorName, QStringLiteral("Anna"));
        settings.writeNumbering("7", false);
        QFile f(settings.path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("[Numerazione Protocollo]\r\nInizio=7\r\nIndicazione Anno Solare=No\r\n"));
        QVERIFY(bytes.contains("[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Anna\r\n"));
        settings.writeNumbering("7", true);
        QVERIFY(IniFile(settings.path()).read("Numerazione Protocollo", "Indicazione Anno Solare") ==
                QStringLiteral("Sì"));
        QFile g(settings.path());
        QVERIFY(g.open(QIODevice::ReadOnly));
        QVERIFY(g.readAll().contains("Indicazione Anno Solare=S\xEC\r\n")); // windows-1252
    }

    // A start number counts for the year it was set for; other years start at 1. One stored before years were
    // recorded counts for the current year only.
    void startNumberPerYear_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("start");
        const QByteArray for2026 = "[Numerazione Protocollo]\r\nInizio=120\r\nAnno Inizio=2026\r\n";
        const QByteArray old = "[Numerazione Protocollo]\r\nInizio=120\r\n";
        QTest::newRow("the year it was set for") << for2026 << "2026"
                                                 << "120";
        QTest::newRow("a later year") << for2026 << "2030"
                                      << "1";
        QTest::newRow("an earlier year") << for2026 << "2025"
                                         << "1";
        QTest::newRow("old settings, the current year") << old << "2027"
                                                        << "120";
        QTest::newRow("old settings, another year") << old << "2026"
                                                    << "1";
    }
    void startNumberPerYear()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, year);
        QFETCH(QString, start);
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(dir.filePath("Tessaro.ini"), ini));
        QCOMPARE(RegisterSettings(dir.path()).numberingFor(year, QStringLiteral("2027")).start, start);
    }
};

QTEST_GUILESS_MAIN(TestRegisterNumbering)
#include "test_register_numbering.moc"
