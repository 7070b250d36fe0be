#include "register/register_card.h"

#include <array>

std::span<const FieldSpec> RegisterCardLayout::fields()
{
    static constexpr std::array<FieldSpec, 25> kFields = {{
        {"Numero", 16},       {"Tipologia", 20},    {"DataReg", 10},     {"Ufficio", 50},      {"Operatore", 50},
        {"Categoria", 50},    {"Collocazione", 120}, {"Oggetto", 250},   {"DataSpe", 10},      {"DataRic", 10},
        {"Formato", 50},      {"Pagine", 12},       {"Riferimenti", 250}, {"Note", 250},       {"Mittente", 120},
        {"RecapitoMit", 120}, {"Destinatario", 120}, {"RecapitoDes", 120}, {"Copia", 250},     {"File01", 250},
        {"File02", 250},      {"File03", 250},      {"Desc01", 250},     {"Desc02", 250},      {"Desc03", 250},
    }};
    return kFields;
}

#include <QDir>

namespace RegisterYear {

bool isValid(const QString& year)
{
    if (year.size() != 4)
        return false;
    for (QChar c : year)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString filePath(const QString& programFolder, const QString& year)
{
    return QDir(programFolder).filePath(year + QStringLiteral(".prt"));
}

} // namespace RegisterYear
