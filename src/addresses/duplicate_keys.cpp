#include "addresses/duplicate_keys.h"

#include "common/errors.h"

#include <QHash>

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace {

// The table has any number of buckets, not only powers of two, so a table reserved for its keys wastes no room: a
// hash picks its bucket by its high bits, and its tag is its low byte.
size_t homeOf(size_t hash, size_t size)
{
    return size_t((static_cast<unsigned __int128>(hash) * size) >> 64);
}

quint8 tagOf(size_t hash)
{
    return quint8(hash);
}

constexpr size_t kLargePage = size_t(2) << 20;

} // namespace

void DuplicateKeys::PagesFree::operator()(void* p) const
{
    std::free(p);
}

template <typename T> DuplicateKeys::Pages<T> DuplicateKeys::allocate(size_t count)
{
    const size_t bytes = count * sizeof(T);
    // Whole large pages for anything of a page or more; a small table takes what it needs.
    const size_t align = bytes >= kLargePage ? kLargePage : alignof(T);
    const size_t rounded = (bytes + align - 1) / align * align;
    void* p = std::aligned_alloc(align, rounded);
    if (!p)
        throw std::bad_alloc();
#ifdef Q_OS_LINUX
    if (align == kLargePage)
        madvise(p, rounded, MADV_HUGEPAGE); // a hint: without it the pages are small, and all works the same
#endif
    std::memset(p, 0, rounded);
    return Pages<T>(static_cast<T*>(p));
}

DuplicateKeys::DuplicateKeys() : m_buckets(allocate<Bucket>(bucketsFor(1024))), m_bucketCount(bucketsFor(1024)) {}

size_t DuplicateKeys::bucketsFor(qsizetype count)
{
    return size_t(count) * 4 / 3 / kBucketSlots + 1;
}

QByteArrayView DuplicateKeys::keyAt(quint32 ref) const
{
    const char* p = m_blocks[size_t(ref / kBlockSize)].get() + ref % kBlockSize;
    const auto first = static_cast<unsigned char>(p[0]);
    if (first < 0x80)
        return QByteArrayView(p + 1, first);
    return QByteArrayView(p + 2, qsizetype(first & 0x7F) << 8 | static_cast<unsigned char>(p[1]));
}

DuplicateKeys::Place DuplicateKeys::find(QByteArrayView key, size_t hash) const
{
    const size_t size = m_bucketCount;
    const quint8 tag = tagOf(hash);
    for (size_t b = homeOf(hash, size);; b = b + 1 == size ? 0 : b + 1) {
        const Bucket& bucket = m_buckets[b];
        for (int i = 0; i < bucket.used; ++i)
            if (bucket.tags[i] == tag && keyAt(bucket.refs[i]) == key)
                return {b, i};
        if (bucket.used < kBucketSlots)
            return {b, -1};
    }
}

size_t DuplicateKeys::hashOf(QByteArrayView key)
{
    return qHash(key);
}

void DuplicateKeys::prefetch(size_t hash) const
{
    __builtin_prefetch(&m_buckets[homeOf(hash, m_bucketCount)]);
}

bool DuplicateKeys::contains(QByteArrayView key) const
{
    return find(key, hashOf(key)).slot >= 0;
}

bool DuplicateKeys::insert(QByteArrayView key, size_t hash)
{
    // A key is at most seven fields of 250 characters, each after its length.
    Q_ASSERT(key.size() < 0x8000 && key.size() + 2 <= kBlockSize);
    Place place = find(key, hash);
    if (place.slot >= 0)
        return false;
    if ((m_count + 1) * 4 > qsizetype(m_bucketCount) * kBucketSlots * 3) {
        rebuild(m_bucketCount * 2);
        place = find(key, hash);
    }
    const qsizetype length = key.size() < 0x80 ? 1 : 2;
    if (m_used + length + key.size() > kBlockSize) {
        // Four gigabytes of keys would take tens of millions of cards: far beyond any archive and any file.
        if (qsizetype(m_blocks.size() + 1) * kBlockSize > qsizetype(UINT32_MAX))
            throw PlicarioError(QStringLiteral("Troppe schede da confrontare in una sola importazione."));
        m_blocks.push_back(allocate<char>(size_t(kBlockSize)));
        m_used = 0;
    }
    char* p = m_blocks.back().get() + m_used;
    if (length == 1) {
        p[0] = char(key.size());
    } else {
        p[0] = char(0x80 | key.size() >> 8);
        p[1] = char(key.size() & 0xFF);
    }
    std::memcpy(p + length, key.data(), size_t(key.size()));
    Bucket& bucket = m_buckets[place.bucket];
    bucket.tags[bucket.used] = tagOf(hash);
    bucket.refs[bucket.used] = quint32((qsizetype(m_blocks.size()) - 1) * kBlockSize + m_used);
    ++bucket.used;
    m_used += length + key.size();
    ++m_count;
    return true;
}

void DuplicateKeys::reserve(qsizetype count)
{
    const size_t buckets = bucketsFor(count);
    if (buckets > m_bucketCount)
        rebuild(buckets);
}

void DuplicateKeys::rebuild(size_t size)
{
    Pages<Bucket> old = allocate<Bucket>(size);
    old.swap(m_buckets);
    const size_t oldCount = std::exchange(m_bucketCount, size);
    for (size_t k = 0; k < oldCount; ++k) {
        const Bucket& from = old[k];
        for (int i = 0; i < from.used; ++i) {
            const size_t hash = hashOf(keyAt(from.refs[i]));
            size_t b = homeOf(hash, size);
            while (m_buckets[b].used == kBucketSlots)
                b = b + 1 == size ? 0 : b + 1;
            Bucket& to = m_buckets[b];
            to.tags[to.used] = tagOf(hash);
            to.refs[to.used] = from.refs[i];
            ++to.used;
        }
    }
}
