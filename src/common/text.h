#pragma once

#include <QString>
#include <algorithm>

namespace Text {

// Removes characters with codes up to 32 (blanks and controls) at both ends.
QString trimmed(QStringView text);
// The same without copying the text.
QStringView trimmedView(QStringView text);

// A count as Italian writes it, thousands apart: "150.000".
QString count(qint64 n);

// Upper-cases only the letters a to z; accented letters keep their case.
QString upperAscii(QStringView text);

// Lower-cases only the letters A to Z; accented letters keep their case.
QString lowerAscii(QStringView text);

// Appends the text padded with blanks on the right, or cut, to exactly `width` characters (the list lines' columns).
void appendFitted(QString& out, QStringView text, int width);

// Copies the text into room the caller has sized; returns the position after it.
inline QChar* copyTo(QChar* out, QStringView text)
{
    std::copy(text.begin(), text.end(), out);
    return out + text.size();
}

// appendFitted into room the caller has sized; returns the position after the `width` characters.
inline QChar* fittedTo(QChar* out, QStringView text, int width)
{
    out = copyTo(out, text.first(std::min<qsizetype>(text.size(), width)));
    for (qsizetype i = text.size(); i < width; ++i)
        *out++ = QChar(u' ');
    return out;
}

} // namespace Text
