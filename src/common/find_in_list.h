#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The line lists of the finder windows (addresses, label import, register search): their order and their search.

// One line of a list and the number of the card it stands for.
struct ListEntry
{
    QString line;
    int cardNumber = 0;
};

namespace ListOrder {

// A character as the order sees it: a to z turned into A to Z, nothing else folded.
inline char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - 32) : u;
}

// Orders two lines character by character by folded character code (no locale); a line that is a prefix of another
// comes first. Negative, zero or positive.
int compare(QStringView a, QStringView b);

// Sorts the entries in that order; entries whose lines compare equal keep their order. The result is that of
// std::stable_sort with compare(), which the tests check it against (list_order_fast.cpp says why it is not that).
void sort(QList<ListEntry>& entries);

// The lines of the entries, in their order.
QStringList lines(const QList<ListEntry>& entries);

} // namespace ListOrder

// The Trova button of a list window. One object lives as long as its window, since it remembers the last key:
// pressing Trova again with the same text moves on to the next match.
//
//   FindInList finder;                       // or finder.reset() each time the window is shown
//   auto r = finder.find(lines, txtTrova->text(), list->currentRow());
//   if (r.outcome == FindInList::EmptyList) messages->plain(this, FindInList::kEmptyListMessage);
//   else list->setCurrentRow(r.select);
class FindInList
{
public:
    static inline const QString kEmptyListMessage =
        QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

    enum Outcome
    {
        EmptyList, // show kEmptyListMessage; nothing else changes
        Found,     // select `select`
        NotFound,  // select `select`: the selection as it was, or the first entry when none was selected
    };
    struct Result
    {
        Outcome outcome;
        int select; // -1 only for EmptyList
    };

    // `text` is the search field's text as typed (not trimmed); `selected` the selected index, -1 for none.
    // A new key is tested from the first entry on; the same key again starts after the selected entry and wraps
    // round, testing the selected entry last. A key matches where it occurs in the line with A to Z folded to
    // lower case, labels and padding included; the empty key matches nothing.
    Result find(const QStringList& lines, const QString& text, int selected);

    // Forgets the last key (the window is shown again).
    void reset() { m_lastKey.clear(); }

private:
    QString m_lastKey;
};
