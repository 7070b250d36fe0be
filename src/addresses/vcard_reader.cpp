#include "addresses/vcard_reader.h"

#include "addresses/contact_text.h"
#include "common/text.h"

#include <algorithm>

namespace {

struct PhysicalLine
{
    int number;
    QByteArrayView text;
};

// The lines of the bytes one at a time, without their line breaks (CR LF, LF or CR).
class PhysicalLines
{
public:
    explicit PhysicalLines(QByteArrayView bytes) : m_bytes(bytes) {}

    bool next(PhysicalLine& line)
    {
        const qsizetype n = m_bytes.size();
        if (m_pos >= n)
            return false;
        qsizetype end = m_pos;
        while (end < n && m_bytes[end] != '\n' && m_bytes[end] != '\r')
            ++end;
        line = {m_number++, m_bytes.sliced(m_pos, end - m_pos)};
        if (end < n && m_bytes[end] == '\r' && end + 1 < n && m_bytes[end + 1] == '\n')
            ++end;
        m_pos = end + 1;
        return true;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    int m_number = 1;
};

bool isLine(QByteArrayView text, const char* what)
{
    return text.trimmed().compare(what, Qt::CaseInsensitive) == 0;
}

// The part before the value: where the first colon outside a quoted parameter value is.
qsizetype valueColon(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

bool isQuotedPrintable(QByteArrayView line)
{
    const qsizetype colon = valueColon(line);
    return colon > 0 && line.first(colon).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
}

struct LogicalLine
{
    int number;
    QByteArray text;
};

// Where a logical line's value starts, found as the line grows: each byte is looked at once, so a line joined from
// many pieces costs no more than its length.
class ColonScan
{
public:
    void reset()
    {
        m_scanned = 0;
        m_quoted = false;
        m_colon = -1;
    }
    // The colon of `line`, whose first m_scanned bytes are the ones seen before.
    qsizetype colon(QByteArrayView line)
    {
        for (; m_colon < 0 && m_scanned < line.size(); ++m_scanned) {
            if (line[m_scanned] == '"')
                m_quoted = !m_quoted;
            else if (line[m_scanned] == ':' && !m_quoted)
                m_colon = m_scanned;
        }
        return m_colon;
    }
    // The line lost its last byte (a soft break's `=`).
    void chopped(qsizetype size) { m_scanned = std::min(m_scanned, size); }

private:
    qsizetype m_scanned = 0;
    bool m_quoted = false;
    qsizetype m_colon = -1;
};

// Folded lines (a continuation starts with a blank or a tab) and 2.1's quoted-printable soft breaks (a line ending
// in `=`) joined back into one, one logical line at a time.
class LogicalLines
{
public:
    explicit LogicalLines(QByteArrayView bytes) : m_physical(bytes) {}

    bool next(LogicalLine& out)
    {
        PhysicalLine pl;
        while (m_physical.next(pl)) {
            // A soft break on a card's last value is a line end, as some writers leave it there.
            if (m_softBreak && isLine(pl.text, "END:VCARD")) {
                m_current.text.chop(1);
                m_softBreak = false;
            }
            bool done = false;
            if (m_have && m_softBreak) {
                m_current.text.chop(1); // the `=`
                m_scan.chopped(m_current.text.size());
                m_current.text.append(pl.text);
            } else if (m_have && !pl.text.isEmpty() && (pl.text[0] == ' ' || pl.text[0] == '\t')) {
                m_current.text.append(pl.text.sliced(1));
            } else {
                if (m_have) {
                    out = std::move(m_current);
                    done = true;
                }
                m_current = {pl.number, pl.text.toByteArray()};
                m_have = true;
                m_scan.reset();
                m_qpKnownAt = -1;
            }
            const QByteArray& last = m_current.text;
            m_softBreak = false;
            if (last.endsWith('=')) {
                const qsizetype colon = m_scan.colon(last);
                if (colon > 0 && colon != m_qpKnownAt) {
                    m_qp = isQuotedPrintable(last.first(colon + 1));
                    m_qpKnownAt = colon;
                }
                m_softBreak = colon > 0 && m_qp;
            }
            if (done)
                return true;
        }
        if (!m_have)
            return false;
        out = std::move(m_current);
        m_have = false;
        return true;
    }

private:
    PhysicalLines m_physical;
    LogicalLine m_current{0, {}};
    bool m_have = false; // m_current holds a line still open to continuations
    bool m_softBreak = false;
    ColonScan m_scan;
    qsizetype m_qpKnownAt = -1; // the colon whose parameters were last looked at for QUOTED-PRINTABLE
    bool m_qp = false;
};

QByteArray decodeQuotedPrintable(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    const auto hex = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size() && hex(value[i + 1]) >= 0 && hex(value[i + 2]) >= 0) {
            out.append(char(hex(value[i + 1]) * 16 + hex(value[i + 2])));
            i += 2;
        } else {
            out.append(value[i]); // a stray `=` stays as it is
        }
    }
    return out;
}

struct Property
{
    QByteArray name;           // upper case, without its group ("item1.")
    QList<QByteArray> types;   // upper case: TYPE= values and 2.1's bare parameters
    int pref = 0;              // 4.0's PREF=n, 0 when absent
    QString value;             // decoded, still escaped
    QByteArray unknownCharset; // a CHARSET no decoder knows: the value was read as windows-1252
};

// `textFile`: the file was UTF-16 or marked UTF-8, so a CHARSET cannot be what its bytes are.
bool parseProperty(const LogicalLine& line, Property& p, bool textFile)
{
    const qsizetype colon = valueColon(line.text);
    if (colon <= 0)
        return false;
    const QList<QByteArray> parts = line.text.first(colon).split(';');
    QByteArray name = parts[0].trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.mid(dot + 1);
    p.name = name;
    QByteArray charset;
    bool qp = false;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray param = parts[i].trimmed();
        const qsizetype eq = param.indexOf('=');
        const QByteArray key = (eq < 0 ? param : param.first(eq)).toUpper();
        QByteArray val = eq < 0 ? QByteArray() : param.mid(eq + 1);
        if (val.size() >= 2 && val.startsWith('"') && val.endsWith('"'))
            val = val.mid(1, val.size() - 2);
        if (eq < 0) {
            if (key == "QUOTED-PRINTABLE")
                qp = true;
            else
                p.types.append(key);
        } else if (key == "TYPE") {
            for (const QByteArray& t : val.split(','))
                p.types.append(t.trimmed().toUpper());
        } else if (key == "PREF") {
            p.pref = val.toInt();
        } else if (key == "ENCODING") {
            qp = qp || val.toUpper() == "QUOTED-PRINTABLE" || val.toUpper() == "QP";
        } else if (key == "CHARSET") {
            charset = val;
        }
    }
    QByteArrayView bytes = QByteArrayView(line.text).sliced(colon + 1);
    QByteArray decoded;
    if (qp)
        bytes = decoded = decodeQuotedPrintable(bytes);
    bool known = true;
    p.value =
        textFile ? QString::fromUtf8(bytes) : ContactText::decodeCharset(bytes, QString::fromLatin1(charset), &known);
    if (!known)
        p.unknownCharset = charset;
    return true;
}

// Splits at every `sep` not escaped by a backslash; the pieces keep their escapes.
QStringList splitUnescaped(const QString& value, QChar sep)
{
    QStringList out;
    QString piece;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            piece.append(c);
            piece.append(value[++i]);
        } else if (c == sep) {
            out.append(piece);
            piece.clear();
        } else {
            piece.append(c);
        }
    }
    out.append(piece);
    return out;
}

QString unescape(const QString& value)
{
    if (!value.contains(u'\\'))
        return value; // shared, not copied: a note may be megabytes long
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out.append(c);
            continue;
        }
        const QChar next = value[++i];
        if (next == u'n' || next == u'N')
            out.append(u'\n');
        else if (next == u',' || next == u';' || next == u'\\' || next == u':')
            out.append(next);
        else
            out.append(c).append(next); // not an escape: a folder path in a note keeps its backslash
    }
    return out;
}

QStringList components(const QString& value)
{
    QStringList out;
    for (const QString& piece : splitUnescaped(value, u';'))
        out.append(unescape(piece));
    return out;
}

ContactAddress addressOf(const Property& p)
{
    const QStringList c = components(p.value);
    ContactAddress a;
    // pobox;extended;street;locality;region;code;country
    const auto lines = [](const QString& text) {
        QStringList out;
        for (const QString& l : text.split(u'\n'))
            if (!Text::trimmedView(l).isEmpty())
                out.append(Text::trimmed(l));
        return out;
    };
    a.streetLines = lines(c.value(2)) + lines(c.value(1)) + lines(c.value(0));
    a.city = c.value(3);
    a.province = c.value(4);
    a.postalCode = c.value(5);
    a.country = c.value(6);
    if (p.types.contains("PREF") || p.pref == 1)
        a.kind = ContactAddress::Kind::Preferred;
    else if (p.types.contains("WORK"))
        a.kind = ContactAddress::Kind::Work;
    else if (p.types.contains("HOME"))
        a.kind = ContactAddress::Kind::Home;
    return a;
}

// A card holds a handful of addresses and notes: one with thousands is no contact, and holding them all would fill
// the memory.
constexpr qsizetype kMaxRepeats = 1000;

void addProperty(Contact& c, const Property& p)
{
    static const QByteArrayList kUsed = {"N", "FN", "ORG", "ADR", "NOTE", "CATEGORIES"};
    if (!c.unreadable.isEmpty() || !kUsed.contains(p.name))
        return;
    if (!p.unknownCharset.isEmpty()) {
        c.unreadable = QStringLiteral("riga %1: il set di caratteri «%2» non è conosciuto")
                           .arg(c.line)
                           .arg(QString::fromLatin1(p.unknownCharset).left(40));
        return;
    }
    if (c.addresses.size() + c.notes.size() + c.categories.size() >= kMaxRepeats) {
        c.unreadable =
            QStringLiteral("riga %1: la scheda ha più di %2 indirizzi, note o categorie").arg(c.line).arg(kMaxRepeats);
        c.addresses.clear();
        c.notes.clear();
        c.categories.clear();
        return;
    }
    if (p.name == "N") {
        const QStringList n = components(p.value);
        c.familyName = n.value(0);
        c.givenName = n.value(1);
        c.middleName = n.value(2);
        c.prefix = n.value(3);
        c.suffix = n.value(4);
    } else if (p.name == "FN") {
        c.fullName = unescape(p.value);
    } else if (p.name == "ORG") {
        c.organisation = ContactText::joined(components(p.value), u", ");
    } else if (p.name == "ADR") {
        c.addresses.append(addressOf(p));
    } else if (p.name == "NOTE") {
        c.notes.append(unescape(p.value));
    } else if (p.name == "CATEGORIES") {
        for (const QString& piece : splitUnescaped(p.value, u','))
            if (!Text::trimmedView(piece).isEmpty())
                c.categories.append(unescape(piece));
    }
}

// Whether the part before the value could name an AGENT property ("AGENT", "item1.agent;VALUE=...").
bool mayBeAgent(QByteArrayView line)
{
    const qsizetype colon = valueColon(line);
    for (qsizetype i = 0; i + 5 <= colon; ++i)
        if (qstrnicmp(line.data() + i, "AGENT", 5) == 0)
            return true;
    return false;
}

// No address book nests cards deeper than an agent inside a card: a file that does is refused before its open cards
// fill the memory.
constexpr qsizetype kMaxNesting = 100;

void refuseDeeperThan(qsizetype open, int line)
{
    if (open >= kMaxNesting)
        throw ContactFileError(QStringLiteral("Il file non è leggibile: alla riga %1 le schede vCard sono annidate "
                                              "oltre %2 livelli.")
                                   .arg(line)
                                   .arg(kMaxNesting),
                               line);
}

} // namespace

namespace VCardReader {

bool looksLikeVCard(QByteArrayView bytes)
{
    const ContactText::FileEncoding encoding = ContactText::fileEncoding(bytes);
    QByteArray decoded;
    if (encoding == ContactText::FileEncoding::Utf16LE || encoding == ContactText::FileEncoding::Utf16BE) {
        decoded = ContactText::decodeFile(bytes).toUtf8();
        bytes = decoded;
    }
    // Some programs write a line of their own before the first card: the first BEGIN:VCARD line tells, unless it lies
    // inside a spreadsheet's quoted cell (an odd number of quotes before it), where a note may hold a whole card.
    PhysicalLines lines(bytes);
    PhysicalLine line;
    qsizetype quotes = 0;
    while (lines.next(line)) {
        QByteArrayView text = line.text;
        if (line.number == 1 && text.startsWith("\xEF\xBB\xBF"))
            text = text.sliced(3);
        if (quotes % 2 == 0 && isLine(text, "BEGIN:VCARD"))
            return true;
        quotes += std::count(text.begin(), text.end(), '"');
    }
    return false;
}

namespace {

// The cards of the file to `visit`; without one, only the file's shape is checked and its cards counted: the
// properties are left unread but for an AGENT, which opens a card of its own.
qsizetype readCards(const QByteArray& bytes, const std::function<void(Contact&& contact)>& visit)
{
    qsizetype cards = 0;
    const ContactText::FileEncoding encoding = ContactText::fileEncoding(bytes);
    QByteArray converted;
    QByteArrayView text = bytes;
    if (encoding == ContactText::FileEncoding::Utf8Marked)
        text = text.sliced(3);
    else if (encoding != ContactText::FileEncoding::Bytes)
        text = converted = ContactText::decodeFile(bytes).toUtf8();
    const bool textFile = encoding != ContactText::FileEncoding::Bytes;

    // The cards open at this point, innermost last: a card nested in another is a contact of its own, unless it is
    // 2.1's AGENT, whose card describes someone acting for the contact.
    struct Open
    {
        Contact card;
        bool agent = false;
    };
    QList<Open> open;
    LogicalLines lines(text);
    LogicalLine line{0, {}};
    while (lines.next(line)) {
        if (isLine(line.text, "BEGIN:VCARD")) {
            refuseDeeperThan(open.size(), line.number);
            Open o;
            o.card.line = line.number;
            open.append(o);
            continue;
        }
        if (isLine(line.text, "END:VCARD")) {
            if (open.isEmpty())
                throw ContactFileError(
                    QStringLiteral("Il file non è leggibile: alla riga %1 una scheda vCard termina senza essere "
                                   "iniziata (END:VCARD senza BEGIN:VCARD).")
                        .arg(line.number),
                    line.number);
            Open done = open.takeLast();
            if (done.agent)
                continue;
            ++cards;
            if (visit)
                visit(std::move(done.card));
            continue;
        }
        Property p;
        if (open.isEmpty() || (!visit && !mayBeAgent(line.text)) || !parseProperty(line, p, textFile))
            continue;
        if (p.name == "AGENT" && p.value.trimmed().toUpper() == u"BEGIN:VCARD") {
            refuseDeeperThan(open.size(), line.number);
            Open o;
            o.agent = true;
            open.append(o);
            continue;
        }
        if (visit && !open.last().agent)
            addProperty(open.last().card, p);
    }
    if (!open.isEmpty()) {
        const int at = open.first().card.line;
        throw ContactFileError(QStringLiteral("Il file non è leggibile: la scheda vCard iniziata alla riga %1 non "
                                              "termina (manca END:VCARD).")
                                   .arg(at),
                               at);
    }
    return cards;
}

} // namespace

void read(const QByteArray& bytes, const std::function<void(Contact&& contact)>& visit)
{
    readCards(bytes, visit);
}

qsizetype check(const QByteArray& bytes)
{
    return readCards(bytes, {});
}

QList<Contact> read(const QByteArray& bytes)
{
    QList<Contact> contacts;
    read(bytes, [&](Contact&& c) { contacts.append(std::move(c)); });
    return contacts;
}

} // namespace VCardReader
