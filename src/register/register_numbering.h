#pragma once

#include "register/register_settings.h"

#include <QDate>
#include <QString>

// The number of a new register card: the start number plus the cards already in the year's file, followed by
// "/" and today's year when the settings ask for it. It depends only on the count, so it may repeat a number
// edited by hand. Throws ArchiveAccessError (the access text) when the start number is not a whole number.
QString nextRegisterNumber(int count, const RegisterNumbering& numbering, const QDate& today);

// The same, reading the settings of `programFolder` and counting the cards of `yearFilePath` (created when
// missing). Throws ArchiveAccessError.
QString nextRegisterNumber(const QString& programFolder, const QString& yearFilePath, const QDate& today);

// The start number as the numbering window leaves it: blank becomes "1"; a decimal number (with "," as the decimal
// separator) is rounded to a whole number ("007" becomes "7", "2,5" becomes "3"); anything else becomes "1".
QString normalizeStartNumber(const QString& text);
