#include "cli/cli_io.h"

#include "common/errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>

namespace Cli {

namespace {

[[noreturn]] void outputFailed()
{
    throw PlicarioError(QStringLiteral("Impossibile scrivere sullo standard output (%1): l'uscita è incompleta.")
                            .arg(QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

void out(const QByteArray& bytes)
{
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
        outputFailed();
}

void finishOut()
{
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        outputFailed();
}

QByteArray readStdin()
{
    QByteArray all;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        all.append(buffer, qsizetype(n));
    if (std::ferror(stdin))
        throw PlicarioError(QStringLiteral("Impossibile leggere lo standard input."));
    return all;
}

QString echo(const QString& text)
{
    constexpr qsizetype kMax = 80;
    qsizetype end = std::min(text.size(), kMax);
    if (end < text.size() && end > 0 && text[end - 1].isHighSurrogate())
        --end; // never half a character
    QString shown = text.left(end);
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    return shown;
}

LineReader::LineReader() = default;

LineReader::~LineReader()
{
    std::free(m_buffer);
}

bool LineReader::next(QByteArray& line)
{
    const ssize_t n = ::getline(&m_buffer, &m_capacity, stdin);
    if (n < 0) {
        if (std::ferror(stdin))
            throw PlicarioError(QStringLiteral("Impossibile leggere lo standard input."));
        return false;
    }
    ++m_lineNumber;
    qsizetype size = n;
    if (size > 0 && m_buffer[size - 1] == '\n')
        --size;
    line = QByteArray(m_buffer, size);
    return true;
}

bool LineReader::nextNonBlank(QByteArray& line)
{
    while (next(line))
        if (!line.trimmed().isEmpty())
            return true;
    return false;
}

} // namespace Cli
