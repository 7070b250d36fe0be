#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An INI file with the private-profile rules users' files were written for: names match without regard to case,
// blanks around names and values are ignored, a missing file, section or key reads as the default, and a write
// creates file and section and leaves every other line as it was. Writes replace the file atomically.
class IniFile
{
public:
    explicit IniFile(const QString& path);

    QString read(const QString& section, const QString& key, const QString& defaultValue = QString()) const;
    // Throws SettingsError when the file cannot be written; the old file is then untouched.
    void write(const QString& section, const QString& key, const QString& value) const;

    const QString& path() const { return m_path; }

private:
    QString m_path;
};
