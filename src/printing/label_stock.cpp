#include "printing/label_stock.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinTextWidth = 20.0; // millimetres of line an address needs at the least

QString mm(double value)
{
    return QLocale(QLocale::Italian).toString(value, 'g', 6) + QStringLiteral(" mm");
}

LabelStock stock(const char* id, const char* title, double w, double h, double left, double top, double hp, double vp)
{
    return LabelStock{QString::fromUtf8(id), QString::fromUtf8(title), w, h, left, top, hp, vp};
}

} // namespace

std::optional<QString> LabelStock::problem() const
{
    for (double v : {width, height, left, top, hPitch, vPitch})
        if (!std::isfinite(v))
            return QStringLiteral("Le misure dell'etichetta devono essere numeri di millimetri.");
    if (!(width > 0) || !(height > 0))
        return QStringLiteral("La larghezza e l'altezza dell'etichetta devono essere maggiori di zero.");
    if (!(left >= 0) || !(top >= 0))
        return QStringLiteral("La prima etichetta deve stare sul foglio: i margini sinistro e superiore non possono "
                              "essere negativi.");
    if (hPitch < width)
        return QStringLiteral("Le etichette si sovrappongono: il passo orizzontale (%1) è minore della larghezza "
                              "dell'etichetta (%2).")
            .arg(mm(hPitch), mm(width));
    if (vPitch < height)
        return QStringLiteral("Le etichette si sovrappongono: il passo verticale (%1) è minore dell'altezza "
                              "dell'etichetta (%2).")
            .arg(mm(vPitch), mm(height));
    const double right = left + hPitch * (kColumns - 1) + width;
    if (right > kPaperWidth + 1e-9)
        return QStringLiteral("Le etichette non stanno sul foglio A4: la terza colonna finisce a %1 dal bordo "
                              "sinistro, oltre la larghezza del foglio (210 mm).")
            .arg(mm(right));
    const double bottom = top + vPitch * (kRows - 1) + height;
    if (bottom > kPaperHeight + 1e-9)
        return QStringLiteral("Le etichette non stanno sul foglio A4: l'ottava riga finisce a %1 dal bordo "
                              "superiore, oltre l'altezza del foglio (297 mm).")
            .arg(mm(bottom));
    for (int slot = 1; slot <= kColumns * kRows; ++slot) {
        const LineBox box = lines(slot);
        const double blockBottom = box.topInset + kLinePitch * (kLines - 1) + kLineHeight;
        if (box.topInset < -1e-9 || blockBottom > height + 1e-9)
            return QStringLiteral("Le sei righe dell'indirizzo non entrano nell'etichetta %1: servono almeno %2 di altezza, "
                                  "a non meno di 4 mm dai bordi del foglio.")
                .arg(slot)
                .arg(mm(kLinePitch * (kLines - 1) + kLineHeight + 2.0));
        if (box.width < kMinTextWidth)
            return QStringLiteral("L'etichetta %1 è troppo stretta per un indirizzo: restano %2 di riga, a non meno "
                                  "di 4 mm dai bordi del foglio.")
                .arg(slot)
                .arg(mm(box.width));
    }
    return std::nullopt;
}

const QList<LabelStock>& LabelStock::known()
{
    static const QList<LabelStock> stocks{
        stock("predefinito", "62 x 32 mm (pagina del programma)", 62, 32, 10, 10, 64, 35),
        stock("70x37", "70 x 37 mm, senza margini", 70, 37, 0, 0, 70, 37),
        stock("70x36", "70 x 36 mm", 70, 36, 0, 4.5, 70, 36),
        stock("70x35", "70 x 35 mm", 70, 35, 0, 8.5, 70, 35),
        stock("70x33,8", "70 x 33,8 mm", 70, 33.8, 0, 13.3, 70, 33.8),
        stock("64,6x33,8", "64,6 x 33,8 mm", 64.6, 33.8, 8.1, 13.3, 64.6, 33.8),
    };
    return stocks;
}

const LabelStock& LabelStock::standard()
{
    return known().front();
}

std::optional<LabelStock> LabelStock::find(const QString& id)
{
    for (const LabelStock& s : known())
        if (s.id.compare(id, Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

LabelStock::LineBox LabelStock::lines(int slot) const
{
    // The default page's insets: 2 mm left, 1.8 mm right (58.2 mm of text on its 62 mm label).
    constexpr double kLeftInset = 2.0;
    constexpr double kRightInset = 1.8;
    const double labelRight = labelLeft(slot) + width;
    const double leftInset = std::max(kLeftInset, kPrinterEdge - labelLeft(slot));
    const double rightInset = std::max(kRightInset, labelRight - (kPaperWidth - kPrinterEdge));
    double topInset = std::max(row(slot) == 0 ? 1.8 : 2.0, kPrinterEdge - labelTop(slot));
    const double block = kLinePitch * (kLines - 1) + kLineHeight;
    const double lowest = kPaperHeight - kPrinterEdge - block - labelTop(slot);
    if (topInset > lowest)
        topInset = lowest;
    return {leftInset, topInset, width - (leftInset + rightInset)};
}
