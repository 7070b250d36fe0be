#include "common/record_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
LockWait* s_lockWait = nullptr;
}

RawRecordFile::RawRecordFile(const QString& path, int recordSize) : m_path(path), m_recordSize(recordSize)
{
    open();
    // No destructor runs for a constructor that throws: the descriptor, and with it the lock, must not outlive it.
    try {
        lock();
        honourRollbackNote();
    } catch (...) {
        if (m_fd >= 0)
            ::close(m_fd);
        throw;
    }
}

void RawRecordFile::open()
{
    const QByteArray native = m_path.toLocal8Bit();
    do {
        m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        fail();
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        errno = error;
        fail();
    }
}

bool RawRecordFile::stillAtPath() const
{
    struct stat held
    {
    };
    struct stat named
    {
    };
    return ::fstat(m_fd, &held) == 0 && ::stat(m_path.toLocal8Bit().constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

ScopedLockWait::ScopedLockWait(LockWait* wait) : m_before(s_lockWait)
{
    s_lockWait = wait;
}

ScopedLockWait::~ScopedLockWait()
{
    s_lockWait = m_before;
}

// Other instances sharing the folder wait here, so a count and an append are never interleaved. A blocking flock()
// could not be given up, so the lock is tried again after short sleeps, growing from 1 ms (a save holds it for a few
// milliseconds) to 50 ms (a batch may hold it for as long as its input takes).
void RawRecordFile::lock()
{
    QElapsedTimer waited;
    int pauseMs = 1;
    int reopened = 0;
    LockWait* told = nullptr;
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            // A share whose file numbers do not hold still would never match: after a few tries what is held is
            // taken as the file.
            if (stillAtPath() || ++reopened > 3)
                break;
            // The file was taken away while this one waited (a first import that failed removes the empty archive
            // it made, under its lock): what it holds no one else will read. The path is opened again.
            ::close(m_fd);
            m_fd = -1;
            open();
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            fail();
        if (!waited.isValid())
            waited.start();
        if (s_lockWait) {
            told = s_lockWait;
            if (!told->keepWaiting(m_path, waited.elapsed())) {
                told->waitEnded();
                throw ArchiveAccessError(Errors::archiveInUse(m_path));
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        pauseMs = std::min(pauseMs * 2, 50);
    }
    if (told)
        told->waitEnded();
}

RawRecordFile::~RawRecordFile()
{
    if (m_companionFd >= 0)
        ::close(m_companionFd);
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

void RawRecordFile::fail() const
{
    // Called right after the failing call, so errno still tells a full disk from an access fault.
    const int error = errno;
    throw ArchiveAccessError(Errors::isDiskFull(error) ? Errors::kDiskFull : Errors::kArchiveAccess);
}

qint64 RawRecordFile::size() const
{
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0)
        fail();
    return st.st_size;
}

int RawRecordFile::count() const
{
    return static_cast<int>(size() / m_recordSize);
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

int RawRecordFile::append(const QByteArray& record)
{
    const qint64 sizeBefore = size();
    const int number = count() + 1;
    const qint64 offset = qint64(number - 1) * m_recordSize;
    try {
        writeAt(offset, record);
    } catch (const ArchiveAccessError&) {
        // A write cut short by a full disk leaves no part of a record at the end for the next open to read.
        if (sizeBefore <= offset && ::ftruncate(m_fd, sizeBefore) != 0) {
            // The bytes stay; the next batch's rollback cuts back to whole records.
        }
        throw;
    }
    return number;
}

// The rollback note, of one of two kinds:
// - a batch of appends: "ripristino SIZE", the size before the batch, then the trailing fragment that size ends in;
// - a record written in place: "riscrittura NUMBER", then the record's old bytes;
// then, for a file with a companion, "compagno SIZE NAME", the companion's size before the action; and a closing
// line, so that a note cut short by a crash while it was written (the archive still untouched) is told from a whole
// one.
namespace {

const QByteArray kNoteHead = "ripristino ";
const QByteArray kRewriteHead = "riscrittura ";
const QByteArray kCompanionHead = "compagno ";
const QByteArray kNoteEnd = "fine\n";

struct Note
{
    bool rewrite = false;
    qint64 value = 0; // the size before the batch, or the number of the record written in place
    QByteArray bytes; // the trailing fragment, or the record's old bytes
    qint64 companionSize = -1;
    QByteArray companionName;
};

bool isDigits(const QByteArray& digits)
{
    return !digits.isEmpty() && digits.size() <= 18 &&
           std::all_of(digits.cbegin(), digits.cend(), [](char c) { return c >= '0' && c <= '9'; });
}

// The companion's part of a note: empty, or "compagno SIZE NAME\n" with a plain file name.
bool parseCompanion(const QByteArray& part, Note* out)
{
    if (part.isEmpty())
        return true;
    if (!part.startsWith(kCompanionHead) || !part.endsWith('\n'))
        return false;
    const QByteArray rest = part.mid(kCompanionHead.size(), part.size() - kCompanionHead.size() - 1);
    const qsizetype space = rest.indexOf(' ');
    if (space < 0 || !isDigits(rest.left(space)))
        return false;
    out->companionSize = rest.left(space).toLongLong();
    out->companionName = rest.mid(space + 1);
    return !out->companionName.isEmpty() && !out->companionName.contains('/') && !out->companionName.contains('\n') &&
           out->companionName != "." && out->companionName != "..";
}

// A whole note for records of `recordSize` bytes; false for anything else.
bool parseNote(const QByteArray& note, int recordSize, Note* out)
{
    out->rewrite = note.startsWith(kRewriteHead);
    const QByteArray& head = out->rewrite ? kRewriteHead : kNoteHead;
    if (!note.startsWith(head) || !note.endsWith(kNoteEnd))
        return false;
    const qsizetype eol = note.indexOf('\n');
    const QByteArray digits = note.mid(head.size(), eol - head.size());
    if (!isDigits(digits))
        return false;
    out->value = digits.toLongLong();
    const qsizetype bytesSize = out->rewrite ? recordSize : qsizetype(out->value % recordSize);
    const qsizetype tail = eol + 1 + bytesSize;
    if (note.size() < tail + kNoteEnd.size())
        return false;
    out->bytes = note.mid(eol + 1, bytesSize);
    return parseCompanion(note.mid(tail, note.size() - tail - kNoteEnd.size()), out);
}

bool readWhole(const QByteArray& path, QByteArray* out, bool* missing)
{
    int fd;
    do {
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    *missing = fd < 0 && errno == ENOENT;
    if (fd < 0)
        return false;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        out->append(buffer, n);
        if (out->size() > (1 << 20)) // no note is that large
            break;
    }
    ::close(fd);
    return ok;
}

bool writeWholeSynced(const QByteArray& path, const QByteArray& bytes)
{
    int fd;
    do {
        fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    const bool ok = done == bytes.size() && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// A new or removed name is on disk only once its folder is.
bool syncFolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool removeSynced(const QByteArray& path)
{
    return (::unlink(path.constData()) == 0 || errno == ENOENT) && syncFolderOf(path);
}

} // namespace

void RawRecordFile::write(int number, const QByteArray& record, const QByteArray& companionBytes)
{
    if (number < 1 || number > count() || record.size() != m_recordSize)
        fail();
    // A write cut short (a kill, a power cut, a disk error) would leave a record half old, half new: the old bytes
    // wait in the rollback note until the new ones are on disk.
    const QByteArray old = read(number);
    const qint64 companionBefore = companionSize();
    const QByteArray notePath = QFile::encodeName(rollbackNotePath(m_path));
    if (!writeWholeSynced(notePath,
                          kRewriteHead + QByteArray::number(number) + '\n' + old + noteTail(companionBefore)) ||
        !syncFolderOf(notePath)) {
        ::unlink(notePath.constData());
        fail();
    }
    const qint64 offset = qint64(number - 1) * m_recordSize;
    try {
        if (!companionBytes.isEmpty()) {
            appendCompanion(companionBytes);
            syncCompanion();
        }
        writeAt(offset, record);
        if (::fsync(m_fd) != 0)
            fail();
    } catch (const ArchiveAccessError&) {
        try {
            writeAt(offset, old);
            cutCompanion(companionBefore);
            if (::fsync(m_fd) == 0)
                removeSynced(notePath);
        } catch (const ArchiveAccessError&) {
            // The note stays, and the next open puts the old record back.
        }
        throw;
    }
    if (!removeSynced(notePath))
        fail();
}

void RawRecordFile::setCompanion(const QString& path)
{
    if (QFileInfo(path).absolutePath() != QFileInfo(m_path).absolutePath())
        fail();
    m_companionPath = path;
}

qint64 RawRecordFile::companionSize() const
{
    if (m_companionPath.isEmpty())
        return -1;
    if (m_companionFd >= 0) {
        struct stat st
        {
        };
        if (::fstat(m_companionFd, &st) != 0)
            fail();
        return st.st_size;
    }
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(m_companionPath).constData(), &st) != 0) {
        if (errno == ENOENT)
            return 0;
        fail();
    }
    if (!S_ISREG(st.st_mode))
        fail();
    return st.st_size;
}

QByteArray RawRecordFile::noteTail(qint64 companionSize) const
{
    if (companionSize < 0)
        return kNoteEnd;
    return kCompanionHead + QByteArray::number(companionSize) + ' ' +
           QFile::encodeName(QFileInfo(m_companionPath).fileName()) + '\n' + kNoteEnd;
}

void RawRecordFile::appendCompanion(const QByteArray& bytes)
{
    if (m_companionPath.isEmpty())
        fail();
    if (m_companionFd < 0) {
        do {
            m_companionFd = ::open(QFile::encodeName(m_companionPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        } while (m_companionFd < 0 && errno == EINTR);
        if (m_companionFd < 0)
            fail();
        struct stat st
        {
        };
        if (::fstat(m_companionFd, &st) != 0 || !S_ISREG(st.st_mode))
            fail();
    }
    const qint64 at = companionSize();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_companionFd, bytes.constData() + done, size_t(bytes.size() - done), at + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail();
        done += n;
    }
}

void RawRecordFile::syncCompanion()
{
    if (m_companionFd >= 0 && ::fsync(m_companionFd) != 0)
        fail();
}

void RawRecordFile::cutCompanion(qint64 size)
{
    if (m_companionPath.isEmpty() || size < 0)
        return;
    if (companionSize() <= size)
        return;
    const QByteArray native = QFile::encodeName(m_companionPath);
    const int fd = m_companionFd >= 0 ? m_companionFd : ::open(native.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        fail();
    const bool ok = ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    if (fd != m_companionFd)
        ::close(fd);
    if (!ok)
        fail();
}

QString RawRecordFile::rollbackNotePath(const QString& path)
{
    return path + QStringLiteral(".ripristino");
}

void RawRecordFile::restore(qint64 size, const QByteArray& fragment)
{
    // The fragment goes back over bytes the batch wrote, so this needs no new room on a full disk.
    if (!fragment.isEmpty()) {
        qint64 done = 0;
        const qint64 at = size - fragment.size();
        while (done < fragment.size()) {
            const ssize_t n = ::pwrite(m_fd, fragment.constData() + done, size_t(fragment.size() - done), at + done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                fail();
            done += n;
        }
    }
    if (::ftruncate(m_fd, size) != 0 || ::fsync(m_fd) != 0)
        fail();
}

void RawRecordFile::honourRollbackNote()
{
    const QByteArray notePath = QFile::encodeName(rollbackNotePath(m_path));
    QByteArray note;
    bool missing = false;
    if (!readWhole(notePath, &note, &missing)) {
        if (missing)
            return;
        fail();
    }
    Note parsed;
    // A note cut short was being written while the file was still untouched; one naming a size or a record beyond
    // the file's is not about this file. Either is only removed.
    if (parseNote(note, m_recordSize, &parsed)) {
        if (!parsed.rewrite && parsed.value <= size())
            restore(parsed.value, parsed.bytes);
        if (parsed.rewrite && parsed.value >= 1 && parsed.value <= count()) {
            writeAt((parsed.value - 1) * m_recordSize, parsed.bytes);
            if (::fsync(m_fd) != 0)
                fail();
        }
        if (parsed.companionSize >= 0) {
            const QString companion = QFileInfo(m_path).dir().filePath(QFile::decodeName(parsed.companionName));
            const QString before = m_companionPath;
            m_companionPath = companion;
            cutCompanion(parsed.companionSize);
            m_companionPath = before;
        }
    }
    if (!removeSynced(notePath))
        fail();
}

RawRecordFile::Batch::Batch(RawRecordFile& file) : m_file(file)
{
    m_sizeBefore = file.size();
    m_fragment.resize(qsizetype(m_sizeBefore % file.m_recordSize));
    if (!m_fragment.isEmpty())
        file.readAt(m_sizeBefore - m_fragment.size(), m_fragment.data(), m_fragment.size());
    m_companionSizeBefore = file.companionSize();
    const QByteArray notePath = QFile::encodeName(rollbackNotePath(file.m_path));
    const QByteArray note =
        kNoteHead + QByteArray::number(m_sizeBefore) + '\n' + m_fragment + file.noteTail(m_companionSizeBefore);
    if (!writeWholeSynced(notePath, note) || !syncFolderOf(notePath)) {
        ::unlink(notePath.constData());
        m_open = false;
        file.fail();
    }
}

RawRecordFile::Batch::~Batch()
{
    if (!m_open)
        return;
    try {
        rollBack();
    } catch (const ArchiveAccessError&) {
        // The note stays, and the next open cuts the file back.
    }
}

void RawRecordFile::Batch::sync()
{
    if (::fsync(m_file.m_fd) != 0)
        m_file.fail();
    m_file.syncCompanion();
}

void RawRecordFile::Batch::commit()
{
    sync();
    m_open = false;
    if (!removeSynced(QFile::encodeName(rollbackNotePath(m_file.m_path))))
        m_file.fail();
}

void RawRecordFile::Batch::rollBack()
{
    m_file.restore(m_sizeBefore, m_fragment);
    m_file.cutCompanion(m_companionSizeBefore);
    m_open = false;
    if (!removeSynced(QFile::encodeName(rollbackNotePath(m_file.m_path))))
        m_file.fail();
}
