// ListOrder::sort. The plain order is std::stable_sort with ListOrder::compare, and the tests check this against it.
// Plain, the comparisons of a 100,000-card list reach into as many strings scattered over the heap, and the address
// list took 13 times its raw read (the finder 0.3 s of CPU to open); here the first 32 folded characters of each
// line, kept beside its position, decide almost every comparison without leaving the array.
#include "common/find_in_list.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int kKeyCharacters = 32;

struct Keyed
{
    std::array<quint64, kKeyCharacters / 4> prefix; // folded codes, first character highest; 0 past the end
    qsizetype index;                                // of the entry
};

Keyed keyOf(QStringView line, qsizetype index)
{
    Keyed k{{}, index};
    for (int c = 0; c < kKeyCharacters && c < line.size(); ++c)
        k.prefix[c / 4] |= quint64(ListOrder::folded(line[c])) << (48 - 16 * (c % 4));
    return k;
}

} // namespace

namespace ListOrder {

void sort(QList<ListEntry>& entries)
{
    std::vector<Keyed> keys;
    keys.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.push_back(keyOf(entries[i].line, i));
    // Different prefixes order the lines as compare() does; equal ones (also a line ending where another has a
    // NUL) leave it to compare().
    std::stable_sort(keys.begin(), keys.end(), [&entries](const Keyed& x, const Keyed& y) {
        if (x.prefix != y.prefix)
            return x.prefix < y.prefix;
        return compare(entries[x.index].line, entries[y.index].line) < 0;
    });
    QList<ListEntry> sorted;
    sorted.reserve(entries.size());
    for (const Keyed& k : keys)
        sorted.append(std::move(entries[k.index]));
    entries = std::move(sorted);
}

} // namespace ListOrder
