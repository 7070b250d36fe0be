#pragma once

#include "common/short_string.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <span>
#include <vector>

// One field of a fixed record: its name as the archives know it and its width in characters.
struct FieldSpec
{
    const char* name;
    int width;
};

// A record of short strings laid out back to back. `Layout` supplies `static std::span<const FieldSpec> fields()`.
template <typename Layout>
class FixedRecord
{
public:
    static std::span<const FieldSpec> fields() { return Layout::fields(); }
    static int fieldCount() { return static_cast<int>(fields().size()); }

    static int fieldOffset(int index)
    {
        // Worked out once: readers of large archives ask for it for every field of every record.
        static const std::vector<int> offsets = [] {
            std::vector<int> o(fields().size() + 1, 0);
            for (size_t i = 0; i < fields().size(); ++i)
                o[i + 1] = o[i] + fields()[i].width + 1;
            return o;
        }();
        return offsets[size_t(index)];
    }

    static int recordSize() { return fieldOffset(fieldCount()); }

    // -1 when no field has that name (compared exactly).
    static int fieldIndex(QStringView name)
    {
        for (int i = 0; i < fieldCount(); ++i)
            if (name == QLatin1String(fields()[i].name))
                return i;
        return -1;
    }

    FixedRecord() : m_values(fieldCount()) {}

    const QString& value(int index) const { return m_values[index]; }
    void setValue(int index, const QString& text) { m_values[index] = text; }
    const QStringList& values() const { return m_values; }

    // The bytes of the record, with the storing conversion applied to every field.
    QByteArray toBytes() const
    {
        QByteArray bytes(recordSize(), '\0');
        int offset = 0;
        for (int i = 0; i < fieldCount(); ++i) {
            ShortString::write(bytes.data() + offset, fields()[i].width, m_values[i]);
            offset += fields()[i].width + 1;
        }
        return bytes;
    }

    // `data` holds recordSize() bytes.
    static FixedRecord fromBytes(const char* data)
    {
        FixedRecord record;
        int offset = 0;
        for (int i = 0; i < fieldCount(); ++i) {
            record.m_values[i] = ShortString::read(data + offset, fields()[i].width);
            offset += fields()[i].width + 1;
        }
        return record;
    }

    // One field of the raw record at `data`, for readers that need only a few of them.
    static QString readField(const char* data, int index)
    {
        return ShortString::read(data + fieldOffset(index), fields()[index].width);
    }
    // Its stored bytes, trimmed and not decoded.
    static QByteArrayView fieldBytes(const char* data, int index)
    {
        return ShortString::bytes(data + fieldOffset(index), fields()[index].width);
    }

    bool operator==(const FixedRecord& other) const { return m_values == other.m_values; }

private:
    QStringList m_values;
};
