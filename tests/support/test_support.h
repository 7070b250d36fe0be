#pragma once

#include "common/app_context.h"
#include "common/messages.h"

#include <QDate>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>

// Records every message box with its kind and exact text, and answers confirmations from a queue (Yes when empty).
class RecordingMessages : public Messages
{
public:
    struct Entry
    {
        Kind kind;
        QString text;
    };

    void warning(QWidget*, const QString& text) override { m_log.append({Kind::Warning, text}); }
    void error(QWidget*, const QString& text) override { m_log.append({Kind::Error, text}); }
    void information(QWidget*, const QString& text) override { m_log.append({Kind::Information, text}); }
    void plain(QWidget*, const QString& text) override { m_log.append({Kind::Plain, text}); }
    bool confirm(QWidget*, const QString& text) override
    {
        m_log.append({Kind::Confirmation, text});
        return m_answers.isEmpty() ? true : m_answers.dequeue();
    }

    // Questions are answered from their own queue (No when empty: the screen is given up, as before they were asked).
    Answer question(QWidget*, const QString& text) override
    {
        m_log.append({Kind::Question, text});
        return m_questionAnswers.isEmpty() ? Answer::No : m_questionAnswers.dequeue();
    }

    void queueAnswer(bool yes) { m_answers.enqueue(yes); }
    void queueQuestionAnswer(Answer answer) { m_questionAnswers.enqueue(answer); }
    const QList<Entry>& log() const { return m_log; }
    void clear() { m_log.clear(); }

private:
    QList<Entry> m_log;
    QQueue<bool> m_answers;
    QQueue<Answer> m_questionAnswers;
};

class FixedClock : public Clock
{
public:
    QDate date = QDate(2024, 3, 15);
    QTime time = QTime(10, 30, 0);
    QDate today() const override { return date; }
    QTime now() const override { return time; }
};

class RecordingShell : public Shell
{
public:
    QStringList opened;
    bool answer = true;
    bool open(const QString& command) override
    {
        opened.append(command);
        return answer;
    }
};

// Answers each file dialog from a queue of paths; an empty path (or an empty queue) is a cancel.
class QueuedFileChooser : public FileChooser
{
public:
    QQueue<QString> answers;
    QStringList titles;
    QString chooseFile(QWidget*, const QString& title, const QString&) override
    {
        titles.append(title);
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
};

// Answers each save-file dialog from a queue of paths, as the file-open one; keeps the names it suggested.
class QueuedSaveFileChooser : public SaveFileChooser
{
public:
    QQueue<QString> answers;
    QStringList suggested;
    QString chooseSaveFile(QWidget*, const QString&, const QString& suggestedPath, const QString&) override
    {
        suggested.append(suggestedPath);
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
};

// A temporary program folder and the recorders, ready to hand to a window.
struct TestContext
{
    QTemporaryDir dir;
    FixedClock clock;
    RecordingMessages messages;
    RecordingShell shell;
    QueuedFileChooser fileChooser;
    QueuedSaveFileChooser saveFileChooser;
    AppContext context;

    TestContext();
    QString path(const QString& name) const { return dir.filePath(name); }
};

// Runs the batch tool; returns its exit code and fills stdout and stderr.
struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
// How to run it, when not plainly: standard output into a file (such as /dev/full), no runtime folder (as cron),
// another working folder (where relative output names land).
struct CliOptions
{
    QString stdoutFile;
    bool withoutRuntimeFolder = false;
    QString workingFolder;
};
CliResult runCli(const QString& folder, const QStringList& args, const QByteArray& input = QByteArray(),
                 const CliOptions& options = {});

// The text of each page of a PDF file, as poppler's pdftotext reads it; empty when it cannot be read.
QStringList pdfPageTexts(const QString& path);

// Whole-file helpers for tests that check bytes.
QByteArray readFileBytes(const QString& path);
bool writeFileBytes(const QString& path, const QByteArray& bytes);

// While alive, no file of this process can grow beyond `bytes`: a full disk, and a way to make a file unwritable
// for root as well.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    qint64 m_savedCurrent = 0;
};

// Another process that holds the lock of an archive (as a batch waiting on its input does) from construction until
// release(), or until it lets go by itself after `releaseAfterMs`.
class LockHolder
{
public:
    explicit LockHolder(const QString& path, int releaseAfterMs = -1);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool holds() const { return m_pid > 0; }
    void release();

private:
    int m_pid = -1;
};
