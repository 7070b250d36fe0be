#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Text of contact files, which come from other programs in whatever encoding they chose.
namespace ContactText {

// A whole file: UTF-8 or UTF-16 when it starts with their byte-order mark, UTF-8 when it is valid UTF-8, otherwise
// windows-1252 (what spreadsheet programs write on Western systems). The mark is dropped.
QString decodeFile(QByteArrayView bytes);

// True when the bytes are valid UTF-8 (plain ASCII is).
bool isUtf8(QByteArrayView bytes);

// Bytes in a named character set (a vCard's CHARSET): UTF-8 and the Latin sets are known; an unknown or empty name
// falls back to `utf8Default` ? UTF-8 : windows-1252.
QString decodeCharset(QByteArrayView bytes, QStringView charset, bool utf8Default);

// The text a typed field could hold: every run of line breaks, tabs and other control characters inside it becomes
// one blank. The card's own storing rules (trim, windows-1252, cut) come after.
QString singleLine(QStringView text);

// The parts that hold text, each made one line and trimmed, joined by the separator.
QString joined(const QStringList& parts, QStringView separator);

} // namespace ContactText
