#pragma once

#include "printing/report/report_template.h"

#include <QDateTime>
#include <functional>

// The register card page "Scheda Protocollo": a title bar, sixteen framed rows of caption and value, and a footer
// bar with the date and time of printing.
namespace RegisterCardTemplate {

inline const QString kName = QStringLiteral("Scheda Protocollo");

ReportTemplate make();

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss".
QString footerText(const QDateTime& now);

// Turns the page to portrait, sets the sixteen values from field(name) of the register window (trimmed; row 10
// joins txtFormato and txtPagine) and the footer. An annulled card (`annulment` says when, by whom and why) is
// marked in the title bar and has its annulment printed under the footer.
void fill(ReportTemplate& tpl, const std::function<QString(const QString& fieldName)>& field, const QDateTime& now,
          const QString& annulment = {});

} // namespace RegisterCardTemplate
