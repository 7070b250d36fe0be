#pragma once

#include "common/errors.h"

#include <QByteArray>
#include <QString>
#include <functional>

// A file of fixed-size records, open for one user action: opened (or created empty, never truncated) and locked
// on construction, closed and unlocked on destruction. Record numbers count from 1. Every failure throws
// ArchiveAccessError with the access text.
class RawRecordFile
{
public:
    RawRecordFile(const QString& path, int recordSize);
    ~RawRecordFile();
    RawRecordFile(const RawRecordFile&) = delete;
    RawRecordFile& operator=(const RawRecordFile&) = delete;

    int recordSize() const { return m_recordSize; }
    const QString& path() const { return m_path; }

    // Whole records only: a trailing fragment left by a crash is not a record.
    int count() const;
    QByteArray read(int number) const;
    void write(int number, const QByteArray& record);
    // Writes at count x size, over any trailing fragment; returns the new record's number.
    int append(const QByteArray& record);
    // Every record in file order with its number, read in large blocks; `data` holds recordSize() bytes and is
    // valid only during the call.
    void scan(const std::function<void(int number, const char* data)>& visit) const;

private:
    [[noreturn]] void fail() const;
    void writeAt(qint64 offset, const QByteArray& record);
    void readAt(qint64 offset, char* data, qint64 size) const;

    QString m_path;
    int m_recordSize;
    int m_fd = -1;
};

template <typename Record> class RecordFile
{
public:
    explicit RecordFile(const QString& path) : m_file(path, Record::recordSize()) {}

    int count() const { return m_file.count(); }
    Record read(int number) const { return Record::fromBytes(m_file.read(number).constData()); }
    void write(int number, const Record& record) { m_file.write(number, record.toBytes()); }
    int append(const Record& record) { return m_file.append(record.toBytes()); }

    // Every record in file order with its number.
    void scan(const std::function<void(int, const Record&)>& visit) const
    {
        m_file.scan([&](int number, const char* data) { visit(number, Record::fromBytes(data)); });
    }
    // The raw bytes of every record, for readers that decode only a few fields.
    void scanRaw(const std::function<void(int, const char*)>& visit) const { m_file.scan(visit); }

    const QString& path() const { return m_file.path(); }

private:
    RawRecordFile m_file;
};
