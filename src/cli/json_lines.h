#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <span>

#include "common/fixed_record.h"

// JSON objects of records, one per line, keys in field order.
namespace JsonLines {

QByteArray objectLine(std::span<const FieldSpec> fields, const QStringList& values);

// Parses one line into field values (missing keys empty). Throws UsageError on bad JSON or an unknown key.
QStringList parseObject(std::span<const FieldSpec> fields, const QByteArray& line);

} // namespace JsonLines

// Bad input from the command line or standard input: exit code 2. The usage text follows the message only when the
// command line itself is wrong (an unknown command, a missing or unexpected argument), never after a message about
// the data, where it would bury the one line that matters.
enum class Usage
{
    Hidden,
    Shown
};

struct UsageError
{
    QString message;
    Usage usage = Usage::Hidden;
};
