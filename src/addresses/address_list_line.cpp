#include "addresses/address_list_line.h"

#include "common/text.h"

namespace {

const QString kTipo = QStringLiteral("  Tipo: ");
const QString kNote = QStringLiteral("  Note: ");

QString lineOf(const QString& nome, const QString& tipo, const QString& note)
{
    QString out;
    out.reserve(84 + note.size());
    Text::appendFitted(out, Text::trimmed(nome), 40);
    out.append(kTipo);
    Text::appendFitted(out, Text::trimmed(tipo), 28);
    out.append(kNote);
    out.append(Text::trimmed(note));
    return out;
}

// Reads one field of a raw record without decoding the other fourteen.
QString field(const char* record, AddressCard::Field f)
{
    return AddressCard::readField(record, f);
}

} // namespace

namespace AddressList {

QString line(const AddressCard& card)
{
    return lineOf(card.value(AddressCard::Nome), card.value(AddressCard::Tipo), card.value(AddressCard::Note));
}

bool isListed(const AddressCard& card)
{
    return !Text::trimmed(card.value(AddressCard::Nome)).isEmpty();
}

void load(const QString& programFolder, QList<ListEntry>& entries)
{
    try {
        AddressCardFile file(programFolder);
        file.scanRaw([&](int number, const char* record) {
            const QString nome = field(record, AddressCard::Nome);
            if (!nome.isEmpty())
                entries.append(
                    {lineOf(nome, field(record, AddressCard::Tipo), field(record, AddressCard::Note)), number});
        });
    } catch (...) {
        ListOrder::sort(entries);
        throw;
    }
    ListOrder::sort(entries);
}

std::optional<Match> lastCardWithLine(const QString& programFolder, const QString& text)
{
    const QString wanted = Text::trimmed(text);
    std::optional<Match> match;
    AddressCardFile file(programFolder);
    file.scan([&](int number, const AddressCard& card) {
        if (Text::trimmed(line(card)) == wanted)
            match = Match{number, card};
    });
    return match;
}

} // namespace AddressList
