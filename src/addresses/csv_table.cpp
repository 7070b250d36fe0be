#include "addresses/csv_table.h"

#include "addresses/contact.h"

#include <algorithm>

namespace {

struct ReadRow
{
    QStringList cells;
    int openQuoteLine = 0; // where a quote left open at the end of the text began; 0 when every quote closed
};

// Reads one row with the separator from `pos` on; `pos` ends past the row's line break and `line` counts the line
// breaks passed. A quote opens a quoted field only at the start of a field; inside one a doubled quote stands for
// one and line breaks are text. The separator detector reads the header with this same rule.
ReadRow readRow(QStringView text, qsizetype& pos, QChar sep, int& line)
{
    ReadRow row;
    QString field;
    bool quoted = false;
    bool fieldBlank = true; // only blanks so far: kept as we go, as testing the field at each quote grows with it
    const qsizetype n = text.size();
    while (pos < n) {
        const QChar c = text[pos++];
        if (quoted) {
            if (c == u'"') {
                if (pos < n && text[pos] == u'"') {
                    field.append(u'"');
                    ++pos;
                } else {
                    quoted = false;
                    fieldBlank = std::all_of(field.cbegin(), field.cend(), [](QChar f) { return f.isSpace(); });
                }
            } else {
                if (c == u'\n' || (c == u'\r' && !(pos < n && text[pos] == u'\n')))
                    ++line;
                field.append(c);
            }
        } else if (c == u'"' && fieldBlank) {
            // Blanks some programs put after a separator are not part of a quoted field.
            field.clear();
            quoted = true;
            fieldBlank = false;
            row.openQuoteLine = line;
        } else if (c == sep) {
            row.cells.append(field);
            field.clear();
            fieldBlank = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && pos < n && text[pos] == u'\n')
                ++pos;
            ++line;
            break;
        } else {
            // A quote inside an unquoted field is an ordinary character, as spreadsheet programs read it.
            field.append(c);
            fieldBlank = fieldBlank && c.isSpace();
        }
    }
    row.cells.append(field);
    if (!quoted)
        row.openQuoteLine = 0;
    return row;
}

// The header line decides: the candidate it splits into most cells, read as the rows will be read. On a tie tab
// wins over `;` over `,` (a header with names like "Città, Comune" is rarer than one with commas in a `;` file).
QChar detectSeparator(QStringView text)
{
    const auto separators = [text](QChar sep) {
        qsizetype pos = 0;
        int line = 1;
        return readRow(text, pos, sep, line).cells.size() - 1;
    };
    const qsizetype tabs = separators(u'\t');
    const qsizetype semicolons = separators(u';');
    const qsizetype commas = separators(u',');
    if (tabs > 0 && tabs >= semicolons && tabs >= commas)
        return u'\t';
    if (semicolons > 0 && semicolons >= commas)
        return u';';
    return u',';
}

bool hasText(const QStringList& cells)
{
    for (const QString& c : cells)
        if (!c.trimmed().isEmpty())
            return true;
    return false;
}

} // namespace

CsvTable CsvTable::parse(const QString& input)
{
    CsvTable table;
    QStringView text = input;
    int line = 1;
    // One spreadsheet program may name its separator on a first line of its own: "sep=;".
    if (text.startsWith(QLatin1String("sep="), Qt::CaseInsensitive) && text.size() > 4 &&
        (text.size() == 5 || text[5] == u'\r' || text[5] == u'\n')) {
        table.separator = text[4];
        text = text.sliced(std::min<qsizetype>(text.size(), 5));
        if (text.startsWith(u'\r'))
            text = text.sliced(1);
        if (text.startsWith(u'\n'))
            text = text.sliced(1);
        line = 2;
    } else {
        table.separator = detectSeparator(text);
    }

    QList<Row> rows;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const int rowLine = line;
        ReadRow row = readRow(text, pos, table.separator, line);
        if (row.openQuoteLine > 0)
            throw ContactFileError(
                QStringLiteral("Il file non è leggibile: le virgolette aperte alla riga %1 non sono mai chiuse.")
                    .arg(row.openQuoteLine),
                row.openQuoteLine);
        if (hasText(row.cells))
            rows.append({rowLine, std::move(row.cells)});
    }

    if (!rows.isEmpty()) {
        table.headerLine = rows.first().line;
        table.header = rows.takeFirst().cells;
    }
    table.rows = std::move(rows);
    return table;
}
