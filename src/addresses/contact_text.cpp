#include "addresses/contact_text.h"

#include "common/ansi.h"
#include "common/text.h"

#include <QStringDecoder>

namespace ContactText {

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeFile(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // Office programs save "Unicode text" as UTF-16 with its mark.
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return decoder.decode(bytes.sliced(2));
    }
    if (isUtf8(bytes))
        return QString::fromUtf8(bytes);
    return Ansi::toUnicode(bytes);
}

QString decodeCharset(QByteArrayView bytes, QStringView charset, bool utf8Default)
{
    const QString name = charset.toString().toLower();
    if (name == u"utf-8" || name == u"utf8")
        return QString::fromUtf8(bytes);
    if (name == u"iso-8859-1" || name == u"latin1" || name == u"windows-1252" || name == u"cp1252" ||
        name == u"us-ascii" || name == u"ascii")
        return Ansi::toUnicode(bytes); // a superset of Latin-1 for every letter a contact holds
    return utf8Default ? QString::fromUtf8(bytes) : Ansi::toUnicode(bytes);
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

QString joined(const QStringList& parts, QStringView separator)
{
    QString out;
    for (const QString& part : parts) {
        const QString p = Text::trimmed(singleLine(part));
        if (p.isEmpty())
            continue;
        if (!out.isEmpty())
            out.append(separator);
        out.append(p);
    }
    return out;
}

} // namespace ContactText
