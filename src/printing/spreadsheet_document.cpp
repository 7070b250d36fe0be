#include "printing/spreadsheet_document.h"

#include "common/text.h"
#include "printing/spreadsheet_text.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

SpreadsheetWriteError::SpreadsheetWriteError() : PlicarioError(SpreadsheetDocument::kWriteFailedMessage) {}

namespace {

const char kHead[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";

const char kAfterName[] = "</x:Name>"
                          "<x:WorksheetOptions>"
                          "<x:Selected/>"
                          "<x:Panes>"
                          "<x:Pane>"
                          "<x:Number>1</x:Number>"
                          "<x:ActiveRow>3</x:ActiveRow>"
                          "</x:Pane>"
                          "</x:Panes>"
                          "<x:ProtectContents>False</x:ProtectContents>"
                          "<x:ProtectObjects>False</x:ProtectObjects>"
                          "<x:ProtectScenarios>False</x:ProtectScenarios>"
                          "</x:WorksheetOptions>"
                          "</x:ExcelWorksheet>"
                          "</x:ExcelWorksheets>"
                          "</x:ExcelWorkbook>"
                          "</xml><![endif]-->"
                          "</head>"
                          "<body>"
                          "<table x:str>";

const char kTail[] = "</table></body></html>";
const char kHeaderCell[] = "<td style=\"text-align: left; font-weight: bold;\" width=";
// Every value is text in both spreadsheet programs' own terms (LibreOffice's number format attribute, the other
// program's style), so "00100" keeps its zeros and "=1+1" never runs as a formula.
const char kCell[] = "<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\">";

} // namespace

namespace SpreadsheetDocument {

QByteArray build(const QString& sheetName, const QList<SpreadsheetColumn>& columns, const QList<QStringList>& rows,
                 qsizetype firstText)
{
    // Room for the markup and the texts; only characters written as references make it grow.
    qsizetype size = sizeof kHead + sizeof kAfterName + sizeof kTail + sheetName.size() +
                     columns.size() * (sizeof kHeaderCell + 16) + rows.size() * 9;
    for (const SpreadsheetColumn& column : columns)
        size += column.title.size();
    for (const QStringList& row : rows) {
        size += columns.size() * (sizeof kCell + 5);
        for (qsizetype c = firstText; c < row.size(); ++c)
            size += row[c].size();
    }
    QByteArray out;
    out.reserve(size);

    out.append(kHead);
    SpreadsheetText::append(out, sheetName);
    out.append(kAfterName);

    out.append("<tr>");
    for (const SpreadsheetColumn& column : columns) {
        out.append(kHeaderCell);
        out.append(QByteArray::number(column.width));
        out.append('>');
        SpreadsheetText::append(out, column.title);
        out.append("</td>");
    }
    out.append("</tr>");

    for (const QStringList& row : rows) {
        out.append("<tr>");
        for (qsizetype c = 0; c < columns.size(); ++c) {
            out.append(kCell);
            if (firstText + c < row.size())
                SpreadsheetText::append(out, Text::trimmedView(row[firstText + c]));
            out.append("</td>");
        }
        out.append("</tr>");
    }
    out.append(kTail);
    return out;
}

bool isOpenInOfficeSuite(const QString& path)
{
    const QFileInfo info(path);
    return QFileInfo::exists(info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + u'#'));
}

void writeFile(const QString& path, const QByteArray& document)
{
    if (isOpenInOfficeSuite(path))
        throw SpreadsheetWriteError();
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile meets a full disk only when it closes, and then commits a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(document) != document.size() ||
        !file.commit())
        throw SpreadsheetWriteError();
}

void write(const QString& path, const QString& sheetName, const QList<SpreadsheetColumn>& columns,
           const QList<QStringList>& rows)
{
    writeFile(path, build(sheetName, columns, rows));
}

} // namespace SpreadsheetDocument
