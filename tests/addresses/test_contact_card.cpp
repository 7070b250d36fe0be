// A contact becomes the card a user would have typed: the Italian envelope block and the card's own text rules.
#include "addresses/contact_card.h"
#include "addresses/contact_text.h"
#include "common/short_string.h"

#include <QTest>

Q_DECLARE_METATYPE(Contact)

namespace {

ContactAddress address(QStringList street, QString code, QString city, QString province, QString country = {},
                       ContactAddress::Kind kind = ContactAddress::Kind::Other)
{
    ContactAddress a;
    a.kind = kind;
    a.streetLines = street;
    a.postalCode = code;
    a.city = city;
    a.province = province;
    a.country = country;
    return a;
}

Contact person(QString given, QString family, QString organisation = {})
{
    Contact c;
    c.givenName = given;
    c.familyName = family;
    c.organisation = organisation;
    return c;
}

} // namespace

class TestContactCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void envelopeBlock_data()
    {
        QTest::addColumn<Contact>("contact");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");

        Contact c = person("Mario", "Rossi");
        c.addresses = {address({"Via Roma 1"}, "00184", "Roma", "RM", "Italia")};
        QTest::newRow("person in Italy") << c << "Rossi Mario"
                                         << QStringList{"Mario Rossi", "Via Roma 1", "00184 Roma RM", "", "", ""};

        c = person("Mario", "Rossi", "Rossi & C. S.n.c.");
        c.prefix = "Geom.";
        c.addresses = {address({"Via Roma 1"}, "00184", "Roma", "RM")};
        QTest::newRow("person and organisation")
            << c << "Rossi Mario"
            << QStringList{"Geom. Mario Rossi", "Rossi & C. S.n.c.", "Via Roma 1", "00184 Roma RM", "", ""};

        c = person("", "", "Comune di Pisa");
        c.addresses = {address({"Via degli Uffizi 1"}, "56125", "Pisa", "PI", "ITALY")};
        QTest::newRow("organisation alone")
            << c << "Comune di Pisa"
            << QStringList{"Comune di Pisa", "Via degli Uffizi 1", "56125 Pisa PI", "", "", ""};

        c = person("Jean", "Dupont");
        c.addresses = {address({"12 rue de Rivoli"}, "75001", "Paris", "", "France")};
        QTest::newRow("foreign country") << c << "Dupont Jean"
                                         << QStringList{
                                                "Jean Dupont", "12 rue de Rivoli", "75001 Paris", "France", "", ""};

        c = person("Anna", "Neri");
        c.addresses = {address({"Contrada Fontana"}, "", "Cefalù", "(PA)")};
        QTest::newRow("missing postal code, province as given")
            << c << "Neri Anna" << QStringList{"Anna Neri", "Contrada Fontana", "Cefalù (PA)", "", "", ""};

        c = person("Anna", "Neri");
        QTest::newRow("no address") << c << "Neri Anna" << QStringList{"Anna Neri", "", "", "", "", ""};

        c = person("Anna", "Neri");
        c.addresses = {address({"Via Casa 1"}, "10100", "Torino", "TO", "", ContactAddress::Kind::Home),
                       address({}, "", "", "", "", ContactAddress::Kind::Preferred),
                       address({"Via Ufficio 2"}, "10121", "Torino", "TO", "", ContactAddress::Kind::Work),
                       address({"Via Altra 3"}, "10122", "Torino", "TO", "", ContactAddress::Kind::Work)};
        QTest::newRow("work before home, empty preferred ignored, first of a kind")
            << c << "Neri Anna" << QStringList{"Anna Neri", "Via Ufficio 2", "10121 Torino TO", "", "", ""};

        c = person("Luigi", "Bassi", "Bassi S.p.A.");
        c.addresses = {address({"Via Lunga 1", "Scala C", "Interno 7", "Casella postale 5"}, "00100", "Roma", "RM",
                               "Città del Vaticano")};
        QTest::newRow("too many lines: the street lines share one")
            << c << "Bassi Luigi"
            << QStringList{"Luigi Bassi",   "Bassi S.p.A.",      "Via Lunga 1", "Scala C, Interno 7, Casella postale 5",
                           "00100 Roma RM", "Città del Vaticano"};

        c = Contact{};
        c.fullName = "Dott. Ugo Sala";
        QTest::newRow("full name only") << c << "Dott. Ugo Sala" << QStringList{"Dott. Ugo Sala", "", "", "", "", ""};

        c = Contact{};
        c.fullName = "ACME srl";
        c.organisation = "Acme SRL";
        QTest::newRow("full name repeating the organisation")
            << c << "Acme SRL" << QStringList{"Acme SRL", "", "", "", "", ""};

        c = Contact{};
        c.cardName = "Zia Pina";
        c.cardLines = {"Sig.ra Giuseppina Russo", "", "Via Etnea 4", "95124 Catania CT", "", ""};
        QTest::newRow("the card's own columns, kept in place")
            << c << "Zia Pina" << QStringList{"Sig.ra Giuseppina Russo", "", "Via Etnea 4", "95124 Catania CT", "", ""};
    }

    void envelopeBlock()
    {
        QFETCH(Contact, contact);
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        const AddressCard card = ContactCard::convert(contact);
        QCOMPARE(card.value(AddressCard::Nome), name);
        QStringList got;
        for (int i = 0; i < 6; ++i)
            got << card.value(AddressCard::Rigo01 + i);
        QCOMPARE(got, lines);
    }

    void fieldsHoldWhatTheyStore()
    {
        Contact c = person(QStringLiteral("  Ἀλέξανδρος "), QString(300, u'x'));
        c.notes = {QStringLiteral("prima riga\r\n\tseconda riga"), QStringLiteral(" terza ")};
        c.categories = {QStringLiteral(" Clienti "), QStringLiteral("Σ")};
        c.addresses = {address({QStringLiteral("Via   Larga 2  ")}, "20100", "Milano", "MI")};
        const AddressCard card = ContactCard::convert(c);

        // Cut at 250, the Greek letters as windows-1252's '?', blanks inside kept, line breaks as one blank.
        QCOMPARE(card.value(AddressCard::Nome), QString(250, u'x'));
        QCOMPARE(card.value(AddressCard::Rigo01), QStringLiteral("?????????? ") + QString(239, u'x'));
        QCOMPARE(card.value(AddressCard::Rigo02), QStringLiteral("Via   Larga 2"));
        QCOMPARE(card.value(AddressCard::Note), QStringLiteral("prima riga seconda riga terza"));
        QCOMPARE(card.value(AddressCard::Tipo), QStringLiteral("Clienti, ?"));
        // Every field reads back from the archive exactly as the card holds it.
        const AddressCard back = AddressCard::fromBytes(card.toBytes().constData());
        QCOMPARE(back, card);
    }

    // A text is cut, and named as cut, only when its stored characters outrun the field's 250.
    void cutFieldsAreNamed_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("cut");
        QTest::newRow("nothing long") << "breve"
                                      << "Rossi"
                                      << "";
        QTest::newRow("exactly the width") << QString(250, u'n') << "Rossi"
                                           << "";
        QTest::newRow("a long note") << QString(251, u'n') << "Rossi"
                                     << "Note";
        QTest::newRow("line breaks that become one blank")
            << QString(200, u'n') + QStringLiteral("\r\n").repeated(60) + QStringLiteral("x") << "Rossi"
            << "";
        QTest::newRow("decomposed accents that compose to fit") << QStringLiteral("e\u0301").repeated(250) << "Rossi"
                                                                << "";
        QTest::newRow("ligatures that grow beyond it") << QStringLiteral("\uFB03").repeated(100) << "Rossi"
                                                       << "Note";
        QTest::newRow("a long family name: the card's name and first line")
            << "breve" << QString(260, u'r') << "Nome etichetta, Rigo 1";
    }
    void cutFieldsAreNamed()
    {
        QFETCH(QString, note);
        QFETCH(QString, family);
        QFETCH(QString, cut);
        Contact c = person(QStringLiteral("Mario"), family);
        c.notes = {note};
        QString got = QStringLiteral("not set");
        const AddressCard card = ContactCard::convert(c, nullptr, nullptr, &got);
        QCOMPARE(got, cut);
        QVERIFY(card.value(AddressCard::Note).size() <= 250);
    }

    // Texts of megabytes are kept only as far as they decide what is stored: what is stored is the same as for the
    // whole text, also where composing joins a letter and its marks.
    void longTextsStoreAsTheyWould_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a long name") << QString(100000, u'n');
        QTest::newRow("decomposed accents") << QStringLiteral("e\u0301").repeated(30000);
        QTest::newRow("two marks a letter") << QStringLiteral("e\u0323\u0302").repeated(30000);
        QTest::newRow("blanks at the cut") << QString(3990, u'a') + QString(50, u' ') + QString(5000, u'b');
        QTest::newRow("line breaks and controls")
            << QStringLiteral(" \r\n\t") + QStringLiteral("x\r\n\u0001y ").repeated(20000) + QStringLiteral("\n ");
        QTest::newRow("a long run of controls") << QStringLiteral("a") + QString(10000, QChar(1)) + QStringLiteral("b");
    }

    void longTextsStoreAsTheyWould()
    {
        QFETCH(QString, text);
        Contact c = person(text, QStringLiteral("Rossi"));
        c.notes = {text, QStringLiteral("fine")};
        c.addresses = {address({text}, "00184", text, "RM")};
        const AddressCard card = ContactCard::convert(c);
        // Each part is made one line and trimmed whole, then joined and stored.
        const QString part = ContactText::cleaned(text);
        QCOMPARE(card.value(AddressCard::Nome), ShortString::stored(QStringLiteral("Rossi ") + part, 250));
        QCOMPARE(card.value(AddressCard::Rigo01), ShortString::stored(part + QStringLiteral(" Rossi"), 250));
        QCOMPARE(card.value(AddressCard::Rigo02), ShortString::stored(part, 250));
        QCOMPARE(card.value(AddressCard::Rigo03),
                 ShortString::stored(QStringLiteral("00184 ") + part + QStringLiteral(" RM"), 250));
        QCOMPARE(card.value(AddressCard::Note), ShortString::stored(part + QStringLiteral(" fine"), 250));
    }

    void withoutNameOrOrganisationTheNameIsEmpty()
    {
        Contact c;
        c.notes = {QStringLiteral("solo una nota")};
        c.addresses = {address({"Via Roma 1"}, "00184", "Roma", "RM")};
        QCOMPARE(ContactCard::convert(c).value(AddressCard::Nome), QString());
        c.organisation = QStringLiteral(" \t ");
        QCOMPARE(ContactCard::convert(c).value(AddressCard::Nome), QString());
    }

    void italyByAnyOfItsNames_data()
    {
        QTest::addColumn<QString>("country");
        QTest::addColumn<bool>("italy");
        QTest::newRow("Italia") << "Italia" << true;
        QTest::newRow("ITALY") << " ITALY " << true;
        QTest::newRow("IT") << "it" << true;
        QTest::newRow("San Marino") << "San Marino" << false;
        QTest::newRow("Italia Nord (not a country name)") << "Italia Nord" << false;
    }
    void italyByAnyOfItsNames()
    {
        QFETCH(QString, country);
        QFETCH(bool, italy);
        QCOMPARE(ContactCard::isItaly(country), italy);
    }
};

QTEST_GUILESS_MAIN(TestContactCard)
#include "test_contact_card.moc"
