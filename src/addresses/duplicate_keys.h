#pragma once

#include <QByteArrayView>

#include <memory>
#include <vector>

// A set of the keys that tell two address cards apart (AddressImport::duplicateKey), compared byte for byte. Each key
// is kept once in large blocks, and the table beside them spends under six bytes a key: a QSet of QByteArray spends
// about a hundred bytes on a short key, and an import of millions of rows must stay within a few hundred megabytes.
class DuplicateKeys
{
public:
    DuplicateKeys();
    // Room for `count` keys in all, so that the table is not rebuilt as it fills.
    void reserve(qsizetype count);
    // Adds the key unless it is there already; true when it was added.
    bool insert(QByteArrayView key) { return insert(key, hashOf(key)); }
    bool contains(QByteArrayView key) const;

    // The same with the key's hash worked out ahead: a caller that has other work to do between the two lets the
    // table's memory be fetched meanwhile, instead of waiting for it at each key.
    static size_t hashOf(QByteArrayView key);
    void prefetch(size_t hash) const;
    bool insert(QByteArrayView key, size_t hash);
    qsizetype size() const { return m_count; }

private:
    static constexpr qsizetype kBlockSize = qsizetype(2) << 20;
    static constexpr int kBucketSlots = 11;

    // One cache line of slots, filled in order: a search reads one line, and the next only when this one is full.
    struct alignas(64) Bucket
    {
        quint8 used;
        quint8 tags[kBucketSlots];  // a byte of each key's hash: most keys are told apart without reading them
        quint32 refs[kBucketSlots]; // where each key starts: block * kBlockSize + offset
    };
    // Zeroed memory, in large pages where the system gives them: the table and the keys are read at random, and with
    // small pages nearly every search would also miss the processor's cache of page addresses.
    struct PagesFree
    {
        void operator()(void* p) const;
    };
    template <typename T> using Pages = std::unique_ptr<T[], PagesFree>;
    template <typename T> static Pages<T> allocate(size_t count);

    struct Place
    {
        size_t bucket;
        int slot; // the key's slot, or -1 when it is not there (`bucket` then has room for it)
    };
    Place find(QByteArrayView key, size_t hash) const;
    QByteArrayView keyAt(quint32 ref) const;
    void rebuild(size_t buckets);
    static size_t bucketsFor(qsizetype count);

    // Every key after its length (one byte below 128, else two), in blocks of kBlockSize; a key never spans two.
    std::vector<Pages<char>> m_blocks;
    qsizetype m_used = kBlockSize; // bytes used in the last block
    Pages<Bucket> m_buckets;       // at most three quarters of their slots in use
    size_t m_bucketCount = 0;
    qsizetype m_count = 0;
};
