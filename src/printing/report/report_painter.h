#pragma once

#include "printing/report/prepared_report.h"

#include <QPageLayout>
#include <functional>

class QPainter;
class QPagedPaintDevice;

// The one drawing of a prepared page, shared by the preview, the PDF files and the printers, so that what the
// preview shows is what prints. Millimetres become device units here and nowhere else.
namespace ReportPainter {

// Draws `page` with the painter's origin at the paper's top-left corner (for a QPrinter: setFullPage(true)).
// Throws ReportError when a font cannot be found; nothing is drawn then.
void paintPage(QPainter& painter, const PreparedPage& page);

// The paper of `page`, in its orientation, with no margins.
QPageLayout pageLayout(const PreparedPage& page);

// Pages drawn one at a time, for documents too large to prepare whole: page(i), for i from 0 to count - 1, is
// asked for just before it is drawn and need live only until the next call. Every page has the paper of page 0.
struct PageSource
{
    QString name;
    int count = 0;
    std::function<const PreparedPage&(int index)> page;
    PreparedPage paper; // the paper of every page, with no items: a printer is set up before any page is made
};

// The pages of a prepared report as a source; the report must outlive it.
PageSource pagesOf(const PreparedReport& report);

// Paints every page on `device`, which must already have the layout of the first page and a full-page origin.
// Throws ReportError when painting cannot start or a font is missing.
void paintReport(QPagedPaintDevice& device, const PreparedReport& report);
// The same, one page at a time, with one painter and nothing kept from one page to the next.
void paintPages(QPagedPaintDevice& device, const PageSource& source);

// Writes the report to a PDF file, whole or not at all: an older file of that name stays as it was when writing
// fails. Throws ReportError, with a message for the user, when the file cannot be written.
void writePdf(const PreparedReport& report, const QString& path);
// The same, one page at a time, streamed to the file as it is drawn.
void writePdf(const PageSource& source, const QString& path);

} // namespace ReportPainter
