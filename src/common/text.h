#pragma once

#include <QString>

namespace Text {

// Removes characters with codes up to 32 (blanks and controls) at both ends.
QString trimmed(QStringView text);

// Upper-cases only the letters a to z; accented letters keep their case.
QString upperAscii(QStringView text);

// Lower-cases only the letters A to Z; accented letters keep their case.
QString lowerAscii(QStringView text);

// Appends the text padded with blanks on the right, or cut, to exactly `width` characters (the list lines' columns).
void appendFitted(QString& out, QStringView text, int width);

} // namespace Text
