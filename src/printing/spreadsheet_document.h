#pragma once

#include "common/errors.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One column of an exported sheet: its title in the header row and its width in pixels.
struct SpreadsheetColumn
{
    QString title;
    int width = 0;
};

// The export file could not be written (most often it is open in a spreadsheet program). Carries the text the
// export shows.
class SpreadsheetWriteError : public PlicarioError
{
public:
    SpreadsheetWriteError();
};

// The spreadsheet files the program exports: an HTML table in the Office spreadsheet markup, one line with no line
// end, in windows-1252. Cell texts are trimmed; '&', '<', '>', control characters and characters windows-1252 lacks
// are written as character references, so no cell breaks the table and no character is lost. Every data cell is
// text in both spreadsheet programs' own terms, so no value is read as a number, a date or a formula, and the blanks
// of a run after its first are references, which spreadsheet programs do not collapse.
namespace SpreadsheetDocument {

inline const QString kWriteFailedMessage =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                   "Accertarsi che il file di Excel non sia già aperto.");

// Each row holds one text per column from its text `firstText` on (missing texts are empty).
QByteArray build(const QString& sheetName, const QList<SpreadsheetColumn>& columns, const QList<QStringList>& rows,
                 qsizetype firstText = 0);

// Writes a built document to `path` as write() does. Throws SpreadsheetWriteError.
void writeFile(const QString& path, const QByteArray& document);

// Writes the document to `path`, replacing the file whole: a failed write leaves an earlier file as it was.
// A file open in the office suite (its lock file ".~lock.<name>#" lies beside it) is not replaced.
// Throws SpreadsheetWriteError.
void write(const QString& path, const QString& sheetName, const QList<SpreadsheetColumn>& columns,
           const QList<QStringList>& rows);

// True when the office suite holds the file open.
bool isOpenInOfficeSuite(const QString& path);

} // namespace SpreadsheetDocument
