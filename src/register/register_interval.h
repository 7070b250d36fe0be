#pragma once

#include "common/messages.h"

#include <QDate>
#include <QString>
#include <optional>

// The date interval of the register summary.
namespace RegisterInterval {

// A date typed as day/month/year: one or two digits for day and month, four for the year, "/" between them,
// blanks around ignored. Nothing else is a date, nor is a day the calendar lacks.
std::optional<QDate> parseDate(const QString& text);

// The checks made before a summary, in order; the first that fails is the answer.
struct Check
{
    enum Problem
    {
        None,
        StartMissing,
        EndMissing,
        StartInvalid,
        EndInvalid,
        EndBeforeStart
    };
    enum Focus
    {
        StayPut,
        StartField,
        EndField
    };

    Problem problem = None;
    Messages::Kind kind = Messages::Kind::Plain; // of the message to show
    QString message;                             // empty when problem is None
    Focus focus = StayPut;                       // where the focus goes after the message
    QDate start;                                 // the interval, when problem is None
    QDate end;

    bool ok() const { return problem == None; }
};

Check check(const QString& startText, const QString& endText);

} // namespace RegisterInterval
