// Turns the user guide's HTML source into Guida.pdf at build time, with pictures of the program's own windows drawn
// offscreen over a fictional office, and the table of keys read from those same windows.
//
//   plicario-guide SOURCE.html LOGO.svg OUTPUT.pdf
//
// Without a usable font Qt would write a PDF whose pages carry no text at all, so that case stops the build; so does
// a picture the guide names that the tool did not draw, or one it drew that the guide never shows.

#include "app/startup_gui.h"
#include "guide_office.h"
#include "printing/report/report_fonts.h"
#include "window_pictures.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "plicario-guide: %s\n", qPrintable(message));
    return 1;
}

QImage renderSvg(const QString& path, int width)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    const QSize size = renderer.defaultSize().scaled(width, width * 10, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The keys of every pictured window, as one table for the guide: each window's name, then its keys.
QString keyTable(const QList<WindowPicture>& pictures)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
                                  "<tr><th>Tasti</th><th>Comando</th></tr>");
    for (const WindowPicture& p : pictures) {
        if (p.keys.isEmpty())
            continue;
        html += QStringLiteral("<tr><td colspan=\"2\" bgcolor=\"#eef2f7\"><b>%1</b></td></tr>")
                    .arg(p.title.toHtmlEscaped());
        for (const KeyList::Row& row : p.keys)
            html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                        .arg(row.keys.toHtmlEscaped(), row.command.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

} // namespace

int main(int argc, char* argv[])
{
    // A build machine has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return fail(QStringLiteral("usage: plicario-guide SOURCE.html LOGO.svg OUTPUT.pdf"));
    const QString sourcePath = args.at(1), logoPath = args.at(2), outputPath = args.at(3);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(sourcePath));
    const QString html = QString::fromUtf8(source.readAll());

    QFont bodyFont(QStringLiteral("DejaVu Sans"), 10);
    // No ligatures, so that text copied or searched in the PDF reads "ufficio", not a ligature glyph.
    bodyFont.setStyleStrategy(QFont::PreferNoShaping);
    const QFontInfo resolved(bodyFont);
    if (QFontDatabase::families().isEmpty() || !QFontDatabase::families().contains(resolved.family()))
        return fail(QStringLiteral("no font found: the guide would have no text. Install fonts-dejavu-core."));

    // The windows speak Italian and draw their printed pages with the program's fonts, as they do for a user.
    Startup::applyItalianConventions(app);
    ReportFonts::install();
    GuideOffice office;
    if (!office.isValid())
        return fail(QStringLiteral("cannot make a temporary folder for the sample office"));
    const QList<WindowPicture> pictures = takeWindowPictures(office);
    QString page = html;
    for (const WindowPicture& p : pictures)
        if (!page.contains(QStringLiteral("\"%1\"").arg(p.id)))
            return fail(QStringLiteral("the guide never shows %1").arg(p.id));
    for (qsizetype at = page.indexOf(u"\"finestra:"); at >= 0; at = page.indexOf(u"\"finestra:", at + 1)) {
        const QString id = page.mid(at + 1, page.indexOf(u'"', at + 1) - at - 1);
        if (std::none_of(pictures.begin(), pictures.end(), [&](const WindowPicture& p) { return p.id == id; }))
            return fail(QStringLiteral("the guide shows %1, which was not drawn").arg(id));
    }
    // Under a picture with numbered controls, the numbers' legend, read from the controls themselves.
    for (const WindowPicture& p : pictures) {
        if (p.marks.isEmpty())
            continue;
        const QString legendMark = QStringLiteral("<!-- legenda %1 -->").arg(p.id);
        if (!page.contains(legendMark))
            return fail(QStringLiteral("the guide has no legend for the numbers on %1").arg(p.id));
        QStringList items;
        for (qsizetype i = 0; i < p.marks.size(); ++i)
            items << QStringLiteral("<b>%1</b> %2").arg(i + 1).arg(p.marks[i].toHtmlEscaped());
        page.replace(legendMark, items.join(QStringLiteral(" &nbsp; ")));
    }
    const QString kKeysMark = QStringLiteral("<!-- tabella dei tasti -->");
    if (!page.contains(kKeysMark))
        return fail(QStringLiteral("the guide has no place for the table of keys"));
    page.replace(kKeysMark, keyTable(pictures));
    // Each picture gets the height of its width, or the page keeps room for the whole image below it.
    for (const WindowPicture& p : pictures) {
        const QRegularExpression sized(QStringLiteral("src=\"%1\" width=\"(\\d+)\"").arg(p.id));
        for (QRegularExpressionMatch m = sized.match(page); m.hasMatch(); m = sized.match(page, m.capturedEnd())) {
            const int width = m.captured(1).toInt();
            const QString withHeight =
                m.captured(0) +
                QStringLiteral(" height=\"%1\"").arg(qRound(double(width) * p.image.height() / p.image.width()));
            page.replace(m.capturedStart(), m.capturedLength(), withHeight);
        }
    }

    const QImage logo = renderSvg(logoPath, 900);
    if (logo.isNull())
        return fail(QStringLiteral("cannot draw %1").arg(logoPath));

    QTextDocument document;
    document.setDefaultFont(bodyFont);
    document.setDefaultStyleSheet(QStringLiteral("h1 { font-size: 20pt; color: #1f3a5f; }"
                                                 "h2 { font-size: 14pt; color: #1f3a5f; margin-top: 18px; }"
                                                 "h3 { font-size: 11pt; color: #1f3a5f; }"
                                                 "p, li { line-height: 130%; }"
                                                 "th { background-color: #dce6f0; }"));
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo")), logo);
    for (const WindowPicture& p : pictures)
        document.addResource(QTextDocument::ImageResource, QUrl(p.id), p.image);
    document.setHtml(page);
    document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Guida all'utilizzo di Plicario 3.0"));

    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(outputPath));
    {
        QPdfWriter pdf(&output);
        pdf.setTitle(QStringLiteral("Guida all'utilizzo di Plicario 3.0"));
        pdf.setCreator(QStringLiteral("Plicario"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                      QPageLayout::Millimeter));
        pdf.setResolution(300);
        // print() numbers the pages at their foot.
        document.print(&pdf);
    }
    if (!output.commit())
        return fail(QStringLiteral("cannot write %1").arg(outputPath));

    // A PDF with text carries at least one embedded font.
    QFile written(outputPath);
    if (!written.open(QIODevice::ReadOnly) || !written.readAll().contains("/FontFile")) {
        QFile::remove(outputPath);
        return fail(QStringLiteral("%1 has no embedded font, so no text; check the installed fonts").arg(outputPath));
    }
    return 0;
}
