#include "addresses/csv_contacts.h"

#include "common/text.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>

namespace CsvContacts {

namespace {

enum Group
{
    kUnlabelled = 0,
    kWork = 1,
    kHome = 2,
    kOther = 3,
    kNumberedBase = 100, // "Address N - ..." is group 100 + N
};

const QHash<QString, Field>& baseNames()
{
    static const QHash<QString, Field> kNames = {
        {QStringLiteral("nome etichetta"), Field::CardName},
        {QStringLiteral("titolo"), Field::Prefix},
        {QStringLiteral("title"), Field::Prefix},
        {QStringLiteral("name prefix"), Field::Prefix},
        {QStringLiteral("prefix"), Field::Prefix},
        {QStringLiteral("prefisso"), Field::Prefix},
        {QStringLiteral("nome"), Field::GivenName},
        {QStringLiteral("first name"), Field::GivenName},
        {QStringLiteral("firstname"), Field::GivenName},
        {QStringLiteral("given name"), Field::GivenName},
        {QStringLiteral("forename"), Field::GivenName},
        {QStringLiteral("secondo nome"), Field::MiddleName},
        {QStringLiteral("middle name"), Field::MiddleName},
        {QStringLiteral("additional name"), Field::MiddleName},
        {QStringLiteral("cognome"), Field::FamilyName},
        {QStringLiteral("last name"), Field::FamilyName},
        {QStringLiteral("lastname"), Field::FamilyName},
        {QStringLiteral("family name"), Field::FamilyName},
        {QStringLiteral("surname"), Field::FamilyName},
        {QStringLiteral("suffix"), Field::Suffix},
        {QStringLiteral("name suffix"), Field::Suffix},
        {QStringLiteral("suffisso"), Field::Suffix},
        {QStringLiteral("nome completo"), Field::FullName},
        {QStringLiteral("nome e cognome"), Field::FullName},
        {QStringLiteral("nominativo"), Field::FullName},
        {QStringLiteral("nome visualizzato"), Field::FullName},
        {QStringLiteral("name"), Field::FullName},
        {QStringLiteral("full name"), Field::FullName},
        {QStringLiteral("display name"), Field::FullName},
        {QStringLiteral("ragione sociale"), Field::Organisation},
        {QStringLiteral("denominazione"), Field::Organisation},
        {QStringLiteral("azienda"), Field::Organisation},
        {QStringLiteral("società"), Field::Organisation},
        {QStringLiteral("societa"), Field::Organisation},
        {QStringLiteral("ditta"), Field::Organisation},
        {QStringLiteral("ente"), Field::Organisation},
        {QStringLiteral("organizzazione"), Field::Organisation},
        {QStringLiteral("organization"), Field::Organisation},
        {QStringLiteral("organisation"), Field::Organisation},
        {QStringLiteral("organization name"), Field::Organisation},
        {QStringLiteral("company"), Field::Organisation},
        {QStringLiteral("company name"), Field::Organisation},
        {QStringLiteral("extended address"), Field::Street},
        {QStringLiteral("po box"), Field::Street},
        {QStringLiteral("p.o. box"), Field::Street},
        {QStringLiteral("casella postale"), Field::Street},
        {QStringLiteral("cap"), Field::PostalCode},
        {QStringLiteral("c.a.p."), Field::PostalCode},
        {QStringLiteral("codice postale"), Field::PostalCode},
        {QStringLiteral("zip"), Field::PostalCode},
        {QStringLiteral("zip code"), Field::PostalCode},
        {QStringLiteral("zipcode"), Field::PostalCode},
        {QStringLiteral("postal code"), Field::PostalCode},
        {QStringLiteral("postcode"), Field::PostalCode},
        {QStringLiteral("città"), Field::City},
        {QStringLiteral("citta"), Field::City},
        {QStringLiteral("comune"), Field::City},
        {QStringLiteral("località"), Field::City},
        {QStringLiteral("localita"), Field::City},
        {QStringLiteral("city"), Field::City},
        {QStringLiteral("town"), Field::City},
        {QStringLiteral("provincia"), Field::Province},
        {QStringLiteral("prov."), Field::Province},
        {QStringLiteral("prov"), Field::Province},
        {QStringLiteral("sigla provincia"), Field::Province},
        {QStringLiteral("region"), Field::Province},
        {QStringLiteral("state"), Field::Province},
        {QStringLiteral("state/province"), Field::Province},
        {QStringLiteral("paese"), Field::Country},
        {QStringLiteral("nazione"), Field::Country},
        {QStringLiteral("stato"), Field::Country},
        {QStringLiteral("paese/area geografica"), Field::Country},
        {QStringLiteral("country"), Field::Country},
        {QStringLiteral("country/region"), Field::Country},
        {QStringLiteral("tipo"), Field::Type},
        {QStringLiteral("categoria"), Field::Type},
        {QStringLiteral("categorie"), Field::Type},
        {QStringLiteral("gruppo"), Field::Type},
        {QStringLiteral("gruppi"), Field::Type},
        {QStringLiteral("category"), Field::Type},
        {QStringLiteral("categories"), Field::Type},
        {QStringLiteral("group membership"), Field::Type},
        {QStringLiteral("groups"), Field::Type},
        {QStringLiteral("labels"), Field::Type},
        {QStringLiteral("note"), Field::Notes},
        {QStringLiteral("nota"), Field::Notes},
        {QStringLiteral("notes"), Field::Notes},
        {QStringLiteral("annotazioni"), Field::Notes},
    };
    return kNames;
}

bool isAddressField(Field f)
{
    return f == Field::Street || f == Field::PostalCode || f == Field::City || f == Field::Province ||
           f == Field::Country || f == Field::AddressKind;
}

QString normalised(const QString& name)
{
    QString h = name.toLower().simplified();
    h.remove(u'"');
    while (h.endsWith(u':') || h.endsWith(u'*'))
        h.chop(1);
    return h.trimmed();
}

// What a header means once its group marks are taken off.
Field baseField(const QString& base)
{
    static const QRegularExpression kLine(QStringLiteral("^(?:indirizzo )?\\(?(?:rigo|riga) ?0?([1-6])\\)?$"));
    static const QRegularExpression kStreet(QStringLiteral(
        "^(?:indirizzo|via|street|address|address line|street address|indirizzo riga|riga indirizzo)(?: ?[1-9])?$"));
    if (const auto m = kLine.match(base); m.hasMatch())
        return Field(int(Field::Line1) + m.captured(1).toInt() - 1);
    if (kStreet.match(base).hasMatch())
        return Field::Street;
    return baseNames().value(base, Field::None);
}

Column addressColumn(const QString& base, int group)
{
    const Field f = baseField(base);
    return isAddressField(f) ? Column{f, group} : Column{};
}

ContactAddress::Kind kindOfGroup(int group)
{
    switch (group) {
    case kWork:
        return ContactAddress::Kind::Work;
    case kHome:
        return ContactAddress::Kind::Home;
    default:
        return ContactAddress::Kind::Other;
    }
}

// The label an address book gives one address ("Work", "* Home", "Lavoro").
ContactAddress::Kind kindOfLabel(const QString& label)
{
    const QString l = label.trimmed().toLower();
    if (l.startsWith(u'*') || l.contains(QStringLiteral("pref")))
        return ContactAddress::Kind::Preferred;
    if (l.contains(QStringLiteral("work")) || l.contains(QStringLiteral("business")) ||
        l.contains(QStringLiteral("lavoro")) || l.contains(QStringLiteral("ufficio")))
        return ContactAddress::Kind::Work;
    if (l.contains(QStringLiteral("home")) || l.contains(QStringLiteral("casa")) ||
        l.contains(QStringLiteral("abitazione")))
        return ContactAddress::Kind::Home;
    return ContactAddress::Kind::Other;
}

// "* myContacts ::: Amici ::: Clienti" as one address book writes its groups: the starred ones are its own.
QStringList categoriesOf(const QString& cell)
{
    QStringList out;
    for (const QString& part : cell.split(QStringLiteral(":::"))) {
        const QString p = Text::trimmed(part);
        if (!p.isEmpty() && !p.startsWith(QStringLiteral("* ")))
            out.append(p);
    }
    return out;
}

void appendWord(QString& to, const QString& word)
{
    if (Text::trimmedView(word).isEmpty())
        return;
    if (!to.isEmpty())
        to.append(u' ');
    to.append(Text::trimmedView(word));
}

} // namespace

const QList<Field>& fields()
{
    static const QList<Field> kFields = {
        Field::None,     Field::CardName, Field::Prefix,       Field::GivenName, Field::MiddleName, Field::FamilyName,
        Field::Suffix,   Field::FullName, Field::Organisation, Field::Street,    Field::PostalCode, Field::City,
        Field::Province, Field::Country,  Field::AddressKind,  Field::Type,      Field::Notes,      Field::Line1,
        Field::Line2,    Field::Line3,    Field::Line4,        Field::Line5,     Field::Line6,
    };
    return kFields;
}

QString fieldName(Field field)
{
    switch (field) {
    case Field::None:
        return QStringLiteral("(non importare)");
    case Field::CardName:
        return QStringLiteral("Nome etichetta");
    case Field::Prefix:
        return QStringLiteral("Titolo");
    case Field::GivenName:
        return QStringLiteral("Nome");
    case Field::MiddleName:
        return QStringLiteral("Secondo nome");
    case Field::FamilyName:
        return QStringLiteral("Cognome");
    case Field::Suffix:
        return QStringLiteral("Suffisso");
    case Field::FullName:
        return QStringLiteral("Nome completo");
    case Field::Organisation:
        return QStringLiteral("Ragione sociale");
    case Field::Street:
        return QStringLiteral("Indirizzo");
    case Field::PostalCode:
        return QStringLiteral("CAP");
    case Field::City:
        return QStringLiteral("Città");
    case Field::Province:
        return QStringLiteral("Provincia");
    case Field::Country:
        return QStringLiteral("Paese");
    case Field::AddressKind:
        return QStringLiteral("Tipo di indirizzo");
    case Field::Type:
        return QStringLiteral("Tipo");
    case Field::Notes:
        return QStringLiteral("Note");
    case Field::Line1:
        return QStringLiteral("Rigo 1");
    case Field::Line2:
        return QStringLiteral("Rigo 2");
    case Field::Line3:
        return QStringLiteral("Rigo 3");
    case Field::Line4:
        return QStringLiteral("Rigo 4");
    case Field::Line5:
        return QStringLiteral("Rigo 5");
    case Field::Line6:
        return QStringLiteral("Rigo 6");
    }
    return {};
}

Column guess(const QString& headerName)
{
    const QString h = normalised(headerName);
    // One address book numbers its groups: "Address 2 - City", "Organization 1 - Name".
    static const QRegularExpression kNumbered(QStringLiteral("^address ([1-9][0-9]?) - (.+)$"));
    static const QRegularExpression kOrganisation(QStringLiteral("^organi[sz]ation [1-9][0-9]? - (.+)$"));
    // Others lead with the kind ("Business Street 2", "Work City") or, in Italian, end with it ("Via (uff.) 2",
    // "Città ufficio", "Indirizzo di casa").
    static const QRegularExpression kLeading(QStringLiteral("^(home|business|work|other) (.+)$"));
    static const QRegularExpression kTrailing(
        QStringLiteral("^(.+?)(?: di)? \\(?(uff\\.?|ufficio|lavoro|ab\\.?|abitazione|casa|altro)\\)?( [1-9])?$"));

    if (const auto m = kNumbered.match(h); m.hasMatch()) {
        const QString base = m.captured(2);
        const int group = kNumberedBase + m.captured(1).toInt();
        if (base == u"type" || base == u"label")
            return {Field::AddressKind, group};
        return addressColumn(base, group);
    }
    if (const auto m = kOrganisation.match(h); m.hasMatch())
        return m.captured(1) == u"name" ? Column{Field::Organisation, 0} : Column{};
    if (const auto m = kLeading.match(h); m.hasMatch()) {
        const QString kind = m.captured(1);
        const int group = kind == u"home" ? kHome : kind == u"other" ? kOther : kWork;
        return addressColumn(m.captured(2), group);
    }
    const Column plain{baseField(h), kUnlabelled};
    if (plain.field != Field::None)
        return plain;
    if (const auto m = kTrailing.match(h); m.hasMatch()) {
        const QString kind = m.captured(2);
        const int group = kind.startsWith(u"ab") || kind == u"casa" ? kHome : kind == u"altro" ? kOther : kWork;
        return addressColumn(m.captured(1) + m.captured(3), group);
    }
    return {};
}

QList<Column> guessColumns(const QStringList& header)
{
    QList<Column> columns;
    columns.reserve(header.size());
    for (const QString& name : header)
        columns.append(guess(name));
    return columns;
}

Contact contact(const CsvTable::Row& row, const QList<Column>& columns)
{
    static const QRegularExpression kBreaks(QStringLiteral("\r\n|\r|\n"));
    Contact c;
    c.line = row.line;
    QMap<int, qsizetype> groupIndex; // group -> index in c.addresses
    const auto address = [&](int group) -> ContactAddress& {
        auto it = groupIndex.find(group);
        if (it == groupIndex.end()) {
            ContactAddress a;
            a.kind = kindOfGroup(group);
            c.addresses.append(a);
            it = groupIndex.insert(group, c.addresses.size() - 1);
        }
        return c.addresses[*it];
    };
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Column& col = columns[i];
        const QString cell = row.cells.value(i);
        if (col.field >= Field::Line1 && col.field <= Field::Line6) {
            c.cardLines.resize(6);
            c.cardLines[int(col.field) - int(Field::Line1)] = cell;
            continue;
        }
        switch (col.field) {
        case Field::None:
            break;
        case Field::CardName:
            appendWord(c.cardName, cell);
            break;
        case Field::Prefix:
            appendWord(c.prefix, cell);
            break;
        case Field::GivenName:
            appendWord(c.givenName, cell);
            break;
        case Field::MiddleName:
            appendWord(c.middleName, cell);
            break;
        case Field::FamilyName:
            appendWord(c.familyName, cell);
            break;
        case Field::Suffix:
            appendWord(c.suffix, cell);
            break;
        case Field::FullName:
            appendWord(c.fullName, cell);
            break;
        case Field::Organisation:
            appendWord(c.organisation, cell);
            break;
        case Field::Street:
            for (const QString& l : cell.split(kBreaks))
                if (!Text::trimmedView(l).isEmpty())
                    address(col.group).streetLines.append(Text::trimmed(l));
            break;
        case Field::PostalCode:
            appendWord(address(col.group).postalCode, cell);
            break;
        case Field::City:
            appendWord(address(col.group).city, cell);
            break;
        case Field::Province:
            appendWord(address(col.group).province, cell);
            break;
        case Field::Country:
            appendWord(address(col.group).country, cell);
            break;
        case Field::AddressKind:
            if (!Text::trimmedView(cell).isEmpty())
                address(col.group).kind = kindOfLabel(cell);
            break;
        case Field::Type:
            c.categories.append(categoriesOf(cell));
            break;
        case Field::Notes:
            if (!Text::trimmedView(cell).isEmpty())
                c.notes.append(cell);
            break;
        default:
            break;
        }
    }
    return c;
}

} // namespace CsvContacts
