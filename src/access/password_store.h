#pragma once

#include <QString>

// The scrambled password in unins000.dll ([Accesso] Valore) of the program folder.
class PasswordStore
{
public:
    static inline const QString kFileName = QStringLiteral("unins000.dll");
    // What a password may hold, in the user's words. The stored form keeps one byte per character, so € and the
    // other signs windows-1252 adds above Latin-1 are out, though the archives take them.
    static inline const QString kLimits = QStringLiteral(
        "La password può contenere al massimo 255 caratteri, scelti tra le lettere, le cifre e i segni di "
        "windows-1252 il cui codice Unicode è inferiore a 256: non sono ammessi, per esempio, €, Œ, œ, Š, Ž, Ÿ, ™ e "
        "le virgolette curve “ ”.");

    explicit PasswordStore(const QString& programFolder);

    // Letters a to z upper-cased, blanks and controls at both ends removed.
    static QString canonical(const QString& typed);
    // True when the password can be stored and typed again at the login: the scrambler holds it (at most 255
    // characters, none above code 255) and it has no control character inside.
    static bool canStore(const QString& typed);

    // Throws SettingsError (a read failure) when the stored value is not hexadecimal.
    QString readStoredPassword() const;
    // Throws SettingsError when the store cannot be read.
    bool checkPassword(const QString& typed) const;
    // Throws SettingsError when the store cannot be written, or when the password cannot be stored (canStore()):
    // the old password then stays valid.
    void storePassword(const QString& newPassword) const;

private:
    QString m_path;
};
