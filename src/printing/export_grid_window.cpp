#include "printing/export_grid_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/command_bar_gui.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/window_gui.h"
#include "help/help_gui.h"
#include "printing/export_grid_widget.h"
#include "printing/spreadsheet_export.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

ExportGridWindow::ExportGridWindow(const AppContext& context, const QList<ExportGridColumn>& columns, Export target,
                                   HelpTopic help, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_target(std::move(target)),
      m_help(std::move(help))
{
    setModal(true);
    m_hints = new HintLine(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Two strips frame the grid: the commands above and the hint line below.
    auto* shpComandi = new QFrame;
    shpComandi->setObjectName(QStringLiteral("shpComandi"));
    shpComandi->setAutoFillBackground(true);
    QPalette barPalette = shpComandi->palette();
    barPalette.setColor(QPalette::Window, Colours::kToolbarStrip);
    shpComandi->setPalette(barPalette);
    m_strip = new QHBoxLayout(shpComandi);
    m_strip->setContentsMargins(12, 6, 12, 6);
    m_leading = new QHBoxLayout;
    m_strip->addLayout(m_leading);
    CommandBar::add(
        m_strip,
        {
            {"cmdEsporta", "addresses/export", "Esporta archivio", "Esporta l'archivio in formato Microsoft Excel.",
             Keyboard::kSave, [this] { exportGrid(); }},
            {},
            {"cmdGuida", "addresses/help", "Guida", "Visualizza la pagina della guida sensibile al contesto.",
             Keyboard::kHelp, [this] { ShowHelp(this, m_context, m_help); }},
            {"cmdEsci", "addresses/exit", "Esci", "Esci da questo ambiente di lavoro.", Keyboard::kExit,
             [this] { reject(); }},
        },
        m_hints);
    layout->addWidget(shpComandi);

    auto* panGriglia = new QFrame;
    panGriglia->setObjectName(QStringLiteral("panGriglia"));
    auto* gridLayout = new QVBoxLayout(panGriglia);
    gridLayout->setContentsMargins(10, 10, 10, 10);
    m_grdRecords = new ExportGridWidget(columns);
    gridLayout->addWidget(m_grdRecords);
    layout->addWidget(panGriglia, 1);
    layout->addWidget(m_hints->label());

    for (QWidget* w :
         std::initializer_list<QWidget*>{this, shpComandi, panGriglia, m_grdRecords->viewport(), m_hints->label()})
        m_hints->addBackground(w);

    setFixedSize(1100, 640);
    Keyboard::setUpWindow(this);
    // The grid is what the window is about; a toolbar button taking the first focus would also replace the hint.
    m_grdRecords->setFocus();
}

void ExportGridWindow::setTitle(const QString& title)
{
    auto* label = new QLabel(title);
    label->setObjectName(QStringLiteral("lblIntestazione"));
    QFont titleFont = label->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    label->setFont(titleFont);
    // After the export button: the strip holds the leading controls, the export button, then the stretch.
    m_strip->insertSpacing(2, 12);
    m_strip->insertWidget(3, label);
}

void ExportGridWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Windows::centre(this, Windows::Over::Screen);
        runGuarded(this, m_context.messages, [this] { shown(); });
    }
    QDialog::showEvent(event);
}

void ExportGridWindow::exportGrid()
{
    SpreadsheetExport(m_context, this, m_target.fileName, m_target.sheetName,
                      ExportGrid::exportColumns(m_grdRecords->columns()), ExportGrid::exportRows(m_grdRecords->rows()));
}
