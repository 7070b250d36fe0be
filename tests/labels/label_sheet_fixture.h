#pragma once

#include "labels/label_sheet.h"

#include <QString>

// Sheets whose every field tells where it is, for tests that must see which slot went where.
namespace LabelSheetFixture {

inline QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Sheet n: slot xx named "S<n> E<xx>", its lines "S<n> E<xx> R<r>".
inline LabelSheet numbered(int n)
{
    LabelSheet sheet;
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
        sheet.setName(slot, QStringLiteral("S%1 E%2").arg(n).arg(twoDigits(slot)));
        for (int line = 1; line <= LabelSheet::kLines; ++line)
            sheet.setLine(slot, line, QStringLiteral("S%1 E%2 R%3").arg(n).arg(twoDigits(slot)).arg(line));
    }
    return sheet;
}

// Appends sheets 1 to `count` to the label sheet file of `folder`.
inline void appendNumbered(const QString& folder, int count)
{
    LabelSheetFile file(folder);
    for (int n = 1; n <= count; ++n)
        file.append(numbered(n));
}

} // namespace LabelSheetFixture
