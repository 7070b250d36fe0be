#include "printing/report/report_painter.h"
#include "printing/report/pdf_file.h"

#include "common/errors.h"
#include "printing/report/line_fit.h"
#include "printing/report/report_fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

namespace {

// Device units of one paint device.
struct Scale
{
    double dpiX;
    double dpiY;
    double x(Length l) const { return l.toDevice(dpiX); }
    double y(Length l) const { return l.toDevice(dpiY); }
    QRectF rect(const LengthRect& r) const { return QRectF(x(r.left), y(r.top), x(r.width), y(r.height)); }
};

// A left-aligned line of an object that condenses: the characters kept and the narrowing are those of our PDF files,
// so the preview and every printer show the same characters; only the device's own rounding of the font can still
// narrow them a little more, so that they never cross the edge.
void drawCondensed(QPainter& painter, const QFontMetricsF& metrics, const QFontMetricsF& reference,
                   const QPointF& start, const QString& line, Length width)
{
    const LineFit::Fit fit = LineFit::fit(reference, line, width.toDevice(LineFit::kReferenceDpi), true);
    const QString shown = line.left(fit.length);
    const double advance = metrics.horizontalAdvance(shown);
    const double scale =
        advance > 0 ? std::min(fit.scale, width.toDevice(painter.device()->logicalDpiX()) / advance) : 1.0;
    if (scale >= 1.0) {
        painter.drawText(start, shown);
        return;
    }
    painter.save();
    painter.translate(start);
    painter.scale(scale, 1.0);
    painter.drawText(QPointF(0, 0), shown);
    painter.restore();
}

void paintText(QPainter& painter, const Scale& s, const PreparedItem& item)
{
    const QRectF box = s.rect(item.rect);
    if (item.fill.isValid())
        painter.fillRect(box, item.fill);
    if (item.lines.isEmpty())
        return;
    const QFont font = ReportFonts::resolve(item.font);
    painter.save();
    painter.setFont(font);
    painter.setPen(item.font.color);
    painter.setClipRect(box, Qt::IntersectClip);
    const double top = box.top() + s.y(item.textOffset);
    if (item.wordWrap) {
        const QRectF area(box.left(), top, box.width(), box.bottom() - top);
        const int align =
            Qt::TextWordWrap | Qt::AlignTop | (item.hAlign == HAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft);
        painter.drawText(area, align, item.lines.join(QLatin1Char('\n')));
    } else {
        const QFontMetricsF metrics(font, painter.device());
        const QFontMetricsF reference = LineFit::referenceMetrics(font);
        for (qsizetype i = 0; i < item.lines.size(); ++i) {
            const double baseline = top + s.y(item.lineHeight * double(i)) + metrics.ascent();
            if (baseline - metrics.ascent() >= box.bottom())
                break;
            if (item.hAlign == HAlign::Center) {
                const QString& line = item.lines[i];
                painter.drawText(QPointF(box.left() + (box.width() - metrics.horizontalAdvance(line)) / 2, baseline),
                                 line);
            } else if (item.shrinkToFit) {
                drawCondensed(painter, metrics, reference, QPointF(box.left(), baseline), item.lines[i],
                              item.rect.width);
            } else {
                const LineFit::Fit fit = LineFit::fit(metrics, item.lines[i], box.width(), false);
                painter.drawText(QPointF(box.left(), baseline), item.lines[i].left(fit.length));
            }
        }
    }
    painter.restore();
}

} // namespace

namespace ReportPainter {

PageSource pagesOf(const PreparedReport& report)
{
    PreparedPage paper;
    if (!report.pages.empty()) {
        paper.paperWidth = report.pages.front().paperWidth;
        paper.paperHeight = report.pages.front().paperHeight;
        paper.orientation = report.pages.front().orientation;
    }
    return {report.name, int(report.pages.size()),
            [&report](int i) -> const PreparedPage& { return report.pages[size_t(i)]; }, paper};
}

void paintPage(QPainter& painter, const PreparedPage& page)
{
    QPaintDevice* device = painter.device();
    const Scale s{double(device->logicalDpiX()), double(device->logicalDpiY())};
    // Check every font before the first stroke, so that a failure leaves no half-drawn page.
    for (const PreparedItem& item : page.items)
        if (item.kind == PreparedItem::Kind::Text && !item.lines.isEmpty())
            ReportFonts::resolve(item.font);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const double penWidth = s.x(Length::units(1));
    for (const PreparedItem& item : page.items) {
        switch (item.kind) {
        case PreparedItem::Kind::Text:
            paintText(painter, s, item);
            break;
        case PreparedItem::Kind::Rect: {
            const QRectF box = s.rect(item.rect);
            if (item.fill.isValid())
                painter.fillRect(box, item.fill);
            if (item.outline.isValid()) {
                painter.setPen(QPen(item.outline, penWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box);
            }
            break;
        }
        case PreparedItem::Kind::Line:
            painter.setPen(QPen(item.outline, penWidth));
            painter.drawLine(QPointF(s.x(item.rect.left), s.y(item.rect.top)),
                             QPointF(s.x(item.rect.right()), s.y(item.rect.bottom())));
            break;
        }
    }
    painter.restore();
}

QPageLayout pageLayout(const PreparedPage& page)
{
    const bool landscape = page.paperWidth > page.paperHeight;
    const double shortSide = landscape ? page.paperHeight.mm() : page.paperWidth.mm();
    const double longSide = landscape ? page.paperWidth.mm() : page.paperHeight.mm();
    return QPageLayout(QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
}

void paintReport(QPagedPaintDevice& device, const PreparedReport& report)
{
    ReportFonts::check(report);
    paintPages(device, pagesOf(report));
}

void paintPages(QPagedPaintDevice& device, const PageSource& source)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(QStringLiteral("Impossibile avviare la stampa di \"%1\".").arg(source.name));
    for (int i = 0; i < source.count; ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            throw ReportError(
                QStringLiteral("La stampa di \"%1\" si è interrotta alla pagina %2.").arg(source.name).arg(i + 1));
        }
        paintPage(painter, source.page(i));
    }
    if (!painter.end())
        throw ReportError(QStringLiteral("La stampa di \"%1\" non è andata a buon fine.").arg(source.name));
}

void writePdf(const PreparedReport& report, const QString& path)
{
    ReportFonts::check(report); // a missing font is reported as such, not as a file error
    writePdf(pagesOf(report), path);
}

void writePdf(const PageSource& source, const QString& path)
{
    if (source.count <= 0)
        throw ReportError(QStringLiteral("Il documento \"%1\" non ha pagine.").arg(source.name));
    const PreparedPage& first = source.page(0);
    for (const PreparedItem& item : first.items) // a missing font is reported as such, not as a file error
        if (item.kind == PreparedItem::Kind::Text)
            ReportFonts::resolve(item.font);
    const QPageLayout layout = pageLayout(first);
    writePdfFile(path, [&](QPdfWriter& writer) {
        writer.setResolution(1200);
        writer.setTitle(source.name);
        writer.setCreator(QStringLiteral("Plicario"));
        writer.setPageLayout(layout);
        paintPages(writer, source);
    });
}

void writePdfFile(const QString& path, const std::function<void(QPdfWriter&)>& paint)
{
    const ReportError failed(QStringLiteral("Attenzione: impossibile salvare il file PDF \"%1\". Nessun file è stato "
                                            "scritto.\n\nControllare che la cartella esista e permetta di scrivere e "
                                            "che il disco non sia pieno.")
                                 .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    // Opened before painting, so a path that cannot be written fails at once and in our words. A write that fails
    // on the way is remembered by the file and refuses the commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failed;
    {
        QPdfWriter writer(&file);
        paint(writer);
    }
    // The last buffered bytes are written here: their failure must count too.
    if (!file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        throw failed;
}

} // namespace ReportPainter
