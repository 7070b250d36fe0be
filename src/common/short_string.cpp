#include "common/short_string.h"

#include "common/ansi.h"
#include "common/text.h"

#include <algorithm>
#include <cstring>

namespace ShortString {

QByteArrayView bytes(const char* data, int width)
{
    const int length = std::min<int>(static_cast<unsigned char>(data[0]), width);
    const auto* begin = reinterpret_cast<const unsigned char*>(data + 1);
    const auto* end = begin + length;
    while (begin < end && *begin <= 32)
        ++begin;
    while (end > begin && end[-1] <= 32)
        --end;
    return QByteArrayView(reinterpret_cast<const char*>(begin), end - begin);
}

QString read(const char* data, int width)
{
    // Trimming the bytes first spares a second copy of the text.
    return Ansi::toUnicode(bytes(data, width));
}

namespace {

// The length byte and the text's bytes, without the zeros after them.
void writeText(char* data, int width, const QString& text)
{
    const QStringView trimmed = Text::trimmedView(text);
    if (Ansi::isPlain(trimmed)) {
        // One byte a character, as most texts are: written in place, and only what fits (every record written goes
        // through here, an import writes millions, and a text may be megabytes long).
        qsizetype size = std::min<qsizetype>(trimmed.size(), width);
        for (qsizetype i = 0; i < size; ++i)
            data[1 + i] = Ansi::encodeChar(trimmed[i]);
        while (size > 0 && static_cast<unsigned char>(data[size]) <= 32)
            data[size--] = 0;
        data[0] = static_cast<char>(size);
        return;
    }
    QByteArray bytes = Ansi::fromUnicode(trimmed);
    if (bytes.size() > width) {
        bytes.truncate(width);
        // A cut can end on blanks or controls that every reader trims: store only what reads back, so a record
        // dumped and stored again keeps its bytes.
        while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) <= 32)
            bytes.chop(1);
    }
    data[0] = static_cast<char>(bytes.size());
    std::memcpy(data + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace

void write(char* data, int width, const QString& text)
{
    std::memset(data, 0, static_cast<size_t>(width) + 1);
    writeText(data, width, text);
}

QByteArrayView storedBytes(char* room, int width, const QString& text)
{
    writeText(room, width, text);
    return bytes(room, width);
}

QString stored(const QString& text, int width)
{
    QByteArray buffer(width + 1, '\0');
    write(buffer.data(), width, text);
    return read(buffer.constData(), width);
}

} // namespace ShortString
