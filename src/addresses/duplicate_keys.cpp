#include "addresses/duplicate_keys.h"

#include "common/errors.h"

#include <QHash>

#include <cstring>

namespace {

// The table has any size, not only powers of two, so a table reserved for its keys wastes no room: a hash picks its
// first slot by its high bits, and its tag is its low byte.
size_t homeOf(size_t hash, size_t size)
{
    return size_t((static_cast<unsigned __int128>(hash) * size) >> 64);
}

quint8 tagOf(size_t hash)
{
    return quint8(hash);
}

} // namespace

DuplicateKeys::DuplicateKeys() : m_slots(1024, 0), m_tags(1024, 0) {}

QByteArrayView DuplicateKeys::keyAt(quint32 ref) const
{
    const qsizetype at = qsizetype(ref) - 1;
    const char* p = m_blocks[size_t(at / kBlockSize)].get() + at % kBlockSize;
    const qsizetype size = static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8);
    return QByteArrayView(p + 2, size);
}

size_t DuplicateKeys::slotOf(QByteArrayView key, size_t hash) const
{
    const size_t size = m_slots.size();
    const quint8 tag = tagOf(hash);
    for (size_t i = homeOf(hash, size);; i = i + 1 == size ? 0 : i + 1)
        if (m_slots[i] == 0 || (m_tags[i] == tag && keyAt(m_slots[i]) == key))
            return i;
}

bool DuplicateKeys::contains(QByteArrayView key) const
{
    return m_slots[slotOf(key, qHash(key))] != 0;
}

bool DuplicateKeys::insert(QByteArrayView key)
{
    // A key is at most seven fields of 250 characters, each after its length.
    Q_ASSERT(key.size() < 0x10000 && key.size() + 2 <= kBlockSize);
    const size_t hash = qHash(key);
    size_t slot = slotOf(key, hash);
    if (m_slots[slot] != 0)
        return false;
    if ((m_count + 1) * 4 > qsizetype(m_slots.size()) * 3) {
        grow();
        slot = slotOf(key, hash);
    }
    if (m_used + 2 + key.size() > kBlockSize) {
        // Four gigabytes of keys would take tens of millions of cards: far beyond any archive and any file.
        if (qsizetype(m_blocks.size() + 1) * kBlockSize > qsizetype(UINT32_MAX))
            throw PlicarioError(QStringLiteral("Troppe schede da confrontare in una sola importazione."));
        m_blocks.push_back(std::unique_ptr<char[]>(new char[size_t(kBlockSize)]));
        m_used = 0;
    }
    char* p = m_blocks.back().get() + m_used;
    p[0] = char(key.size() & 0xFF);
    p[1] = char(key.size() >> 8);
    std::memcpy(p + 2, key.data(), size_t(key.size()));
    m_slots[slot] = quint32((qsizetype(m_blocks.size()) - 1) * kBlockSize + m_used + 1);
    m_tags[slot] = tagOf(hash);
    m_used += 2 + key.size();
    ++m_count;
    return true;
}

void DuplicateKeys::reserve(qsizetype count)
{
    const size_t size = size_t(count) * 4 / 3 + 1;
    if (size > m_slots.size())
        rebuild(size);
}

void DuplicateKeys::grow()
{
    rebuild(m_slots.size() * 2);
}

void DuplicateKeys::rebuild(size_t size)
{
    std::vector<quint32> old(size, 0);
    old.swap(m_slots);
    m_tags.assign(m_slots.size(), 0);
    for (quint32 ref : old) {
        if (ref == 0)
            continue;
        const size_t hash = qHash(keyAt(ref));
        size_t i = homeOf(hash, size);
        while (m_slots[i] != 0)
            i = i + 1 == size ? 0 : i + 1;
        m_slots[i] = ref;
        m_tags[i] = tagOf(hash);
    }
}
