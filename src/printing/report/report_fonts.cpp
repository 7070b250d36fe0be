#include "printing/report/report_fonts.h"

#include "common/errors.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QFontMetricsF>

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

} // namespace ReportFonts
