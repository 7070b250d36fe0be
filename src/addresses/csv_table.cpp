#include "addresses/csv_table.h"

#include "addresses/contact.h"

namespace {

// The header line decides, counting only separators outside quotes; on a tie tab wins over `;` over `,` (a header
// with names like "Città, Comune" is rarer than one with commas in a `;` file).
QChar detectSeparator(QStringView text)
{
    int tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\n' || c == u'\r')
            break;
        else if (c == u'\t')
            ++tabs;
        else if (c == u';')
            ++semicolons;
        else if (c == u',')
            ++commas;
    }
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
    const QChar sep = table.separator;

    QList<Row> rows;
    QStringList cells;
    QString field;
    int rowLine = line;
    int quoteLine = 0;
    bool quoted = false;
    const qsizetype n = text.size();
    const auto endRow = [&] {
        cells.append(field);
        field.clear();
        if (hasText(cells))
            rows.append({rowLine, cells});
        cells.clear();
        rowLine = line;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text[i + 1] == u'\n')))
                    ++line;
                field.append(c);
            }
        } else if (c == u'"' && field.trimmed().isEmpty()) {
            // Blanks some programs put after a separator are not part of a quoted field.
            field.clear();
            quoted = true;
            quoteLine = line;
        } else if (c == sep) {
            cells.append(field);
            field.clear();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRow();
        } else {
            // A quote inside an unquoted field is an ordinary character, as spreadsheet programs read it.
            field.append(c);
        }
    }
    if (quoted)
        throw ContactFileError(
            QStringLiteral("Il file non è leggibile: le virgolette aperte alla riga %1 non sono mai chiuse.")
                .arg(quoteLine),
            quoteLine);
    if (!field.isEmpty() || !cells.isEmpty())
        endRow();

    if (!rows.isEmpty())
        table.header = rows.takeFirst().cells;
    table.rows = std::move(rows);
    return table;
}
