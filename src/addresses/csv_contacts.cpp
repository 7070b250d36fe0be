#include "addresses/csv_contacts.h"

#include "common/text.h"

#include <QHash>
#include <QRegularExpression>
#include <QVarLengthArray>

#include <algorithm>
#include <iterator>

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

// Every field, in the order a user chooses from, with its Italian name and, for a field that only gathers words,
// the text they go to.
struct FieldInfo
{
    Field field;
    QStringView name;
    QString Contact::*word = nullptr;
    QString ContactAddress::*addressWord = nullptr;
};

constexpr FieldInfo kFieldInfo[] = {
    {Field::None, u"(non importare)"},
    {Field::CardName, u"Nome etichetta", &Contact::cardName},
    {Field::Prefix, u"Titolo", &Contact::prefix},
    {Field::GivenName, u"Nome", &Contact::givenName},
    {Field::MiddleName, u"Secondo nome", &Contact::middleName},
    {Field::FamilyName, u"Cognome", &Contact::familyName},
    {Field::Suffix, u"Suffisso", &Contact::suffix},
    {Field::FullName, u"Nome completo", &Contact::fullName},
    {Field::Organisation, u"Ragione sociale", &Contact::organisation},
    {Field::Street, u"Indirizzo"},
    {Field::PostalCode, u"CAP", nullptr, &ContactAddress::postalCode},
    {Field::City, u"Città", nullptr, &ContactAddress::city},
    {Field::Province, u"Provincia", nullptr, &ContactAddress::province},
    {Field::Country, u"Paese", nullptr, &ContactAddress::country},
    {Field::AddressKind, u"Tipo di indirizzo"},
    {Field::Type, u"Tipo"},
    {Field::Notes, u"Note"},
    {Field::Line1, u"Rigo 1"},
    {Field::Line2, u"Rigo 2"},
    {Field::Line3, u"Rigo 3"},
    {Field::Line4, u"Rigo 4"},
    {Field::Line5, u"Rigo 5"},
    {Field::Line6, u"Rigo 6"},
};

// The table is indexed by the field's value, up to Line6, the last field.
constexpr bool indexedByField()
{
    for (std::size_t i = 0; i < std::size(kFieldInfo); ++i)
        if (std::size_t(kFieldInfo[i].field) != i)
            return false;
    return std::size(kFieldInfo) == std::size_t(Field::Line6) + 1;
}
static_assert(indexedByField(), "kFieldInfo needs one row per field, in the enum's order");

const FieldInfo& info(Field field)
{
    return kFieldInfo[std::size_t(field)];
}

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

// Each line of a cell, as split by \r\n, \r or \n.
template <typename Visit> void forEachLine(QStringView text, const Visit& visit)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        visit(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    visit(text.sliced(start));
}

void appendWord(QString& to, const QString& word)
{
    const QStringView trimmed = Text::trimmedView(word);
    if (trimmed.isEmpty())
        return;
    if (to.isEmpty() && trimmed.size() == word.size()) {
        to = word; // shared, not copied: most cells are one word already trimmed
        return;
    }
    if (!to.isEmpty())
        to.append(u' ');
    to.append(trimmed);
}

} // namespace

const QList<Field>& fields()
{
    static const QList<Field> kFields = [] {
        QList<Field> out;
        for (const FieldInfo& info : kFieldInfo)
            out.append(info.field);
        return out;
    }();
    return kFields;
}

QString fieldName(Field field)
{
    return info(field).name.toString();
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
    Contact c;
    c.line = row.line;
    QVarLengthArray<int, 8> groups; // the group of each of c.addresses
    const auto address = [&](int group) -> ContactAddress& {
        const auto it = std::find(groups.cbegin(), groups.cend(), group);
        if (it != groups.cend())
            return c.addresses[it - groups.cbegin()];
        groups.append(group);
        ContactAddress& a = c.addresses.emplace_back();
        a.kind = kindOfGroup(group);
        return a;
    };
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Column& col = columns[i];
        static const QString kNone;
        const QString& cell = i < row.cells.size() ? row.cells[i] : kNone;
        switch (col.field) {
        case Field::None:
            break;
        case Field::CardName:
        case Field::Prefix:
        case Field::GivenName:
        case Field::MiddleName:
        case Field::FamilyName:
        case Field::Suffix:
        case Field::FullName:
        case Field::Organisation:
            appendWord(c.*info(col.field).word, cell);
            break;
        case Field::PostalCode:
        case Field::City:
        case Field::Province:
        case Field::Country:
            appendWord(address(col.group).*info(col.field).addressWord, cell);
            break;
        case Field::Street:
            forEachLine(cell, [&](QStringView l) {
                if (!Text::trimmedView(l).isEmpty())
                    address(col.group).streetLines.append(Text::trimmed(l));
            });
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
        case Field::Line1:
        case Field::Line2:
        case Field::Line3:
        case Field::Line4:
        case Field::Line5:
        case Field::Line6:
            c.cardLines.resize(6);
            c.cardLines[int(col.field) - int(Field::Line1)] = cell;
            break;
        }
    }
    return c;
}

} // namespace CsvContacts
