#include "addresses/contact_import_window.h"

#include "common/app_context.h"
#include "common/colours.h"
#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/text.h"
#include "common/window_gui.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Rubriche e fogli di calcolo (*.csv *.txt *.vcf *.vcard);;Tutti i file (*)");
const QString kReady = QStringLiteral("Scegliere il file da importare: un foglio di calcolo salvato come CSV o una "
                                      "rubrica vCard.");

// Thrown through a count in the background that is no longer wanted.
struct CountStopped
{
};

struct TableColumn
{
    const char* header;
    int width;
};

// A read-only page of cards: a row per card, its cells as tall as their lines, the arrows moving from card to card and
// Tab going on to the window's buttons.
QTableWidget* cardTable(const char* objectName, std::initializer_list<TableColumn> columns, const QString& name,
                        const QString& description)
{
    auto* table = new QTableWidget(0, int(columns.size()));
    table->setObjectName(QLatin1String(objectName));
    QStringList headers;
    for (const TableColumn& c : columns) {
        table->setColumnWidth(int(headers.size()), c.width);
        headers << QString::fromUtf8(c.header);
    }
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(true);
    table->setAlternatingRowColors(true);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setAccessibleName(name);
    table->setAccessibleDescription(description);
    return table;
}

void fillTable(QTableWidget* table, const QList<QStringList>& rows)
{
    table->clearContents();
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
            table->setItem(r, c, item);
        }
    }
    table->resizeRowsToContents();
}

// The six lines of a card, down to the last one that holds text.
QString addressLines(const AddressCard& card)
{
    QStringList lines;
    for (int f = AddressCard::Rigo01; f <= AddressCard::Rigo06; ++f)
        lines << card.value(f);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

// A list of line numbers for a message, the first few of a long one.
QString lineList(const QList<int>& lines, qsizetype count)
{
    constexpr qsizetype kNamed = 10;
    QStringList named;
    for (qsizetype i = 0; i < lines.size() && i < kNamed; ++i)
        named << QString::number(lines[i]);
    QString out = named.join(u", ");
    if (count > named.size())
        out += QStringLiteral(" e altre %1").arg(Text::count(count - named.size()));
    return out;
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
         std::initializer_list<QWidget*>{this, shpFile, m_panColonne, m_grdSchede->viewport(),
                                         m_grdGiaPresenti->viewport(), m_grdScartate->viewport(), m_hints->label()})
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

// The counts, then a page each for the new cards as they will be stored, the cards already there and the refused
// ones.
QLayout* ContactImportWindow::buildPreview()
{
    auto* preview = new QVBoxLayout;
    m_lblConteggi = boldLabel(QString());
    m_lblConteggi->setObjectName(QStringLiteral("lblConteggi"));
    preview->addWidget(m_lblConteggi);
    m_grdSchede = cardTable(
        "grdSchede",
        {{"Riga", 50}, {"Nome", 170}, {"Indirizzo", 260}, {"Tipo", 90}, {"Note", 120}, {"Caratteri sostituiti", 120}},
        QStringLiteral("Schede nuove"),
        QStringLiteral("Le prime schede nuove del file, intere ed esattamente come saranno registrate in archivio; "
                       "l'ultima colonna dice quali caratteri l'archivio registra come un altro."));
    m_grdGiaPresenti = cardTable(
        "grdGiaPresenti", {{"Riga", 50}, {"Scheda del file", 260}, {"Uguale a", 160}, {"Scheda uguale", 200}},
        QStringLiteral("Schede già presenti"),
        QStringLiteral("Le schede del file che non saranno importate perché uguali a una scheda dell'archivio o a una "
                       "precedente del file, ciascuna accanto alla scheda a cui è uguale."));
    m_grdScartate = cardTable("grdScartate", {{"Riga", 50}, {"Motivo", 600}}, QStringLiteral("Schede scartate"),
                              QStringLiteral("Le schede del file che non saranno importate, con il motivo."));
    m_tabEsito = new QTabWidget;
    m_tabEsito->setObjectName(QStringLiteral("tabEsito"));
    m_tabEsito->setAccessibleName(QStringLiteral("Esito dell'importazione"));
    m_tabEsito->addTab(m_grdSchede, QString());
    m_tabEsito->addTab(m_grdGiaPresenti, QString());
    m_tabEsito->addTab(m_grdScartate, QString());
    preview->addWidget(m_tabEsito, 1);
    m_lblAvvisi = new QLabel;
    m_lblAvvisi->setObjectName(QStringLiteral("lblAvvisi"));
    m_lblAvvisi->setWordWrap(true);
    preview->addWidget(m_lblAvvisi);
    showPreview({});
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

ContactImportWindow::~ContactImportWindow()
{
    stopCounting();
}

void ContactImportWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Windows::centre(this, Windows::Over::Owner);
    QDialog::showEvent(event);
}

AddressImport::ContactSource ContactImportWindow::contacts() const
{
    if (!m_file)
        return {0, [](const std::function<void(const Contact&)>&) {}};
    return {m_file->contactCount(),
            [this](const std::function<void(const Contact&)>& visit) { m_file->forEachContact(m_columns, visit); }};
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
        m_file = std::make_shared<ContactFile>(ContactFile::read(path));
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
    stopCounting();
    m_file.reset();
    m_fileName.clear();
    m_columns.clear();
    m_lblFile->setText(QStringLiteral("Nessun file scelto"));
    showPreview({});
    m_lblConteggi->clear();
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
    // Tab: the file, what each column holds, the pages, then the buttons.
    setTabOrder(previous, m_tabEsito);
    setTabOrder(m_tabEsito, m_btnImporta);
    Keyboard::setUpWindow(this); // the new choices answer the window's keys too
}

void ContactImportWindow::refreshPreview()
{
    stopCounting();
    if (m_file && m_file->contactCount() > kCountedAtOnce) {
        // Counted on a thread of its own, over a copy of the column choices; the file is shared and never changed.
        struct Outcome
        {
            AddressImport::Preview preview;
            QString error;
            bool stopped = false;
        };
        const auto outcome = std::make_shared<Outcome>();
        const auto stop = std::make_shared<std::atomic_bool>(false);
        const std::shared_ptr<const ContactFile> file = m_file;
        const AddressImport::ContactSource source{
            file->contactCount(), [file, columns = m_columns, stop](const std::function<void(const Contact&)>& visit) {
                file->forEachContact(columns, [&](const Contact& contact) {
                    if (stop->load(std::memory_order_relaxed))
                        throw CountStopped{};
                    visit(contact);
                });
            }};
        m_counter.reset(QThread::create([outcome, stop, source, folder = m_context.programFolder] {
            try {
                outcome->preview = AddressImport::preview(folder, source, kPreviewCards);
            } catch (const CountStopped&) {
                outcome->stopped = true;
            } catch (const PlicarioError& e) {
                outcome->error = e.message();
            } catch (const std::bad_alloc&) {
                outcome->error = QStringLiteral("Memoria insufficiente per leggere tutto il file.");
            } catch (const std::exception&) {
                outcome->error = QStringLiteral("Impossibile leggere tutto il file.");
            }
        }));
        m_stopCount = stop;
        const int number = ++m_countNumber;
        connect(m_counter.get(), &QThread::finished, this, [this, outcome, number] {
            if (number != m_countNumber || outcome->stopped)
                return;
            if (!outcome->error.isEmpty()) {
                m_lblConteggi->clear();
                m_context.messages->error(this, outcome->error);
                return;
            }
            showCounted(outcome->preview);
        });
        showPreview({}, false); // what the previous choice of columns gave is gone
        m_lblConteggi->setText(
            QStringLiteral("Lettura delle %1 schede del file in corso...").arg(Text::count(file->contactCount())));
        m_lblConteggi->setAccessibleName(m_lblConteggi->text());
        m_btnImporta->setEnabled(false);
        m_hints->setText(QStringLiteral("Il file è grande: le schede si contano mentre la finestra resta in uso."));
        m_counter->start();
        return;
    }
    AddressImport::Preview preview;
    try {
        preview = AddressImport::preview(m_context.programFolder, contacts(), kPreviewCards);
    } catch (const ArchiveAccessError& e) {
        m_context.messages->error(this, e.message());
        m_btnImporta->setEnabled(false);
        return;
    }
    showCounted(preview);
}

void ContactImportWindow::stopCounting()
{
    ++m_countNumber; // what a count under way finds is no longer wanted
    if (!m_counter)
        return;
    m_stopCount->store(true);
    m_counter->wait(); // it stops at the next contact
    m_counter.reset();
    m_stopCount.reset();
}

void ContactImportWindow::showCounted(const AddressImport::Preview& preview)
{
    showPreview(preview);
    const AddressImport::Report& counts = preview.counts;
    m_lblConteggi->setText(
        QStringLiteral("Schede nuove: %1    Già presenti in archivio o nel file: %2    Scartate: %3")
            .arg(Text::count(counts.imported), Text::count(counts.duplicates), Text::count(counts.refusedCount)));
    m_lblConteggi->setAccessibleName(m_lblConteggi->text());
    m_btnImporta->setEnabled(counts.imported > 0);
    m_hints->setText(counts.imported == 0   ? QStringLiteral("Il file non contiene schede nuove da importare.")
                     : counts.imported == 1 ? QStringLiteral("Premere Importa per aggiungere 1 scheda all'archivio.")
                                            : QStringLiteral("Premere Importa per aggiungere %1 schede all'archivio.")
                                                  .arg(Text::count(counts.imported)));
}

void ContactImportWindow::showPreview(const AddressImport::Preview& preview, bool counted)
{
    QList<QStringList> rows;
    bool changed = false;
    for (const AddressImport::ShownCard& shown : preview.cards) {
        rows << QStringList{
            QString::number(shown.line),         shown.card.value(AddressCard::Nome), addressLines(shown.card),
            shown.card.value(AddressCard::Tipo), shown.card.value(AddressCard::Note), shown.changed};
        changed = changed || !shown.changed.isEmpty();
    }
    fillTable(m_grdSchede, rows);

    rows.clear();
    for (const AddressImport::ShownDuplicate& d : preview.duplicates) {
        const QString equalTo = d.archiveNumber > 0 ? QStringLiteral("scheda n. %1 dell'archivio").arg(d.archiveNumber)
                                : d.fileLine > 0    ? QStringLiteral("riga %1 del file").arg(d.fileLine)
                                                    : QStringLiteral("una scheda dell'archivio");
        const auto whole = [](const AddressCard& card) {
            return QStringList{card.value(AddressCard::Nome), addressLines(card)}.join(u'\n');
        };
        rows << QStringList{QString::number(d.line), whole(d.card), equalTo,
                            d.archiveNumber > 0 || d.fileLine > 0 ? whole(d.match) : QString()};
    }
    fillTable(m_grdGiaPresenti, rows);

    rows.clear();
    const QList<AddressImport::Refusal>& refused = preview.counts.refused;
    for (qsizetype i = 0; i < refused.size() && i < kPreviewCards; ++i) {
        // The reason begins with its line, which has a column of its own here.
        const QString prefix = QStringLiteral("riga %1: ").arg(refused[i].line);
        const QString& reason = refused[i].reason;
        rows << QStringList{QString::number(refused[i].line),
                            reason.startsWith(prefix) ? reason.mid(prefix.size()) : reason};
    }
    fillTable(m_grdScartate, rows);

    const AddressImport::Report& counts = preview.counts;
    const auto title = [&](const char* name, qsizetype count) {
        return m_file && counted ? QStringLiteral("%1 (%2)").arg(QString::fromUtf8(name), Text::count(count))
                                 : QString::fromUtf8(name);
    };
    m_tabEsito->setTabText(0, title("Schede nuove", counts.imported));
    m_tabEsito->setTabText(1, title("Già presenti", counts.duplicates));
    m_tabEsito->setTabText(2, title("Scartate", counts.refusedCount));
    const auto shownOf = [](qsizetype shown, qsizetype all) {
        return shown < all
                   ? QStringLiteral(" Sono elencate le prime %1 di %2.").arg(Text::count(shown), Text::count(all))
                   : QString();
    };
    m_tabEsito->setTabToolTip(0, QStringLiteral("Le schede che saranno aggiunte all'archivio.") +
                                     shownOf(preview.cards.size(), counts.imported));
    m_tabEsito->setTabToolTip(1, QStringLiteral("Le schede uguali a una già presente, che non saranno aggiunte.") +
                                     shownOf(preview.duplicates.size(), counts.duplicates));
    m_tabEsito->setTabToolTip(2, QStringLiteral("Le schede che non possono essere importate.") +
                                     shownOf(std::min<qsizetype>(refused.size(), kPreviewCards), counts.refusedCount));

    QStringList notices;
    if (changed)
        notices << QStringLiteral("Alcune schede nuove contengono lettere che l'archivio registra come la lettera di "
                                  "base (colonna «Caratteri sostituiti»).");
    if (m_file && !m_file->strayByteLines().isEmpty())
        notices << QStringLiteral("Alcuni byte del file non sono UTF-8 e sono stati letti come windows-1252: %1 %2.")
                       .arg(m_file->strayByteLineCount() == 1 ? QStringLiteral("riga") : QStringLiteral("righe"),
                            lineList(m_file->strayByteLines(), m_file->strayByteLineCount()));
    m_lblAvvisi->setText(notices.join(u' '));
}
