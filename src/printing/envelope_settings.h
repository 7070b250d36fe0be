#pragma once

#include "printing/report/length.h"
#include "printing/report/prepared_report.h"

#include <QString>

// The envelope's margins and orientation in Impostazioni.ini, read and written as the envelope window does.
// The margins are kept as the user sees them: text, so that a value typed into the file by hand shows unchanged.
struct EnvelopeSettings
{
    static inline const QString kFileName = QStringLiteral("Impostazioni.ini");

    QString top = QStringLiteral("0");
    QString left = QStringLiteral("0");
    Orientation orientation = Orientation::Portrait;

    // Missing file, section or key: "0", "0" and portrait. Only "Verticale" or "Orizzontale" exactly (blanks
    // around them aside) choose the orientation.
    static EnvelopeSettings load(const QString& programFolder);

    // Write the top (or left) margin, trimmed, and the orientation. Throw SettingsError when the file cannot
    // be written.
    void saveTop(const QString& programFolder) const;
    void saveLeft(const QString& programFolder) const;

    // A margin in millimetres: a whole or decimal number, with a decimal comma. Throws ReportError for any other
    // text and SettingsError for a number too large to be finite.
    static Length parseMargin(const QString& text);
};
