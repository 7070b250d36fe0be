#pragma once

#include "addresses/address_card.h"

#include <QByteArrayView>

#include <array>

// A contact converted to its card, with the card's duplicate key.
struct ConvertedCard
{
    static constexpr qsizetype kKeyRoom = 8 * 256;

    AddressCard card;
    std::array<char, kKeyRoom> key;
    qsizetype keySize = 0; // 0 until the key is made: a refused card has none
    size_t hash = 0;       // of the key
    int line = 0;
    QString changed; // the characters stored as others, named (Ansi::replacements)
    QString lost;    // the characters stored as '?' (Ansi::unstorable)
    QString cut;     // the fields cut to their width ("Note, Rigo 2")

    QByteArrayView keyView() const { return QByteArrayView(key.data(), keySize); }
    // A copy of the card, its key and what it lost; the line stays.
    void copyFrom(const ConvertedCard& other);
};
