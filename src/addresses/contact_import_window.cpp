#include "addresses/contact_import_window.h"

#include "addresses/address_export_rows.h"
#include "addresses/address_import.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/window_gui.h"
#include "printing/export_grid_widget.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Rubriche e fogli di calcolo (*.csv *.txt *.vcf *.vcard);;Tutti i file (*)");
const QString kReady = QStringLiteral("Scegliere il file da importare: un foglio di calcolo salvato come CSV o una "
                                      "rubrica vCard.");

// The grid: the file line the card comes from, then the card's nine fields under the export's headers.
QList<ExportGridColumn> gridColumns()
{
    QList<ExportGridColumn> columns = AddressExport::gridColumns();
    columns[0] = {QStringLiteral("colRiga"), QStringLiteral("Riga"), 50, 0};
    return columns;
}

QLabel* boldLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QPushButton* button(const char* objectName, const QString& text, const QString& hint, HintLine* hints)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(objectName));
    Windows::describe(b, QString(text).remove(QStringLiteral("...")), hint);
    hints->addButton(b);
    return b;
}

} // namespace

ContactImportWindow::ContactImportWindow(const AppContext& context, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context)
{
    setObjectName(QStringLiteral("frmImportaContatti"));
    setWindowTitle(QStringLiteral(" Importa indirizzi"));
    setModal(true);
    m_hints = new HintLine(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* shpFile = buildFileStrip();
    layout->addWidget(shpFile);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 10, 10, 6);
    body->addWidget(buildColumnPanel());
    body->addLayout(buildPreview(), 1);
    layout->addLayout(body, 1);
    layout->addLayout(buildButtons());
    layout->addWidget(m_hints->label());

    for (QWidget* w :
         std::initializer_list<QWidget*>{this, shpFile, m_panColonne, m_grdSchede->viewport(), m_hints->label()})
        m_hints->addBackground(w);
    m_hints->setText(kReady);
    m_btnSfoglia->setFocus();
    setFixedSize(1240, 640);
    Keyboard::setUpWindow(this);
}

QWidget* ContactImportWindow::buildFileStrip()
{
    auto* shpFile = new QFrame;
    shpFile->setObjectName(QStringLiteral("shpFile"));
    shpFile->setAutoFillBackground(true);
    QPalette stripPalette = shpFile->palette();
    stripPalette.setColor(QPalette::Window, Colours::kToolbarStrip);
    shpFile->setPalette(stripPalette);
    auto* strip = new QHBoxLayout(shpFile);
    strip->setContentsMargins(12, 8, 12, 8);
    m_btnSfoglia =
        button("btnSfoglia", QStringLiteral("Scegli file..."),
               QStringLiteral("Sceglie il foglio di calcolo (CSV) o la rubrica (vCard) da importare."), m_hints);
    connect(m_btnSfoglia, &QPushButton::clicked, this, [this] { chooseFile(); });
    strip->addWidget(m_btnSfoglia);
    m_lblFile = boldLabel(QStringLiteral("Nessun file scelto"));
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    strip->addWidget(m_lblFile, 1);
    return shpFile;
}

// What each column of a CSV holds; hidden for a vCard, whose fields say it themselves.
QWidget* ContactImportWindow::buildColumnPanel()
{
    m_panColonne = new QFrame;
    m_panColonne->setObjectName(QStringLiteral("panColonne"));
    m_panColonne->setFixedWidth(390);
    auto* columnsLayout = new QVBoxLayout(m_panColonne);
    columnsLayout->setContentsMargins(0, 0, 10, 0);
    columnsLayout->addWidget(boldLabel(QStringLiteral("Contenuto delle colonne del file:")));
    m_scrColonne = new QScrollArea;
    m_scrColonne->setObjectName(QStringLiteral("scrColonne"));
    m_scrColonne->setWidgetResizable(true);
    m_scrColonne->setFocusPolicy(Qt::NoFocus); // its choices take the focus, and it scrolls to them
    m_scrColonne->setAccessibleName(QStringLiteral("Colonne del file"));
    columnsLayout->addWidget(m_scrColonne, 1);
    m_panColonne->hide();
    return m_panColonne;
}

// The counts, the first new cards as they will be stored, and why cards were refused.
QLayout* ContactImportWindow::buildPreview()
{
    auto* preview = new QVBoxLayout;
    m_lblConteggi = boldLabel(QString());
    m_lblConteggi->setObjectName(QStringLiteral("lblConteggi"));
    preview->addWidget(m_lblConteggi);
    m_grdSchede = new ExportGridWidget(gridColumns());
    m_grdSchede->setObjectName(QStringLiteral("grdSchede"));
    m_grdSchede->setAccessibleName(QStringLiteral("Schede che saranno importate"));
    m_grdSchede->setAccessibleDescription(
        QStringLiteral("Le prime schede nuove del file, esattamente come saranno registrate in archivio."));
    preview->addWidget(m_grdSchede, 1);
    m_lblScartate = new QLabel;
    m_lblScartate->setObjectName(QStringLiteral("lblScartate"));
    m_lblScartate->setWordWrap(true);
    preview->addWidget(m_lblScartate);
    return preview;
}

QLayout* ContactImportWindow::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 4, 10, 10);
    buttons->addStretch();
    m_btnImporta = button("btnImporta", QStringLiteral("Importa"),
                          QStringLiteral("Aggiunge all'archivio le schede nuove del file."), m_hints);
    m_btnImporta->setEnabled(false);
    connect(m_btnImporta, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_btnImporta);
    Keyboard::setShortcut(m_btnImporta, Keyboard::kImport);
    auto* btnAnnulla = button("btnAnnulla", QStringLiteral("Annulla"),
                              QStringLiteral("Chiude questa finestra senza importare nulla."), m_hints);
    Keyboard::setShortcut(btnAnnulla, Keyboard::kExit);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(btnAnnulla);
    return buttons;
}

void ContactImportWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Windows::centre(this, Windows::Over::Owner);
    QDialog::showEvent(event);
}

QList<Contact> ContactImportWindow::contacts() const
{
    return m_file ? m_file->contacts(m_columns) : QList<Contact>();
}

void ContactImportWindow::chooseFile()
{
    const QString path = m_context.fileChooser->chooseFile(this, QStringLiteral("Importa indirizzi"), kFilter);
    if (!path.isEmpty())
        loadFile(path);
}

void ContactImportWindow::loadFile(const QString& path)
{
    clearFile();
    try {
        m_file = ContactFile::read(path);
    } catch (const PlicarioError& e) {
        m_context.messages->error(this, e.message());
        return;
    }
    m_fileName = path;
    m_lblFile->setText(QDir::toNativeSeparators(path));
    if (m_file->format() == ContactFile::Format::Csv && !m_file->firstRowLooksLikeHeader() &&
        !m_file->table().header.isEmpty()) {
        const Messages::Answer answer = m_context.messages->question(
            this, QStringLiteral("La prima riga contiene intestazioni?\n\nNessuna delle sue colonne ha un nome noto "
                                 "(prima colonna: «%1»). Rispondere No per importarla come una scheda.")
                      .arg(m_file->table().header.value(0).simplified().left(40)));
        if (answer == Messages::Answer::Cancel) {
            clearFile();
            return;
        }
        m_file->setFirstRowIsData(answer == Messages::Answer::No);
    }
    m_columns = m_file->guessedColumns();
    buildColumnChoices();
    refreshPreview();
}

void ContactImportWindow::clearFile()
{
    m_file.reset();
    m_fileName.clear();
    m_columns.clear();
    m_lblFile->setText(QStringLiteral("Nessun file scelto"));
    m_grdSchede->setRows(ExportGrid::emptyRows(m_grdSchede->columns().size()));
    m_lblConteggi->clear();
    m_lblScartate->clear();
    m_btnImporta->setEnabled(false);
    buildColumnChoices();
}

void ContactImportWindow::buildColumnChoices()
{
    m_cboColonne.clear();
    auto* choices = new QWidget;
    m_scrColonne->setWidget(choices); // the previous file's choices go with their widget
    const bool csv = m_file && m_file->format() == ContactFile::Format::Csv;
    m_panColonne->setVisible(csv);
    QWidget* previous = m_btnSfoglia;
    if (csv) {
        auto* form = new QFormLayout(choices);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        // A first row that is data names no column: it is the example.
        const bool headerless = m_file->firstRowIsData();
        const QStringList& header = m_file->table().header;
        const QStringList example = headerless                       ? header
                                    : m_file->table().rows.isEmpty() ? QStringList()
                                                                     : m_file->table().rows[0].cells;
        const qsizetype offered = std::min<qsizetype>(header.size(), kMaxColumnChoices);
        for (qsizetype i = 0; i < offered; ++i) {
            auto* combo = new QComboBox;
            combo->setObjectName(QStringLiteral("cboColonna%1").arg(i + 1, 2, 10, QLatin1Char('0')));
            for (CsvContacts::Field f : CsvContacts::fields())
                combo->addItem(CsvContacts::fieldName(f), int(f));
            combo->setCurrentIndex(int(CsvContacts::fields().indexOf(m_columns[i].field)));
            const QString name =
                headerless || header[i].trimmed().isEmpty() ? QStringLiteral("Colonna %1").arg(i + 1) : header[i];
            const QString sample = example.value(i).simplified().left(30);
            combo->setAccessibleName(QStringLiteral("Colonna %1, %2").arg(i + 1).arg(name));
            combo->setAccessibleDescription(sample.isEmpty()
                                                ? QStringLiteral("Il campo della scheda in cui va questa colonna.")
                                                : QStringLiteral("Il campo della scheda in cui va questa colonna; "
                                                                 "nella prima riga vale: %1")
                                                      .arg(sample));
            combo->setToolTip(combo->accessibleDescription());
            connect(combo, &QComboBox::currentIndexChanged, this, [this, i, combo] {
                m_columns[i].field = CsvContacts::Field(combo->currentData().toInt());
                refreshPreview();
            });
            auto* label = new QLabel(name.left(40));
            label->setBuddy(combo);
            form->addRow(label, combo);
            setTabOrder(previous, combo);
            previous = combo;
            m_cboColonne.append(combo);
        }
        if (header.size() > offered) {
            auto* beyond = new QLabel(QStringLiteral("Il file ha %1 colonne: si scelgono solo le prime %2; le altre "
                                                     "vanno dove indica la loro intestazione, se è un nome noto.")
                                          .arg(header.size())
                                          .arg(offered));
            beyond->setObjectName(QStringLiteral("lblColonneOltre"));
            beyond->setWordWrap(true);
            form->addRow(beyond);
        }
    }
    // Tab: the file, what each column holds, the grid, then the buttons.
    setTabOrder(previous, m_grdSchede);
    setTabOrder(m_grdSchede, m_btnImporta);
    Keyboard::setUpWindow(this); // the new choices answer the window's keys too
}

void ContactImportWindow::refreshPreview()
{
    AddressImport::Plan plan;
    try {
        plan = AddressImport::plan(m_context.programFolder, contacts());
    } catch (const ArchiveAccessError& e) {
        m_context.messages->error(this, e.message());
        m_btnImporta->setEnabled(false);
        return;
    }
    ExportGridRows rows;
    for (qsizetype i = 0; i < plan.cards.size() && i < kPreviewCards; ++i) {
        QStringList row{QString::number(plan.lines[i])};
        for (int f = AddressCard::Nome; f <= AddressCard::Note; ++f)
            row << plan.cards[i].value(f);
        rows << row;
    }
    m_grdSchede->setRows(rows.isEmpty() ? ExportGrid::emptyRows(m_grdSchede->columns().size()) : rows);
    m_lblConteggi->setText(QStringLiteral("Schede nuove: %1    Già presenti in archivio o nel file: %2    Scartate: %3")
                               .arg(plan.cards.size())
                               .arg(plan.duplicates)
                               .arg(plan.refused.size()));
    m_lblConteggi->setAccessibleName(m_lblConteggi->text());
    QStringList reasons;
    for (qsizetype i = 0; i < plan.refused.size() && i < 5; ++i)
        reasons << plan.refused[i].reason;
    if (plan.refused.size() > 5)
        reasons << QStringLiteral("e altre %1").arg(plan.refused.size() - 5);
    m_lblScartate->setText(reasons.isEmpty() ? QString() : QStringLiteral("Scartate: ") + reasons.join(u"; "));
    m_btnImporta->setEnabled(!plan.cards.isEmpty());
    m_hints->setText(
        plan.cards.isEmpty() ? QStringLiteral("Il file non contiene schede nuove da importare.")
        : plan.cards.size() == 1
            ? QStringLiteral("Premere Importa per aggiungere 1 scheda all'archivio.")
            : QStringLiteral("Premere Importa per aggiungere %1 schede all'archivio.").arg(plan.cards.size()));
}
