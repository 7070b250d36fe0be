#include "printing/spreadsheet_document.h"

#include "common/ansi.h"
#include "common/text.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Appends to a buffer that grows when it must; the pieces of a large document go in with plain copies.
class Writer
{
public:
    explicit Writer(qsizetype capacity) { m_out.resize(capacity); }

    char* room(qsizetype n)
    {
        if (m_size + n > m_out.size())
            m_out.resize(std::max(m_out.size() * 2, m_size + n));
        char* at = m_out.data() + m_size;
        m_size += n;
        return at;
    }
    template <size_t N> void put(const char (&piece)[N]) { std::memcpy(room(qsizetype(N - 1)), piece, N - 1); }
    void put(QByteArrayView bytes) { std::memcpy(room(bytes.size()), bytes.data(), size_t(bytes.size())); }
    void put(char c) { *room(1) = c; }
    // Returns the last `n` bytes of room, unused.
    void giveBack(qsizetype n) { m_size -= n; }

    QByteArray take()
    {
        m_out.resize(m_size);
        return std::move(m_out);
    }

private:
    QByteArray m_out;
    qsizetype m_size = 0;
};

void putReference(Writer& out, char32_t code)
{
    out.put("&#");
    out.put(QByteArray::number(quint32(code)));
    out.put(';');
}

// The characters below 256 that go into the document as their own windows-1252 byte, equal to their code.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> t{};
    for (int u = 0; u < 256; ++u)
        t[u] = (u >= 32 && u < 127 && u != '&' && u != '<' && u != '>') || u >= 0xA0;
    return t;
}();

inline bool isPlain(char16_t u)
{
    return u < 256 && kPlain[u];
}

#if defined(__SSE2__)
// Stores the bytes of eight characters at `d` and returns how many of them, from the first, are plain ASCII (the bulk
// of most cells); the bytes after those are to be overwritten.
inline int putAsciiBlock(const char16_t* s, char* d)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i above = _mm_subs_epu16(v, _mm_set1_epi16(0x7E)); // not zero past '~'
    const __m128i below = _mm_subs_epu16(_mm_set1_epi16(0x20), v); // not zero before ' '
    const __m128i markup =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16('&')), _mm_cmpeq_epi16(v, _mm_set1_epi16('<'))),
                     _mm_cmpeq_epi16(v, _mm_set1_epi16('>')));
    const __m128i bad = _mm_or_si128(_mm_or_si128(above, below), markup);
    const unsigned good = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(bad, _mm_setzero_si128()))); // 2 bits each
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(v, v));
    return good == 0xFFFF ? 8 : __builtin_ctz(~good) / 2;
}
#endif

// Appends the text in windows-1252, with the references that keep the table whole and every character present.
void putText(Writer& out, QStringView text)
{
    const char16_t* s = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // Runs of plain characters, most cells whole, go in with plain stores.
        char* d = out.room(n - i);
        qsizetype run = 0;
        for (;;) {
#if defined(__SSE2__)
            while (i + run + 8 <= n) {
                const int plain = putAsciiBlock(s + i + run, d + run);
                run += plain;
                if (plain < 8)
                    break;
            }
#endif
            if (i + run == n || !isPlain(s[i + run]))
                break;
            d[run] = char(s[i + run]);
            ++run;
        }
        out.giveBack(n - i - run);
        i += run;
        if (i == n)
            break;

        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == u'&')
            out.put("&amp;");
        else if (u == u'<')
            out.put("&lt;");
        else if (u == u'>')
            out.put("&gt;");
        else if (u < 32 || u == 127)
            putReference(out, u); // the document is one line: no CR or LF byte inside a cell
        else if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate())
            putReference(out, QChar::surrogateToUcs4(c, text[++i]));
        else if (Ansi::canEncode(c))
            out.put(Ansi::encodeChar(c));
        else
            putReference(out, u);
        ++i;
    }
}

} // namespace

namespace SpreadsheetDocument {

QByteArray build(const QString& sheetName, const QList<SpreadsheetColumn>& columns, const QList<QStringList>& rows,
                 qsizetype firstText)
{
    // A guess that fits most sheets; the buffer grows when a sheet needs more.
    Writer out(2048 + columns.size() * 80 + rows.size() * (16 + columns.size() * 48));

    out.put(kHead);
    putText(out, sheetName);
    out.put(kAfterName);

    out.put("<tr>");
    for (const SpreadsheetColumn& column : columns) {
        out.put(kHeaderCell);
        out.put(QByteArray::number(column.width));
        out.put('>');
        putText(out, column.title);
        out.put("</td>");
    }
    out.put("</tr>");

    for (const QStringList& row : rows) {
        out.put("<tr>");
        for (qsizetype c = 0; c < columns.size(); ++c) {
            out.put(kCell);
            if (firstText + c < row.size())
                putText(out, Text::trimmedView(row[firstText + c]));
            out.put("</td>");
        }
        out.put("</tr>");
    }
    out.put(kTail);
    return out.take();
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
