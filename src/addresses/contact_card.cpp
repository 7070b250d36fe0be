#include "addresses/contact_card.h"

#include "addresses/contact_text.h"
#include "common/ansi.h"
#include "common/short_string.h"
#include "common/text.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

constexpr int kLines = 6;
constexpr int kWidth = 250;

// A field keeps its first kWidth characters. The text that decides them is at most a few times longer (composing
// joins a letter and its marks), so a text is kept only far beyond that: a name of megabytes is not copied whole at
// each join, and what is stored stays the same.
constexpr qsizetype kDecidingChars = 16 * kWidth;

QString clean(const QString& text)
{
    return text.size() <= kDecidingChars ? ContactText::cleaned(text) : ContactText::cleanedStart(text, kDecidingChars);
}

// ContactText::joined over the parts, each cleaned and kept as clean() keeps it; a part alone is shared, not copied.
template <typename Parts> QString joinedClean(const Parts& parts, QStringView separator)
{
    QString out;
    for (const QString& part : parts) {
        QString p = ContactText::cleaned(clean(part));
        if (p.isEmpty())
            continue;
        if (out.isEmpty())
            out = std::move(p);
        else
            out.append(separator).append(p);
    }
    return out;
}

// The parts that hold text, already clean, joined by blanks; a part alone is shared, not copied.
QString words(std::initializer_list<const QString*> parts)
{
    const QString* only = nullptr;
    qsizetype count = 0;
    for (const QString* part : parts)
        if (!part->isEmpty() && count++ == 0)
            only = part;
    if (count <= 1)
        return only ? *only : QString();
    QString out;
    for (const QString* part : parts) {
        if (part->isEmpty())
            continue;
        if (!out.isEmpty())
            out.append(u' ');
        out.append(*part);
    }
    return out;
}

// The names of a contact, each cleaned once for the several places that use it.
struct Names
{
    explicit Names(const Contact& c)
        : prefix(clean(c.prefix)), given(clean(c.givenName)), middle(clean(c.middleName)), family(clean(c.familyName)),
          suffix(clean(c.suffix)), fullName(clean(c.fullName)), organisation(clean(c.organisation)),
          cardName(clean(c.cardName))
    {
    }

    bool hasPersonalName() const { return !given.isEmpty() || !middle.isEmpty() || !family.isEmpty(); }

    // An address book that files a company as a contact repeats its name as the contact's full name.
    bool isPerson() const
    {
        return hasPersonalName() || (!fullName.isEmpty() && fullName.toCaseFolded() != organisation.toCaseFolded());
    }

    QString addressee() const
    {
        if (hasPersonalName())
            return words({&prefix, &given, &middle, &family, &suffix});
        return isPerson() ? fullName : QString();
    }

    QString personLabel() const
    {
        if (hasPersonalName())
            return words({&family, &given, &middle});
        return isPerson() ? fullName : QString();
    }

    QString prefix;
    QString given;
    QString middle;
    QString family;
    QString suffix;
    QString fullName;
    QString organisation;
    QString cardName;
};

const ContactAddress* bestAddress(const Contact& c)
{
    const ContactAddress* best = nullptr;
    for (const ContactAddress& a : c.addresses)
        if (!a.isEmpty() && (!best || a.kind < best->kind))
            best = &a; // strictly better only, so the first of a kind wins
    return best;
}

bool isItalyName(const QString& cleanCountry)
{
    static constexpr QStringView kNames[] = {
        u"italia", u"italy", u"it", u"ita", u"italie", u"italien", u"repubblica italiana"};
    return std::any_of(std::begin(kNames), std::end(kNames), [&](QStringView name) {
        return name.size() == cleanCountry.size() && name.compare(cleanCountry, Qt::CaseInsensitive) == 0;
    });
}

QStringList block(const Contact& c, const Names& names)
{
    QStringList lines;
    lines.reserve(kLines);
    if (c.cardLines.size() == kLines) {
        for (const QString& line : c.cardLines)
            lines.append(clean(line));
        return lines;
    }

    if (QString person = names.addressee(); !person.isEmpty())
        lines.append(std::move(person));
    if (!names.organisation.isEmpty())
        lines.append(names.organisation);
    if (lines.isEmpty() && !names.cardName.isEmpty())
        lines.append(names.cardName); // the card's own name is the best addressee left

    if (const ContactAddress* a = bestAddress(c)) {
        QStringList street;
        for (const QString& line : a->streetLines)
            if (const QString l = clean(line); !l.isEmpty())
                street.append(l);
        QStringList tail;
        const std::reference_wrapper<const QString> townParts[] = {a->postalCode, a->city, a->province};
        const QString town = joinedClean(townParts, u" ");
        if (!town.isEmpty())
            tail.append(town);
        if (const QString country = clean(a->country); !country.isEmpty() && !isItalyName(country))
            tail.append(country);
        // Six lines at most: surplus street lines share the last street line, so the town and country stay.
        const qsizetype room = std::max<qsizetype>(1, kLines - lines.size() - tail.size());
        if (street.size() > room) {
            const QString rest = street.mid(room - 1).join(QStringLiteral(", "));
            street = street.mid(0, room - 1);
            street.append(rest);
        }
        lines += street;
        lines += tail;
    }
    lines.resize(kLines);
    return lines;
}

} // namespace

namespace ContactCard {

bool isItaly(const QString& country)
{
    return isItalyName(clean(country));
}

QStringList envelopeBlock(const Contact& c)
{
    return block(c, Names(c));
}

bool certainlyNameless(const Contact& c)
{
    for (const QString* text : {&c.cardName, &c.givenName, &c.middleName, &c.familyName, &c.fullName, &c.organisation})
        if (!Text::trimmedView(*text).isEmpty())
            return false;
    return true;
}

AddressCard convert(const Contact& c, QString* lost, QString* changed, QString* cut)
{
    // The names the import window gives the fields, in the card's order up to Note.
    static constexpr QStringView kFieldNames[] = {u"Nome etichetta", u"Tipo",   u"Rigo 1", u"Rigo 2", u"Rigo 3",
                                                  u"Rigo 4",         u"Rigo 5", u"Rigo 6", u"Note"};
    static_assert(std::size(kFieldNames) == AddressCard::Note + 1);
    const Names names(c);
    AddressCard card;
    QString texts; // every text before storing, to tell what windows-1252 cannot keep
    if (cut)
        cut->clear();
    // Every text that reaches here is already one line and trimmed. A short text windows-1252 holds reads back as it
    // is, and most texts of a contact are: they skip the round trip through the record's bytes.
    const auto set = [&](int field, const QString& text) {
        if (text.isEmpty())
            return; // as the card already holds it
        const bool plain = Ansi::isPlain(text);
        if ((lost || changed) && !plain)
            texts.append(text).append(u'\n');
        if (plain && text.size() <= kWidth) {
            card.setValue(field, text);
            return;
        }
        card.setValue(field, ShortString::stored(text, kWidth));
        // Cut when its stored bytes outrun the field: a decomposed letter composes into one, a ligature grows.
        if (cut && Ansi::fromUnicode(text).size() > kWidth) {
            if (!cut->isEmpty())
                cut->append(u", ");
            cut->append(kFieldNames[field]);
        }
    };
    QString name = names.cardName;
    if (name.isEmpty())
        name = names.personLabel();
    if (name.isEmpty())
        name = names.organisation;
    set(AddressCard::Nome, name);
    set(AddressCard::Tipo, joinedClean(c.categories, u", "));
    const QStringList lines = block(c, names);
    for (int i = 0; i < kLines; ++i)
        set(AddressCard::Rigo01 + i, lines.value(i));
    set(AddressCard::Note, joinedClean(c.notes, u" "));
    if (lost)
        *lost = Ansi::unstorable(texts);
    if (changed)
        *changed = Ansi::replacements(texts);
    return card;
}

} // namespace ContactCard
