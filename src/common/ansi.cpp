#include "common/ansi.h"

#include <algorithm>
#include <array>

namespace {

// 0x80..0x9F; 0 marks the five bytes that windows-1252 leaves undefined.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

namespace Ansi {

namespace {

// The byte of a character in 0x80..0x9F, or 0 when there is none.
char highByte(char16_t u)
{
    // The five undefined bytes stand for the control of the same value, so that reading and saving keeps them.
    if (u >= 0x80 && u <= 0x9F && kHighTable[u - 0x80] == 0)
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i)
        if (kHighTable[i] != 0 && kHighTable[i] == u)
            return static_cast<char>(0x80 + i);
    return 0;
}

} // namespace

bool canEncode(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 || (u >= 0xA0 && u <= 0xFF) || highByte(u) != 0;
}

char encodeChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    const char b = highByte(u);
    return b != 0 ? b : '?';
}

QByteArray fromUnicode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A surrogate pair is one character outside the code page: one '?', not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        out.append(encodeChar(c));
    }
    return out;
}

namespace {

// The character of every byte; the five bytes windows-1252 leaves undefined map to the C1 control of the same
// value, as the platform's conversion does, and back.
const std::array<char16_t, 256> kDecode = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = (b >= 0x80 && b <= 0x9F && kHighTable[b - 0x80] != 0) ? kHighTable[b - 0x80] : char16_t(b);
    return t;
}();

} // namespace

QChar* decodeTo(QChar* out, QByteArrayView bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(kDecode[b[i]]);
    return out + bytes.size();
}

QChar* decodeFittedTo(QChar* out, QByteArrayView bytes, int width)
{
    out = decodeTo(out, bytes.first(std::min<qsizetype>(bytes.size(), width)));
    for (qsizetype i = bytes.size(); i < width; ++i)
        *out++ = QChar(u' ');
    return out;
}

QString toUnicode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString(); // no allocation for the many empty fields
    QString out(bytes.size(), Qt::Uninitialized);
    decodeTo(out.data(), bytes);
    return out;
}

} // namespace Ansi
