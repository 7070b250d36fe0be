// The cards of contacts met lately: found again only for an equal contact, whatever place it shares.
#include "addresses/recent_conversions.h"

#include <QTest>

namespace {

Contact named(const QString& name, int line)
{
    Contact c;
    c.line = line;
    c.givenName = name;
    return c;
}

} // namespace

class TestRecentConversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Thousands of other contacts take the places the kept ones are in: each finds nothing, and the kept contact is
    // found again on another line only while nothing took its place.
    void findsOnlyAnEqualContact()
    {
        RecentConversions recent;
        QVERIFY(!recent.find(named("Anna", 2)));
        ConvertedCard anna;
        anna.card.setValue(AddressCard::Nome, QStringLiteral("Anna"));
        recent.keep(named("Anna", 2), anna);
        const ConvertedCard* found = recent.find(named("Anna", 9));
        QVERIFY(found);
        QCOMPARE(found->card.value(AddressCard::Nome), QStringLiteral("Anna"));

        Contact withNote = named("Anna", 3);
        withNote.notes << QStringLiteral("nota");
        QVERIFY(!recent.find(withNote));

        bool replaced = false;
        for (int i = 0; i < 20000; ++i) {
            const Contact other = named(QStringLiteral("Altro %1").arg(i), 10 + i);
            QVERIFY(!recent.find(other));
            ConvertedCard card;
            card.card.setValue(AddressCard::Nome, other.givenName);
            recent.keep(other, card);
            if (const ConvertedCard* again = recent.find(named("Anna", 5)))
                QCOMPARE(again->card.value(AddressCard::Nome), QStringLiteral("Anna"));
            else
                replaced = true;
        }
        QVERIFY(replaced); // the test reached a contact that shares Anna's place
    }
};

QTEST_GUILESS_MAIN(TestRecentConversions)
#include "test_recent_conversions.moc"
