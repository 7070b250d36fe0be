#pragma once

#include "register/daily_register.h"

// Writes the daily register as a PDF/A-1b file, whole or not at all, ready for long-term keeping: A4, the register's
// year and the day at the top of every page, "Pagina N di M" at the foot. Needs a QGuiApplication; throws ReportError
// with a message for the user.
void writeDailyRegisterPdf(const DailyRegister& dailyRegister, const QString& year, const QString& path);
