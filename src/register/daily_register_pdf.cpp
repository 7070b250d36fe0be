#include "register/daily_register_pdf.h"

#include "printing/report/pdf_file.h"
#include "printing/report/report_painter.h"
#include "register/daily_register_report.h"

#include <QPdfWriter>

void writeDailyRegisterPdf(const DailyRegister& daily, const QString& year, const QString& path)
{
    const PreparedReport report = DailyRegisterReport::prepare(daily, year);
    ReportPainter::writePdfFile(path, [&](QPdfWriter& writer) {
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(720);
        writer.setTitle(DailyRegisterReport::title(daily, year));
        writer.setCreator(QStringLiteral("Plicario"));
        writer.setPageLayout(ReportPainter::pageLayout(report.pages.front()));
        ReportPainter::paintReport(writer, report);
    });
}
