#include "addresses/late_comparisons.h"

LateComparisons::LateComparisons(const DuplicateKeys& keys, std::function<void(const ConvertedCard&)> compare)
    : m_keys(keys), m_compare(std::move(compare)), m_cards(std::make_unique<ConvertedCard[]>(kLate + 1))
{
}

void LateComparisons::push()
{
    m_keys.prefetch(next().hash);
    if (++m_made - m_compared > kLate)
        m_compare(m_cards[m_compared++ % (kLate + 1)]);
}

void LateComparisons::finish()
{
    while (m_compared < m_made)
        m_compare(m_cards[m_compared++ % (kLate + 1)]);
}
