#pragma once

#include <QByteArrayView>

#include <memory>
#include <vector>

// A set of the keys that tell two address cards apart (AddressImport::duplicateKey), compared byte for byte. Each key
// is kept once in large blocks with five bytes of table beside it: a QSet of QByteArray spends about a hundred bytes
// on a short key, and an import of millions of rows must stay within a few hundred megabytes.
class DuplicateKeys
{
public:
    DuplicateKeys();
    // Room for `count` keys in all, so that the table is not rebuilt as it fills.
    void reserve(qsizetype count);
    // Adds the key unless it is there already; true when it was added.
    bool insert(QByteArrayView key);
    bool contains(QByteArrayView key) const;
    qsizetype size() const { return m_count; }

private:
    static constexpr qsizetype kBlockSize = qsizetype(1) << 20;

    // The slot holding the key, or the empty slot where it would go.
    size_t slotOf(QByteArrayView key, size_t hash) const;
    QByteArrayView keyAt(quint32 ref) const;
    void grow();
    void rebuild(size_t size);

    // Every key after its length in two bytes, in blocks of kBlockSize; a key never spans two blocks.
    std::vector<std::unique_ptr<char[]>> m_blocks;
    qsizetype m_used = kBlockSize; // bytes used in the last block
    // 1 + where a key starts (block * kBlockSize + offset), 0 for an empty slot; at most three quarters in use.
    std::vector<quint32> m_slots;
    // A byte of each slot's hash beside it: most slots a search passes are told apart without reading their key.
    std::vector<quint8> m_tags;
    qsizetype m_count = 0;
};
