#pragma once

#include "printing/report/prepared_report.h"

class QWidget;

// Puts prepared pages on paper or on screen. Every failure (no usable printer, a printer or spooler error, a
// missing font) is raised as ReportError; the service shows no message of its own. Cancelling is not a failure.
class PrintService
{
public:
    virtual ~PrintService() = default;

    // Shows the print dialog (the system's default printer chosen, the template's copies and collation) and prints
    // the pages on the printer chosen there. Returns false when the user cancelled: nothing was printed.
    virtual bool print(QWidget* owner, const PreparedReport& report) = 0;

    // Shows the pages in the preview window (maximised, modal, at the template's zoom, with the template's toolbar
    // buttons) and returns when the user closes it. Its print button goes through print(). Returns whether the
    // user printed from the preview.
    virtual bool preview(QWidget* owner, const PreparedReport& report) = 0;
};
