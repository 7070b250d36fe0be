#include "printing/report/report_fonts.h"

#include "common/errors.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>

namespace {

struct Substitute
{
    const char* family;
    QStringList replacements;
};

// Metric twins first, then a close relative.
const Substitute kSubstitutes[] = {
    {"Arial", {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")}},
    {"Courier New", {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"), QStringLiteral("DejaVu Sans Mono")}},
    {"Verdana", {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}},
    {"Tahoma", {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}},
};

QString describe(const ReportFont& font)
{
    return QStringLiteral("%1 %2 pt%3").arg(font.family).arg(font.pointSize).arg(font.bold ? QStringLiteral(" grassetto") : QString());
}

} // namespace

namespace ReportFonts {

void install()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const Substitute& s : kSubstitutes)
        QFont::insertSubstitutions(QString::fromLatin1(s.family), s.replacements);
}

QFont resolve(const ReportFont& font)
{
    install();
    QFont qfont(font.family);
    qfont.setPointSizeF(font.pointSize);
    qfont.setBold(font.bold);
    qfont.setHintingPreference(QFont::PreferNoHinting);

    // Resolving is costly; a page asks for the same few fonts over and over.
    static QHash<QString, bool> verified;
    const QString key = font.family + QLatin1Char('/') + (font.bold ? u'b' : u'r');
    auto it = verified.constFind(key);
    if (it == verified.constEnd()) {
        // With no font installed Qt resolves to no family and draws nothing; it must not get that far.
        const QFontMetricsF metrics(qfont);
        const bool usable = !QFontInfo(qfont).family().isEmpty() && metrics.inFont(QLatin1Char('A'))
            && metrics.inFont(QChar(0x00E0));
        it = verified.insert(key, usable);
    }
    if (!*it)
        throw ReportError(QStringLiteral("Impossibile stampare: nessun carattere installato può sostituire \"%1\". "
                                         "Installare i caratteri Liberation e DejaVu.")
                              .arg(describe(font)));
    return qfont;
}

void check(const PreparedReport& report)
{
    for (const PreparedPage& page : report.pages)
        for (const PreparedItem& item : page.items)
            if (item.kind == PreparedItem::Kind::Text)
                resolve(item.font);
}

QStringList wrap(const ReportFont& font, const QString& text, Length width)
{
    // Measured at the resolution of our PDF files. The fonts are unhinted, so another device differs only by
    // rounding; the room kept to spare means a printer never cuts a line's last letter.
    constexpr double kDotsPerInch = 1200;
    QImage probe(1, 1, QImage::Format_Mono);
    probe.setDotsPerMeterX(qRound(kDotsPerInch / 0.0254));
    probe.setDotsPerMeterY(qRound(kDotsPerInch / 0.0254));
    const QFontMetricsF metrics(resolve(font), &probe);
    const double room = width.toDevice(kDotsPerInch) * 0.99;
    const auto fits = [&](const QString& line) { return metrics.horizontalAdvance(line) <= room; };

    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (QString word : paragraph.split(QLatin1Char(' '))) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (fits(longer)) {
                line = longer;
                continue;
            }
            if (!line.isEmpty())
                lines.append(line);
            while (word.size() > 1 && !fits(word)) {
                qsizetype n = 1;
                while (n + 1 < word.size() && fits(word.left(n + 1)))
                    ++n;
                lines.append(word.left(n));
                word = word.mid(n);
            }
            line = word;
        }
        lines.append(line);
    }
    return lines;
}

} // namespace ReportFonts
