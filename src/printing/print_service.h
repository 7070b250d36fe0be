#pragma once

#include "common/errors.h"
#include "printing/report/prepared_report.h"
#include "printing/report/report_painter.h"

class QWidget;

// The system has no printer at all. The print commands report it; the preview stays open, so its pages can still
// be saved as a PDF file.
class NoPrinterError : public ReportError
{
public:
    NoPrinterError() : ReportError(QStringLiteral("Nessuna stampante è installata nel sistema.")) {}
};

// Puts prepared pages on paper or on screen. Every failure (no usable printer, a printer or spooler error, a
// missing font) is raised as ReportError; the service shows no message of its own. Cancelling is not a failure.
class PrintService
{
public:
    virtual ~PrintService() = default;

    // Shows the print dialog (the system's default printer chosen, the template's copies and collation) and prints
    // the pages on the printer chosen there. Returns false when the user cancelled: nothing was printed. Throws
    // NoPrinterError when the system has no printer.
    virtual bool print(QWidget* owner, const PreparedReport& report) = 0;
    // The same for a document too large to prepare whole: one print job, its pages made and drawn one at a time,
    // the first of them only once the user confirmed the print dialog.
    virtual bool printPages(QWidget* owner, const ReportPainter::PageSource& pages) = 0;

    // Shows the pages in the preview window (maximised, modal, at the template's zoom, with the template's toolbar
    // buttons and "Salva PDF") and returns when the user closes it. Its print button goes through print(); it opens
    // also when the system has no printer. Returns whether the user printed from the preview.
    virtual bool preview(QWidget* owner, const PreparedReport& report) = 0;
};
