// Cards compared a few cards late: every card once, in the order made, none lost at the end.
#include "addresses/late_comparisons.h"

#include <QTest>

class TestLateComparisons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyCardOnceInOrder_data()
    {
        QTest::addColumn<int>("cards");
        QTest::newRow("none") << 0;
        QTest::newRow("fewer than wait") << int(LateComparisons::kLate - 1);
        QTest::newRow("many, the ring reused") << 50;
    }
    void everyCardOnceInOrder()
    {
        QFETCH(int, cards);
        DuplicateKeys keys;
        QList<int> compared;
        QList<QString> names;
        LateComparisons late(keys, [&](const ConvertedCard& c) {
            compared << c.line;
            names << c.card.value(AddressCard::Nome);
        });
        QList<int> made;
        for (int i = 0; i < cards; ++i) {
            ConvertedCard& c = late.next();
            c.line = 100 + i;
            c.card.setValue(AddressCard::Nome, QStringLiteral("Scheda %1").arg(i));
            const QByteArray key = QByteArray::number(i);
            std::copy(key.cbegin(), key.cend(), c.key.begin());
            c.keySize = key.size();
            c.hash = DuplicateKeys::hashOf(c.keyView());
            late.push();
            made << c.line;
            // Only the cards made kLate cards ago or earlier, all of them.
            QCOMPARE(compared, made.first(std::max<qsizetype>(0, made.size() - LateComparisons::kLate)));
        }
        late.finish();
        QCOMPARE(compared, made);
        for (int i = 0; i < cards; ++i)
            QCOMPARE(names[i], QStringLiteral("Scheda %1").arg(i));
    }
};

QTEST_GUILESS_MAIN(TestLateComparisons)
#include "test_late_comparisons.moc"
