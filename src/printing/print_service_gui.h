#pragma once

#include "printing/print_service.h"

class QPrinter;
struct AppContext;

// The print service of the program: Qt's print dialog on the system's printers and the preview window.
class QtPrintService : public PrintService
{
public:
    // The preview window receives `context` (messages, the save-file dialog); it must outlive the service.
    explicit QtPrintService(const AppContext& context) : m_context(context) {}

    bool print(QWidget* owner, const PreparedReport& report) override;
    bool printPages(QWidget* owner, const ReportPainter::PageSource& pages) override;
    bool preview(QWidget* owner, const PreparedReport& report) override;

    // Chooses the system's default printer and sets paper, full-page origin, copies and collation for `report`.
    // Throws NoPrinterError when the system has no printer.
    static void setUp(QPrinter& printer, const PreparedReport& report);
    // Sends the pages to the printer as it is set up. Throws ReportError on a printer or spooler error.
    static void send(QPrinter& printer, const PreparedReport& report);
    static void send(QPrinter& printer, const ReportPainter::PageSource& pages);

private:
    const AppContext& m_context;
};
