#include "addresses/csv_table.h"

#include "addresses/contact.h"

#include <algorithm>
#include <limits>

namespace {

struct ReadRow
{
    QStringList cells;     // only when asked for
    qsizetype fields = 1;  // counted whether kept or not
    bool hasText = false;  // some cell holds a character that is not blank
    int openQuoteLine = 0; // where a quote left open at the end of the text began; 0 when every quote closed
};

enum class Cells
{
    Keep,
    Skip, // only where the row ends and whether it holds text: the first reading of a file keeps no strings
};

// Reads one row with the separator from `pos` on; `pos` ends past the row's line break and `line` counts the line
// breaks passed. A quote opens a quoted field only at the start of a field; inside one a doubled quote stands for
// one and line breaks are text. The separator detector reads the header with this same rule.
ReadRow readRow(QStringView text, qsizetype& pos, QChar sep, int& line, Cells cells = Cells::Keep,
                qsizetype expectedCells = 0)
{
    ReadRow row;
    if (cells == Cells::Keep)
        row.cells.reserve(expectedCells);
    const bool keep = cells == Cells::Keep;
    // A field without quotes is copied from the text in one piece when it ends; `field` gathers only one that holds
    // a quoted part, from its opening quote on.
    QString field;
    bool built = false;
    qsizetype fieldStart = pos;
    const auto append = [&](QChar c) {
        if (built)
            field.append(c);
    };
    const auto endField = [&](qsizetype end) {
        if (!keep)
            return;
        row.cells.append(built ? std::move(field) : text.sliced(fieldStart, end - fieldStart).toString());
        field = QString();
        built = false;
    };
    bool quoted = false;
    bool fieldBlank = true; // only blanks so far: kept as we go, as testing the field at each quote grows with it
    bool fieldText = false; // a character that is not blank since the field (or its quoted part) began
    const qsizetype n = text.size();
    qsizetype end = n; // where the last field ends: the line break, or the end of the text
    while (pos < n) {
        const QChar c = text[pos++];
        if (quoted) {
            if (c == u'"') {
                if (pos < n && text[pos] == u'"') {
                    append(u'"');
                    fieldText = true;
                    ++pos;
                } else {
                    quoted = false;
                    fieldBlank = !fieldText;
                }
            } else {
                if (c == u'\n' || (c == u'\r' && !(pos < n && text[pos] == u'\n')))
                    ++line;
                append(c);
                fieldText = fieldText || !c.isSpace();
            }
        } else if (c == u'"' && fieldBlank) {
            // Blanks some programs put after a separator are not part of a quoted field.
            field.clear();
            built = keep;
            quoted = true;
            fieldBlank = false;
            fieldText = false;
            row.openQuoteLine = line;
        } else if (c == sep) {
            ++row.fields;
            endField(pos - 1);
            fieldStart = pos;
            row.hasText = row.hasText || fieldText;
            fieldBlank = true;
            fieldText = false;
        } else if (c == u'\r' || c == u'\n') {
            end = pos - 1;
            if (c == u'\r' && pos < n && text[pos] == u'\n')
                ++pos;
            ++line;
            break;
        } else {
            // A quote inside an unquoted field is an ordinary character, as spreadsheet programs read it.
            append(c);
            fieldBlank = fieldBlank && c.isSpace();
            fieldText = fieldText || !c.isSpace();
        }
    }
    endField(end);
    row.hasText = row.hasText || fieldText;
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
        return readRow(text, pos, sep, line, Cells::Skip).fields - 1;
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

} // namespace

CsvTable::Row CsvTable::Rows::next(qsizetype& pos, int& line) const
{
    while (pos < m_text.size()) {
        const int rowLine = line;
        ReadRow row = readRow(m_text, pos, m_separator, line, Cells::Keep, m_expectedCells);
        if (row.hasText)
            return {rowLine, std::move(row.cells)};
    }
    return {0, {}};
}

CsvTable::Row CsvTable::Rows::operator[](qsizetype i) const
{
    const Start start = m_starts.at(i / kStride);
    qsizetype pos = start.pos;
    int line = start.line;
    for (qsizetype skip = i % kStride; skip > 0; --skip)
        next(pos, line);
    return next(pos, line);
}

CsvTable::Rows::const_iterator::const_iterator(const Rows* rows, qsizetype i) : m_rows(rows), m_i(i)
{
    if (m_i >= m_rows->size())
        return;
    const Start start = m_rows->m_starts.at(m_i / kStride);
    m_pos = start.pos;
    m_line = start.line;
    for (qsizetype skip = m_i % kStride; skip > 0; --skip)
        m_rows->next(m_pos, m_line);
    m_row = m_rows->next(m_pos, m_line);
}

CsvTable::Rows::const_iterator& CsvTable::Rows::const_iterator::operator++()
{
    if (++m_i < m_rows->size())
        m_row = m_rows->next(m_pos, m_line);
    return *this;
}

CsvTable CsvTable::parse(const QString& input)
{
    if (input.size() > std::numeric_limits<qint32>::max())
        throw ContactFileError(QStringLiteral("Il file è troppo grande per essere una rubrica."), 0);
    CsvTable table;
    const QStringView text = input;
    qsizetype pos = 0;
    int line = 1;
    // One spreadsheet program may name its separator on a first line of its own: "sep=;".
    if (text.startsWith(QLatin1String("sep="), Qt::CaseInsensitive) && text.size() > 4 &&
        (text.size() == 5 || text[5] == u'\r' || text[5] == u'\n')) {
        table.separator = text[4];
        pos = std::min<qsizetype>(text.size(), 5);
        if (pos < text.size() && text[pos] == u'\r')
            ++pos;
        if (pos < text.size() && text[pos] == u'\n')
            ++pos;
        line = 2;
    } else {
        table.separator = detectSeparator(text);
    }

    table.rows.m_text = input;
    table.rows.m_separator = table.separator;
    while (pos < text.size()) {
        const int rowLine = line;
        const qsizetype rowPos = pos;
        const ReadRow row = readRow(text, pos, table.separator, line, Cells::Skip);
        if (row.openQuoteLine > 0)
            throw ContactFileError(
                QStringLiteral("Il file non è leggibile: le virgolette aperte alla riga %1 non sono mai chiuse.")
                    .arg(row.openQuoteLine),
                row.openQuoteLine);
        if (row.fields > kMaxColumns)
            throw ContactFileError(QStringLiteral("Il file non è una rubrica: la riga %1 ha più di %2 colonne.")
                                       .arg(rowLine)
                                       .arg(kMaxColumns),
                                   rowLine);
        if (!row.hasText)
            continue;
        if (table.headerLine == 0) {
            qsizetype at = rowPos;
            int atLine = rowLine;
            table.header = readRow(text, at, table.separator, atLine).cells;
            table.headerLine = rowLine;
        } else {
            if (table.rows.m_count % Rows::kStride == 0)
                table.rows.m_starts.append({qint32(rowPos), qint32(rowLine)});
            ++table.rows.m_count;
        }
    }
    table.rows.m_expectedCells = std::min<qsizetype>(table.header.size(), 256);
    return table;
}
