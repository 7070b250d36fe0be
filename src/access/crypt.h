#pragma once

#include <QString>

// The text scrambler of the password store. Works on characters 0..255 and texts of at most 255 characters.
namespace Crypt {

QString scrambleToHex(const QString& plain);
// An odd trailing digit is ignored. Sets *ok to false (and returns an empty text) when a pair is not hexadecimal.
QString unscrambleFromHex(const QString& hex, bool* ok = nullptr);

// True when scrambling keeps the text intact: at most 255 characters, none above code 255.
bool canHold(const QString& plain);

} // namespace Crypt
