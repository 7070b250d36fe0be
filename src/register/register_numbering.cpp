#include "register/register_numbering.h"

#include "common/errors.h"
#include "common/text.h"
#include "register/register_card.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

QString nextRegisterNumber(int count, const RegisterNumbering& numbering, const QDate& today)
{
    static const QRegularExpression kInteger(QStringLiteral("^[+-]?[0-9]+$"));
    const QString start = Text::trimmed(numbering.start);
    bool ok = kInteger.match(start).hasMatch();
    const qlonglong value = ok ? start.toLongLong(&ok) : 0;
    // Checked before adding: a start number near the top of the range must not overflow the sum.
    constexpr qlonglong kMax = std::numeric_limits<int>::max();
    constexpr qlonglong kMin = std::numeric_limits<int>::min();
    if (!ok || value > kMax || value < kMin || count < 0 || value + count > kMax)
        throw ArchiveAccessError(Errors::kArchiveAccess);
    const qlonglong number = value + count;
    QString text = QString::number(number);
    if (numbering.yearSuffix)
        text += u'/' + today.toString(QStringLiteral("yyyy"));
    return text;
}

QString nextRegisterNumber(const QString& programFolder, const QString& yearFilePath, const QDate& today)
{
    const RegisterNumbering numbering = RegisterSettings(programFolder).readNumbering();
    const int count = RegisterFile(yearFilePath).count();
    return nextRegisterNumber(count, numbering, today);
}

QString normalizeStartNumber(const QString& text)
{
    static const QRegularExpression kDecimal(QStringLiteral("^[+-]?([0-9]+(,[0-9]*)?|,[0-9]+)$"));
    const QString trimmed = Text::trimmed(text);
    if (trimmed.isEmpty() || !kDecimal.match(trimmed).hasMatch())
        return QStringLiteral("1");
    QString c = trimmed;
    c.replace(u',', u'.');
    bool ok = false;
    const double value = c.toDouble(&ok);
    const double whole = std::trunc(value + 0.5);
    if (!ok || !std::isfinite(whole) || std::fabs(whole) > 1e15)
        return QStringLiteral("1");
    return QString::number(qlonglong(whole));
}
