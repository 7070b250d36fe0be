#pragma once

#include "common/record_file.h"
#include "common/text.h"

#include <optional>

// A card found again from its line in a list window.
template <typename Record> struct ListMatch
{
    int number;
    Record card;
};

// The card a list line stands for: the last card in file order whose line (made by `lineOf`), trimmed, equals the
// trimmed text; several cards may give the same line. Empty when none does. Throws ArchiveAccessError.
template <typename Record, typename LineOf>
std::optional<ListMatch<Record>> lastCardWithLine(const RecordFile<Record>& file, const QString& line, LineOf lineOf)
{
    const QString wanted = Text::trimmed(line);
    std::optional<ListMatch<Record>> match;
    file.scan([&](int number, const Record& card) {
        if (Text::trimmed(lineOf(card)) == wanted)
            match = ListMatch<Record>{number, card};
    });
    return match;
}
