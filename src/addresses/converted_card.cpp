#include "addresses/converted_card.h"

#include <cstring>

void ConvertedCard::copyFrom(const ConvertedCard& other)
{
    card = other.card;
    std::memcpy(key.data(), other.key.data(), size_t(other.keySize));
    keySize = other.keySize;
    hash = other.hash;
    changed = other.changed;
    lost = other.lost;
    cut = other.cut;
}
