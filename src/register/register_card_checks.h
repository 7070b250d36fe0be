#pragma once

#include "register/register_card.h"

#include <QDate>
#include <QStringList>
#include <optional>

// What a register card must hold before the batch tool stores it, as the register window makes sure of it: a
// registration date the calendar has, one of the three mail types, and dispatch and receipt dates that are real
// dates or empty.
namespace RegisterCardChecks {

// The mail types as cards store them.
const QStringList& mailTypes();

struct Problem
{
    RegisterCard::Field field;
    QString reason; // follows the field's name and its quoted value: DataReg "31/02/2026" <reason>
};

// Checks a card's field values as given (before they are trimmed and cut to their widths, so that an overlong
// value never becomes a valid one by the cut). An empty registration date becomes `today`, as on a new card on
// screen. Returns the first field that cannot be stored.
std::optional<Problem> complete(QStringList& values, const QDate& today);

} // namespace RegisterCardChecks
