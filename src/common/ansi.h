#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The archives store text in windows-1252. We carry our own table so the files read the same on any system.
namespace Ansi {

// Characters windows-1252 cannot represent become '?'.
QByteArray fromUnicode(QStringView text);
QString toUnicode(QByteArrayView bytes);
// Appends the converted bytes to `out`.
void appendUnicode(QString& out, QByteArrayView bytes);
// Appends the converted bytes padded with blanks, or cut, to exactly `width` characters (one per byte).
void appendUnicodeFitted(QString& out, QByteArrayView bytes, int width);

// The byte for one character, or '?' when it has none.
char encodeChar(QChar c);
// True when the character has a windows-1252 byte of its own.
bool canEncode(QChar c);

} // namespace Ansi
