#include "register/register_card_checks.h"

#include "common/text.h"
#include "register/register_interval.h"

#include <QRegularExpression>

namespace RegisterCardChecks {

const QStringList& mailTypes()
{
    static const QStringList kTypes = {QStringLiteral("In entrata"), QStringLiteral("In uscita"),
                                       QStringLiteral("Interna")};
    return kTypes;
}

namespace {

// The date picker writes the registration date with two digits for day and month; nothing else reaches the card.
bool isRegistrationDate(const QString& text)
{
    static const QRegularExpression kShape(QStringLiteral("^[0-9]{2}/[0-9]{2}/[0-9]{4}$"));
    return kShape.match(text).hasMatch() && RegisterInterval::parseDate(text).has_value();
}

} // namespace

std::optional<Problem> complete(QStringList& values, const QDate& today)
{
    using F = RegisterCard::Field;
    QString& dataReg = values[F::DataReg];
    if (Text::trimmed(dataReg).isEmpty())
        dataReg = today.toString(QStringLiteral("dd/MM/yyyy"));
    else if (!isRegistrationDate(Text::trimmed(dataReg)))
        return Problem{F::DataReg, QStringLiteral("non è una data esistente nella forma gg/mm/aaaa")};

    if (!mailTypes().contains(Text::trimmed(values[F::Tipologia])))
        return Problem{F::Tipologia, QStringLiteral("non è una tipologia di posta: \"In entrata\", \"In uscita\" o "
                                                    "\"Interna\"")};

    // What the summary reads as a date, or nothing.
    for (F f : {F::DataSpe, F::DataRic}) {
        const QString text = Text::trimmed(values[f]);
        if (!text.isEmpty() && !RegisterInterval::parseDate(text))
            return Problem{f, QStringLiteral("non è una data esistente nella forma gg/mm/aaaa, né vuota")};
    }
    return std::nullopt;
}

} // namespace RegisterCardChecks
