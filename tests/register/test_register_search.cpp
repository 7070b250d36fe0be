#include "common/text.h"
#include "register/register_journal.h"
#include "register/register_search.h"
#include "register/register_year_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

RegisterSearch::Filter filter(const QStringList& filters)
{
    RegisterSearch::Filter f;
    for (const QString& s : filters) {
        const qsizetype eq = s.indexOf(u'=');
        f.set(RegisterCard::Field(RegisterCard::fieldIndex(s.left(eq))), s.mid(eq + 1));
    }
    return f;
}

} // namespace

class TestRegisterSearch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resultLine_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("padded columns, recipient whole")
            << QStringList{"Numero=12/2024",       "DataReg=01/03/2024", "Tipologia=In entrata",
                           "Oggetto=Fattura n. 5", "Mittente=Rossi Srl", "Destinatario=Ufficio acquisti",
                           "Note=not in the line"}
            << "Prot. n. 12/2024         Data: 01/03/2024  Posta: In entrata  Fattura n. 5" + QString(23, u' ') +
                   "  Da: Rossi Srl" + QString(15, u' ') + "  A: Ufficio acquisti";
        QTest::newRow("cut to their widths, trimmed first")
            << QStringList{"Numero= 1234567890123456",
                           "DataReg=1/3/2024",
                           "Tipologia=Interna",
                           "Oggetto=" + QString(40, u'o'),
                           "Mittente=" + QString(30, u'm'),
                           "Destinatario= " + QString(130, u'd') + " "}
            << "Prot. n. 12345678901234  Data: 1/3/2024    Posta: Interna     " + QString(35, u'o') +
                   "  Da: " + QString(24, u'm') + "  A: " + QString(130, u'd');
        QTest::newRow("an empty card") << QStringList()
                                       << "Prot. n. " + QString(14, u' ') + "  Data: " + QString(10, u' ') +
                                              "  Posta: " + QString(10, u' ') + "  " + QString(35, u' ') +
                                              "  Da: " + QString(24, u' ') + "  A: ";
    }
    void resultLine()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        QCOMPARE(RegisterSearch::resultLine(cardWith(fields)), line);
    }

    void filter_data()
    {
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("passes");
        const QStringList rossi = {"Mittente=Mario ROSSI", "Oggetto=Fattura n. 5", "DataReg=12/03/2024",
                                   "Tipologia=In entrata", "Note=Èlite"};
        QTest::newRow("no filter passes every card") << QStringList() << rossi << true;
        QTest::newRow("a filter of blanks is not set") << QStringList{"Mittente=   "} << rossi << true;
        QTest::newRow("case of A to Z ignored") << QStringList{"Mittente=rossi"} << rossi << true;
        QTest::newRow("two filters, both occur") << QStringList{"Mittente=rossi", "Oggetto=FATTURA"} << rossi << true;
        QTest::newRow("two filters, one fails") << QStringList{"Mittente=rossi", "Oggetto=ricevuta"} << rossi << false;
        QTest::newRow("a month in the date filter") << QStringList{"DataReg=03/2024"} << rossi << true;
        QTest::newRow("part of the mail type") << QStringList{"Tipologia=entrata"} << rossi << true;
        QTest::newRow("accented letters keep their case") << QStringList{"Note=èlite"} << rossi << false;
        QTest::newRow("the typed text is not trimmed") << QStringList{"Mittente=rossi "} << rossi << false;
        QTest::newRow("inner blank as typed") << QStringList{"Mittente=o r"} << rossi << true;
        QTest::newRow("a field that is not searchable is ignored")
            << QStringList{"Ufficio=nothing like it"} << rossi << true;
        QTest::newRow("an empty field fails a set filter") << QStringList{"Destinatario=a"} << rossi << false;
        QTest::newRow("windows-1252 letters match") << QStringList{"Note=\u00C8li"} << rossi << true;
        QTest::newRow("a character no record can hold finds nothing")
            << QStringList{"Mittente=\u03A9"} << rossi << false;
    }
    void filter()
    {
        QFETCH(QStringList, filters);
        QFETCH(QStringList, fields);
        QFETCH(bool, passes);
        const RegisterSearch::Filter f = ::filter(filters);
        const RegisterCard c = cardWith(fields);
        QCOMPARE(f.matchesRecord(c.toBytes().constData()), passes);
        QTemporaryDir dir;
        QCOMPARE(RegisterSearch::search(yearWith(dir, {c}), f).size(), passes ? 1 : 0);
    }

    void searchListsInTextOrder()
    {
        QTemporaryDir dir;
        QList<RegisterCard> cards;
        for (int i = 1; i <= 12; ++i)
            cards.append(cardWith({"Numero=" + QString::number(i), i % 2 ? "Mittente=Rossi" : "Mittente=Verdi"}));
        const QString path = yearWith(dir, cards);
        QStringList numbers;
        const QList<ListEntry> all = RegisterSearch::search(path, RegisterSearch::Filter());
        for (const ListEntry& e : all) {
            numbers.append(QString::number(e.cardNumber));
            QCOMPARE(e.line, RegisterSearch::resultLine(cards[e.cardNumber - 1]));
        }
        QCOMPARE(numbers, QStringList({"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QCOMPARE(RegisterSearch::search(path, ::filter({"Mittente=verdi"})).size(), 6);
        QCOMPARE(RegisterSearch::countText(6), QStringLiteral("Il presente riepilogo contiene 6 schede."));
    }

    // The list marks an annulled card; its marked line still finds the card.
    void anAnnulledCardIsMarkedAndFound()
    {
        QTemporaryDir dir;
        const QString path = yearWith(dir, {cardWith({"Numero=1"}), cardWith({"Numero=2", "Destinatario=Bianchi"})});
        {
            RawRecordFile file(path, RegisterCard::recordSize());
            RegisterJournalWriter(file, {QStringLiteral("mario"), JournalAuthor::kWindow, {}})
                .annulCard(2, QStringLiteral("doppia"));
        }
        const QList<ListEntry> all = RegisterSearch::search(path, RegisterSearch::Filter());
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[0].line, RegisterSearch::resultLine(cardWith({"Numero=1"})));
        QCOMPARE(all[1].line, RegisterSearch::resultLine(cardWith({"Numero=2", "Destinatario=Bianchi"})) +
                                  QStringLiteral("  [ANNULLATA]"));
        const auto match = RegisterSearch::lastCardWithLine(path, all[1].line);
        QVERIFY(match.has_value());
        QCOMPARE(match->number, 2);
    }

    void anEmptyYear()
    {
        QTemporaryDir dir;
        const QString path = RegisterYear::filePath(dir.path(), "2030");
        QVERIFY(RegisterSearch::search(path, RegisterSearch::Filter()).isEmpty());
        QVERIFY(QFile::exists(path));
        QCOMPARE(RegisterSearch::countText(0), QStringLiteral("Il presente riepilogo contiene 0 schede."));
    }

    void anUnreadableYearThrows()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("2024.prt"));
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError,
                                 RegisterSearch::search(dir.filePath("2024.prt"), RegisterSearch::Filter()));
    }

    void theLastCardWithTheLineIsTheOneMeant()
    {
        QTemporaryDir dir;
        const QString subject = "Oggetto=" + QString(35, u's');
        const QString path =
            yearWith(dir, {cardWith({"Numero=7", subject + "uno", "Note=prima"}), cardWith({"Numero=8"}),
                           cardWith({"Numero=7", subject + "due", "Note=seconda"})});
        const auto match = RegisterSearch::lastCardWithLine(
            path, Text::trimmed(RegisterSearch::resultLine(cardWith({"Numero=7", subject}))));
        QVERIFY(match.has_value());
        QCOMPARE(match->number, 3);
        QCOMPARE(match->card.value(RegisterCard::Note), QStringLiteral("seconda"));
        QVERIFY(!RegisterSearch::lastCardWithLine(path, "Prot. n. 9").has_value());
    }
};

QTEST_GUILESS_MAIN(TestRegisterSearch)
#include "test_register_search.moc"
