#include "addresses/address_list_line.h"

#include "common/text.h"

namespace AddressList {

// The one builder of the line, for a card in a window and for a record read from the archive alike.
QString lineOf(QStringView nome, QStringView tipo, QStringView note)
{
    QString out;
    out.reserve(84 + note.size());
    Text::appendFitted(out, Text::trimmedView(nome), 40);
    out.append(u"  Tipo: ");
    Text::appendFitted(out, Text::trimmedView(tipo), 28);
    out.append(u"  Note: ");
    out.append(Text::trimmedView(note));
    return out;
}

QString line(const AddressCard& card)
{
    return lineOf(card.value(AddressCard::Nome), card.value(AddressCard::Tipo), card.value(AddressCard::Note));
}

QList<ListEntry> load(const QString& programFolder)
{
    QList<ListEntry> entries;
    AddressCardFile file(programFolder);
    entries.reserve(file.count());
    file.scanRaw([&](int number, const char* record) {
        // Only the three fields of the line are decoded; a stored field is already trimmed.
        const QString nome = AddressCard::readField(record, AddressCard::Nome);
        if (!nome.isEmpty())
            entries.append({lineOf(nome, AddressCard::readField(record, AddressCard::Tipo),
                                   AddressCard::readField(record, AddressCard::Note)),
                            number});
    });
    ListOrder::sort(entries);
    return entries;
}

std::optional<Match> lastCardWithLine(const QString& programFolder, const QString& line)
{
    return ::lastCardWithLine(AddressCardFile(programFolder), line, AddressList::line);
}

} // namespace AddressList
