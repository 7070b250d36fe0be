#include "register/register_search.h"

#include "common/ansi.h"
#include "common/short_string.h"
#include "common/text.h"
#include "register/register_journal.h"

namespace {

// `Source` writes a field padded or cut to a width (`fit`) or whole (`all`, `size` characters), each returning the
// position after it. The line is made at its final size, so a search over a large year stays quick.
template <typename Source> QString lineOf(const Source& source)
{
    static constexpr QStringView kProt = u"Prot. n. ", kData = u"  Data: ", kPosta = u"  Posta: ", kGap = u"  ",
                                 kDa = u"  Da: ", kA = u"  A: ";
    static constexpr qsizetype kFixed =
        kProt.size() + 14 + kData.size() + 10 + kPosta.size() + 10 + kGap.size() + 35 + kDa.size() + 24 + kA.size();
    QString out(kFixed + source.size(RegisterCard::Destinatario), Qt::Uninitialized);
    QChar* d = Text::copyTo(out.data(), kProt);
    d = source.fit(d, RegisterCard::Numero, 14);
    d = Text::copyTo(d, kData);
    d = source.fit(d, RegisterCard::DataReg, 10);
    d = Text::copyTo(d, kPosta);
    d = source.fit(d, RegisterCard::Tipologia, 10);
    d = Text::copyTo(d, kGap);
    d = source.fit(d, RegisterCard::Oggetto, 35);
    d = Text::copyTo(d, kDa);
    d = source.fit(d, RegisterCard::Mittente, 24);
    d = Text::copyTo(d, kA);
    source.all(d, RegisterCard::Destinatario);
    return out;
}

struct CardSource
{
    const RegisterCard& card;
    QStringView trimmed(RegisterCard::Field f) const { return Text::trimmedView(card.value(f)); }
    QChar* fit(QChar* d, RegisterCard::Field f, int width) const { return Text::fittedTo(d, trimmed(f), width); }
    qsizetype size(RegisterCard::Field f) const { return trimmed(f).size(); }
    QChar* all(QChar* d, RegisterCard::Field f) const { return Text::copyTo(d, trimmed(f)); }
};

// Straight from the stored bytes.
struct RecordSource
{
    const char* record;
    QByteArrayView bytes(RegisterCard::Field f) const { return RegisterCard::fieldBytes(record, f); }
    QChar* fit(QChar* d, RegisterCard::Field f, int width) const { return Ansi::decodeFittedTo(d, bytes(f), width); }
    qsizetype size(RegisterCard::Field f) const { return bytes(f).size(); }
    QChar* all(QChar* d, RegisterCard::Field f) const { return Ansi::decodeTo(d, bytes(f)); }
};

// The stored bytes that read back as `text`, or nothing when some character can never be read from a record. A
// letter the archive keeps as its base letter (ř as r) is looked for as that letter.
std::optional<QByteArray> storedBytes(const QString& typed)
{
    const QString text = Ansi::storable(typed);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        if (Ansi::canEncode(c))
            bytes.append(Ansi::encodeChar(c));
        else
            return std::nullopt;
    }
    return bytes;
}

// Whether `key` (already folded) occurs in `field` with A to Z folded to a to z, as the decoded texts would match.
inline char foldedByte(char b)
{
    return (b >= 'A' && b <= 'Z') ? char(b + 32) : b;
}

bool containsFolded(QByteArrayView field, const QByteArray& key)
{
    const qsizetype m = key.size();
    const qsizetype last = field.size() - m;
    const char* f = field.data();
    const char* k = key.constData();
    for (qsizetype i = 0; i <= last; ++i) {
        if (foldedByte(f[i]) != k[0])
            continue;
        qsizetype j = 1;
        while (j < m && foldedByte(f[i + j]) == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

} // namespace

namespace RegisterSearch {

QString resultLine(const RegisterCard& card)
{
    return lineOf(CardSource{card});
}

QString countText(qsizetype lines)
{
    return QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(lines);
}

const QList<RegisterCard::Field>& searchableFields()
{
    static const QList<RegisterCard::Field> kFields = {
        RegisterCard::Numero,      RegisterCard::Tipologia, RegisterCard::DataReg,  RegisterCard::Operatore,
        RegisterCard::Categoria,   RegisterCard::Oggetto,   RegisterCard::Mittente, RegisterCard::Destinatario,
        RegisterCard::Riferimenti, RegisterCard::Note};
    return kFields;
}

void Filter::set(RegisterCard::Field field, const QString& typed)
{
    if (!searchableFields().contains(field) || Text::trimmed(typed).isEmpty())
        return;
    m_keys.append(
        {RegisterCard::fieldOffset(field), RegisterCard::fields()[field].width, storedBytes(Text::lowerAscii(typed))});
}

bool Filter::matchesRecord(const char* record) const
{
    for (const Key& k : m_keys)
        if (!k.bytes || !containsFolded(ShortString::bytes(record + k.offset, k.width), *k.bytes))
            return false;
    return true;
}

QList<ListEntry> search(const QString& yearFilePath, const Filter& filter)
{
    QList<ListEntry> found;
    const QHash<int, JournalEntry> annulled = RegisterJournal::annulmentsOf(yearFilePath);
    RegisterFile file(yearFilePath);
    file.scanRaw([&](int position, const char* record) {
        if (!filter.matchesRecord(record))
            return;
        QString line = lineOf(RecordSource{record});
        if (annulled.contains(position))
            line += kAnnulledMark;
        found.append({std::move(line), position});
    });
    ListOrder::sort(found);
    return found;
}

std::optional<Match> lastCardWithLine(const QString& yearFilePath, const QString& line)
{
    // The mark is the list's, not the card's.
    QString wanted = Text::trimmed(line);
    if (wanted.endsWith(kAnnulledMark))
        wanted.chop(kAnnulledMark.size());
    return ::lastCardWithLine(RegisterFile(yearFilePath), wanted, resultLine);
}

} // namespace RegisterSearch
