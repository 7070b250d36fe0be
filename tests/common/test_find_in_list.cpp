#include "common/find_in_list.h"

#include <QTest>
#include <algorithm>

Q_DECLARE_METATYPE(QList<int>)

class TestFindInList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each row presses Trova once per text, in order, on one finder; the selection carries over from press to press.
    // Expected results: "F<n>" found and select n, "N<n>" not found and select n, "E" the empty-list message.
    void find_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("expected");

        const QStringList people = {"Mario Rossi", "Anna Bianchi", "Luca Rossi"};
        QTest::newRow("empty list") << QStringList() << -1 << QStringList{"rossi"} << QStringList{"E"};
        QTest::newRow("new key tests the first entry first")
            << people << 2 << QStringList{"rossi"} << QStringList{"F0"};
        QTest::newRow("same key moves on and wraps round")
            << people << -1 << QStringList{"rossi", "rossi", "rossi"} << QStringList{"F0", "F2", "F0"};
        QTest::newRow("only the selected entry matches")
            << people << -1 << QStringList{"anna", "anna"} << QStringList{"F1", "F1"};
        QTest::newRow("a changed key starts again from the first entry")
            << people << -1 << QStringList{"rossi", "rossi", "anna", "rossi"} << QStringList{"F0", "F2", "F1", "F0"};
        QTest::newRow("no match keeps the selection") << people << 1 << QStringList{"verdi"} << QStringList{"N1"};
        QTest::newRow("no match with nothing selected selects the first")
            << people << -1 << QStringList{"verdi"} << QStringList{"N0"};
        QTest::newRow("the empty key matches nothing") << people << 2 << QStringList{"", ""} << QStringList{"N2", "N2"};
        QTest::newRow("capitals in the key fold to small letters")
            << people << -1 << QStringList{"BIANCHI"} << QStringList{"F1"};
        QTest::newRow("accented letters keep their case")
            << QStringList{"ÈLITE SRL", "èlite"} << -1 << QStringList{"èlite", "èlite"} << QStringList{"F1", "F1"};
        QTest::newRow("the key is not trimmed")
            << QStringList{"Rossi", "Mario Rossi"} << -1 << QStringList{" rossi"} << QStringList{"F1"};
        QTest::newRow("a selection out of range counts as none")
            << people << 7 << QStringList{"verdi"} << QStringList{"N0"};
    }
    void find()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, selected);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, expected);

        FindInList finder;
        for (int i = 0; i < texts.size(); ++i) {
            const FindInList::Result r = finder.find(lines, texts[i], selected);
            QString got;
            switch (r.outcome) {
            case FindInList::EmptyList:
                got = QStringLiteral("E");
                break;
            case FindInList::Found:
                got = QStringLiteral("F%1").arg(r.select);
                break;
            case FindInList::NotFound:
                got = QStringLiteral("N%1").arg(r.select);
                break;
            }
            QCOMPARE(got, expected[i]);
            if (r.outcome != FindInList::EmptyList)
                selected = r.select;
        }
    }

    void resetForgetsTheLastKey()
    {
        const QStringList lines = {"Mario Rossi", "Luca Rossi"};
        FindInList finder;
        QCOMPARE(finder.find(lines, "Rossi", -1).select, 0);
        // The key is remembered folded: the same text in another case moves on.
        QCOMPARE(finder.find(lines, "rossi", 0).select, 1);
        finder.reset();
        // After a reset the same text is a new search and starts from the first entry again.
        QCOMPARE(finder.find(lines, "rossi", 0).select, 0);
        QCOMPARE(finder.find(lines, "rossi", 0).select, 1);
    }

    void order_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("small and capital letters compare equal") << "rossi"
                                                                 << "ROSSI" << 0;
        QTest::newRow("by letter, whatever the case") << "abc"
                                                      << "ABD" << -1;
        QTest::newRow("a prefix comes first") << "Ross"
                                              << "rossi" << -1;
        QTest::newRow("letters fold up, so they come before the underscore") << "a"
                                                                             << "_" << -1;
        QTest::newRow("an accented capital after every plain letter") << "Èlite"
                                                                      << "zeta" << 1;
        QTest::newRow("accented letters do not fold") << "é"
                                                      << "É" << 1;
        QTest::newRow("digits by code, not by value") << "10"
                                                      << "2" << -1;
        QTest::newRow("blank before letters") << "Rossi  "
                                              << "RossiA" << -1;
        QTest::newRow("long lines differing only in case") << "Rossi Mario  Tipo: Cliente"
                                                           << "ROSSI MARIO  TIPO: cliente" << 0;
        QTest::newRow("long lines, case differences before the first real one") << "Rossi Mario  Tipo: Clienta"
                                                                                << "ROSSI MARIO  TIPO: CLIENTE" << -1;
    }
    void order()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        QCOMPARE(ListOrder::compare(a, b), sign);
        QCOMPARE(ListOrder::compare(b, a), -sign);
    }

    void sortFollowsTheOrderAndKeepsEqualLinesInPlace()
    {
        QList<ListEntry> entries = {{"rossi", 1}, {"Èlite", 2}, {"bianchi", 3}, {"ROSSI", 4}, {"_x", 5},
                                    {"Ross", 6},  {"10", 7},    {"2", 8},       {"abate", 9}};
        ListOrder::sort(entries);
        QList<int> numbers;
        for (const ListEntry& e : entries)
            numbers.append(e.cardNumber);
        QCOMPARE(numbers, (QList<int>{7, 8, 9, 3, 6, 1, 4, 5, 2}));
        QCOMPARE(ListOrder::lines(entries).first(), QStringLiteral("10"));
    }

    // Sorting must agree with compare() on lines that differ anywhere, also far past the first characters.
    void sortAgreesWithCompare_data()
    {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QString>("start");
        const QStringList pieces = {
            "a", "A", "ab", "b", " ", "_", "è", "È", QString(1, QChar(0)), "Rossi Mario ", "ROSSI M", "€", "\u0081"};
        QTest::newRow("windows-1252 text") << pieces << QString();
        QTest::newRow("a character outside windows-1252") << (pieces + QStringList{"Ω"}) << QString();
        QTest::newRow("lines alike far into them") << pieces << "Studio Associato Rossi ";
    }
    void sortAgreesWithCompare()
    {
        QFETCH(QStringList, pieces);
        QFETCH(QString, start);
        QList<ListEntry> entries;
        quint32 seed = 12345;
        auto next = [&seed](int n) { return int(((seed = seed * 1103515245 + 12345) >> 16) % quint32(n)); };
        for (int i = 0; i < 3000; ++i) {
            QString line = start;
            for (int p = next(9); p > 0; --p)
                line += pieces[next(int(pieces.size()))];
            entries.append({line, i});
        }
        // The plain sort is the oracle of the one the lists use.
        QList<ListEntry> plain = entries;
        std::stable_sort(plain.begin(), plain.end(),
                         [](const ListEntry& x, const ListEntry& y) { return ListOrder::compare(x.line, y.line) < 0; });
        ListOrder::sort(entries);
        QCOMPARE(entries.size(), 3000);
        for (qsizetype i = 0; i < entries.size(); ++i)
            QCOMPARE(entries[i].cardNumber, plain[i].cardNumber);
        for (qsizetype i = 1; i < entries.size(); ++i) {
            const int c = ListOrder::compare(entries[i - 1].line, entries[i].line);
            QVERIFY2(c < 0 || (c == 0 && entries[i - 1].cardNumber < entries[i].cardNumber),
                     qPrintable(entries[i - 1].line + u'|' + entries[i].line));
        }
    }
};

QTEST_GUILESS_MAIN(TestFindInList)
#include "test_find_in_list.moc"
