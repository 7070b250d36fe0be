#pragma once

#include <QString>
#include <cerrno>
#include <stdexcept>

// The few failures model code raises; each carries an Italian text a window may show as it is.
class PlicarioError : public std::runtime_error
{
public:
    explicit PlicarioError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// An archive (address cards, label sheets, a register year) could not be opened, read or written.
class ArchiveAccessError : public PlicarioError
{
public:
    using PlicarioError::PlicarioError;
};

// A settings file (INI, password store) could not be read or written.
class SettingsError : public PlicarioError
{
public:
    using PlicarioError::PlicarioError;
};

// A page could not be laid out or printed.
class ReportError : public PlicarioError
{
public:
    using PlicarioError::PlicarioError;
};

namespace Errors {
// The one access text every archive window shows (its line breaks are LF CR LF CR, as the users know them).
inline const QString kArchiveAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
// A write refused for want of room: the disk (or the user's quota) is full.
inline const QString kDiskFull =
    QStringLiteral("Attenzione: il disco è pieno e l'archivio non può essere scritto.\n\r\n\r"
                   "Liberare spazio sul disco e riprovare.");
// True for the errors of a write that found no room (a full disk, a quota, a size limit).
inline bool isDiskFull(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}
// An open given up while another process held the archive's lock.
inline QString archiveInUse(const QString& path)
{
    return QStringLiteral("L'archivio %1 è in uso da un'altra postazione: operazione non eseguita, "
                          "riprovare più tardi.")
        .arg(path);
}
} // namespace Errors
