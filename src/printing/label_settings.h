#pragma once

#include "printing/label_stock.h"

#include <QString>

// The label stock and the printer's offset, section [Etichette] of Impostazioni.ini. The offset moves everything a
// label page prints (millimetres, right and down; negative left and up), so that the user's printer puts the
// labels' text where the stock has its labels.
struct LabelSettings
{
    static inline const QString kFileName = QStringLiteral("Impostazioni.ini");
    static constexpr double kMaxOffset = 30.0; // millimetres either way; more than that is no printer's slip

    LabelStock stock = LabelStock::standard();
    double offsetLeft = 0.0;
    double offsetTop = 0.0;

    // A missing file, section or key reads as the program's own page with no offset. Throws SettingsError, naming
    // the key, for a value that is not a number, an unknown stock, or a custom stock that does not fit on A4.
    static LabelSettings load(const QString& programFolder);

    // Writes the section, the six measures of a custom stock included. Throws SettingsError when the stock does not
    // fit (problem()) or an offset is out of range, before anything is written, or when the file cannot be written.
    void save(const QString& programFolder) const;

    // Why these settings cannot be used, in Italian; nothing when they can.
    std::optional<QString> problem() const;

    // Why the offset cannot be used with this stock (out of range, or some label's lines off the paper), and the
    // key in Impostazioni.ini that holds the offset at fault.
    struct OffsetProblem
    {
        QString key;
        QString message;
    };
    std::optional<OffsetProblem> offsetProblem() const;

    // Millimetres as Impostazioni.ini and the settings window show them: a decimal comma, no trailing zeros.
    static QString format(double mm);
    // A number of millimetres with a decimal comma or point, blanks around it ignored; nothing for anything else.
    static std::optional<double> parse(const QString& text);
};
