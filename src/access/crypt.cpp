#include "access/crypt.h"

#include <cstdint>

namespace {

constexpr uint16_t kStartKey = 0x5A3C;
constexpr uint16_t kMultiplier = 0x6D2B;
constexpr uint16_t kIncrement = 0x3E81;

uint16_t advance(uint16_t key, uint8_t x)
{
    return static_cast<uint16_t>((uint32_t(x) + key) * kMultiplier + kIncrement);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

namespace Crypt {

QString scrambleToHex(const QString& plain)
{
    static const char kDigits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(plain.size() * 2);
    uint16_t key = kStartKey;
    for (QChar ch : plain) {
        const uint8_t c = static_cast<uint8_t>(ch.unicode() & 0xFF);
        const uint8_t x = c ^ static_cast<uint8_t>(key >> 8);
        out.append(QLatin1Char(kDigits[x >> 4]));
        out.append(QLatin1Char(kDigits[x & 0xF]));
        key = advance(key, x);
    }
    return out;
}

QString unscrambleFromHex(const QString& hex, bool* ok)
{
    if (ok)
        *ok = true;
    QString out;
    const qsizetype pairs = hex.size() / 2;
    out.reserve(pairs);
    uint16_t key = kStartKey;
    for (qsizetype i = 0; i < pairs; ++i) {
        const int hi = hexDigit(hex[2 * i]);
        const int lo = hexDigit(hex[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            if (ok)
                *ok = false;
            return QString();
        }
        const uint8_t x = static_cast<uint8_t>(hi * 16 + lo);
        out.append(QChar(char16_t(x ^ static_cast<uint8_t>(key >> 8))));
        key = advance(key, x);
    }
    return out;
}

bool canHold(const QString& plain)
{
    if (plain.size() > 255)
        return false;
    for (QChar c : plain)
        if (c.unicode() > 255)
            return false;
    return true;
}

} // namespace Crypt
