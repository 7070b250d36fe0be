#include "printing/address_export_window.h"

#include "addresses/address_export_rows.h"
#include "addresses/address_pictures_gui.h"
#include "app/app_context.h"
#include "common/hint_line_gui.h"
#include "help/help_gui.h"
#include "printing/export_grid_model.h"
#include "printing/spreadsheet_export.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

AddressExportWindow::AddressExportWindow(const AppContext& context, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_context(context), m_model(new ExportGridModel(AddressExport::gridColumns(), this))
{
    setObjectName(QStringLiteral("frmExpIndirizzi"));
    setWindowTitle(QStringLiteral(" Esportazione archivio indirizzi in Excel"));
    setModal(true);
    m_hints = new HintLine(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Two strips frame the grid: the toolbar above and the hint line below.
    auto* shpComandi = new QFrame;
    shpComandi->setObjectName(QStringLiteral("shpComandi"));
    shpComandi->setAutoFillBackground(true);
    QPalette barPalette = shpComandi->palette();
    barPalette.setColor(QPalette::Window, QColor(0xF7, 0xF9, 0xFC));
    shpComandi->setPalette(barPalette);
    auto* bar = new QHBoxLayout(shpComandi);
    bar->setContentsMargins(12, 6, 12, 6);
    QToolButton* cmdEsporta =
        makePictureButton(QStringLiteral("cmdEsporta"), QStringLiteral("export"), QStringLiteral("Esporta archivio"),
                          QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    QToolButton* cmdGuida =
        makePictureButton(QStringLiteral("cmdGuida"), QStringLiteral("help"), QStringLiteral("Guida"),
                          QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    QToolButton* cmdEsci = makePictureButton(QStringLiteral("cmdEsci"), QStringLiteral("exit"), QStringLiteral("Esci"),
                                             QStringLiteral("Esci da questo ambiente di lavoro."));
    auto* title = new QLabel(QStringLiteral("Archivio indirizzi"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    title->setFont(titleFont);
    bar->addWidget(cmdEsporta);
    bar->addSpacing(12);
    bar->addWidget(title);
    bar->addStretch();
    bar->addWidget(cmdGuida);
    bar->addWidget(cmdEsci);
    layout->addWidget(shpComandi);

    auto* panGriglia = new QFrame;
    panGriglia->setObjectName(QStringLiteral("panGriglia"));
    auto* gridLayout = new QVBoxLayout(panGriglia);
    gridLayout->setContentsMargins(10, 10, 10, 10);
    m_grdRecords = new QTableView;
    m_grdRecords->setObjectName(QStringLiteral("grdRecords"));
    m_grdRecords->setAccessibleName(QStringLiteral("Schede in archivio"));
    m_grdRecords->setModel(m_model);
    m_grdRecords->setAlternatingRowColors(true);
    m_grdRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdRecords->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdRecords->verticalHeader()->hide();
    m_grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdRecords->verticalHeader()->setDefaultSectionSize(21);
    m_grdRecords->verticalHeader()->setMinimumSectionSize(21);
    m_grdRecords->horizontalHeader()->setHighlightSections(false);
    m_grdRecords->setWordWrap(false);
    const QList<ExportGridColumn>& columns = AddressExport::gridColumns();
    for (int i = 0; i < columns.size(); ++i)
        m_grdRecords->setColumnWidth(i, columns[i].width);
    gridLayout->addWidget(m_grdRecords);
    layout->addWidget(panGriglia, 1);
    layout->addWidget(m_hints->label());

    for (QToolButton* b : {cmdEsporta, cmdGuida, cmdEsci})
        m_hints->addButton(b);
    for (QWidget* w :
         std::initializer_list<QWidget*>{this, shpComandi, panGriglia, m_grdRecords->viewport(), m_hints->label()})
        m_hints->addBackground(w);
    m_hints->setText(QStringLiteral("Esportazione archivio in Microsoft Excel."));

    connect(cmdEsporta, &QToolButton::clicked, this, &AddressExportWindow::exportGrid);
    connect(cmdGuida, &QToolButton::clicked, this, [this] { ShowHelp(this, m_context, HelpTopics::addressExport()); });
    connect(cmdEsci, &QToolButton::clicked, this, &QDialog::reject);

    m_model->setRows(ExportGrid::emptyRows(columns.size()));
    setFixedSize(1100, 640);
}

void AddressExportWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        loadGrid();
    }
    QDialog::showEvent(event);
}

void AddressExportWindow::loadGrid()
{
    try {
        // An empty archive leaves the grid's empty rows.
        if (ExportGridRows rows = AddressExport::loadGrid(m_context.programFolder); !rows.isEmpty())
            m_model->setRows(rows);
    } catch (...) {
        // Loading fails silently; the grid keeps what it had.
    }
}

void AddressExportWindow::exportGrid()
{
    SpreadsheetExport(m_context, this, AddressExport::kFileName, AddressExport::kSheetName,
                      ExportGrid::exportColumns(m_model->columns()), ExportGrid::exportRows(m_model->rows()));
}
