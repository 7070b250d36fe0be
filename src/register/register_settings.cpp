#include "register/register_settings.h"

#include "common/ini_file.h"
#include "common/text.h"

#include <QDir>

namespace {

const QString kNumbering = QStringLiteral("Numerazione Protocollo");
const QString kStart = QStringLiteral("Inizio");
const QString kSuffix = QStringLiteral("Indicazione Anno Solare");
const QString kStartYear = QStringLiteral("Anno Inizio");
const QString kDocuments = QStringLiteral("Protocollo Documenti");
const QString kOffice = QStringLiteral("Ufficio");
const QString kOperator = QStringLiteral("Operatore");
const QString kYes = QStringLiteral("Sì");
const QString kNo = QStringLiteral("No");

} // namespace

RegisterSettings::RegisterSettings(const QString& programFolder) : m_path(QDir(programFolder).filePath(kFileName)) {}

RegisterNumbering RegisterSettings::readNumbering() const
{
    const IniFile ini(m_path);
    RegisterNumbering n;
    const QString start = ini.read(kNumbering, kStart);
    if (!start.isEmpty())
        n.start = start;
    n.yearSuffix = ini.read(kNumbering, kSuffix) == kYes;
    return n;
}

RegisterNumbering RegisterSettings::numberingFor(const QString& year, const QString& currentYear) const
{
    RegisterNumbering n = readNumbering();
    const QString setFor = Text::trimmed(IniFile(m_path).read(kNumbering, kStartYear));
    if (year != (setFor.isEmpty() ? currentYear : setFor))
        n.start = QStringLiteral("1");
    return n;
}

void RegisterSettings::writeNumbering(const QString& startText, bool yearSuffix, const QString& year) const
{
    const IniFile ini(m_path);
    ini.write(kNumbering, kStart, Text::trimmed(startText));
    ini.write(kNumbering, kSuffix, yearSuffix ? kYes : kNo);
    if (!year.isEmpty())
        ini.write(kNumbering, kStartYear, year);
}

RegisterSettings::OperatorDefaults RegisterSettings::readOperatorDefaults() const
{
    const IniFile ini(m_path);
    return {ini.read(kDocuments, kOffice), ini.read(kDocuments, kOperator)};
}

void RegisterSettings::writeOperatorDefaults(const QString& office, const QString& operatorName) const
{
    const IniFile ini(m_path);
    ini.write(kDocuments, kOffice, Text::trimmed(office));
    ini.write(kDocuments, kOperator, Text::trimmed(operatorName));
}
