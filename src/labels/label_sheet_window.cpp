#include "labels/label_sheet_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/command_bar_gui.h"
#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/picture_button_widget.h"
#include "common/pictures_gui.h"
#include "common/text.h"
#include "help/help_gui.h"
#include "labels/address_import_window.h"
#include "labels/compose_labels_window.h"
#include "labels/label_sheet_print_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");
const QString kFirstSlotRequired =
    QStringLiteral("Attenzione: per salvare la scheda è necessario importare la prima etichetta.");
const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kImportHint = QStringLiteral("Importa etichetta da archivio indirizzi.");
// What the instruction picture says, for a screen reader.
const QString kInstructions =
    QStringLiteral("Premere la freccia accanto a un'etichetta (o Ctrl+I nel suo campo) per importare un indirizzo "
                   "dall'archivio; Canc svuota l'etichetta. Al termine premere Salva per inserire la pagina in "
                   "archivio.");
constexpr int kNameLimit = 250;

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

LabelSheetWindow::LabelSheetWindow(const AppContext& context, QWidget* parent)
    : ApplicationWindow(QStringLiteral("frmArchivio_Etichette"), QStringLiteral(" Plicario 3.0 - Gestione Etichette"),
                        parent),
      m_context(context)
{
    buildUi();
    Keyboard::setUpWindow(this);
}

void LabelSheetWindow::buildUi()
{
    m_hints = new HintLine(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Colours::kWindowBackground);
    setPalette(pal);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildToolbar());

    auto* panScheda = new QFrame;
    panScheda->setObjectName(QStringLiteral("panScheda"));
    panScheda->setMaximumWidth(1240);
    m_hints->addBackground(panScheda);
    auto* sheet = new QVBoxLayout(panScheda);
    sheet->setContentsMargins(16, 8, 16, 8);
    sheet->setSpacing(8);

    auto* heading = new QHBoxLayout;
    auto* title = new QLabel;
    title->setObjectName(QStringLiteral("imgTitolo"));
    title->setAccessibleName(QStringLiteral("Gestione Etichette"));
    title->setPixmap(Pictures::pixmap(QStringLiteral("labels/title"), QSize(420, 64), devicePixelRatioF()));
    keepHint(title);
    auto* instructions = new QLabel;
    instructions->setObjectName(QStringLiteral("imgIstruzioni"));
    instructions->setAccessibleName(QStringLiteral("Istruzioni"));
    instructions->setAccessibleDescription(kInstructions);
    instructions->setPixmap(
        Pictures::pixmap(QStringLiteral("labels/instructions"), QSize(560, 64), devicePixelRatioF()));
    m_hints->addBackground(instructions);
    heading->addWidget(title);
    heading->addStretch();
    heading->addWidget(instructions);
    sheet->addLayout(heading);
    sheet->addWidget(buildSlots(), 1);

    auto* centre = new QHBoxLayout;
    centre->addStretch();
    centre->addWidget(panScheda, 1);
    centre->addStretch();
    outer->addLayout(centre, 1);
    outer->addWidget(m_hints->label());
    m_hints->addBackground(this);
}

QWidget* LabelSheetWindow::buildToolbar()
{
    using Move = RecordMoves::Move;
    // The commands in the order they stand; the position stands between Previous and Next.
    const QList<Command> commands = {
        {"cmdNuovo", "addresses/new", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.",
         Keyboard::kNew, [this] { clearSheet(); }},
        {"cmdSalva", "addresses/save", "Salva", "Salva la scheda corrente.", Keyboard::kSave, [this] { saveSheet(); }},
        {"cmdAnteprima", "addresses/preview", "Anteprima di stampa",
         "Visualizza l'anteprima di stampa della pagina delle etichette.", nullptr, [this] { previewSheet(); }},
        {"cmdStampa", "addresses/print", "Stampa", "Stampa la pagina delle etichette.", Keyboard::kPrint,
         [this] { printSheet(); }},
        {"cmdComponi", "labels/compose", "Componi dall'archivio",
         "Compone, stampa o archivia i fogli di etichette per tutte le schede dell'archivio degli indirizzi, o per "
         "quelle di un tipo.",
         Keyboard::kCompose, [this] { composeFromArchive(); }},
        {"sepComandi1"},
        {"cmdPrimo", "addresses/first", "Prima scheda", "Visualizza la prima scheda in archivio.", Keyboard::kFirst,
         [this] { move(Move::First); }},
        {"cmdIndietro", "addresses/previous", "Scheda precedente", "Visualizza la scheda precedente in archivio.",
         Keyboard::kPrevious, [this] { move(Move::Previous); }},
        {"cmdAvanti", "addresses/next", "Scheda successiva", "Visualizza la scheda successiva in archivio.",
         Keyboard::kNext, [this] { move(Move::Next); }},
        {"cmdUltimo", "addresses/last", "Ultima scheda", "Visualizza l'ultima scheda in archivio.", Keyboard::kLast,
         [this] { move(Move::Last); }},
        {},
        {"cmdGuida", "addresses/help", "Guida", "Visualizza la guida in linea.", Keyboard::kHelp,
         [this] { showHelp(); }},
        {"cmdEsci", "addresses/exit", "Esci", "Esci da questa schermata.", Keyboard::kExit, [this] { close(); }},
    };
    auto* panComandi = new QFrame;
    panComandi->setObjectName(QStringLiteral("panComandi"));
    panComandi->setAutoFillBackground(true);
    QPalette barPalette = panComandi->palette();
    barPalette.setColor(QPalette::Window, Colours::kToolbarStrip);
    panComandi->setPalette(barPalette);
    panComandi->setFrameShape(QFrame::StyledPanel);
    m_hints->addBackground(panComandi);
    auto* bar = new QHBoxLayout(panComandi);
    bar->setContentsMargins(12, 4, 12, 4);
    const QList<QToolButton*> buttons = CommandBar::add(bar, commands, m_hints);
    m_lblPosizione = makePosition();
    const auto previous = std::find_if(buttons.begin(), buttons.end(),
                                       [](QToolButton* b) { return b->objectName() == QLatin1String("cmdIndietro"); });
    bar->insertWidget(bar->indexOf(*previous) + 1, m_lblPosizione);
    return panComandi;
}

QLabel* LabelSheetWindow::makePosition()
{
    auto* position = new QLabel;
    position->setObjectName(QStringLiteral("lblPosizione"));
    position->setAlignment(Qt::AlignCenter);
    position->setMinimumWidth(70);
    QFont bold = position->font();
    bold.setBold(true);
    bold.setPointSize(14);
    position->setFont(bold);
    position->setAccessibleName(QStringLiteral("Scheda nuova"));
    position->setAccessibleDescription(
        QStringLiteral("Numero della scheda corrente in archivio; vuoto per una scheda nuova."));
    keepHint(position);
    return position;
}

QWidget* LabelSheetWindow::buildSlots()
{
    auto* panEtichette = new QFrame;
    panEtichette->setObjectName(QStringLiteral("panEtichette"));
    auto* grid = new QGridLayout(panEtichette);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    m_hints->addBackground(panEtichette);

    QFont nameFont = font();
    nameFont.setBold(true);
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
        const QString xx = twoDigits(slot);
        auto* box = new QFrame;
        box->setObjectName(QStringLiteral("shpEtichetta_E") + xx);
        box->setStyleSheet(QStringLiteral("QFrame#shpEtichetta_E%1 { background: #E4E4E4; border: 1px solid #B8B8B8;"
                                          " border-radius: 4px; }")
                               .arg(xx));
        m_hints->addBackground(box);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(8, 5, 6, 5);
        row->setSpacing(6);

        auto* number = new QLabel(xx);
        number->setObjectName(QStringLiteral("lblNumero_E") + xx);
        number->setAccessibleName(QStringLiteral("Etichetta ") + xx);
        number->setStyleSheet(QStringLiteral("color: #5A5A5A; background: transparent; border: none;"));
        row->addWidget(number);

        auto* name = new QLineEdit;
        name->setObjectName(QStringLiteral("txtNome_E") + xx);
        name->setReadOnly(true);
        name->setMaxLength(kNameLimit);
        name->setFont(nameFont);
        name->setAccessibleName(QStringLiteral("Etichetta ") + xx);
        name->setAccessibleDescription(QStringLiteral("Nome dell'indirizzo importato. %1 importa un indirizzo, "
                                                      "Canc svuota l'etichetta, Invio passa alla successiva.")
                                           .arg(QLatin1String(Keyboard::kImport)));
        name->setStyleSheet(QStringLiteral("QLineEdit { background: #FFFFFF; border: 1px solid #9A9A9A; padding: 2px; }"
                                           "QLineEdit:focus { border: 3px solid #FFD700; padding: 0px; }"));
        keepHint(name);
        m_names[slot - 1] = name;
        row->addWidget(name, 1);

        // The arrows stay out of the Tab chain, which walks the name fields; the key in a field opens its import.
        auto* arrow = new PictureButton(QStringLiteral("labels/arrow"), QStringLiteral("impIndirizzo_E") + xx,
                                        QStringLiteral("Importa etichetta ") + xx);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(28, 28);
        arrow->setAccessibleDescription(kImportHint);
        arrow->setToolTip(
            Keyboard::tooltip(QStringLiteral("Importa etichetta da archivio indirizzi"), Keyboard::kImport));
        m_hints->addButton(arrow);
        connect(arrow, &QAbstractButton::clicked, this, [this, slot] { openImport(slot); });
        row->addWidget(arrow);

        // Row by row, as the labels lie on the printed page.
        grid->addWidget(box, (slot - 1) / 3, (slot - 1) % 3);
    }
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    for (int slot = 1; slot < LabelSheet::kSlots; ++slot)
        setTabOrder(m_names[slot - 1], m_names[slot]);
    return panEtichette;
}

void LabelSheetWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        clearSheet();
        m_hints->setText(kReady);
    }
    ApplicationWindow::showEvent(event);
}

void LabelSheetWindow::keepHint(QWidget* widget)
{
    // Moves over it stop here instead of reaching the background behind it, which empties the hint line.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool LabelSheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
        return true;
    if (event->type() != QEvent::KeyPress)
        return ApplicationWindow::eventFilter(watched, event);
    const auto it = std::find(m_names.begin(), m_names.end(), watched);
    if (it == m_names.end())
        return ApplicationWindow::eventFilter(watched, event);
    const int slot = int(it - m_names.begin()) + 1;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::InsertParagraphSeparator) || key->key() == Qt::Key_Enter ||
        key->key() == Qt::Key_Return) {
        m_names[slot % LabelSheet::kSlots]->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
        clearSlot(slot);
        return true;
    }
    if (QKeySequence(key->keyCombination()) == QKeySequence(QLatin1String(Keyboard::kImport))) {
        openImport(slot);
        return true;
    }
    return ApplicationWindow::eventFilter(watched, event);
}

LabelSheet LabelSheetWindow::sheetOnScreen() const
{
    LabelSheet sheet;
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
        sheet.setName(slot, m_names[slot - 1]->text());
        for (int line = 1; line <= LabelSheet::kLines; ++line)
            sheet.setLine(slot, line, m_lines[slot - 1][line - 1]);
    }
    return sheet;
}

void LabelSheetWindow::importCard(int slot, const AddressCard& card)
{
    if (slot < 1 || slot > LabelSheet::kSlots)
        return;
    m_names[slot - 1]->setText(Text::trimmed(card.value(AddressCard::Nome)));
    for (int line = 1; line <= LabelSheet::kLines; ++line)
        m_lines[slot - 1][line - 1] = Text::trimmed(card.value(AddressCard::Rigo01 + line - 1));
}

void LabelSheetWindow::showSheet(int number, const LabelSheet& sheet)
{
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
        m_names[slot - 1]->setText(Text::trimmed(sheet.name(slot)));
        for (int line = 1; line <= LabelSheet::kLines; ++line)
            m_lines[slot - 1][line - 1] = Text::trimmed(sheet.line(slot, line));
    }
    setPosition(number);
}

void LabelSheetWindow::clearSlot(int slot)
{
    m_names[slot - 1]->clear();
    for (QString& line : m_lines[slot - 1])
        line.clear();
}

void LabelSheetWindow::clearSheet()
{
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot)
        clearSlot(slot);
    setPosition(0);
    m_names[0]->setFocus(Qt::OtherFocusReason);
}

int LabelSheetWindow::position() const
{
    return Text::trimmed(m_lblPosizione->text()).toInt();
}

void LabelSheetWindow::setPosition(int number)
{
    m_lblPosizione->setText(number > 0 ? QString::number(number) : QString());
    // The number is spoken: a screen reader does not read a label's text.
    m_lblPosizione->setAccessibleName(number > 0 ? QStringLiteral("Scheda %1").arg(number)
                                                 : QStringLiteral("Scheda nuova"));
}

void LabelSheetWindow::runArchiveAction(const std::function<void()>& action)
{
    runGuarded(this, m_context.messages, [&] {
        try {
            action();
        } catch (const ArchiveAccessError&) {
            m_context.messages->error(this, Errors::kArchiveAccess);
        }
    });
}

void LabelSheetWindow::saveSheet()
{
    if (Text::trimmed(m_names[0]->text()).isEmpty()) {
        m_context.messages->warning(this, kFirstSlotRequired);
        m_names[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    runArchiveAction([this] {
        const LabelSheet sheet = sheetOnScreen();
        int number = position();
        const bool stored = number > 0;
        {
            LabelSheetFile file(m_context.programFolder);
            if (stored)
                file.write(number, sheet);
            else
                number = file.append(sheet);
        }
        setPosition(number);
        m_context.messages->information(this, stored ? kUpdated : kAppended);
    });
}

void LabelSheetWindow::move(RecordMoves::Move move)
{
    runArchiveAction([this, move] {
        using Kind = RecordMoves::Step::Kind;
        RecordMoves::Step step;
        LabelSheet sheet;
        {
            LabelSheetFile file(m_context.programFolder);
            step = RecordMoves::step(move, position(), file.count());
            // Read before touching the screen, so a failed read leaves the window as it was.
            if (step.kind == Kind::Show)
                sheet = file.read(step.number);
        }
        if (step.kind == Kind::Show)
            showSheet(step.number, sheet);
        if (step.forgetPosition)
            setPosition(0);
        if (step.kind == Kind::Empty)
            m_context.messages->information(this, kEmptyArchive);
    });
}

void LabelSheetWindow::openImport(int slot)
{
    AddressImportWindow dialog(
        m_context, slot, [this](int target, const AddressCard& card) { importCard(target, card); }, this);
    dialog.exec();
    takeKeyboardBack();
}

void LabelSheetWindow::takeKeyboardBack()
{
    // The keyboard comes back to the sheet after a modal window, also where no window manager would hand it back.
    if (isVisible())
        activateWindow();
}

void LabelSheetWindow::previewSheet()
{
    LabelSheetPrintWindow dialog(m_context, LabelSheetPrintWindow::Mode::Preview, sheetOnScreen(), this);
    dialog.exec();
    takeKeyboardBack();
}

void LabelSheetWindow::printSheet()
{
    LabelSheetPrintWindow dialog(m_context, LabelSheetPrintWindow::Mode::Print, sheetOnScreen(), this);
    dialog.exec();
    takeKeyboardBack();
}

void LabelSheetWindow::composeFromArchive()
{
    ComposeLabelsWindow dialog(m_context, this);
    dialog.exec();
    takeKeyboardBack();
    // Sheets just stored: show the first of them.
    if (const int first = dialog.firstStored(); first > 0)
        runArchiveAction([this, first] {
            LabelSheet sheet;
            {
                const LabelSheetFile file(m_context.programFolder);
                sheet = file.read(first);
            }
            showSheet(first, sheet);
        });
}

void LabelSheetWindow::showHelp()
{
    ShowHelp(this, m_context, HelpTopics::labelSheets());
}
