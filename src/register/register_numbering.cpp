#include "register/register_numbering.h"

#include "common/errors.h"
#include "common/record_file.h"
#include "common/text.h"
#include "register/register_card.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

QString formatted(qlonglong number, const RegisterNumbering& numbering, const QString& year)
{
    QString text = QString::number(number);
    if (numbering.yearSuffix)
        text += u'/' + year;
    return text;
}

qlonglong nextValue(int count, const RegisterNumbering& numbering)
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
    return value + count;
}

} // namespace

QString nextRegisterNumber(int count, const RegisterNumbering& numbering, const QString& year)
{
    return formatted(nextValue(count, numbering), numbering, year);
}

namespace RegisterNumbers {

qlonglong value(const QString& number)
{
    static const QRegularExpression kNumber(QStringLiteral("^\\s*([0-9]{1,15})\\s*(/.*)?$"));
    const QRegularExpressionMatch m = kNumber.match(number);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

QString yearOf(const QString& yearFilePath)
{
    return QFileInfo(yearFilePath).completeBaseName();
}

} // namespace RegisterNumbers

RegisterNumberer::RegisterNumberer(const RawRecordFile& yearFile, const RegisterNumbering& numbering,
                                   const QString& year)
    : m_count(yearFile.count()), m_numbering(numbering), m_year(year)
{
    yearFile.scan([&](int, const char* data) {
        if (const qlonglong n = RegisterNumbers::value(RegisterCard::readField(data, RegisterCard::Numero)); n >= 0)
            m_taken.insert(n);
    });
}

QString RegisterNumberer::next() const
{
    qlonglong n = nextValue(m_count, m_numbering);
    while (m_taken.contains(n))
        ++n;
    return formatted(n, m_numbering, m_year);
}

bool RegisterNumberer::isFree(const QString& number) const
{
    return !m_taken.contains(RegisterNumbers::value(number));
}

void RegisterNumberer::add(const QString& number)
{
    if (const qlonglong n = RegisterNumbers::value(number); n >= 0)
        m_taken.insert(n);
    ++m_count;
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
