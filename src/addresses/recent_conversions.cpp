#include "addresses/recent_conversions.h"

#include <QHash>

struct RecentConversions::Entry
{
    bool used = false;
    Contact contact;
    ConvertedCard converted;
};

namespace {

// Equal contacts (their lines aside) have equal hashes; `textSize` receives how many characters the contact holds.
size_t hashOf(const Contact& c, qsizetype& textSize)
{
    size_t h = 0;
    textSize = 0;
    const auto add = [&](const QString& s) {
        h = qHashMulti(h, s);
        textSize += s.size();
    };
    const auto addList = [&](const QStringList& list) {
        h = qHashMulti(h, list.size());
        for (const QString& s : list)
            add(s);
    };
    for (const QString* s : {&c.prefix, &c.givenName, &c.middleName, &c.familyName, &c.suffix, &c.fullName,
                             &c.organisation, &c.cardName, &c.unreadable})
        add(*s);
    addList(c.notes);
    addList(c.categories);
    addList(c.cardLines);
    for (const ContactAddress& a : c.addresses) {
        h = qHashMulti(h, int(a.kind));
        addList(a.streetLines);
        for (const QString* s : {&a.postalCode, &a.city, &a.province, &a.country})
            add(*s);
    }
    return h;
}

} // namespace

RecentConversions::RecentConversions() : m_entries(std::make_unique<Entry[]>(kEntries)) {}

RecentConversions::~RecentConversions() = default;

const ConvertedCard* RecentConversions::find(const Contact& contact)
{
    m_keepable = false;
    if (m_paused > 0) {
        --m_paused;
        return nullptr;
    }
    if (++m_seen == kWindow) {
        // Seldom found in this window: the rows differ, and looking costs more than it saves.
        if (m_found * 16 < kWindow)
            m_paused = kWindow * kPausedWindows;
        m_seen = 0;
        m_found = 0;
    }
    qsizetype textSize = 0;
    m_hash = hashOf(contact, textSize);
    m_keepable = textSize <= kMaxText;
    if (!m_keepable)
        return nullptr;
    Entry& e = m_entries[m_hash % kEntries];
    if (!e.used)
        return nullptr;
    e.contact.line = contact.line; // compared on everything but the line
    if (!(e.contact == contact))
        return nullptr;
    ++m_found;
    return &e.converted;
}

void RecentConversions::keep(const Contact& contact, const ConvertedCard& converted)
{
    if (!m_keepable)
        return;
    Entry& e = m_entries[m_hash % kEntries];
    e.used = true;
    e.contact = contact;
    e.converted.copyFrom(converted);
}
