#pragma once

#include <QList>
#include <QString>
#include <optional>

// A sheet of 3 x 8 self-adhesive labels on A4 paper, as the stationer sells it: the size of one label, where the
// first one's top-left corner lies on the sheet, and the distance from one label to the next. All in millimetres.
struct LabelStock
{
    static constexpr int kColumns = 3;
    static constexpr int kRows = 8;
    static constexpr double kPaperWidth = 210.0;
    static constexpr double kPaperHeight = 297.0;

    QString id; // as Impostazioni.ini keeps it
    QString title; // as the settings window lists it
    double width = 62.0;
    double height = 32.0;
    double left = 10.0;
    double top = 10.0;
    double hPitch = 64.0;
    double vPitch = 35.0;

    // Slot 1..24, counted row by row from the top left.
    static int column(int slot) { return (slot - 1) % kColumns; }
    static int row(int slot) { return (slot - 1) / kColumns; }
    double labelLeft(int slot) const { return left + hPitch * column(slot); }
    double labelTop(int slot) const { return top + vPitch * row(slot); }

    // The six address lines of a label: 7 pt at a 5 mm pitch, 3.5 mm high, starting 2 mm in from the label's left
    // edge and 1.8 mm (first row) or 2 mm (other rows) below its top, as the program's own page always had them;
    // but never closer than 4 mm to the sheet's edges, which most printers cannot reach.
    static constexpr double kLinePitch = 5.0;
    static constexpr double kLineHeight = 3.5;
    static constexpr int kLines = 6;
    static constexpr double kPrinterEdge = 4.0;
    struct LineBox
    {
        double leftInset; // from the label's left edge
        double topInset;  // from the label's top edge to the first line
        double width;
    };
    LineBox lines(int slot) const;

    // Why the 24 labels cannot be printed on A4 (the grid leaves the paper, labels overlap, a size is not positive,
    // the six lines do not fit on a label), in Italian for the user; nothing when they can.
    std::optional<QString> problem() const;

    // The stocks the settings offer, the program's own page first.
    static const QList<LabelStock>& known();
    static const LabelStock& standard();
    static inline const QString kCustomId = QStringLiteral("personalizzato");
    // The stock of that id (compared without regard to case), or nothing.
    static std::optional<LabelStock> find(const QString& id);
};
