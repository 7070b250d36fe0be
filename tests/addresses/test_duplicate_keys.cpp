// The set that tells duplicates apart on import: exact, whatever the keys and however many.
#include "addresses/duplicate_keys.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

class TestDuplicateKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Against QSet over keys that share long prefixes, differ in one byte or in length, repeat often and include the
    // empty key and the longest a card gives; reserved ahead or grown as they come.
    void agreesWithQSet_data()
    {
        QTest::addColumn<qsizetype>("reserved");
        QTest::newRow("grown as keys come") << qsizetype(0);
        QTest::newRow("reserved for them") << qsizetype(60000);
        QTest::newRow("reserved for too few") << qsizetype(1000);
    }
    void agreesWithQSet()
    {
        QFETCH(qsizetype, reserved);
        QRandomGenerator random(23);
        const QByteArray longest(7 * 251, '\xE8');
        QList<QByteArray> keys{QByteArray(), longest, longest.chopped(1), longest.chopped(1) + 'x'};
        for (int i = 0; i < 40000; ++i) {
            QByteArray key(random.bounded(1, 40), 'A');
            key[random.bounded(int(key.size()))] = char(random.bounded(3));
            keys.append(key);
        }
        DuplicateKeys set;
        set.reserve(reserved);
        QSet<QByteArray> oracle;
        for (int round = 0; round < 2; ++round) {
            for (const QByteArray& key : std::as_const(keys)) {
                QCOMPARE(set.contains(key), oracle.contains(key));
                QCOMPARE(set.insert(key), !oracle.contains(key));
                oracle.insert(key);
                QVERIFY(set.contains(key));
            }
        }
        QCOMPARE(set.size(), oracle.size());
        QVERIFY(!set.contains("never added"));
    }

    // Keys fill many storage blocks; each stays whole.
    void keysAcrossBlocks()
    {
        DuplicateKeys set;
        const auto key = [](int i) { return QByteArray::number(i).repeated(1 + i % 150); };
        for (int i = 0; i < 20000; ++i)
            QVERIFY(set.insert(key(i)));
        for (int i = 0; i < 20000; ++i) {
            QVERIFY(set.contains(key(i)));
            QVERIFY(!set.contains(key(i) + 'x'));
        }
    }
};

QTEST_GUILESS_MAIN(TestDuplicateKeys)
#include "test_duplicate_keys.moc"
