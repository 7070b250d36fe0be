#pragma once

#include "printing/report/prepared_report.h"
#include "register/daily_register.h"

// The pages of the daily register, shared by its preview, its printing and its PDF file: A4 portrait, the
// register's year and the day at the top of every page, the lines wrapped to the page, "Pagina N di M" at the foot.
// Measures the text with the report fonts, so it needs a QGuiApplication; throws ReportError as they do.
namespace DailyRegisterReport {

inline const QString kName = QStringLiteral("Registro giornaliero");

// "Registro giornaliero di protocollo 2026 - 11/12/2026"
QString title(const DailyRegister& dailyRegister, const QString& year);

PreparedReport prepare(const DailyRegister& dailyRegister, const QString& year);

} // namespace DailyRegisterReport
