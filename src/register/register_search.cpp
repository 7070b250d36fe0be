#include "register/register_search.h"

#include "common/text.h"

namespace {

template <typename FieldOf> QString lineOf(const FieldOf& field)
{
    const QString destinatario = field(RegisterCard::Destinatario);
    QString out;
    out.reserve(148 + destinatario.size());
    out.append(QStringLiteral("Prot. n. "));
    Text::appendFitted(out, field(RegisterCard::Numero), 14);
    out.append(QStringLiteral("  Data: "));
    Text::appendFitted(out, field(RegisterCard::DataReg), 10);
    out.append(QStringLiteral("  Posta: "));
    Text::appendFitted(out, field(RegisterCard::Tipologia), 10);
    out.append(QStringLiteral("  "));
    Text::appendFitted(out, field(RegisterCard::Oggetto), 35);
    out.append(QStringLiteral("  Da: "));
    Text::appendFitted(out, field(RegisterCard::Mittente), 24);
    out.append(QStringLiteral("  A: "));
    out.append(destinatario);
    return out;
}

} // namespace

namespace RegisterSearch {

QString resultLine(const RegisterCard& card)
{
    return lineOf([&](RegisterCard::Field f) { return Text::trimmed(card.value(f)); });
}

QString countText(qsizetype lines)
{
    return QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(lines);
}

const QList<RegisterCard::Field>& searchableFields()
{
    static const QList<RegisterCard::Field> kFields = {
        RegisterCard::Numero,      RegisterCard::Tipologia, RegisterCard::DataReg,  RegisterCard::Operatore,
        RegisterCard::Categoria,   RegisterCard::Oggetto,   RegisterCard::Mittente, RegisterCard::Destinatario,
        RegisterCard::Riferimenti, RegisterCard::Note};
    return kFields;
}

void Filter::set(RegisterCard::Field field, const QString& typed)
{
    if (!searchableFields().contains(field) || Text::trimmed(typed).isEmpty())
        return;
    m_keys.append({int(field), Text::lowerAscii(typed)});
}

bool Filter::matches(const RegisterCard& card) const
{
    for (const auto& [field, key] : m_keys)
        if (!Text::lowerAscii(Text::trimmed(card.value(field))).contains(key))
            return false;
    return true;
}

bool Filter::matchesRecord(const char* record) const
{
    for (const auto& [field, key] : m_keys)
        if (!Text::lowerAscii(RegisterCard::readField(record, field)).contains(key))
            return false;
    return true;
}

QList<ListEntry> search(const QString& yearFilePath, const Filter& filter)
{
    ListOrder::Builder list;
    RegisterFile file(yearFilePath);
    file.scanRaw([&](int position, const char* record) {
        if (filter.matchesRecord(record))
            list.add({lineOf([&](RegisterCard::Field f) { return RegisterCard::readField(record, f); }), position});
    });
    return list.take();
}

std::optional<Match> lastCardWithLine(const QString& yearFilePath, const QString& line)
{
    const QString wanted = Text::trimmed(line);
    std::optional<Match> match;
    RegisterFile file(yearFilePath);
    file.scan([&](int position, const RegisterCard& card) {
        if (Text::trimmed(resultLine(card)) == wanted)
            match = Match{position, card};
    });
    return match;
}

} // namespace RegisterSearch
