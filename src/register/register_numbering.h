#pragma once

#include "register/register_settings.h"

#include <QSet>
#include <QString>

class RawRecordFile;

// The number of a new register card: the start number plus the cards already in the year's file, followed by
// "/" and the register's year when the settings ask for it. Throws ArchiveAccessError (the access text) when the
// start number is not a whole number.
QString nextRegisterNumber(int count, const RegisterNumbering& numbering, const QString& year);

namespace RegisterNumbers {

// The whole number a register number stands for: "124/2026" and "124" are both 124; -1 when it names none.
qlonglong value(const QString& number);
// "2026" for ".../2026.prt".
QString yearOf(const QString& yearFilePath);

} // namespace RegisterNumbers

// The numbers of one year's register while its file is open and locked, so that no number is given twice: the one a
// new card takes, and whether a number typed by hand is free.
class RegisterNumberer
{
public:
    RegisterNumberer(const RawRecordFile& yearFile, const RegisterNumbering& numbering, const QString& year);

    // The next number by the count, or the first after it that no card holds (a number typed by hand may have
    // taken it). Throws ArchiveAccessError when the start number is not a whole number.
    QString next() const;
    // A text that names no number is free: it is kept as typed.
    bool isFree(const QString& number) const;
    // A card with `number` was appended.
    void add(const QString& number);

private:
    QSet<qlonglong> m_taken;
    int m_count;
    RegisterNumbering m_numbering;
    QString m_year;
};

// The start number as the numbering window leaves it: blank becomes "1"; a decimal number (with "," as the decimal
// separator) is rounded to a whole number ("007" becomes "7", "2,5" becomes "3"); anything else becomes "1".
QString normalizeStartNumber(const QString& text);
