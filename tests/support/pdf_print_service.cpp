#include "support/pdf_print_service.h"

#include "common/errors.h"
#include "printing/report/report_painter.h"

#include <QDir>

bool PdfPrintService::printInto(const std::function<void(const QString& path)>& write)
{
    if (!failWith.isEmpty())
        throw ReportError(failWith);
    ++m_dialogs;
    if (!acceptPrint)
        return false;
    const QString path = QDir(m_folder).filePath(QStringLiteral("print-%1.pdf").arg(m_printed.size() + 1));
    write(path);
    m_printed.append(path);
    return true;
}

bool PdfPrintService::print(QWidget*, const PreparedReport& report)
{
    return printInto([&](const QString& path) {
        ReportPainter::writePdf(report, path);
        m_lastPrinted = report;
    });
}

bool PdfPrintService::printPages(QWidget*, const ReportPainter::PageSource& pages)
{
    return printInto([&](const QString& path) {
        ReportPainter::writePdf(pages, path);
        m_lastPrinted.reset(); // nothing kept of pages made one at a time: read the file
    });
}

bool PdfPrintService::preview(QWidget* owner, const PreparedReport& report)
{
    if (!failWith.isEmpty())
        throw ReportError(failWith);
    ++m_previews;
    m_lastPreviewed = report;
    return printFromPreview && print(owner, report);
}
