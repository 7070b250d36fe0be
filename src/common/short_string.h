#pragma once

#include <QByteArrayView>
#include <QString>

// A fixed-width short string: one length byte, then `width` bytes of windows-1252 text.
namespace ShortString {

// Reads the field at `data` (width + 1 bytes). A length byte above the width reads as the full width,
// so a damaged record never bleeds one field into the next.
QString read(const char* data, int width);

// The stored bytes of the field at `data`, trimmed as read() trims them (bytes up to 32 are exactly the windows-1252
// characters with codes up to 32), without decoding them: for readers that only compare or copy.
QByteArrayView bytes(const char* data, int width);

// Writes the field at `data` (width + 1 bytes): trimmed, converted, cut to width (and trimmed again where the cut
// ends on blanks), the rest zeros.
void write(char* data, int width, const QString& text);

// What bytes() would give of the field write() makes, written into `room` (width + 1 bytes) without its padding.
QByteArrayView storedBytes(char* room, int width, const QString& text);

// The text as it would read back after being stored in a field of this width.
QString stored(const QString& text, int width);

} // namespace ShortString
