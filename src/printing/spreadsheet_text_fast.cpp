// SpreadsheetText::append. The plain way is appendPlain(), one character at a time through appendCharacter(), and
// the tests check this against it. With one append per character, building the document took two thirds of the
// address export of 10,000 cards; here a run of characters that windows-1252 holds as their own code (printable
// ASCII but '&', '<', '>' and a blank after a blank; U+00A0 to U+00FF) is copied in one pass.
#include "printing/spreadsheet_text.h"

namespace {

bool keepsItsCode(QStringView text, qsizetype i)
{
    const char16_t u = text[i].unicode();
    if (u >= 0xA0)
        return u <= 0xFF;
    if (u < 0x20 || u > 0x7E || u == u'&' || u == u'<' || u == u'>')
        return false;
    return u != u' ' || i == 0 || text[i - 1] != u' ';
}

} // namespace

namespace SpreadsheetText {

void append(QByteArray& out, QStringView text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && keepsItsCode(text, end))
            ++end;
        if (end > i) {
            const qsizetype at = out.size();
            out.resize(at + (end - i));
            char* p = out.data() + at;
            for (qsizetype k = i; k < end; ++k)
                *p++ = char(text[k].unicode());
            i = end;
        } else {
            i = appendCharacter(out, text, i) + 1;
        }
    }
}

} // namespace SpreadsheetText
