#include "common/ansi.h"

#include <QStringList>

#include <QHash>

#include <algorithm>
#include <array>
#include <optional>

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

namespace {

// Latin letters with no decomposition to a base letter, and typographic signs windows-1252 lacks.
const QHash<char32_t, QStringView>& plainTwins()
{
    static const QHash<char32_t, QStringView> kTwins = {
        {U'Ł', u"L"},
        {U'ł', u"l"},
        {U'Đ', u"D"},
        {U'đ', u"d"},
        {U'Ħ', u"H"},
        {U'ħ', u"h"},
        {U'ı', u"i"},
        {U'Ŀ', u"L"},
        {U'ŀ', u"l"},
        {U'Ŧ', u"T"},
        {U'ŧ', u"t"},
        {U'Ŋ', u"N"},
        {U'ŋ', u"n"},
        {U'ĸ', u"k"},
        {U'Ɓ', u"B"},
        {U'ƀ', u"b"},
        {U'Ɨ', u"I"},
        {U'ɨ', u"i"},
        {U'Ƶ', u"Z"},
        {U'ƶ', u"z"},
        {U'Ǥ', u"G"},
        {U'ǥ', u"g"},
        {U'Ĳ', u"IJ"},
        {U'ĳ', u"ij"},
        {U'ŉ', u"n"},
        {U'ſ', u"s"},
        {U'ȷ', u"j"},
        {U'ẞ', u"SS"},
        {U'ﬀ', u"ff"},
        {U'ﬁ', u"fi"},
        {U'ﬂ', u"fl"},
        {U'ﬃ', u"ffi"},
        {U'ﬄ', u"ffl"},
        {U'ﬅ', u"st"},
        {U'ﬆ', u"st"},
        {U'‐', u"-"},
        {U'‑', u"-"},
        {U'‒', u"-"},
        {U'―', u"—"},
        {U'−', u"-"},
        {U'⁃', u"-"},
        {U'′', u"'"},
        {U'″', u"\""},
        {U'‛', u"'"},
        {U'‟', u"\""},
        {U'⁄', u"/"},
        {U'․', u"."},
        {U'‥', u".."},
        {U'‧', u"·"},
        {U'\u2002', u" "},
        {U'\u2003', u" "},
        {U'\u2004', u" "},
        {U'\u2005', u" "},
        {U'\u2006', u" "},
        {U'\u2007', u" "},
        {U'\u2008', u" "},
        {U'\u2009', u" "},
        {U'\u200A', u" "},
        {U'\u202F', u" "},
        {U'\u205F', u" "},
        {U'\u3000', u" "},
        {U'\u200B', u""},
        {U'\u2060', u""},
        {U'\uFEFF', u""},
        // Invisible marks of joining and writing direction, which phones and web pages put around names and numbers.
        {U'\u200C', u""},
        {U'\u200D', u""},
        {U'\u200E', u""},
        {U'\u200F', u""},
        {U'\u202A', u""},
        {U'\u202B', u""},
        {U'\u202C', u""},
        {U'\u202D', u""},
        {U'\u202E', u""},
        {U'\u2066', u""},
        {U'\u2067', u""},
        {U'\u2068', u""},
        {U'\u2069', u""},
        {U'\u061C', u""},
    };
    return kTwins;
}

bool isLatinLetterBlock(char32_t u)
{
    return (u >= 0x0100 && u <= 0x024F) || (u >= 0x1E00 && u <= 0x1EFF) || (u >= 0x2C60 && u <= 0x2C7F) ||
           (u >= 0xA720 && u <= 0xA7FF);
}

bool encodable(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return canEncode(c); });
}

// The replacement of one character windows-1252 lacks, when it has one.
std::optional<QString> twinOf(char32_t u)
{
    const auto& twins = plainTwins();
    if (const auto it = twins.constFind(u); it != twins.cend())
        return it->toString();
    if (!isLatinLetterBlock(u))
        return std::nullopt;
    // The letter without its marks: ř is r with a caron, ǖ is u with two.
    QString base;
    for (QChar c : QString::fromUcs4(&u, 1).normalized(QString::NormalizationForm_D))
        if (!c.isMark())
            base.append(c);
    if (base.isEmpty() || !encodable(base))
        return std::nullopt;
    return base;
}

} // namespace

bool isPlain(QStringView text)
{
    return encodable(text);
}

QString storable(QStringView text)
{
    if (encodable(text))
        return text.toString(); // nothing composes or changes: no mark, no letter outside the code page
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QString out;
    out.reserve(composed.size());
    for (qsizetype i = 0; i < composed.size(); ++i) {
        const QChar c = composed[i];
        if (canEncode(c)) {
            out.append(c);
            continue;
        }
        char32_t u = c.unicode();
        const bool pair = c.isHighSurrogate() && i + 1 < composed.size() && composed[i + 1].isLowSurrogate();
        if (pair)
            u = QChar::surrogateToUcs4(c, composed[i + 1]);
        if (const std::optional<QString> twin = twinOf(u))
            out.append(*twin);
        else
            out.append(composed.sliced(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return out;
}

QString unstorable(QStringView text)
{
    if (encodable(text))
        return QString();
    const QString kept = storable(text);
    QString lost;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (canEncode(kept[i]))
            continue;
        const qsizetype n = kept[i].isHighSurrogate() && i + 1 < kept.size() && kept[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView one = QStringView(kept).sliced(i, n);
        if (!lost.contains(one))
            lost.append(one);
        i += n - 1;
    }
    return lost;
}

QString named(QStringView characters)
{
    QStringList out;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const qsizetype n = characters[i].isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
        const QStringView one = characters.sliced(i, n);
        out.append(
            QStringLiteral("«%1» (U+%2)").arg(one).arg(QString::number(one.toUcs4().value(0), 16).toUpper(), 4, u'0'));
        i += n - 1;
    }
    return out.join(u", ");
}

QString replacements(QStringView text)
{
    if (encodable(text))
        return QString();
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QStringList out;
    for (qsizetype i = 0; i < composed.size(); ++i) {
        if (canEncode(composed[i]))
            continue;
        const bool pair = composed[i].isHighSurrogate() && i + 1 < composed.size() && composed[i + 1].isLowSurrogate();
        const QStringView one = QStringView(composed).sliced(i, pair ? 2 : 1);
        if (const std::optional<QString> twin = twinOf(one.toUcs4().value(0))) {
            // An invisible character is named by its code, as nothing would show between the marks.
            const QString shown = one.size() == 1 && one[0].category() == QChar::Other_Format
                                      ? QStringLiteral("«%1» (U+%2)")
                                            .arg(one)
                                            .arg(QString::number(one[0].unicode(), 16).toUpper(), 4, u'0')
                                      : QStringLiteral("«%1»").arg(one);
            const QString change = QStringLiteral("%1 → «%2»").arg(shown, *twin);
            if (!out.contains(change))
                out.append(change);
        }
        if (pair)
            ++i;
    }
    return out.join(u", ");
}

QByteArray fromUnicode(QStringView input)
{
    const QString folded = encodable(input) ? QString() : storable(input);
    const QStringView text = folded.isNull() ? input : QStringView(folded);
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
