#pragma once

#include "common/app_context.h"
#include "common/messages.h"
#include "printing/print_service.h"

#include <QDate>
#include <QTemporaryDir>

// A fictional office for the guide's pictures: a program folder with a few address cards, a label sheet and a
// register year with a handful of documents, and services that never open a box or a printer.
class GuideOffice
{
public:
    GuideOffice();

    const AppContext& context() const { return m_context; }
    QString folder() const { return m_dir.path(); }
    QString registerYear() const;
    bool isValid() const { return m_dir.isValid(); }

private:
    struct QuietMessages : Messages
    {
        void warning(QWidget*, const QString&) override {}
        void error(QWidget*, const QString&) override {}
        void information(QWidget*, const QString&) override {}
        bool confirm(QWidget*, const QString&) override { return false; }
        void plain(QWidget*, const QString&) override {}
        Answer question(QWidget*, const QString&) override { return Answer::Cancel; }
    };
    struct FixedClock : Clock
    {
        QDate today() const override { return QDate(2026, 3, 16); }
        QTime now() const override { return QTime(10, 30); }
    };
    struct NoShell : Shell
    {
        bool open(const QString&) override { return false; }
    };
    struct NoFiles : FileChooser, SaveFileChooser
    {
        QString chooseFile(QWidget*, const QString&, const QString&) override { return {}; }
        QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    };
    struct NoPrinter : PrintService
    {
        bool print(QWidget*, const PreparedReport&) override { return false; }
        bool printPages(QWidget*, const ReportPainter::PageSource&) override { return false; }
        bool preview(QWidget*, const PreparedReport&) override { return false; }
    };

    void writeSamples();

    QTemporaryDir m_dir;
    QuietMessages m_messages;
    FixedClock m_clock;
    NoShell m_shell;
    NoFiles m_files;
    NoPrinter m_printer;
    AppContext m_context;
};
