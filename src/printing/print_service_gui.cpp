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

// The print dialog over `owner`; false when the user cancelled it.
bool confirmed(QPrinter& printer, QWidget* owner)
{
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    return dialog.exec() == QDialog::Accepted;
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
    ReportFonts::check(report);
    send(printer, ReportPainter::pagesOf(report));
}

void QtPrintService::send(QPrinter& printer, const ReportPainter::PageSource& pages)
{
    // The first page is made here, after the dialog; its fonts are checked before the job starts.
    const PreparedPage& first = pages.page(0);
    for (const PreparedItem& item : first.items)
        if (item.kind == PreparedItem::Kind::Text && !item.lines.isEmpty())
            ReportFonts::resolve(item.font);
    // The dialog may have put the printer's own paper in place; the page decides.
    printer.setFullPage(true);
    printer.setPageLayout(ReportPainter::pageLayout(first));
    ReportPainter::paintPages(printer, pages);
    if (printer.printerState() == QPrinter::Error)
        throw ReportError(QStringLiteral("La stampante \"%1\" ha segnalato un errore.").arg(printer.printerName()));
}

bool QtPrintService::print(QWidget* owner, const PreparedReport& report)
{
    checkPages(report);
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, report);
    if (!confirmed(printer, owner))
        return false;
    send(printer, report);
    return true;
}

bool QtPrintService::printPages(QWidget* owner, const ReportPainter::PageSource& pages)
{
    if (pages.count <= 0)
        throw ReportError(QStringLiteral("Il documento \"%1\" non ha pagine da stampare.").arg(pages.name));
    PreparedReport paper;
    paper.name = pages.name;
    paper.pages.push_back(pages.paper);
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, paper);
    if (!confirmed(printer, owner))
        return false;
    send(printer, pages);
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
