#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The archives store text in windows-1252. We carry our own table so the files read the same on any system.
namespace Ansi {

// The one rule for text that enters an archive: composed first (NFC), then a Latin letter windows-1252 lacks becomes
// its base letter (ř to r, Ł to L) and a typographic sign its plain twin (‐ to -, ′ to '). What is left that
// windows-1252 cannot hold (Cyrillic, Chinese...) stays as it is, for unstorable() to name.
QString storable(QStringView text);
// The characters of `text` that are lost even after storable(), each once, in the order met; empty when none.
QString unstorable(QStringView text);
// Each character for a message, with its code, so a reader can tell look-alikes apart: "«Д» (U+0414), «中» (U+4E2D)".
QString named(QStringView characters);
// What storable() replaces in `text`, each character once in the order met, with what it becomes: "«ř» → «r»,
// «Ł» → «L»"; empty when nothing is replaced. Composing alone (a decomposed "à") changes nothing a reader sees.
QString replacements(QStringView text);
// True when every character has a windows-1252 byte as it is, with nothing to compose or replace.
bool isPlain(QStringView text);

// storable() first; the characters windows-1252 still cannot represent then become '?'. The five bytes it leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+0081 and so on and are written back as the same bytes, so no
// stored byte changes in a round trip.
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
