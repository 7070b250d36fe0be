#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// Shared by the fuzz targets: a scratch folder for the files a decoder reads, and a way to report a broken
// property so that the fuzzer keeps the input as a crash.
namespace Fuzz {

// One folder for the whole run, on a RAM disk when there is one: every input writes its files anew.
inline QString scratchFolder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/plicario-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + "/plicario-fuzz-XXXXXX");
    if (!dir.isValid())
        std::abort();
    return dir.path();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A property of the decoder does not hold for this input.
[[noreturn]] inline void broken(const char* what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what)
{
    if (!holds)
        broken(what);
}

} // namespace Fuzz
