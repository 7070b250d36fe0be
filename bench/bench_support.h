#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <unistd.h>

namespace Bench {

// One temporary program folder per benchmark program, kept until it exits.
inline const QTemporaryDir& folder()
{
    static const auto dir = std::make_unique<QTemporaryDir>();
    return *dir;
}

// Writes `count` records made by `record(i)` (i from 1) to `path` once and reuses the file afterwards.
inline QString archive(const QString& name, int count, const std::function<QByteArray(int)>& record)
{
    static std::map<QString, QString> made;
    const QString key = name + u'#' + QString::number(count);
    if (auto it = made.find(key); it != made.end())
        return it->second;
    const QString dir = folder().filePath(QString::number(count) + u'-' + name.section(u'.', 0, 0));
    QDir().mkpath(dir);
    const QString path = dir + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray block;
    for (int i = 1; i <= count; ++i) {
        block += record(i);
        if (block.size() > (8 << 20) || i == count) {
            file.write(block);
            block.clear();
        }
    }
    file.close();
    made[key] = dir;
    return dir;
}

// The yardstick: reading the whole file with plain reads and doing nothing with the bytes.
inline void readRaw(benchmark::State& state, const QString& path)
{
    const QByteArray native = path.toLocal8Bit();
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    qint64 total = 0;
    for (auto _ : state) {
        const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        ssize_t n;
        while ((n = ::read(fd, buffer.get(), 1 << 20)) > 0) {
            benchmark::DoNotOptimize(buffer.get());
            total += n;
        }
        ::close(fd);
    }
    state.SetBytesProcessed(total);
}

// The main() of a benchmark program that opens windows: offscreen unless told otherwise.
inline int runWithWidgets(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace Bench
