#include "printing/spreadsheet_text.h"

#include "common/ansi.h"

namespace {

void appendReference(QByteArray& out, char32_t code)
{
    out.append("&#");
    out.append(QByteArray::number(quint32(code)));
    out.append(';');
}

// True for the characters that the bytes windows-1252 leaves undefined read as: written as those bytes, they read
// back as stored (a reference to them would be taken as a windows-1252 code and read as another character).
bool isUndefinedByte(QChar c)
{
    const char byte = char(c.unicode());
    return c.unicode() >= 0x80 && c.unicode() <= 0x9F && Ansi::toUnicode(QByteArrayView(&byte, 1)) == c;
}

} // namespace

namespace SpreadsheetText {

qsizetype appendCharacter(QByteArray& out, QStringView text, qsizetype i)
{
    const QChar c = text[i];
    switch (c.unicode()) {
    case u' ':
        // A spreadsheet program reads a run of blanks as one; a blank written as a reference is kept.
        if (i > 0 && text[i - 1] == u' ')
            out.append("&#32;");
        else
            out.append(' ');
        break;
    case u'&':
        out.append("&amp;");
        break;
    case u'<':
        out.append("&lt;");
        break;
    case u'>':
        out.append("&gt;");
        break;
    default:
        if (c.unicode() < 32 || c.unicode() == 127)
            appendReference(out, c.unicode()); // the document is one line: no CR or LF byte inside a cell
        else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            appendReference(out, QChar::surrogateToUcs4(c, text[++i]));
        else if (Ansi::canEncode(c))
            out.append(Ansi::encodeChar(c));
        else if (isUndefinedByte(c))
            out.append(char(c.unicode()));
        else
            appendReference(out, c.unicode());
    }
    return i;
}

void appendPlain(QByteArray& out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        i = appendCharacter(out, text, i);
}

} // namespace SpreadsheetText
