#pragma once

#include "addresses/contact.h"

#include <QByteArray>

// Contact files (vCard 2.1, 3.0 and 4.0), one or many cards in a file.
namespace VCardReader {

// True when a line of the file is BEGIN:VCARD, whatever lines come before it.
bool looksLikeVCard(QByteArrayView bytes);

// Every card of the file in the order their END:VCARD lines come (a card nested in another is one of its own, 2.1's
// AGENT is not). Folded lines, escapes, 2.1's CHARSET and QUOTED-PRINTABLE are undone; in a UTF-16 or marked UTF-8
// file CHARSET is ignored, otherwise a value without one is UTF-8 when it is valid UTF-8, else windows-1252. A card
// left without END:VCARD, or an END:VCARD without its BEGIN, throws ContactFileError with the line.
QList<Contact> read(const QByteArray& bytes);

} // namespace VCardReader
