#pragma once

#include <QString>

// The register's numbering settings: the start number as stored and whether the year follows the number.
struct RegisterNumbering
{
    QString start = QStringLiteral("1");
    bool yearSuffix = false;
};

// The register keys of Tessaro.ini, read and written one at a time, never cached.
class RegisterSettings
{
public:
    static inline const QString kFileName = QStringLiteral("Tessaro.ini");

    explicit RegisterSettings(const QString& programFolder);

    // "Inizio" ("1" when missing or empty) and "Indicazione Anno Solare" (on only for the exact text "Sì"), as stored.
    RegisterNumbering readNumbering() const;
    // The numbering of `year`'s register: the start number counts only for the year it was set for ("Anno Inizio");
    // every other year starts at 1. A start number stored before years were recorded counts for `currentYear`, so
    // a running register keeps its numbering.
    RegisterNumbering numberingFor(const QString& year, const QString& currentYear) const;
    // With a year, the start number is set for that year. Throws SettingsError.
    void writeNumbering(const QString& startText, bool yearSuffix, const QString& year = QString()) const;

    struct OperatorDefaults
    {
        QString office;
        QString operatorName;
    };
    OperatorDefaults readOperatorDefaults() const;
    // Throws SettingsError.
    void writeOperatorDefaults(const QString& office, const QString& operatorName) const;

    const QString& path() const { return m_path; }

private:
    QString m_path;
};
