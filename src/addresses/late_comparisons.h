#pragma once

#include "addresses/converted_card.h"
#include "addresses/duplicate_keys.h"

#include <functional>
#include <memory>

// Converted cards handed to `compare` a few cards after they are made, in the order they were made, with the key
// table's memory for each fetched meanwhile: a file of millions of different rows otherwise waits for memory at every
// comparison (a 64 MB file of 13.4 million rows took 8.2-9.0 s comparing each card at once, 6.6-7.0 s this way).
// With kLate = 0 each card is compared as soon as it is made, as the plain loop would.
class LateComparisons
{
public:
    static constexpr qsizetype kLate = 4;

    LateComparisons(const DuplicateKeys& keys, std::function<void(const ConvertedCard&)> compare);

    // Room for the next card; it stays there until it is compared.
    ConvertedCard& next() { return m_cards[m_made % (kLate + 1)]; }
    // The card in next() is ready: its key's memory is fetched, and the card made kLate cards earlier is compared.
    void push();
    // Compares the cards still waiting.
    void finish();

private:
    const DuplicateKeys& m_keys;
    std::function<void(const ConvertedCard&)> m_compare;
    std::unique_ptr<ConvertedCard[]> m_cards;
    qsizetype m_made = 0;
    qsizetype m_compared = 0;
};
