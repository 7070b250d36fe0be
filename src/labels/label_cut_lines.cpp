#include "labels/label_cut_lines.h"

#include "common/messages.h"
#include "labels/label_pages.h"
#include "printing/report/cut_lines.h"

#include <QRegularExpression>
#include <QStringList>

namespace LabelCutLines {

namespace {

// A long list would push the buttons off the screen; the first lines show what to mend.
constexpr size_t kShown = 10;

QString placeText(const Place& place)
{
    QString text = QStringLiteral("etichetta %1, riga %2").arg(place.slot, 2, 10, QLatin1Char('0')).arg(place.line);
    if (place.sheet > 0)
        return QStringLiteral("Foglio %1, ").arg(place.sheet) + text;
    text[0] = u'E';
    return text;
}

} // namespace

void find(const PreparedPage& page, int sheet, std::vector<Place>& into)
{
    static const QRegularExpression kLineName(QStringLiteral("^txtRigo(\\d\\d)_E(\\d\\d)$"));
    for (const CutLines::Line& cut : CutLines::find(page)) {
        const QRegularExpressionMatch match = kLineName.match(cut.item);
        if (match.hasMatch())
            into.push_back({sheet, match.captured(2).toInt(), match.captured(1).toInt()});
    }
}

std::vector<Place> find(const LabelCompose::Sheets& sheets, LabelPages& pages)
{
    std::vector<Place> cut;
    for (int i = 0; i < sheets.count(); ++i)
        find(pages.page(sheets.sheet(i)), i + 1, cut);
    return cut;
}

QString question(const std::vector<Place>& cut)
{
    QStringList named;
    for (size_t i = 0; i < cut.size() && i < kShown; ++i)
        named << placeText(cut[i]);
    if (cut.size() == kShown + 1)
        named << QStringLiteral("e un'altra riga");
    else if (cut.size() > kShown)
        named << QStringLiteral("e altre %1 righe").arg(cut.size() - kShown);
    return QStringLiteral("Attenzione: queste righe sono troppo lunghe per l'etichetta e in stampa verranno "
                          "tagliate:\n\n%1\n\nProseguire comunque?")
        .arg(named.join(u'\n'));
}

bool mayGoOn(Messages& messages, QWidget* owner, const std::vector<Place>& cut)
{
    // A line the label cannot hold loses its end on paper; the user hears which before the paper is used.
    return cut.empty() || messages.confirm(owner, question(cut));
}

} // namespace LabelCutLines
