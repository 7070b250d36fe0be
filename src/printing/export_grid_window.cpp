#include "printing/export_grid_window.h"

#include "addresses/address_pictures_gui.h"
#include "common/app_context.h"
#include "common/hint_line_gui.h"
#include "help/help_gui.h"
#include "printing/export_grid_widget.h"
#include "printing/spreadsheet_export.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

ExportGridWindow::ExportGridWindow(const AppContext& context, const QList<ExportGridColumn>& columns, Export target,
                                   HelpTopic help, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_context(context), m_target(std::move(target)), m_help(std::move(help))
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
    barPalette.setColor(QPalette::Window, QColor(0xF7, 0xF9, 0xFC));
    shpComandi->setPalette(barPalette);
    m_strip = new QHBoxLayout(shpComandi);
    m_strip->setContentsMargins(12, 6, 12, 6);
    m_leading = new QHBoxLayout;
    QToolButton* cmdEsporta =
        makePictureButton(QStringLiteral("cmdEsporta"), QStringLiteral("export"), QStringLiteral("Esporta archivio"),
                          QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    QToolButton* cmdGuida =
        makePictureButton(QStringLiteral("cmdGuida"), QStringLiteral("help"), QStringLiteral("Guida"),
                          QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    QToolButton* cmdEsci = makePictureButton(QStringLiteral("cmdEsci"), QStringLiteral("exit"), QStringLiteral("Esci"),
                                             QStringLiteral("Esci da questo ambiente di lavoro."));
    m_strip->addLayout(m_leading);
    m_strip->addWidget(cmdEsporta);
    m_strip->addStretch();
    m_strip->addWidget(cmdGuida);
    m_strip->addWidget(cmdEsci);
    layout->addWidget(shpComandi);

    auto* panGriglia = new QFrame;
    panGriglia->setObjectName(QStringLiteral("panGriglia"));
    auto* gridLayout = new QVBoxLayout(panGriglia);
    gridLayout->setContentsMargins(10, 10, 10, 10);
    m_grdRecords = new ExportGridWidget(columns);
    gridLayout->addWidget(m_grdRecords);
    layout->addWidget(panGriglia, 1);
    layout->addWidget(m_hints->label());

    for (QToolButton* b : {cmdEsporta, cmdGuida, cmdEsci})
        m_hints->addButton(b);
    for (QWidget* w :
         std::initializer_list<QWidget*>{this, shpComandi, panGriglia, m_grdRecords->viewport(), m_hints->label()})
        m_hints->addBackground(w);

    connect(cmdEsporta, &QToolButton::clicked, this, &ExportGridWindow::exportGrid);
    connect(cmdGuida, &QToolButton::clicked, this, [this] { ShowHelp(this, m_context, m_help); });
    connect(cmdEsci, &QToolButton::clicked, this, &QDialog::reject);
    setFixedSize(1100, 640);
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
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        shown();
    }
    QDialog::showEvent(event);
}

void ExportGridWindow::exportGrid()
{
    SpreadsheetExport(m_context, this, m_target.fileName, m_target.sheetName,
                      ExportGrid::exportColumns(m_grdRecords->columns()), ExportGrid::exportRows(m_grdRecords->rows()));
}
