#include "printing/spreadsheet_document.h"

#include "common/ansi.h"
#include "common/text.h"

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
const char kCell[] = "<td style=\"text-align: left;\">";

void appendReference(QByteArray& out, char32_t code)
{
    out += "&#";
    out += QByteArray::number(quint32(code));
    out += ';';
}

// Appends the text in windows-1252, with the references that keep the table whole and every character present.
void appendText(QByteArray& out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u == u'&')
                out += "&amp;";
            else if (u == u'<')
                out += "&lt;";
            else if (u == u'>')
                out += "&gt;";
            else if (u < 32 || u == 127)
                appendReference(out, u); // the document is one line: no CR or LF byte inside a cell
            else
                out += char(u);
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            appendReference(out, QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else if (Ansi::canEncode(c)) {
            out += Ansi::encodeChar(c);
        } else {
            appendReference(out, u);
        }
    }
}

} // namespace

namespace SpreadsheetDocument {

QByteArray build(const QString& sheetName, const QList<SpreadsheetColumn>& columns, const QList<QStringList>& rows)
{
    QByteArray out;
    qsizetype estimate = 1024 + columns.size() * 80;
    for (const QStringList& row : rows) {
        estimate += 9 + columns.size() * 36;
        for (const QString& cell : row)
            estimate += cell.size();
    }
    out.reserve(estimate);

    out += kHead;
    appendText(out, sheetName);
    out += kAfterName;

    out += "<tr>";
    for (const SpreadsheetColumn& column : columns) {
        out += kHeaderCell;
        out += QByteArray::number(column.width);
        out += '>';
        appendText(out, column.title);
        out += "</td>";
    }
    out += "</tr>";

    for (const QStringList& row : rows) {
        out += "<tr>";
        for (qsizetype c = 0; c < columns.size(); ++c) {
            out += kCell;
            if (c < row.size())
                appendText(out, Text::trimmed(row[c]));
            out += "</td>";
        }
        out += "</tr>";
    }
    out += kTail;
    return out;
}

bool isOpenInOfficeSuite(const QString& path)
{
    const QFileInfo info(path);
    return QFileInfo::exists(info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + u'#'));
}

void write(const QString& path, const QString& sheetName, const QList<SpreadsheetColumn>& columns,
           const QList<QStringList>& rows)
{
    if (isOpenInOfficeSuite(path))
        throw SpreadsheetWriteError();
    const QByteArray document = build(sheetName, columns, rows);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size() || !file.commit())
        throw SpreadsheetWriteError();
}

} // namespace SpreadsheetDocument
