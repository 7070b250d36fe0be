#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// Text of contact files, which come from other programs in whatever encoding they chose.
namespace ContactText {

// A whole file: UTF-8 or UTF-16 when it starts with their byte-order mark; UTF-16 without a mark when every other
// byte of its start is zero; UTF-8 when it holds UTF-8 sequences, a few bytes that are not UTF-8 (a name typed in
// another program and pasted) read as windows-1252 and their lines, counted from 1, given in `strayLines` (the first
// kListedStrayLines of them; `strayLineCount` counts them all); otherwise windows-1252 (what spreadsheet programs write
// on Western systems). The mark is dropped.
inline constexpr qsizetype kListedStrayLines = 1000;
QString decodeFile(QByteArrayView bytes, QList<int>* strayLines = nullptr, qsizetype* strayLineCount = nullptr);

// The encoding decodeFile() reads a file in.
enum class FileEncoding
{
    Bytes, // windows-1252, UTF-8, or UTF-8 mixed with windows-1252: a vCard's CHARSET may tell otherwise
    Utf8Marked,
    Utf16LE,
    Utf16BE,
};
FileEncoding fileEncoding(QByteArrayView bytes);

// True when the bytes are valid UTF-8 (plain ASCII is).
bool isUtf8(QByteArrayView bytes);

// Bytes in a named character set (a vCard's CHARSET). Bytes that are valid UTF-8 beyond ASCII are read as UTF-8
// whatever the name says: programs label UTF-8 text with their system's set, and text in a one-byte set almost never
// reads as valid UTF-8. Otherwise the named set: the Latin ones with our table, any other the system knows
// (ISO-8859-2, KOI8-R...) through its decoder. No name: UTF-8 when valid, else windows-1252. A name no decoder knows
// reads as no name, and `known` is set false.
QString decodeCharset(QByteArrayView bytes, QStringView charset, bool* known = nullptr);

// The text a typed field could hold: every run of line breaks, tabs and other control characters inside it becomes
// one blank. The card's own storing rules (trim, windows-1252, cut) come after.
QString singleLine(QStringView text);

// singleLine(), then trimmed; the text itself, shared and not copied, when it is one trimmed line already (a note
// may be megabytes long).
QString cleaned(const QString& text);
// cleaned(text).left(maxChars), made without copying more of the text than that.
QString cleanedStart(QStringView text, qsizetype maxChars);

// The parts that hold text, each made one line and trimmed, joined by the separator.
QString joined(const QStringList& parts, QStringView separator);

} // namespace ContactText
