#include "register/register_interval.h"

#include "common/text.h"

#include <QRegularExpression>

namespace RegisterInterval {

std::optional<QDate> parseDate(const QString& text)
{
    static const QRegularExpression kDate(QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})$"));
    const QRegularExpressionMatch m = kDate.match(Text::trimmed(text));
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

namespace {

Check failed(Check::Problem problem, Messages::Kind kind, const QString& message, Check::Focus focus)
{
    Check c;
    c.problem = problem;
    c.kind = kind;
    c.message = message;
    c.focus = focus;
    return c;
}

} // namespace

Check check(const QString& startText, const QString& endText)
{
    const QString start = Text::trimmed(startText);
    const QString end = Text::trimmed(endText);
    const QString validDate =
        QStringLiteral("\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.");
    if (start.isEmpty())
        return failed(Check::StartMissing, Messages::Kind::Warning,
                      QStringLiteral("Attenzione: per visualizzare il riepilogo è necessario indicare la data di "
                                     "inizio intervallo."),
                      Check::StartField);
    if (end.isEmpty())
        return failed(Check::EndMissing, Messages::Kind::Warning,
                      QStringLiteral("Attenzione: per visualizzare il riepilogo è necessario indicare la data di "
                                     "fine intervallo."),
                      Check::EndField);
    const std::optional<QDate> startDate = parseDate(start);
    if (!startDate)
        return failed(Check::StartInvalid, Messages::Kind::Plain,
                      QStringLiteral("Attenzione: la data %1 di inizio intervallo non esiste.").arg(start) + validDate,
                      Check::StartField);
    const std::optional<QDate> endDate = parseDate(end);
    if (!endDate)
        return failed(Check::EndInvalid, Messages::Kind::Plain,
                      QStringLiteral("Attenzione: la data %1 di fine intervallo non esiste.").arg(end) + validDate,
                      Check::EndField);
    if (*startDate > *endDate)
        return failed(Check::EndBeforeStart, Messages::Kind::Plain,
                      QStringLiteral("Attenzione: la data di fine intervallo (%1) non può essere anteriore a quella "
                                     "di inizio intervallo (%2).\n\r\n\rPer poter visualizzare il riepilogo è "
                                     "necessario indicare un intervallo di tempo valido.")
                          .arg(end, start),
                      Check::StayPut);
    Check c;
    c.start = *startDate;
    c.end = *endDate;
    return c;
}

} // namespace RegisterInterval
