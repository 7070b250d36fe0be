// The contact readers: any bytes as a spreadsheet (CSV) or an address book (vCard). A file is read or refused with
// ContactFileError, never anything else; every contact names a line of the file, and each becomes a card whose
// stored text reads back as it is.
#include "addresses/address_import.h"
#include "addresses/contact_card.h"
#include "addresses/contact_file.h"
#include "common/ansi.h"
#include "fuzz/fuzz_support.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ContactFile file;
    try {
        file = ContactFile::parse(bytes);
    } catch (const ContactFileError& e) {
        Fuzz::check(e.line() >= 0, "a refusal names a negative line");
        return 0;
    }
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    for (const Contact& contact : file.contacts()) {
        Fuzz::check(contact.line >= 1 && contact.line <= lines, "a contact begins outside the file");
        QString lost;
        const AddressCard card = ContactCard::convert(contact, &lost);
        Fuzz::check(AddressCard::fromBytes(card.toBytes().constData()) == card, "a converted card does not read back");
        for (QChar c : lost)
            Fuzz::check(!Ansi::canEncode(c), "a character named lost that windows-1252 holds");
    }
    if (file.format() == ContactFile::Format::Csv && !file.table().header.isEmpty()) {
        // Either reading of the first row keeps every row counted.
        const qsizetype asData = file.firstRowIsData() ? file.contacts().size() : file.contacts().size() + 1;
        file.setFirstRowIsData(!file.firstRowIsData());
        const qsizetype other = file.firstRowIsData() ? file.contacts().size() : file.contacts().size() + 1;
        Fuzz::check(asData == other, "the first row's reading changed the rows counted");
    }
    return 0;
}
