#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The archives store text in windows-1252. We carry our own table so the files read the same on any system.
namespace Ansi {

// Characters windows-1252 cannot represent become '?'. The five bytes it leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) read as U+0081 and so on and are written back as the same bytes, so no stored byte changes in a round trip.
QByteArray fromUnicode(QStringView text);
QString toUnicode(QByteArrayView bytes);
// Write the converted bytes (one character per byte) into room the caller has sized, the second padded with blanks
// or cut to exactly `width` characters; they return the position after what they wrote.
QChar* decodeTo(QChar* out, QByteArrayView bytes);
QChar* decodeFittedTo(QChar* out, QByteArrayView bytes, int width);

// The byte for one character, or '?' when it has none.
char encodeChar(QChar c);
// True when the character has a windows-1252 byte of its own.
bool canEncode(QChar c);

} // namespace Ansi
