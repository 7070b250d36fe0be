#include "addresses/address_archive_window.h"

#include "addresses/address_finder_dialog.h"
#include "addresses/address_pictures_gui.h"
#include "addresses/attachments_dialog.h"
#include "app/app_context.h"
#include "common/action_guard.h"
#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/messages.h"
#include "common/text.h"
#include "help/help_gui.h"
#include "printing/address_export_window.h"
#include "printing/address_sheet_preview_window.h"
#include "printing/envelope_print_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
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
const char* const kAliceBlue = "#F0F8FF";
const char* const kWhite = "#FFFFFF";

struct FieldInfo
{
    const char* objectName;
    const char* accessibleName;
    const char* background;
};

// In card order: Nome, Tipo, Rigo01 to Rigo06, Note.
const FieldInfo kFields[9] = {
    {"txtNome", "Nome etichetta", kAliceBlue}, {"txtTipo", "Tipo", kAliceBlue},
    {"txtRigo01", "Indirizzo rigo 1", kWhite}, {"txtRigo02", "Indirizzo rigo 2", kWhite},
    {"txtRigo03", "Indirizzo rigo 3", kWhite}, {"txtRigo04", "Indirizzo rigo 4", kWhite},
    {"txtRigo05", "Indirizzo rigo 5", kWhite}, {"txtRigo06", "Indirizzo rigo 6", kWhite},
    {"txtNote", "Note", kAliceBlue},
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
    pal.setColor(QPalette::Window, QColor(0xE6, 0xEE, 0xF6));
    setPalette(pal);

    const QFont fieldFont(QStringLiteral("Verdana"), 12, QFont::Bold);
    for (int i = 0; i < 9; ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QLatin1String(kFields[i].objectName));
        edit->setAccessibleName(QLatin1String(kFields[i].accessibleName));
        edit->setMaxLength(kFieldLimit);
        edit->setFont(fieldFont);
        edit->setStyleSheet(QStringLiteral("QLineEdit { background: %1; border: 1px solid #87CEEB; padding: 2px; }"
                                           "QLineEdit:focus { background: #FFFF00; }")
                                .arg(QLatin1String(kFields[i].background)));
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

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The toolbar strip.
    auto* panComandi = new QFrame;
    panComandi->setObjectName(QStringLiteral("panComandi"));
    panComandi->setAutoFillBackground(true);
    QPalette barPalette = panComandi->palette();
    barPalette.setColor(QPalette::Window, QColor(0xF7, 0xF9, 0xFC));
    panComandi->setPalette(barPalette);
    panComandi->setFrameShape(QFrame::StyledPanel);
    auto* bar = new QHBoxLayout(panComandi);
    bar->setContentsMargins(12, 6, 12, 6);
    bar->addWidget(addCommand(QStringLiteral("cmdNuovo"), QStringLiteral("new"), QString(), QStringLiteral("Nuovo"),
                              QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda."),
                              &AddressArchiveWindow::newCard));
    bar->addWidget(addCommand(QStringLiteral("cmdDuplica"), QStringLiteral("duplicate"), QString(),
                              QStringLiteral("Duplica"),
                              QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda "
                                             "duplicando i dati correnti."),
                              &AddressArchiveWindow::duplicateCard));
    bar->addWidget(addCommand(QStringLiteral("cmdSalva"), QStringLiteral("save"), QString(), QStringLiteral("Salva"),
                              QStringLiteral("Salva la scheda corrente."), &AddressArchiveWindow::saveCard));
    bar->addWidget(addCommand(QStringLiteral("cmdTrova"), QStringLiteral("find"), QString(), QStringLiteral("Trova"),
                              QStringLiteral("Trova schede in archivio."), &AddressArchiveWindow::findCards));
    auto* separator1 = new QFrame;
    separator1->setObjectName(QStringLiteral("sepComandi1"));
    separator1->setFrameShape(QFrame::VLine);
    bar->addWidget(separator1);
    bar->addWidget(addCommand(QStringLiteral("cmdFile"), QStringLiteral("attach"), QStringLiteral("Allega file"),
                              QStringLiteral("Allega file"), QStringLiteral("Allega file alla scheda corrente."),
                              &AddressArchiveWindow::attachDocuments));
    bar->addWidget(addCommand(QStringLiteral("cmdStampa"), QStringLiteral("print"), QStringLiteral("Stampa"),
                              QStringLiteral("Stampa su busta"),
                              QStringLiteral("Stampa indirizzo su busta da lettera."),
                              &AddressArchiveWindow::printEnvelope));
    bar->addWidget(addCommand(QStringLiteral("cmdAnteprima"), QStringLiteral("preview"), QString(),
                              QStringLiteral("Anteprima etichette"),
                              QStringLiteral("Visualizza l'anteprima di stampa dell'etichetta corrente."),
                              &AddressArchiveWindow::previewLabelSheet));
    bar->addWidget(addCommand(
        QStringLiteral("cmdEsporta"), QStringLiteral("export"), QString(), QStringLiteral("Esporta archivio"),
        QStringLiteral("Esporta l'archivio in un file di Excel."), &AddressArchiveWindow::exportArchive));
    bar->addStretch();
    bar->addWidget(addCommand(QStringLiteral("cmdGuida"), QStringLiteral("help"), QString(), QStringLiteral("Guida"),
                              QStringLiteral("Visualizza la guida in linea."), &AddressArchiveWindow::showHelp));
    bar->addWidget(addCommand(QStringLiteral("cmdEsci"), QStringLiteral("exit"), QString(), QStringLiteral("Esci"),
                              QStringLiteral("Esci da questa schermata."), &AddressArchiveWindow::exitWindow));
    outer->addWidget(panComandi);

    // The card: name and type above the envelope, the note below it, the arrows at the foot.
    auto* panScheda = new QFrame;
    panScheda->setObjectName(QStringLiteral("panScheda"));
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
    imgBusta->setFixedSize(880, 460);
    imgBusta->setAccessibleName(QStringLiteral("Busta da lettera"));
    imgBusta->setStyleSheet(QStringLiteral("QFrame#imgBusta { border-image: url(%1) 0 0 0 0 stretch stretch; }")
                                .arg(addressPicturePath(QStringLiteral("envelope"))));
    auto* lines = new QVBoxLayout(imgBusta);
    lines->setContentsMargins(380, 196, 40, 36);
    lines->setSpacing(4);
    for (int i = AddressCard::Rigo01; i <= AddressCard::Rigo06; ++i)
        lines->addWidget(m_fields[i]);
    card->addWidget(imgBusta, 2, 0, 1, 2, Qt::AlignHCenter);

    card->addWidget(caption(QStringLiteral("Note:")), 3, 0);
    card->addWidget(m_fields[AddressCard::Note], 3, 1);

    auto* nav = new QHBoxLayout;
    nav->addStretch();
    nav->addWidget(addCommand(QStringLiteral("cmdPrimo"), QStringLiteral("first"), QString(),
                              QStringLiteral("Prima scheda"), QStringLiteral("Visualizza la prima scheda in archivio."),
                              &AddressArchiveWindow::firstCard));
    nav->addWidget(addCommand(
        QStringLiteral("cmdIndietro"), QStringLiteral("previous"), QString(), QStringLiteral("Scheda precedente"),
        QStringLiteral("Visualizza la scheda precedente in archivio."), &AddressArchiveWindow::previousCard));
    m_lblPosizione = new QLabel;
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setMinimumWidth(90);
    QFont positionFont = m_lblPosizione->font();
    positionFont.setBold(true);
    positionFont.setPointSize(14);
    m_lblPosizione->setFont(positionFont);
    m_lblPosizione->setAccessibleDescription(
        QStringLiteral("Numero della scheda corrente in archivio; vuoto per una scheda nuova."));
    nav->addWidget(m_lblPosizione);
    nav->addWidget(
        addCommand(QStringLiteral("cmdAvanti"), QStringLiteral("next"), QString(), QStringLiteral("Scheda successiva"),
                   QStringLiteral("Visualizza la scheda successiva in archivio."), &AddressArchiveWindow::nextCard));
    nav->addWidget(
        addCommand(QStringLiteral("cmdUltimo"), QStringLiteral("last"), QString(), QStringLiteral("Ultima scheda"),
                   QStringLiteral("Visualizza l'ultima scheda in archivio."), &AddressArchiveWindow::lastCard));
    nav->addStretch();
    card->addLayout(nav, 4, 0, 1, 2);
    card->setColumnStretch(1, 1);

    auto* centre = new QHBoxLayout;
    centre->addStretch();
    panScheda->setMaximumWidth(1000);
    centre->addWidget(panScheda, 1);
    centre->addStretch();
    outer->addStretch();
    outer->addLayout(centre);
    outer->addStretch();

    outer->addWidget(m_hints->label());

    // Over the background the hint line empties; the buttons set it themselves.
    for (QWidget* w :
         std::initializer_list<QWidget*>{this, panComandi, panScheda, imgBusta, separator1, m_hints->label()})
        m_hints->addBackground(w);

    setTabOrder(m_fields[0], m_fields[1]);
    for (int i = 1; i < 8; ++i)
        setTabOrder(m_fields[i], m_fields[i + 1]);
}

QAbstractButton* AddressArchiveWindow::addCommand(const QString& objectName, const QString& icon, const QString& text,
                                                  const QString& accessibleName, const QString& hint,
                                                  void (AddressArchiveWindow::*action)())
{
    QToolButton* button = makePictureButton(objectName, icon, accessibleName, hint);
    if (!text.isEmpty()) {
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        QFont f = button->font();
        f.setBold(true);
        button->setFont(f);
    }
    m_hints->addButton(button);
    connect(button, &QToolButton::clicked, this, [this, action] { (this->*action)(); });
    return button;
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

void AddressArchiveWindow::firstCard()
{
    runArchiveAction([this] {
        bool empty = false;
        {
            AddressCardFile file(m_context.programFolder);
            empty = file.count() == 0;
            if (!empty)
                loadCard(file, 1);
        }
        if (empty)
            m_context.messages->information(this, kEmptyArchive);
    });
}

void AddressArchiveWindow::lastCard()
{
    runArchiveAction([this] {
        bool empty = false;
        {
            AddressCardFile file(m_context.programFolder);
            const int count = file.count();
            empty = count == 0;
            if (!empty)
                loadCard(file, count);
        }
        if (empty)
            m_context.messages->information(this, kEmptyArchive);
    });
}

void AddressArchiveWindow::previousCard()
{
    runArchiveAction([this] {
        bool empty = false;
        {
            AddressCardFile file(m_context.programFolder);
            const int p = position();
            if (p == 1)
                return;
            empty = file.count() == 0;
            if (!empty)
                loadCard(file, p == 0 ? 1 : p - 1);
        }
        if (empty)
            m_context.messages->information(this, kEmptyArchive);
    });
}

void AddressArchiveWindow::nextCard()
{
    runArchiveAction([this] {
        bool empty = false;
        {
            AddressCardFile file(m_context.programFolder);
            const int p = position();
            const int count = file.count();
            empty = count == 0;
            if (empty)
                setPosition(0);
            else if (p < count)
                loadCard(file, p + 1);
        }
        if (empty)
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
    AttachmentsDialog dialog(m_context, AttachmentsDialog::Mode::AddressArchive, current, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const AttachmentSlots chosen = dialog.result();
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

void AddressArchiveWindow::findCards()
{
    AddressFinderDialog finder(
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
