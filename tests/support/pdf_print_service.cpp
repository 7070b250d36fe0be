#include "support/pdf_print_service.h"

#include "common/errors.h"
#include "printing/report/report_painter.h"

#include <QDir>

bool PdfPrintService::print(QWidget*, const PreparedReport& report)
{
    if (!failWith.isEmpty())
        throw ReportError(failWith);
    ++m_dialogs;
    if (!acceptPrint)
        return false;
    const QString path = QDir(m_folder).filePath(QStringLiteral("print-%1.pdf").arg(m_printed.size() + 1));
    ReportPainter::writePdf(report, path);
    m_printed.append(path);
    m_lastPrinted = report;
    return true;
}

bool PdfPrintService::preview(QWidget* owner, const PreparedReport& report)
{
    if (!failWith.isEmpty())
        throw ReportError(failWith);
    ++m_previews;
    m_lastPreviewed = report;
    return printFromPreview && print(owner, report);
}
