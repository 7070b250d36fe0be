#include "addresses/contact_card.h"

#include "addresses/contact_text.h"
#include "common/short_string.h"
#include "common/text.h"

#include <algorithm>

namespace {

constexpr int kLines = 6;

QString words(const QStringList& parts)
{
    return ContactText::joined(parts, u" ");
}

QString clean(const QString& text)
{
    return Text::trimmed(ContactText::singleLine(text));
}

// An address book that files a company as a contact repeats its name as the contact's full name.
bool isPerson(const Contact& c)
{
    if (!words({c.givenName, c.middleName, c.familyName}).isEmpty())
        return true;
    const QString full = clean(c.fullName);
    return !full.isEmpty() && full.toCaseFolded() != clean(c.organisation).toCaseFolded();
}

QString addressee(const Contact& c)
{
    const QString formal = words({c.prefix, c.givenName, c.middleName, c.familyName, c.suffix});
    if (!words({c.givenName, c.middleName, c.familyName}).isEmpty())
        return formal;
    return isPerson(c) ? clean(c.fullName) : QString();
}

QString personLabel(const Contact& c)
{
    const QString label = words({c.familyName, c.givenName, c.middleName});
    if (!label.isEmpty())
        return label;
    return isPerson(c) ? clean(c.fullName) : QString();
}

const ContactAddress* bestAddress(const Contact& c)
{
    const ContactAddress* best = nullptr;
    for (const ContactAddress& a : c.addresses)
        if (!a.isEmpty() && (!best || a.kind < best->kind))
            best = &a; // strictly better only, so the first of a kind wins
    return best;
}

QString stored(const QString& text)
{
    return ShortString::stored(ContactText::singleLine(text), 250);
}

} // namespace

namespace ContactCard {

bool isItaly(const QString& country)
{
    static const QStringList kNames = {QStringLiteral("italia"),
                                       QStringLiteral("italy"),
                                       QStringLiteral("it"),
                                       QStringLiteral("ita"),
                                       QStringLiteral("italie"),
                                       QStringLiteral("italien"),
                                       QStringLiteral("repubblica italiana")};
    return kNames.contains(clean(country).toLower());
}

QStringList envelopeBlock(const Contact& c)
{
    if (c.cardLines.size() == kLines)
        return c.cardLines;

    QStringList head;
    const QString person = addressee(c);
    const QString organisation = clean(c.organisation);
    if (!person.isEmpty())
        head.append(person);
    if (!organisation.isEmpty())
        head.append(organisation);
    if (head.isEmpty() && !clean(c.cardName).isEmpty())
        head.append(clean(c.cardName)); // the card's own name is the best addressee left

    QStringList street;
    QStringList tail;
    if (const ContactAddress* a = bestAddress(c)) {
        for (const QString& line : a->streetLines)
            if (!clean(line).isEmpty())
                street.append(clean(line));
        const QString town = words({a->postalCode, a->city, a->province});
        if (!town.isEmpty())
            tail.append(town);
        if (!clean(a->country).isEmpty() && !isItaly(a->country))
            tail.append(clean(a->country));
    }
    // Six lines at most: surplus street lines share the last street line, so the town and country stay.
    const qsizetype room = std::max<qsizetype>(1, kLines - head.size() - tail.size());
    if (street.size() > room) {
        const QString rest = street.mid(room - 1).join(QStringLiteral(", "));
        street = street.mid(0, room - 1);
        street.append(rest);
    }
    QStringList lines = head + street + tail;
    lines.resize(kLines);
    return lines;
}

AddressCard convert(const Contact& c)
{
    AddressCard card;
    QString name = clean(c.cardName);
    if (name.isEmpty())
        name = personLabel(c);
    if (name.isEmpty())
        name = clean(c.organisation);
    card.setValue(AddressCard::Nome, stored(name));
    card.setValue(AddressCard::Tipo, stored(ContactText::joined(c.categories, u", ")));
    const QStringList block = envelopeBlock(c);
    for (int i = 0; i < kLines; ++i)
        card.setValue(AddressCard::Rigo01 + i, stored(block.value(i)));
    card.setValue(AddressCard::Note, stored(ContactText::joined(c.notes, u" ")));
    return card;
}

} // namespace ContactCard
