#pragma once

#include "addresses/contact.h"

#include <QByteArray>

// Contact files (vCard 2.1, 3.0 and 4.0), one or many cards in a file.
namespace VCardReader {

// True when the first line with text is BEGIN:VCARD.
bool looksLikeVCard(QByteArrayView bytes);

// Every card of the file in file order. Folded lines, escapes, 2.1's CHARSET and QUOTED-PRINTABLE are undone; a
// value without a CHARSET is UTF-8 when it is valid UTF-8, otherwise windows-1252. A card left without END:VCARD,
// or an END:VCARD without its BEGIN, throws ContactFileError with the line.
QList<Contact> read(const QByteArray& bytes);

} // namespace VCardReader
