#include "addresses/address_list_line.h"

#include "common/ansi.h"
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

// Built straight from the stored bytes into a string of the final size, which keeps the list of a large archive
// quick to fill.
QString lineOfRecord(const char* record, QByteArrayView nome)
{
    const QByteArrayView note = AddressCard::fieldBytes(record, AddressCard::Note);
    QString out(40 + kTipo.size() + 28 + kNote.size() + note.size(), Qt::Uninitialized);
    QChar* d = Ansi::decodeFittedTo(out.data(), nome, 40);
    d = Text::copyTo(d, kTipo);
    d = Ansi::decodeFittedTo(d, AddressCard::fieldBytes(record, AddressCard::Tipo), 28);
    d = Text::copyTo(d, kNote);
    Ansi::decodeTo(d, note);
    return out;
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
    ListOrder::Builder list;
    for (ListEntry& e : entries)
        list.add(std::move(e));
    try {
        AddressCardFile file(programFolder);
        list.reserve(list.size() + file.count());
        const auto addListed = [&](int number, const char* record) {
            const QByteArrayView nome = AddressCard::fieldBytes(record, AddressCard::Nome);
            if (!nome.isEmpty())
                list.add({lineOfRecord(record, nome), number});
        };
        file.scanRaw(addListed);
    } catch (...) {
        entries = list.take();
        throw;
    }
    entries = list.take();
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
