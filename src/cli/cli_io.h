#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

// Standard input and output of the batch tool. Every write is checked: a full disk, /dev/full or a closed pipe is
// a failure (PlicarioError, exit 1), never a cut output reported as success.
namespace Cli {

// Writes bytes to standard output as they are.
void out(const QByteArray& bytes);
// Flushes standard output; call it before reporting success.
void finishOut();
// Reads all of standard input (for the small inputs: a password, the lines of a list).
QByteArray readStdin();

// A text from the user's input, as messages echo it: at most 80 characters, control characters shown as '?'.
QString echo(const QString& text);

// Standard input one line at a time, so that a large input never sits in memory whole.
class LineReader
{
public:
    LineReader();
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its line end; false at the end of the input.
    bool next(QByteArray& line);
    // The next line holding more than blanks.
    bool nextNonBlank(QByteArray& line);
    // The number of the line read last, from 1, blank lines counted: what a message about that line names.
    qsizetype lineNumber() const { return m_lineNumber; }

private:
    char* m_buffer = nullptr;
    size_t m_capacity = 0;
    qsizetype m_lineNumber = 0;
};

} // namespace Cli
