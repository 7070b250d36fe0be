#pragma once

#include "addresses/contact.h"

#include <QByteArray>

#include <functional>

// Contact files (vCard 2.1, 3.0 and 4.0), one or many cards in a file.
namespace VCardReader {

// True when a line of the file is BEGIN:VCARD, whatever lines come before it.
bool looksLikeVCard(QByteArrayView bytes);

// Every card of the file in the order their END:VCARD lines come (a card nested in another is one of its own, 2.1's
// AGENT is not). Folded lines, escapes, 2.1's CHARSET and QUOTED-PRINTABLE are undone; in a UTF-16 or marked UTF-8
// file CHARSET is ignored, otherwise a value without one is UTF-8 when it is valid UTF-8, else windows-1252. A card
// left without END:VCARD, an END:VCARD without its BEGIN, or cards nested a hundred deep, throw ContactFileError with
// the line.
QList<Contact> read(const QByteArray& bytes);
// The same, each card handed to `visit` as its END:VCARD comes: a file of a million cards never lives as a list.
// Cards before a fault in the file are visited before the throw.
void read(const QByteArray& bytes, const std::function<void(Contact&& contact)>& visit);
// How many cards read() gives, throwing as it does, with only the lines that open and close cards looked into.
qsizetype check(const QByteArray& bytes);

} // namespace VCardReader
