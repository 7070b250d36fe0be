#include "access/password_store.h"

#include "access/crypt.h"
#include "common/errors.h"
#include "common/ini_file.h"
#include "common/text.h"

#include <QDir>
#include <algorithm>

namespace {
const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");
} // namespace

PasswordStore::PasswordStore(const QString& programFolder) : m_path(QDir(programFolder).filePath(kFileName)) {}

QString PasswordStore::canonical(const QString& typed)
{
    return Text::upperAscii(Text::trimmed(typed));
}

QString PasswordStore::readStoredPassword() const
{
    const QString hex = IniFile(m_path).read(kSection, kKey, QString());
    bool ok = false;
    const QString plain = Crypt::unscrambleFromHex(hex, &ok);
    if (!ok)
        throw SettingsError(QStringLiteral("La password memorizzata non è leggibile."));
    return Text::trimmed(plain);
}

bool PasswordStore::canStore(const QString& typed)
{
    const QString value = canonical(typed);
    return Crypt::canHold(value) &&
           std::none_of(value.cbegin(), value.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool PasswordStore::checkPassword(const QString& typed) const
{
    return canonical(typed) == readStoredPassword();
}

void PasswordStore::storePassword(const QString& newPassword) const
{
    const QString value = canonical(newPassword);
    if (!canStore(value))
        throw SettingsError(kLimits);
    IniFile(m_path).write(kSection, kKey, Crypt::scrambleToHex(value));
}
