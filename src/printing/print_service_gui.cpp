#include "printing/print_service_gui.h"

#include "common/errors.h"
#include "printing/preview_window.h"
#include "printing/report/report_fonts.h"
#include "printing/report/report_painter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

void checkPages(const PreparedReport& report)
{
    if (report.pages.empty())
        throw ReportError(QStringLiteral("Il documento \"%1\" non ha pagine da stampare.").arg(report.name));
    // Before any window opens: a page must never print without its text.
    ReportFonts::check(report);
}

} // namespace

void QtPrintService::setUp(QPrinter& printer, const PreparedReport& report)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull() && QPrinterInfo::availablePrinterNames().isEmpty())
        throw NoPrinterError();
    if (!defaultPrinter.isNull())
        printer.setPrinterName(defaultPrinter.printerName());
    printer.setDocName(report.name);
    printer.setFullPage(true);
    printer.setPageLayout(ReportPainter::pageLayout(report.pages.front()));
    printer.setCopyCount(report.print.copies);
    printer.setCollateCopies(report.print.collate);
}

void QtPrintService::send(QPrinter& printer, const PreparedReport& report)
{
    // The dialog may have put the printer's own paper in place; the page decides.
    printer.setFullPage(true);
    printer.setPageLayout(ReportPainter::pageLayout(report.pages.front()));
    ReportPainter::paintReport(printer, report);
    if (printer.printerState() == QPrinter::Error)
        throw ReportError(QStringLiteral("La stampante \"%1\" ha segnalato un errore.").arg(printer.printerName()));
}

bool QtPrintService::print(QWidget* owner, const PreparedReport& report)
{
    checkPages(report);
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, report);
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    send(printer, report);
    return true;
}

bool QtPrintService::preview(QWidget* owner, const PreparedReport& report)
{
    checkPages(report);
    // No printer check here: without one the preview still shows the pages and saves them as a PDF file.
    PreviewWindow window(
        report, [this, &report](QWidget* previewOwner) { return print(previewOwner, report); }, m_context, owner);
    window.run();
    return window.printed();
}
