#include "support/test_support.h"

#include <QProcess>

TestContext::TestContext()
{
    context.programFolder = dir.path();
    context.clock = &clock;
    context.messages = &messages;
    context.shell = &shell;
    context.fileChooser = &fileChooser;
    context.saveFileChooser = &saveFileChooser;
}

QStringList pdfPageTexts(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // every page ends with a form feed
    return pages;
}

CliResult runCli(const QString& folder, const QStringList& args, const QByteArray& input, const CliOptions& options)
{
    QProcess p;
    if (!options.stdoutFile.isEmpty())
        p.setStandardOutputFile(options.stdoutFile);
    if (options.withoutRuntimeFolder) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        p.setProcessEnvironment(env);
    }
    if (!options.workingFolder.isEmpty())
        p.setWorkingDirectory(options.workingFolder);
    QStringList all;
    if (!folder.isEmpty())
        all << QStringLiteral("--folder") << folder;
    all << args;
    p.start(QString::fromUtf8(PLICARIO_CLI_PATH), all);
    p.waitForStarted();
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

#include <QFile>

QByteArray readFileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

#include <csignal>
#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_savedCurrent = qint64(limit.rlim_cur);
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of ending the process
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_savedCurrent);
    setrlimit(RLIMIT_FSIZE, &limit);
}

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

LockHolder::LockHolder(const QString& path, int releaseAfterMs)
{
    const QByteArray native = QFile::encodeName(path);
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only async-signal-safe calls in the child of a threaded process.
        const int fd = ::open(native.constData(), O_RDWR | O_CREAT, 0666);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
            ::_exit(1);
        (void)!::write(ready[1], "x", 1);
        if (releaseAfterMs >= 0)
            ::usleep(useconds_t(releaseAfterMs) * 1000);
        else
            for (;;)
                ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char byte = 0;
    ssize_t n = -1;
    while (pid > 0 && (n = ::read(ready[0], &byte, 1)) < 0 && errno == EINTR) {
    }
    const bool held = n == 1;
    ::close(ready[0]);
    m_pid = pid;
    if (!held)
        release();
}

LockHolder::~LockHolder()
{
    release();
}

void LockHolder::release()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}
