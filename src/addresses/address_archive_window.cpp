#include "addresses/address_archive_window.h"

#include "addresses/address_export_window.h"
#include "addresses/address_finder_window.h"
#include "addresses/address_import.h"
#include "addresses/attachments_window.h"
#include "addresses/contact_import_window.h"
#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/command_bar_gui.h"
#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/pictures_gui.h"
#include "common/text.h"
#include "help/help_gui.h"
#include "printing/address_sheet_preview_window.h"
#include "printing/envelope_print_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");
const QString kNameRequired =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome dell'etichetta.");
const QString kDuplicateNeedsStoredCard = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio.");
const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
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

const char* const kHolderNames[6] = {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"};

QLabel* caption(const QString& text)
{
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

AddressArchiveWindow::AddressArchiveWindow(const AppContext& context, QWidget* parent)
    : ApplicationWindow(QStringLiteral("frmArchivio_Indirizzi"), QStringLiteral(" Plicario 3.0 - Archivio Indirizzi"),
                        parent),
      m_context(context)
{
    buildUi();
}

void AddressArchiveWindow::buildUi()
{
    m_hints = new HintLine(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Colours::kWindowBackground);
    setPalette(pal);
    makeFields();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(makeToolbar());
    auto* centre = new QHBoxLayout;
    centre->addStretch();
    centre->addWidget(makeCard(), 1);
    centre->addStretch();
    outer->addStretch();
    outer->addLayout(centre);
    outer->addStretch();
    outer->addWidget(m_hints->label());
    m_hints->addBackground(this);
    m_hints->addBackground(m_hints->label());

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
    for (int i = 0; i < 6; ++i) {
        auto* holder = new QLabel(this);
        holder->setObjectName(QLatin1String(kHolderNames[i]));
        holder->hide();
        m_holders[i] = holder;
    }
}

QWidget* AddressArchiveWindow::makeToolbar()
{
    auto* panComandi = new QFrame;
    panComandi->setObjectName(QStringLiteral("panComandi"));
    panComandi->setAutoFillBackground(true);
    QPalette barPalette = panComandi->palette();
    barPalette.setColor(QPalette::Window, Colours::kToolbarStrip);
    panComandi->setPalette(barPalette);
    panComandi->setFrameShape(QFrame::StyledPanel);
    auto* bar = new QHBoxLayout(panComandi);
    bar->setContentsMargins(12, 6, 12, 6);
    CommandBar::add(
        bar,
        {
            {"cmdNuovo", "addresses/new", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.",
             Keyboard::kNew, [this] { newCard(); }},
            {"cmdDuplica", "addresses/duplicate", "Duplica",
             "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
             Keyboard::kDuplicate, [this] { duplicateCard(); }},
            {"cmdSalva", "addresses/save", "Salva", "Salva la scheda corrente.", Keyboard::kSave,
             [this] { saveCard(); }},
            {"cmdTrova", "addresses/find", "Trova", "Trova schede in archivio.", Keyboard::kFind,
             [this] { findCards(); }},
            {"sepComandi1"},
            {"cmdFile", "addresses/attach", "Allega file", "Allega file alla scheda corrente.", nullptr,
             [this] { attachDocuments(); }, "Allega file"},
            {"cmdStampa", "addresses/print", "Stampa su busta", "Stampa indirizzo su busta da lettera.",
             Keyboard::kPrint, [this] { printEnvelope(); }, "Stampa"},
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
            {"cmdEsci", "addresses/exit", "Esci", "Esci da questa schermata.", Keyboard::kExit,
             [this] { exitWindow(); }},
        },
        m_hints);
    m_hints->addBackground(panComandi);
    return panComandi;
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
    card->addWidget(caption(QStringLiteral("Nome etichetta:")), 0, 0);
    card->addWidget(m_fields[AddressCard::Nome], 0, 1);
    card->addWidget(caption(QStringLiteral("Tipo:")), 1, 0);
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

    card->addWidget(caption(QStringLiteral("Note:")), 3, 0);
    card->addWidget(m_fields[AddressCard::Note], 3, 1);
    card->addLayout(makeArrows(), 4, 0, 1, 2);
    card->setColumnStretch(1, 1);
    m_hints->addBackground(panScheda);
    m_hints->addBackground(imgBusta);
    return panScheda;
}

QLayout* AddressArchiveWindow::makeArrows()
{
    m_lblPosizione = new QLabel;
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setMinimumWidth(90);
    QFont positionFont = m_lblPosizione->font();
    positionFont.setBold(true);
    positionFont.setPointSize(14);
    m_lblPosizione->setFont(positionFont);
    m_lblPosizione->setAccessibleName(QStringLiteral("Scheda nuova"));
    m_lblPosizione->setAccessibleDescription(
        QStringLiteral("Numero della scheda corrente in archivio; vuoto per una scheda nuova."));

    auto* nav = new QHBoxLayout;
    nav->addStretch();
    CommandBar::add(
        nav,
        {
            {"cmdPrimo", "addresses/first", "Prima scheda", "Visualizza la prima scheda in archivio.", Keyboard::kFirst,
             [this] { moveTo(RecordMoves::Move::First); }},
            {"cmdIndietro", "addresses/previous", "Scheda precedente", "Visualizza la scheda precedente in archivio.",
             Keyboard::kPrevious, [this] { moveTo(RecordMoves::Move::Previous); }},
        },
        m_hints);
    nav->addWidget(m_lblPosizione);
    CommandBar::add(
        nav,
        {
            {"cmdAvanti", "addresses/next", "Scheda successiva", "Visualizza la scheda successiva in archivio.",
             Keyboard::kNext, [this] { moveTo(RecordMoves::Move::Next); }},
            {"cmdUltimo", "addresses/last", "Ultima scheda", "Visualizza l'ultima scheda in archivio.", Keyboard::kLast,
             [this] { moveTo(RecordMoves::Move::Last); }},
        },
        m_hints);
    nav->addStretch();
    return nav;
}

void AddressArchiveWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        clearCard();
        setHint(kReady);
        m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
    }
    ApplicationWindow::showEvent(event);
}

QStringList AddressArchiveWindow::addressLines() const
{
    QStringList lines;
    for (int i = AddressCard::Rigo01; i <= AddressCard::Rigo06; ++i)
        lines.append(m_fields[i]->text());
    return lines;
}

void AddressArchiveWindow::showCard(int number, const AddressCard& card)
{
    for (int i = 0; i < 9; ++i)
        m_fields[i]->setText(card.value(i));
    for (int i = 0; i < 6; ++i)
        m_holders[i]->setText(card.value(AddressCard::File01 + i));
    setPosition(number);
}

AddressCard AddressArchiveWindow::cardOnScreen() const
{
    AddressCard card;
    for (int i = 0; i < 9; ++i)
        card.setValue(i, m_fields[i]->text());
    for (int i = 0; i < 6; ++i)
        card.setValue(AddressCard::File01 + i, m_holders[i]->text());
    return card;
}

void AddressArchiveWindow::clearCard()
{
    for (QLineEdit* field : m_fields)
        field->clear();
    for (QLabel* holder : m_holders)
        holder->clear();
    setPosition(0);
}

int AddressArchiveWindow::position() const
{
    return Text::trimmed(m_lblPosizione->text()).toInt();
}

void AddressArchiveWindow::setPosition(int number)
{
    m_lblPosizione->setText(number > 0 ? QString::number(number) : QString());
    // The number is spoken: a screen reader does not read a label's text.
    m_lblPosizione->setAccessibleName(number > 0 ? QStringLiteral("Scheda %1").arg(number)
                                                 : QStringLiteral("Scheda nuova"));
}

void AddressArchiveWindow::setHint(const QString& text)
{
    m_hints->setText(text);
}

void AddressArchiveWindow::runArchiveAction(const std::function<void()>& action)
{
    runGuarded(this, m_context.messages, [&] {
        try {
            action();
        } catch (const ArchiveAccessError&) {
            m_context.messages->error(this, Errors::kArchiveAccess);
        }
    });
}

void AddressArchiveWindow::loadCard(const AddressCardFile& file, int number)
{
    // Read before touching the screen, so a failed read leaves the window as it was.
    const AddressCard card = file.read(number);
    showCard(number, card);
}

void AddressArchiveWindow::newCard()
{
    clearCard();
    m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
}

void AddressArchiveWindow::saveCard()
{
    if (Text::trimmed(m_fields[AddressCard::Nome]->text()).isEmpty()) {
        m_context.messages->warning(this, kNameRequired);
        m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
        return;
    }
    runArchiveAction([this] {
        const AddressCard card = cardOnScreen();
        int number = position();
        const bool stored = number > 0;
        {
            AddressCardFile file(m_context.programFolder);
            if (stored)
                file.write(number, card);
            else
                number = file.append(card);
        }
        setPosition(number);
        m_context.messages->information(this, stored ? kUpdated : kAppended);
    });
}

void AddressArchiveWindow::duplicateCard()
{
    if (position() == 0) {
        m_context.messages->warning(this, kDuplicateNeedsStoredCard);
        return;
    }
    for (QLabel* holder : m_holders)
        holder->clear();
    setPosition(0);
    runArchiveAction([this] {
        {
            AddressCardFile check(m_context.programFolder);
        }
        m_fields[AddressCard::Nome]->setFocus(Qt::OtherFocusReason);
        m_context.messages->information(this, kDuplicateReady);
    });
}

void AddressArchiveWindow::moveTo(RecordMoves::Move move)
{
    runArchiveAction([this, move] {
        using Kind = RecordMoves::Step::Kind;
        RecordMoves::Step step;
        {
            AddressCardFile file(m_context.programFolder);
            step = RecordMoves::step(move, position(), file.count());
            if (step.kind == Kind::Show)
                loadCard(file, step.number);
        }
        if (step.forgetPosition)
            setPosition(0);
        if (step.kind == Kind::Empty)
            m_context.messages->information(this, kEmptyArchive);
    });
}

void AddressArchiveWindow::attachDocuments()
{
    AttachmentSlots current;
    for (int i = 0; i < 3; ++i) {
        current.files[i] = Text::trimmed(m_holders[i]->text());
        current.descriptions[i] = Text::trimmed(m_holders[3 + i]->text());
    }
    AttachmentsWindow dialog(m_context, AttachmentsWindow::Mode::AddressArchive, current, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const AttachmentSlots chosen = dialog.attachments();
    for (int i = 0; i < 3; ++i) {
        m_holders[i]->setText(chosen.files[i]);
        m_holders[3 + i]->setText(chosen.descriptions[i]);
    }
}

void AddressArchiveWindow::printEnvelope()
{
    EnvelopePrintWindow window(m_context, addressLines(), this);
    window.exec();
}

void AddressArchiveWindow::previewLabelSheet()
{
    AddressSheetPreviewWindow window(m_context, addressLines(), this);
    window.exec();
}

void AddressArchiveWindow::exportArchive()
{
    AddressExportWindow window(m_context, this);
    window.exec();
}

void AddressArchiveWindow::importContacts()
{
    ContactImportWindow window(m_context, this);
    if (window.exec() != QDialog::Accepted)
        return;
    const QList<Contact> contacts = window.contacts();
    runArchiveAction([&] {
        const AddressImport::Result result = AddressImport::run(m_context.programFolder, contacts);
        if (!result.numbers.isEmpty())
            showCard(result.numbers.first(), result.plan.cards.first());
        m_context.messages->information(this, AddressImport::summary(result.plan));
    });
}

void AddressArchiveWindow::findCards()
{
    AddressFinderWindow finder(
        m_context, [this](int number, const AddressCard& card) { showCard(number, card); }, this);
    finder.exec();
}

void AddressArchiveWindow::showHelp()
{
    ShowHelp(this, m_context, HelpTopics::addressArchive());
}

void AddressArchiveWindow::exitWindow()
{
    close();
}
