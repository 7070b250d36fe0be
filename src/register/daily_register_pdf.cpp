#include "register/daily_register_pdf.h"

#include "printing/report/pdf_file.h"
#include "printing/report/report_fonts.h"

#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kDpi = 720;
constexpr double kMarginMm = 15;
constexpr double kPageWidthMm = 210;
constexpr double kPageHeightMm = 297;

int dots(double mm)
{
    return int(mm / 25.4 * kDpi + 0.5);
}

} // namespace

void writeDailyRegisterPdf(const DailyRegister& daily, const QString& year, const QString& path)
{
    ReportFonts::install();
    const ReportFont bodyFont{QStringLiteral("Arial"), 9};
    const ReportFont titleFont{QStringLiteral("Arial"), 13, true};
    QStringList lines;
    for (const QString& line : daily.lines())
        lines << (line.isEmpty() ? QStringList{QString()}
                                 : ReportFonts::wrap(bodyFont, line, Length::mm(kPageWidthMm - 2 * kMarginMm)));
    const QString title = QStringLiteral("Registro giornaliero di protocollo %1 - %2")
                              .arg(year, daily.day.toString(QStringLiteral("dd/MM/yyyy")));

    ReportPainter::writePdfFile(path, [&](QPdfWriter& writer) {
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(kDpi);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Plicario"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        const QFont body = ReportFonts::resolve(bodyFont);
        const QFont heading = ReportFonts::resolve(titleFont);
        painter.setFont(body);
        const int lineHeight = painter.fontMetrics().lineSpacing();
        const int left = dots(kMarginMm);
        const int top = dots(kMarginMm + 12);
        const int bottom = dots(kPageHeightMm - kMarginMm - 10);
        const int perPage = std::max(1, (bottom - top) / lineHeight);
        const int pages = std::max(1, int((lines.size() + perPage - 1) / perPage));
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            painter.setFont(heading);
            painter.drawText(left, dots(kMarginMm + 6), title);
            painter.setFont(body);
            for (int i = 0; i < perPage && page * perPage + i < lines.size(); ++i)
                painter.drawText(left, top + (i + 1) * lineHeight, lines[page * perPage + i]);
            const QString foot = QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pages);
            painter.drawText(QRect(0, dots(kPageHeightMm - kMarginMm - 6), dots(kPageWidthMm), lineHeight * 2),
                             Qt::AlignHCenter | Qt::AlignTop, foot);
        }
    });
}
