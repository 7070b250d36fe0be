#pragma once

#include "addresses/contact.h"
#include "addresses/converted_card.h"

#include <memory>

// The cards of contacts met lately, found again by the contact's text (its line aside): a file that repeats a few
// contacts millions of times has each converted once. It holds a few thousand short contacts, the last one met in each
// place, and stops filling itself for a while when it seldom finds anything, so a file of different rows pays next to
// nothing for it.
class RecentConversions
{
public:
    RecentConversions();
    ~RecentConversions();

    // The card of a contact equal to this one, or null. keep() then stores this contact's card, when worth it.
    const ConvertedCard* find(const Contact& contact);
    void keep(const Contact& contact, const ConvertedCard& converted);

private:
    struct Entry;
    static constexpr qsizetype kEntries = 4096;
    // Contacts of more text than this are not kept: a few thousand of them would hold megabytes, and rows that long
    // are few in any file.
    static constexpr qsizetype kMaxText = 512;
    static constexpr qsizetype kWindow = 65536;     // rows between two looks at how often it finds
    static constexpr qsizetype kPausedWindows = 16; // after a window where it seldom found anything

    std::unique_ptr<Entry[]> m_entries;
    size_t m_hash = 0;       // of the contact last given to find()
    bool m_keepable = false; // whether that contact is short enough to keep
    qsizetype m_seen = 0;    // rows in this window
    qsizetype m_found = 0;
    qsizetype m_paused = 0; // rows left before it is tried again
};
