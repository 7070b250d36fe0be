// Turns the user guide's HTML source into Guida.pdf at build time.
//
//   plicario-guide SOURCE.html LOGO.svg OUTPUT.pdf
//
// Without a usable font Qt would write a PDF whose pages carry no text at all, so that case stops the build.

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

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

} // namespace

int main(int argc, char* argv[])
{
    // A build machine has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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
    document.setHtml(html);
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
