#include "support/pdf_words.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;
}

QString PdfPage::text() const
{
    QStringList all;
    for (const PdfWord& w : words)
        all << w.text;
    return all.join(QLatin1Char(' '));
}

const PdfWord* PdfPage::find(const QString& text) const
{
    for (const PdfWord& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

QList<PdfPage> readPdfWords(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                       "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfPage> pages;
    for (const QRegularExpressionMatch& m : tag.globalMatch(html)) {
        if (!m.captured(1).isEmpty())
            pages.append({m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint, {}});
        else if (!pages.isEmpty())
            pages.last().words.append({m.captured(7), m.captured(3).toDouble() * kMmPerPoint,
                                       m.captured(4).toDouble() * kMmPerPoint, m.captured(5).toDouble() * kMmPerPoint,
                                       m.captured(6).toDouble() * kMmPerPoint});
    }
    return pages;
}
