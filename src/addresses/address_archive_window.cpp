#include "addresses/address_archive_window.h"

#include "addresses/address_export_window.h"
#include "addresses/address_finder_window.h"
#include "addresses/address_import.h"
#include "addresses/attachments_window.h"
#include "addresses/contact_import_window.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/command_bar_gui.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/pictures_gui.h"
#include "common/progress_box_gui.h"
#include "common/text.h"
#include "help/help_gui.h"
#include "printing/address_sheet_preview_window.h"
#include "printing/envelope_print_window.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString kNameRequired =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome dell'etichetta.");
const QString kDuplicateNeedsStoredCard = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio.");
const QString kDuplicateReady =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                   "Al termine premere Salva per inserire la scheda in archivio.");

constexpr int kFieldLimit = 250;
struct FieldInfo
{
    const char* objectName;
    const char* accessibleName;
    QColor background;
};

// In card order: Nome, Tipo, Rigo01 to Rigo06, Note.
const FieldInfo kFields[9] = {
    {"txtNome", "Nome etichetta", Colours::kAliceBlue},
    {"txtTipo", "Tipo", Colours::kAliceBlue},
    {"txtRigo01", "Indirizzo rigo 1", Colours::kFieldWhite},
    {"txtRigo02", "Indirizzo rigo 2", Colours::kFieldWhite},
    {"txtRigo03", "Indirizzo rigo 3", Colours::kFieldWhite},
    {"txtRigo04", "Indirizzo rigo 4", Colours::kFieldWhite},
    {"txtRigo05", "Indirizzo rigo 5", Colours::kFieldWhite},
    {"txtRigo06", "Indirizzo rigo 6", Colours::kFieldWhite},
    {"txtNote", "Note", Colours::kAliceBlue},
};

} // namespace

AddressArchiveWindow::AddressArchiveWindow(const AppContext& context, QWidget* parent)
    : TypedRecordWindow(context, QStringLiteral("frmArchivio_Indirizzi"),
                        QStringLiteral(" Plicario 3.0 - Archivio Indirizzi"), parent)
{
    buildUi();
}

void AddressArchiveWindow::buildUi()
{
    makeFields();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildToolbar());
    auto* centre = new QHBoxLayout;
    centre->addStretch();
    centre->addWidget(makeCard(), 1);
    centre->addStretch();
    outer->addStretch();
    outer->addLayout(centre);
    outer->addStretch();
    outer->addWidget(hints()->label());
    hints()->addBackground(this);
    hints()->addBackground(hints()->label());

    setTabOrder(m_fields[0], m_fields[1]);
    for (int i = 1; i < 8; ++i)
        setTabOrder(m_fields[i], m_fields[i + 1]);
    Keyboard::setUpWindow(this);
}

void AddressArchiveWindow::makeFields()
{
    const QFont fieldFont(QStringLiteral("Verdana"), 12, QFont::Bold);
    for (int i = 0; i < 9; ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QLatin1String(kFields[i].objectName));
        edit->setAccessibleName(QLatin1String(kFields[i].accessibleName));
        edit->setMaxLength(kFieldLimit);
        edit->setFont(fieldFont);
        edit->setStyleSheet(
            QStringLiteral("QLineEdit { background: %1; border: 1px solid %2; padding: 2px; }"
                           "QLineEdit:focus { background: %3; }")
                .arg(kFields[i].background.name(), Colours::kSkyBlue.name(), Colours::kFocusYellow.name()));
        m_fields[i] = edit;
    }
    // Enter walks the same ring as Tab: name, type, the six lines, note, and back to the name.
    for (int i = 0; i < 9; ++i) {
        QLineEdit* next = m_fields[(i + 1) % 9];
        connect(m_fields[i], &QLineEdit::returnPressed, next, [next] { next->setFocus(Qt::OtherFocusReason); });
    }
}

QWidget* AddressArchiveWindow::buildToolbar()
{
    return makeToolbar({
        {"cmdNuovo", "addresses/new", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.",
         Keyboard::kNew, [this] { newCard(); }},
        {"cmdDuplica", "addresses/duplicate", "Duplica",
         "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
         Keyboard::kDuplicate, [this] { duplicateCard(); }},
        {"cmdSalva", "addresses/save", "Salva", "Salva la scheda corrente.", Keyboard::kSave, [this] { saveRecord(); }},
        {"cmdTrova", "addresses/find", "Trova", "Trova schede in archivio.", Keyboard::kFind, [this] { findCards(); }},
        {"sepComandi1"},
        {"cmdFile", "addresses/attach", "Allega file", "Allega file alla scheda corrente.", nullptr,
         [this] { attachDocuments(); }, "Allega file"},
        {"cmdStampa", "addresses/print", "Stampa su busta", "Stampa indirizzo su busta da lettera.", Keyboard::kPrint,
         [this] { printEnvelope(); }, "Stampa"},
        {"cmdAnteprima", "addresses/preview", "Anteprima etichette",
         "Visualizza l'anteprima di stampa dell'etichetta corrente.", nullptr, [this] { previewLabelSheet(); }},
        {"cmdEsporta", "addresses/export", "Esporta archivio", "Esporta l'archivio in un file di Excel.", nullptr,
         [this] { exportArchive(); }},
        {"cmdImporta", "addresses/import", "Importa",
         "Importa indirizzi da un foglio di calcolo (CSV) o da una rubrica (vCard).", Keyboard::kImport,
         [this] { importContacts(); }},
        {},
        {"cmdGuida", "addresses/help", "Guida", "Visualizza la guida in linea.", Keyboard::kHelp,
         [this] { showHelp(); }},
        {"cmdEsci", "addresses/exit", "Esci", "Esci da questa schermata.", Keyboard::kExit, [this] { exitWindow(); }},
    });
}

QWidget* AddressArchiveWindow::makeCard()
{
    // Name and type above the envelope, the note below it, the arrows at the foot.
    auto* panScheda = new QFrame;
    panScheda->setObjectName(QStringLiteral("panScheda"));
    panScheda->setMaximumWidth(1000);
    auto* card = new QGridLayout(panScheda);
    card->setContentsMargins(24, 16, 24, 8);
    card->setHorizontalSpacing(12);
    card->setVerticalSpacing(10);
    card->addWidget(caption(QStringLiteral("Nome etichetta:"), m_fields[AddressCard::Nome]), 0, 0);
    card->addWidget(m_fields[AddressCard::Nome], 0, 1);
    card->addWidget(caption(QStringLiteral("Tipo:"), m_fields[AddressCard::Tipo]), 1, 0);
    card->addWidget(m_fields[AddressCard::Tipo], 1, 1);

    auto* imgBusta = new QFrame;
    imgBusta->setObjectName(QStringLiteral("imgBusta"));
    // Sized so the whole window fits a 1366 x 768 screen under a desktop panel; the six lines sit on the picture's
    // address block.
    imgBusta->setFixedSize(800, 418);
    imgBusta->setAccessibleName(QStringLiteral("Busta da lettera"));
    imgBusta->setStyleSheet(QStringLiteral("QFrame#imgBusta { border-image: url(%1) 0 0 0 0 stretch stretch; }")
                                .arg(Pictures::path(QStringLiteral("addresses/envelope"))));
    auto* lines = new QVBoxLayout(imgBusta);
    lines->setContentsMargins(345, 178, 36, 33);
    lines->setSpacing(4);
    for (int i = AddressCard::Rigo01; i <= AddressCard::Rigo06; ++i)
        lines->addWidget(m_fields[i]);
    card->addWidget(imgBusta, 2, 0, 1, 2, Qt::AlignHCenter);

    card->addWidget(caption(QStringLiteral("Note:"), m_fields[AddressCard::Note]), 3, 0);
    card->addWidget(m_fields[AddressCard::Note], 3, 1);
    card->addLayout(makeArrows(), 4, 0, 1, 2);
    card->setColumnStretch(1, 1);
    hints()->addBackground(panScheda);
    hints()->addBackground(imgBusta);
    return panScheda;
}

QLayout* AddressArchiveWindow::makeArrows()
{
    // Under the card, the position between the two pairs of arrows.
    const QList<Command> arrows =
        moveCommands({"addresses/first", "addresses/previous", "addresses/next", "addresses/last"});
    auto* nav = new QHBoxLayout;
    nav->addStretch();
    CommandBar::add(nav, arrows.mid(0, 2), hints());
    nav->addWidget(positionLabel());
    CommandBar::add(nav, arrows.mid(2), hints());
    nav->addStretch();
    return nav;
}

void AddressArchiveWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        clearCard();
        hints()->setText(kReady);
        m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
    }
    TypedRecordWindow::showEvent(event);
}

QString AddressArchiveWindow::archivePath() const
{
    return QDir(context().programFolder).filePath(AddressCardFile::kFileName);
}

QStringList AddressArchiveWindow::addressLines() const
{
    QStringList lines;
    for (int i = AddressCard::Rigo01; i <= AddressCard::Rigo06; ++i)
        lines.append(m_fields[i]->text());
    return lines;
}

void AddressArchiveWindow::showRecord(const AddressCard& card)
{
    for (int i = 0; i < 9; ++i)
        m_fields[i]->setText(card.value(i));
    for (int i = 0; i < 3; ++i) {
        m_lblFiles.files[i] = card.value(AddressCard::File01 + i);
        m_lblFiles.descriptions[i] = card.value(AddressCard::Desc01 + i);
    }
}

AddressCard AddressArchiveWindow::recordOnScreen() const
{
    AddressCard card;
    for (int i = 0; i < 9; ++i)
        card.setValue(i, m_fields[i]->text());
    for (int i = 0; i < 3; ++i) {
        card.setValue(AddressCard::File01 + i, m_lblFiles.files[i]);
        card.setValue(AddressCard::Desc01 + i, m_lblFiles.descriptions[i]);
    }
    return card;
}

void AddressArchiveWindow::clearCard()
{
    for (QLineEdit* field : m_fields)
        field->clear();
    m_lblFiles = {};
    startNewRecord();
}

void AddressArchiveWindow::newCard()
{
    if (!mayLeaveRecord())
        return;
    clearCard();
    m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
}

bool AddressArchiveWindow::readyToSave()
{
    if (!Text::trimmed(m_fields[AddressCard::Nome]->text()).isEmpty())
        return true;
    context().messages->warning(this, kNameRequired);
    m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
    return false;
}

void AddressArchiveWindow::duplicateCard()
{
    if (position() == 0) {
        context().messages->warning(this, kDuplicateNeedsStoredCard);
        return;
    }
    m_lblFiles = {};
    forgetStoredRecord();
    runArchiveAction([this] {
        {
            AddressCardFile check(context().programFolder);
        }
        m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
        context().messages->information(this, kDuplicateReady);
    });
}

void AddressArchiveWindow::attachDocuments()
{
    AttachmentSlots current;
    for (int i = 0; i < 3; ++i) {
        current.files[i] = Text::trimmed(m_lblFiles.files[i]);
        current.descriptions[i] = Text::trimmed(m_lblFiles.descriptions[i]);
    }
    AttachmentsWindow dialog(context(), AttachmentsWindow::Mode::AddressArchive, current, this);
    if (dialog.exec() == QDialog::Accepted)
        m_lblFiles = dialog.attachments();
}

void AddressArchiveWindow::printEnvelope()
{
    EnvelopePrintWindow window(context(), addressLines(), this);
    window.exec();
}

void AddressArchiveWindow::previewLabelSheet()
{
    AddressSheetPreviewWindow window(context(), addressLines(), this);
    window.exec();
}

void AddressArchiveWindow::exportArchive()
{
    AddressExportWindow window(context(), this);
    window.exec();
}

void AddressArchiveWindow::importContacts()
{
    ContactImportWindow window(context(), this);
    if (window.exec() != QDialog::Accepted)
        return;
    // A file of hundreds of thousands of new cards takes seconds: the windows stay drawn, and Annulla undoes it all.
    const AddressImport::ContactSource contacts = window.contacts();
    ProgressBox progress(this, QStringLiteral("Importazione delle schede in corso..."), contacts.count);
    qsizetype read = 0;
    const AddressImport::ContactSource shown{contacts.count, [&](const auto& visit) {
                                                 contacts.forEach([&](const Contact& contact) {
                                                     visit(contact);
                                                     progress.step(++read);
                                                 });
                                             }};
    AddressImport::Report report;
    bool canceled = false;
    if (!runArchiveAction([&] {
            try {
                report = AddressImport::import(context().programFolder, shown);
            } catch (const ProgressBox::Canceled&) {
                canceled = true;
            } catch (...) {
                progress.close(); // the fault is told without the box
                throw;
            }
            progress.close();
        }))
        return;
    if (canceled) {
        context().messages->plain(this, QStringLiteral("Importazione annullata: nessuna scheda è stata aggiunta."));
        return;
    }
    // The first card imported goes on screen, once typed work there is saved or given up.
    if (!report.numbers.isEmpty())
        offerStored(report.numbers.first(), report.firstCard);
    // The import is done: a single OK, as Cancel would suggest it could be undone.
    context().messages->plain(this, AddressImport::summary(report));
}

void AddressArchiveWindow::findCards()
{
    AddressFinderWindow finder(
        context(), [this](int number, const AddressCard& card) { offerStored(number, card); }, this);
    finder.exec();
}

void AddressArchiveWindow::showHelp()
{
    ShowHelp(this, context(), HelpTopics::addressArchive());
}

void AddressArchiveWindow::exitWindow()
{
    close();
}
