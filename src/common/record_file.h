#pragma once

#include "common/errors.h"

#include <QByteArray>
#include <QString>
#include <functional>

// How an open waits while another process holds the file's lock (a window saving, a batch waiting on its input).
// One is installed for the whole process: the program shows a box the user can cancel, the batch tool has a time
// limit. With none installed an open waits as long as the lock is held.
class LockWait
{
public:
    virtual ~LockWait() = default;
    // Called between tries, at most 50 ms apart, with the time waited so far; false gives up the open.
    virtual bool keepWaiting(const QString& path, qint64 waitedMs) = 0;
    // The wait keepWaiting() was told of is over, with the lock or given up.
    virtual void waitEnded() {}
};

// Installs a LockWait for every open of the process while it lives, then puts back the one before.
class ScopedLockWait
{
public:
    explicit ScopedLockWait(LockWait* wait);
    ~ScopedLockWait();
    ScopedLockWait(const ScopedLockWait&) = delete;
    ScopedLockWait& operator=(const ScopedLockWait&) = delete;

private:
    LockWait* m_before;
};

// A file of fixed-size records, open for one user action: opened (or created empty, never truncated) and locked
// on construction, closed and unlocked on destruction. Record numbers count from 1. Every failure throws
// ArchiveAccessError with the access text; an open given up while another process holds the lock throws it with
// Errors::archiveInUse().
//
// Before anything else, every open honours the rollback note a killed batch of appends (see Batch) or a killed
// write in place left beside the file: the file is cut back to its size before that batch, or the record gets its
// old bytes back. Windows, batch tool and imports all open here.
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
    // Replaces a record whole or not at all: the old bytes wait in the rollback note until the new ones are on disk,
    // and a failure puts them back (or leaves the note to the next open). Not inside a Batch, which owns the note.
    // `companionBytes` are appended to the companion in the same action.
    void write(int number, const QByteArray& record, const QByteArray& companionBytes = {});
    // Writes at count x size, over any trailing fragment; returns the new record's number.
    int append(const QByteArray& record);
    // Every record in file order with its number, read in large blocks; `data` holds recordSize() bytes and is
    // valid only during the call.
    void scan(const std::function<void(int number, const char* data)>& visit) const;

    // The rollback note of the file at `path`.
    static QString rollbackNotePath(const QString& path);

    // A file in the same folder that grows in the same actions as this one, under its lock (the register's journal).
    // From then on every rollback note also records the companion's size, and a rollback, at once or at the next
    // open, cuts it back with the records: the two never disagree about an action half done.
    void setCompanion(const QString& path);

    // A batch of appends that lands whole or not at all, also when the process is killed. Before the first write it
    // leaves a rollback note beside the file (the size before the batch, and any trailing fragment an append will
    // overwrite), flushed to disk; commit() removes it. A batch destroyed without commit() cuts the file back and
    // removes the note; a process killed in between leaves the note to the next open.
    class Batch
    {
    public:
        explicit Batch(RawRecordFile& file);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        int append(const QByteArray& record) { return m_file.append(record); }
        // Appends to the file's companion, in this batch's action.
        void appendCompanion(const QByteArray& bytes) { m_file.appendCompanion(bytes); }
        // Flushes the records appended so far to disk.
        void sync();
        // Makes the batch final: flushes it and removes the note.
        void commit();
        // Cuts the file back to its size before the batch and removes the note.
        void rollBack();

    private:
        RawRecordFile& m_file;
        qint64 m_sizeBefore = 0;
        QByteArray m_fragment; // the trailing bytes after the last whole record before the batch
        qint64 m_companionSizeBefore = -1;
        bool m_open = true;
    };

private:
    [[noreturn]] void fail() const;
    void open();
    void lock();
    // Whether the path still names the file this one has open.
    bool stillAtPath() const;
    qint64 size() const;
    // Puts the file back to `size` bytes ending in `fragment`, flushed to disk.
    void restore(qint64 size, const QByteArray& fragment);
    void honourRollbackNote();
    void writeAt(qint64 offset, const QByteArray& record);
    void readAt(qint64 offset, char* data, qint64 size) const;
    // The companion's size now, 0 when it does not exist; -1 when there is none.
    qint64 companionSize() const;
    // The note's closing part: the companion's size and name, when there is one, and the end line.
    QByteArray noteTail(qint64 companionSize) const;
    void appendCompanion(const QByteArray& bytes);
    void syncCompanion();
    // Cuts the companion back to `size`, flushed to disk (no companion, or -1: nothing).
    void cutCompanion(qint64 size);

    QString m_path;
    int m_recordSize;
    int m_fd = -1;
    QString m_companionPath;
    int m_companionFd = -1;
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
