#include "common/find_in_list.h"

#include "common/text.h"

#include <algorithm>

namespace ListOrder {

int compare(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t f = folded(a[i]);
        const char16_t g = folded(b[i]);
        if (f != g)
            return f < g ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
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
