#include "addresses/address_card.h"

#include <array>

std::span<const FieldSpec> AddressCardLayout::fields()
{
    static constexpr std::array<FieldSpec, 15> kFields = {{
        {"Nome", 250},
        {"Tipo", 250},
        {"Rigo01", 250},
        {"Rigo02", 250},
        {"Rigo03", 250},
        {"Rigo04", 250},
        {"Rigo05", 250},
        {"Rigo06", 250},
        {"Note", 250},
        {"File01", 250},
        {"File02", 250},
        {"File03", 250},
        {"Desc01", 250},
        {"Desc02", 250},
        {"Desc03", 250},
    }};
    return kFields;
}
