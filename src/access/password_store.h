#pragma once

#include <QString>

// The scrambled password in unins000.dll ([Accesso] Valore) of the program folder.
class PasswordStore
{
public:
    static inline const QString kFileName = QStringLiteral("unins000.dll");

    explicit PasswordStore(const QString& programFolder);

    // Letters a to z upper-cased, blanks and controls at both ends removed.
    static QString canonical(const QString& typed);

    // Throws SettingsError (a read failure) when the stored value is not hexadecimal.
    QString readStoredPassword() const;
    // Throws SettingsError when the store cannot be read.
    bool checkPassword(const QString& typed) const;
    // Throws SettingsError when the store cannot be written, or when the scrambler cannot hold the password
    // (over 255 characters or a character above code 255): the old password then stays valid.
    void storePassword(const QString& newPassword) const;

private:
    QString m_path;
};
