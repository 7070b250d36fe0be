#include "common/find_in_list.h"

#include "common/ansi.h"
#include "common/text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

inline char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - 32) : u;
}

// Every character windows-1252 text can hold gets a one-byte rank in the order of its folded code (1 to 230; 0 is
// no character), so that the first characters of a line pack into a few numbers that compare as the characters do.
class Ranks
{
public:
    Ranks()
    {
        std::vector<char16_t> codes;
        for (int b = 0; b < 256; ++b)
            codes.push_back(folded(Ansi::toUnicode(QByteArray(1, char(b))).at(0)));
        std::sort(codes.begin(), codes.end());
        codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
        m_low.fill(kUnranked);
        for (size_t i = 0; i < codes.size(); ++i) {
            if (codes[i] < 0x100)
                m_low[codes[i]] = quint8(i + 1);
            else
                m_high.push_back({codes[i], quint8(i + 1)});
        }
        for (char16_t u = u'a'; u <= u'z'; ++u)
            m_low[u] = m_low[u - 32];
    }

    // kUnranked for a character outside windows-1252.
    int rank(QChar c) const
    {
        const char16_t u = c.unicode();
        return u < 0x100 ? m_low[u] : highRank(u);
    }

    // The table rank of the low byte of a character, right only for characters below 0x100.
    int lowRank(char16_t u) const { return m_low[u & 0xFF]; }

    static constexpr int kUnranked = 255;

private:
    Q_NEVER_INLINE int highRank(char16_t u) const
    {
        for (const auto& [code, rank] : m_high)
            if (code == u)
                return rank;
        return kUnranked;
    }

    std::array<quint8, 256> m_low;
    std::vector<std::pair<char16_t, quint8>> m_high;
};

} // namespace

namespace ListOrder {

int compare(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t* x = a.utf16();
    const char16_t* y = b.utf16();
    qsizetype i = 0;
    // Lines that sort together share long stretches: skip them four characters at a time and fold only the
    // characters that differ.
    for (; i + 4 <= n; i += 4) {
        quint64 p, q;
        std::memcpy(&p, x + i, sizeof p);
        std::memcpy(&q, y + i, sizeof q);
        if (p != q)
            break;
    }
    for (; i < n; ++i) {
        if (x[i] == y[i])
            continue;
        const char16_t f = folded(QChar(x[i]));
        const char16_t g = folded(QChar(y[i]));
        if (f != g)
            return f < g ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

namespace {

constexpr int kPacked = 8 * Builder::Key::kWords; // characters packed into a key

using Key = Builder::Key;

inline int byteAt(const Key& k, int d)
{
    return int((k.packed[d / 8] >> (56 - 8 * (d % 8))) & 0xFF);
}

// The full order: keys first, then the rest of the texts, then the original position.
struct KeyLess
{
    const QList<ListEntry>& entries;

    bool operator()(const Key& x, const Key& y) const
    {
        int c;
        if (x.exact && y.exact) {
            for (int w = 0; w < Key::kWords; ++w)
                if (x.packed[w] != y.packed[w])
                    return x.packed[w] < y.packed[w];
            c = tail(x, y);
        } else {
            c = compare(entries[x.index].line, entries[y.index].line);
        }
        return c != 0 ? c < 0 : x.index < y.index;
    }

    // Equal keys: both lines have at least kPacked characters and agree up to there, or they are equal.
    Q_NEVER_INLINE int tail(const Key& x, const Key& y) const
    {
        const QString& a = entries[x.index].line;
        const QString& b = entries[y.index].line;
        return a.size() >= kPacked ? compare(QStringView(a).mid(kPacked), QStringView(b).mid(kPacked)) : 0;
    }
};

// Most significant byte first radix sort on the packed ranks; buckets too small to be worth a pass, and keys equal
// in every packed character, finish with comparisons. Entries that compare equal keep their order (the index
// decides last).
void radixSort(Key* keys, Key* scratch, size_t n, int d, const KeyLess& less)
{
    size_t count[257];
    for (;; ++d) {
        if (n <= 64 || d == kPacked) {
            std::sort(keys, keys + n, less);
            return;
        }
        std::fill(std::begin(count), std::end(count), 0);
        for (size_t i = 0; i < n; ++i)
            ++count[byteAt(keys[i], d) + 1];
        // When all keys share this character there is nothing to move: go on to the next one.
        if (count[byteAt(keys[0], d) + 1] != n)
            break;
    }
    for (int b = 0; b < 256; ++b)
        count[b + 1] += count[b];
    size_t next[256];
    std::copy(count, count + 256, next);
    for (size_t i = 0; i < n; ++i)
        scratch[next[byteAt(keys[i], d)]++] = keys[i];
    std::copy(scratch, scratch + n, keys);
    for (int b = 0; b < 256; ++b)
        if (count[b + 1] - count[b] > 1)
            radixSort(keys + count[b], scratch, count[b + 1] - count[b], d + 1, less);
}

} // namespace

void Builder::reserve(qsizetype count)
{
    m_entries.reserve(count);
    m_keys.reserve(size_t(count));
}

void Builder::add(ListEntry entry)
{
    static const Ranks ranks;
    const char16_t* text = QStringView(entry.line).utf16();
    Key key{{}, qint32(m_entries.size()), true};
    bool done = false;
    if (entry.line.size() >= kPacked) {
        // The usual line: long enough, every packed character below 0x100 and ranked by the table.
        char16_t any = 0;
        bool ranked = true;
        for (int w = 0; w < Key::kWords; ++w) {
            for (int j = 0; j < 8; ++j) {
                const char16_t u = text[8 * w + j];
                const int rank = ranks.lowRank(u);
                any |= u;
                ranked = ranked && rank != Ranks::kUnranked;
                key.packed[w] = (key.packed[w] << 8) | quint64(rank);
            }
        }
        done = any < 0x100 && ranked;
    }
    if (!done) {
        key = Key{{}, key.index, true};
        const qsizetype length = std::min<qsizetype>(entry.line.size(), kPacked);
        for (qsizetype c = 0; c < kPacked; ++c) {
            const int rank = c < length ? ranks.rank(QChar(text[c])) : 0;
            key.exact = key.exact && rank != Ranks::kUnranked;
            key.packed[c / 8] = (key.packed[c / 8] << 8) | quint64(rank);
        }
    }
    m_allExact = m_allExact && key.exact;
    m_keys.push_back(key);
    m_entries.append(std::move(entry));
}

QList<ListEntry> Builder::take()
{
    const KeyLess less{m_entries};
    if (m_allExact) {
        std::unique_ptr<Key[]> scratch(new Key[m_keys.size()]); // not cleared: every key is written before it is read
        radixSort(m_keys.data(), scratch.get(), m_keys.size(), 0, less);
    } else {
        // A character outside windows-1252 has no rank: compare those lines whole.
        std::sort(m_keys.begin(), m_keys.end(), less);
    }
    QList<ListEntry> sorted;
    sorted.reserve(m_entries.size());
    for (const Key& k : m_keys)
        sorted.append(std::move(m_entries[k.index]));
    m_entries.clear();
    m_keys.clear();
    m_allExact = true;
    return sorted;
}

void sort(QList<ListEntry>& entries)
{
    Builder builder;
    builder.reserve(entries.size());
    for (ListEntry& e : entries)
        builder.add(std::move(e));
    entries = builder.take();
}

QStringList lines(const QList<ListEntry>& entries)
{
    QStringList out;
    out.reserve(entries.size());
    for (const ListEntry& e : entries)
        out.append(e.line);
    return out;
}

} // namespace ListOrder

FindInList::Result FindInList::find(const QStringList& lines, const QString& text, int selected)
{
    const int count = int(lines.size());
    if (count == 0)
        return {EmptyList, -1};
    if (selected < 0 || selected >= count)
        selected = 0;

    const QString key = Text::lowerAscii(text);
    const bool again = key == m_lastKey;
    m_lastKey = key;
    if (key.isEmpty())
        return {NotFound, selected};

    const int start = again ? selected : 0;
    for (int step = 0; step < count; ++step) {
        // A new key tests the start entry first; the same key tests it last.
        const int i = again ? (start + 1 + step) % count : (start + step) % count;
        if (Text::lowerAscii(lines[i]).contains(key))
            return {Found, i};
    }
    return {NotFound, selected};
}
