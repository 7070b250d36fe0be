#include "common/find_in_list.h"

#include "common/text.h"

#include <algorithm>

namespace {

inline char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - 32) : u;
}

} // namespace

namespace ListOrder {

int compare(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = folded(a[i]);
        const char16_t y = folded(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void sort(QList<ListEntry>& entries)
{
    // Folding once per line and comparing the folded texts gives the same order as compare(), far faster than
    // folding inside every comparison. The lines hold no surrogates (they come from windows-1252 text), so code
    // unit order is character code order.
    struct Keyed
    {
        QString key;
        qsizetype index;
    };
    QList<Keyed> keyed;
    keyed.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        keyed.append({Text::upperAscii(entries[i].line), i});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& x, const Keyed& y) { return QStringView(x.key).compare(QStringView(y.key)) < 0; });
    QList<ListEntry> sorted;
    sorted.reserve(entries.size());
    for (const Keyed& k : keyed)
        sorted.append(std::move(entries[k.index]));
    entries = std::move(sorted);
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
