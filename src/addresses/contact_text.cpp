#include "addresses/contact_text.h"

#include "common/ansi.h"
#include "common/text.h"

#include <QStringDecoder>

#include <algorithm>

namespace ContactText {

namespace {

// The length of the valid UTF-8 sequence of more than one byte at `i`, or 0.
int utf8Sequence(QByteArrayView bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0u; };
    const unsigned lead = at(i);
    const auto cont = [&](qsizetype k, unsigned lo = 0x80, unsigned hi = 0xBF) { return at(k) >= lo && at(k) <= hi; };
    if (lead >= 0xC2 && lead <= 0xDF)
        return cont(i + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned lo = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned hi = lead == 0xED ? 0x9F : 0xBF;
        return cont(i + 1, lo, hi) && cont(i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned lo = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned hi = lead == 0xF4 ? 0x8F : 0xBF;
        return cont(i + 1, lo, hi) && cont(i + 2) && cont(i + 3) ? 4 : 0;
    }
    return 0;
}

} // namespace

bool isUtf8(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const int n = utf8Sequence(bytes, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

namespace {

// The character of the valid UTF-8 sequence of `n` bytes at `p`, as one or two UTF-16 units written at `out`; returns
// the position after them.
QChar* decodeSequence(const unsigned char* p, int n, QChar* out)
{
    char32_t u = 0;
    if (n == 2)
        u = (p[0] & 0x1Fu) << 6 | (p[1] & 0x3Fu);
    else if (n == 3)
        u = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
    else
        u = (p[0] & 0x07u) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 | (p[3] & 0x3Fu);
    if (QChar::requiresSurrogates(u)) {
        *out++ = QChar(QChar::highSurrogate(u));
        *out++ = QChar(QChar::lowSurrogate(u));
    } else {
        *out++ = QChar(char16_t(u));
    }
    return out;
}

// UTF-8 whose stray bytes read as windows-1252, or a null string when the bytes hold no UTF-8 sequence at all or more
// stray bytes than sequences (then the whole file is windows-1252). Written in place: a file may hold millions of
// stray bytes.
QString decodeMixed(QByteArrayView bytes, QList<int>* strayLines, qsizetype* strayLineCount)
{
    QString out(bytes.size(), Qt::Uninitialized); // never more characters than bytes
    QChar* to = out.data();
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype sequences = 0;
    qsizetype strays = 0;
    int line = 1;
    int lastStrayLine = 0;
    qsizetype strayLinesSeen = 0;
    QList<int> lines;
    for (qsizetype i = 0; i < bytes.size();) {
        if (b[i] < 0x80) {
            if (b[i] == '\n' || (b[i] == '\r' && !(i + 1 < bytes.size() && b[i + 1] == '\n')))
                ++line;
            *to++ = QChar(char16_t(b[i++]));
            continue;
        }
        if (const int n = utf8Sequence(bytes, i); n > 0) {
            ++sequences;
            to = decodeSequence(b + i, n, to);
            i += n;
            continue;
        }
        ++strays;
        to = Ansi::decodeTo(to, bytes.sliced(i, 1));
        if (lastStrayLine != line) {
            lastStrayLine = line;
            if (++strayLinesSeen <= kListedStrayLines)
                lines.append(line);
        }
        ++i;
    }
    if (sequences == 0 || strays > sequences)
        return QString();
    out.truncate(to - out.constData());
    if (strayLines)
        *strayLines = lines;
    if (strayLineCount)
        *strayLineCount = strayLinesSeen;
    return out;
}

// Which byte of the pairs at the start is zero, for UTF-16 written without its mark: Latin text in UTF-16 has a
// zero in every other byte.
FileEncoding unmarkedUtf16(QByteArrayView bytes)
{
    const qsizetype n = std::min<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
    if (n < 4)
        return FileEncoding::Bytes;
    qsizetype evenZeros = 0;
    qsizetype oddZeros = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        evenZeros += bytes[i] == 0;
        oddZeros += bytes[i + 1] == 0;
    }
    const qsizetype pairs = n / 2;
    if (oddZeros * 10 >= pairs * 7 && evenZeros * 20 <= pairs)
        return FileEncoding::Utf16LE;
    if (evenZeros * 10 >= pairs * 7 && oddZeros * 20 <= pairs)
        return FileEncoding::Utf16BE;
    return FileEncoding::Bytes;
}

} // namespace

FileEncoding fileEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return FileEncoding::Utf8Marked;
    if (bytes.startsWith("\xFF\xFE"))
        return FileEncoding::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return FileEncoding::Utf16BE;
    return unmarkedUtf16(bytes);
}

QString decodeFile(QByteArrayView bytes, QList<int>* strayLines, qsizetype* strayLineCount)
{
    if (strayLines)
        strayLines->clear();
    if (strayLineCount)
        *strayLineCount = 0;
    switch (fileEncoding(bytes)) {
    case FileEncoding::Utf8Marked:
        return QString::fromUtf8(bytes.sliced(3));
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE: {
        // Office programs save "Unicode text" as UTF-16, mostly with its mark.
        const bool little = fileEncoding(bytes) == FileEncoding::Utf16LE;
        const bool marked = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
        QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return decoder.decode(marked ? bytes.sliced(2) : bytes);
    }
    case FileEncoding::Bytes:
        break;
    }
    // Decoded once: a file of tens of megabytes is not read twice to learn that it is UTF-8.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    if (QString text = decoder.decode(bytes); !decoder.hasError())
        return text;
    if (QString mixed = decodeMixed(bytes, strayLines, strayLineCount); !mixed.isNull())
        return mixed;
    return Ansi::toUnicode(bytes);
}

QString decodeCharset(QByteArrayView bytes, QStringView charset, bool* known)
{
    if (known)
        *known = true;
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return QString::fromLatin1(bytes);
    const bool utf8 = isUtf8(bytes);
    if (utf8)
        return QString::fromUtf8(bytes);
    const QString name = charset.toString().toLower();
    if (name.isEmpty() || name == u"utf-8" || name == u"utf8" || name == u"iso-8859-1" || name == u"latin1" ||
        name == u"windows-1252" || name == u"cp1252" || name == u"us-ascii" || name == u"ascii")
        return Ansi::toUnicode(bytes); // a superset of Latin-1 for every letter a contact holds
    QStringDecoder decoder(charset.toString().toLatin1().constData());
    if (!decoder.isValid()) {
        if (known)
            *known = false;
        return Ansi::toUnicode(bytes);
    }
    return decoder.decode(bytes);
}

QString singleLine(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool inControls = false;
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() == 0x7F) {
            if (!inControls)
                out.append(u' ');
            inControls = true;
        } else {
            out.append(c);
            inControls = false;
        }
    }
    return out;
}

QString cleaned(const QString& text)
{
    if (text.isEmpty())
        return text;
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 32 || c.unicode() == 0x7F; }))
        return Text::trimmed(singleLine(text));
    const QStringView trimmed = Text::trimmedView(text);
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString cleanedStart(QStringView text, qsizetype maxChars)
{
    const auto blank = [](QChar c) { return c.unicode() <= 32 || c.unicode() == 0x7F; };
    const auto control = [](QChar c) { return c.unicode() < 32 || c.unicode() == 0x7F; };
    QString out;
    out.reserve(std::min(text.size(), maxChars));
    qsizetype i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    bool inControls = false;
    for (; i < text.size() && out.size() < maxChars; ++i) {
        const QChar c = text[i];
        if (!control(c))
            out.append(c);
        else if (!inControls)
            out.append(u' ');
        inControls = control(c);
    }
    if (i == text.size()) // all of it: the end is trimmed as cleaned() trims it
        while (!out.isEmpty() && out.back().unicode() <= 32)
            out.chop(1);
    return out;
}

QString joined(const QStringList& parts, QStringView separator)
{
    QString out;
    for (const QString& part : parts) {
        const QString p = cleaned(part);
        if (p.isEmpty())
            continue;
        if (!out.isEmpty())
            out.append(separator);
        out.append(p);
    }
    return out;
}

} // namespace ContactText
