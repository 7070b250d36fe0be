#include "common/text.h"

#include <QLocale>

namespace Text {

QString trimmed(QStringView text)
{
    return trimmedView(text).toString();
}

QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

QString count(qint64 n)
{
    static const QLocale kItalian(QLocale::Italian, QLocale::Italy);
    return kItalian.toString(n);
}

QString upperAscii(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

QString lowerAscii(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return out;
}

void appendFitted(QString& out, QStringView text, int width)
{
    if (text.size() >= width) {
        out.append(text.first(width));
    } else {
        out.append(text);
        out.resize(out.size() + width - text.size(), u' ');
    }
}

} // namespace Text
