#pragma once

#include "help/help_topics.h"
#include "printing/export_grid.h"

#include <QDialog>

struct AppContext;
class ExportGridWidget;
class HintLine;
class QHBoxLayout;

// What the export windows share: a strip of commands over a read-only grid of cards and the hint line below. The
// strip ends in the export, help and exit buttons; a window puts its own controls before them.
class ExportGridWindow : public QDialog
{
    Q_OBJECT

public:
    // Where the grid goes: the file of the program folder and the sheet's name.
    struct Export
    {
        QString fileName;
        QString sheetName;
    };

protected:
    ExportGridWindow(const AppContext& context, const QList<ExportGridColumn>& columns, Export target, HelpTopic help,
                     QWidget* owner);

    // The start of the command strip, before the export button.
    QHBoxLayout* leadingCommands() const { return m_leading; }
    // A bold title beside the export button.
    void setTitle(const QString& title);
    ExportGridWidget* grid() const { return m_grdRecords; }
    HintLine* hints() const { return m_hints; }
    const AppContext& context() const { return m_context; }

    void showEvent(QShowEvent* event) override;
    // Runs each time the window is shown, before it appears; what it leaves uncaught goes to the general error report.
    virtual void shown() {}

private:
    void exportGrid();

    const AppContext& m_context;
    Export m_target;
    HelpTopic m_help;
    QHBoxLayout* m_leading;
    QHBoxLayout* m_strip;
    ExportGridWidget* m_grdRecords;
    HintLine* m_hints;
};
