#include "common/record_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

RawRecordFile::RawRecordFile(const QString& path, int recordSize) : m_path(path), m_recordSize(recordSize)
{
    const QByteArray native = path.toLocal8Bit();
    do {
        m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        fail();
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))
        fail();
    // Other instances sharing the folder wait here, so a count and an append are never interleaved.
    int rc;
    do {
        rc = ::flock(m_fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0)
        fail();
}

RawRecordFile::~RawRecordFile()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

void RawRecordFile::fail() const
{
    throw ArchiveAccessError(Errors::kArchiveAccess);
}

int RawRecordFile::count() const
{
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0)
        fail();
    return static_cast<int>(st.st_size / m_recordSize);
}

QByteArray RawRecordFile::read(int number) const
{
    if (number < 1 || number > count())
        fail();
    QByteArray record(m_recordSize, '\0');
    readAt(qint64(number - 1) * m_recordSize, record.data(), m_recordSize);
    return record;
}

void RawRecordFile::readAt(qint64 offset, char* data, qint64 size) const
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(m_fd, data + done, size_t(size - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail();
        done += n;
    }
}

void RawRecordFile::scan(const std::function<void(int, const char*)>& visit) const
{
    const int n = count();
    const int perBlock = std::max(1, (1 << 20) / m_recordSize);
    QByteArray block(qsizetype(perBlock) * m_recordSize, Qt::Uninitialized);
    for (int first = 1; first <= n; first += perBlock) {
        const int records = std::min(perBlock, n - first + 1);
        readAt(qint64(first - 1) * m_recordSize, block.data(), qint64(records) * m_recordSize);
        for (int i = 0; i < records; ++i)
            visit(first + i, block.constData() + qsizetype(i) * m_recordSize);
    }
}

void RawRecordFile::writeAt(qint64 offset, const QByteArray& record)
{
    if (record.size() != m_recordSize)
        fail();
    qint64 done = 0;
    while (done < m_recordSize) {
        const ssize_t n = ::pwrite(m_fd, record.constData() + done, size_t(m_recordSize - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail();
        done += n;
    }
}

void RawRecordFile::write(int number, const QByteArray& record)
{
    if (number < 1 || number > count())
        fail();
    writeAt(qint64(number - 1) * m_recordSize, record);
}

int RawRecordFile::append(const QByteArray& record)
{
    const int number = count() + 1;
    writeAt(qint64(number - 1) * m_recordSize, record);
    return number;
}
