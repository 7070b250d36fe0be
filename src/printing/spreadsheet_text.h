#pragma once

#include <QByteArray>
#include <QStringView>

// How a cell's text is written into an exported spreadsheet document: in windows-1252, with '&', '<', '>', control
// characters and characters windows-1252 lacks written as character references, so no cell breaks the table and no
// character is lost, and the blanks of a run after its first as references, which spreadsheet programs keep.
namespace SpreadsheetText {

// Appends the character at `i` (with its low surrogate when it starts a pair) and returns the index of the last
// character it used. The one place the rules above are written.
qsizetype appendCharacter(QByteArray& out, QStringView text, qsizetype i);

// appendCharacter over each character of the text, one at a time: the definition of what append() writes.
void appendPlain(QByteArray& out, QStringView text);

// The same bytes as appendPlain(), with the runs that windows-1252 holds as they are copied in one step.
void append(QByteArray& out, QStringView text);

} // namespace SpreadsheetText
