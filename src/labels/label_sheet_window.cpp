#include "labels/label_sheet_window.h"

#include "common/app_context.h"
#include "common/command_bar_gui.h"
#include "common/focus_frame_widget.h"
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

#include <QDir>
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

const QString kSlotRequired =
    QStringLiteral("Attenzione: per salvare la scheda è necessario importare almeno un'etichetta.");
const QString kImportHint = QStringLiteral("Importa etichetta da archivio indirizzi.");
// What the instruction picture says, for a screen reader.
const QString kInstructions =
    QStringLiteral("Premere la freccia accanto a un'etichetta (o Ctrl+I nel suo campo) per importare un indirizzo "
                   "dall'archivio; Canc svuota l'etichetta. Al termine premere Salva per inserire la pagina in "
                   "archivio.");
constexpr int kNameLimit = 250;

QString slotKeys()
{
    return QStringLiteral("Nome dell'indirizzo importato. %1 importa un indirizzo, Canc svuota l'etichetta, Invio "
                          "passa alla successiva.")
        .arg(QLatin1String(Keyboard::kImport));
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

LabelSheetWindow::LabelSheetWindow(const AppContext& context, QWidget* parent)
    : TypedRecordWindow(context, QStringLiteral("frmArchivio_Etichette"),
                        QStringLiteral(" Plicario 3.0 - Gestione Etichette"), parent)
{
    buildUi();
    Keyboard::setUpWindow(this);
}

void LabelSheetWindow::buildUi()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildToolbar());

    auto* panScheda = new QFrame;
    panScheda->setObjectName(QStringLiteral("panScheda"));
    panScheda->setMaximumWidth(1240);
    hints()->addBackground(panScheda);
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
    hints()->addBackground(instructions);
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
    outer->addWidget(hints()->label());
    hints()->addBackground(this);
}

QWidget* LabelSheetWindow::buildToolbar()
{
    // The commands in the order they stand; the position stands between Previous and Next.
    QList<Command> commands = {
        {"cmdNuovo", "addresses/new", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.",
         Keyboard::kNew, [this] { newSheet(); }},
        {"cmdSalva", "addresses/save", "Salva", "Salva la scheda corrente.", Keyboard::kSave, [this] { saveRecord(); }},
        {"cmdAnteprima", "addresses/preview", "Anteprima di stampa",
         "Visualizza l'anteprima di stampa della pagina delle etichette.", nullptr, [this] { previewSheet(); }},
        {"cmdStampa", "addresses/print", "Stampa", "Stampa la pagina delle etichette.", Keyboard::kPrint,
         [this] { printSheet(); }},
        {"cmdComponi", "labels/compose", "Componi dall'archivio",
         "Compone, stampa o archivia i fogli di etichette per tutte le schede dell'archivio degli indirizzi, o per "
         "quelle di un tipo.",
         Keyboard::kCompose, [this] { composeFromArchive(); }},
        {"sepComandi1"},
    };
    commands += moveCommands({"addresses/first", "addresses/previous", "addresses/next", "addresses/last"});
    commands += {
        {},
        {"cmdGuida", "addresses/help", "Guida", "Visualizza la guida in linea.", Keyboard::kHelp,
         [this] { showHelp(); }},
        {"cmdEsci", "addresses/exit", "Esci", "Esci da questa schermata.", Keyboard::kExit, [this] { close(); }},
    };
    QWidget* strip = makeToolbar(commands);
    keepHint(positionLabel());
    return strip;
}

QWidget* LabelSheetWindow::buildSlots()
{
    auto* panEtichette = new QFrame;
    panEtichette->setObjectName(QStringLiteral("panEtichette"));
    auto* grid = new QGridLayout(panEtichette);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    hints()->addBackground(panEtichette);

    QFont nameFont = font();
    nameFont.setBold(true);
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
        const QString xx = twoDigits(slot);
        auto* box = new QFrame;
        box->setObjectName(QStringLiteral("shpEtichetta_E") + xx);
        box->setStyleSheet(QStringLiteral("QFrame#shpEtichetta_E%1 { background: #E4E4E4; border: 1px solid #B8B8B8;"
                                          " border-radius: 4px; }")
                               .arg(xx));
        hints()->addBackground(box);
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
        name->setAccessibleDescription(slotKeys());
        name->setStyleSheet(
            QStringLiteral("QLineEdit { background: #FFFFFF; border: 1px solid #9A9A9A; padding: 2px; }"));
        keepHint(name);
        m_names[slot - 1] = name;
        row->addWidget(name, 1);
        new FocusFrame(name, QStringLiteral("effNome_E") + xx);

        // The arrows stay out of the Tab chain, which walks the name fields; the key in a field opens its import.
        auto* arrow = new PictureButton(QStringLiteral("labels/arrow"), QStringLiteral("impIndirizzo_E") + xx,
                                        QStringLiteral("Importa etichetta ") + xx);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(28, 28);
        arrow->setAccessibleDescription(kImportHint);
        arrow->setToolTip(
            Keyboard::tooltip(QStringLiteral("Importa etichetta da archivio indirizzi"), Keyboard::kImport));
        hints()->addButton(arrow);
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
        hints()->setText(kReady);
    }
    TypedRecordWindow::showEvent(event);
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
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::FocusIn)
        return TypedRecordWindow::eventFilter(watched, event);
    const auto it = std::find(m_names.begin(), m_names.end(), watched);
    if (it == m_names.end())
        return TypedRecordWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Tab selects the whole text, which scrolls a long name to its end; the slot shows where the name starts.
        QLineEdit* name = *it;
        QMetaObject::invokeMethod(name, [name] { name->setCursorPosition(0); }, Qt::QueuedConnection);
        return TypedRecordWindow::eventFilter(watched, event);
    }
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
    return TypedRecordWindow::eventFilter(watched, event);
}

QString LabelSheetWindow::archivePath() const
{
    return QDir(context().programFolder).filePath(LabelSheetFile::kFileName);
}

LabelSheet LabelSheetWindow::recordOnScreen() const
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
    showName(slot, Text::trimmed(card.value(AddressCard::Nome)));
    for (int line = 1; line <= LabelSheet::kLines; ++line)
        m_lines[slot - 1][line - 1] = Text::trimmed(card.value(AddressCard::Rigo01 + line - 1));
}

void LabelSheetWindow::showRecord(const LabelSheet& sheet)
{
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
        showName(slot, Text::trimmed(sheet.name(slot)));
        for (int line = 1; line <= LabelSheet::kLines; ++line)
            m_lines[slot - 1][line - 1] = Text::trimmed(sheet.line(slot, line));
    }
}

// A long name shows its beginning, as it is read; the whole of it is the tooltip and what a screen reader reads.
void LabelSheetWindow::showName(int slot, const QString& text)
{
    QLineEdit* name = m_names[slot - 1];
    name->setText(text);
    name->setCursorPosition(0);
    name->setToolTip(text);
    name->setAccessibleDescription(text.isEmpty() ? slotKeys() : text + QStringLiteral(". ") + slotKeys());
}

void LabelSheetWindow::clearSlot(int slot)
{
    showName(slot, QString());
    for (QString& line : m_lines[slot - 1])
        line.clear();
}

void LabelSheetWindow::newSheet()
{
    if (mayLeaveRecord())
        clearSheet();
}

void LabelSheetWindow::clearSheet()
{
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot)
        clearSlot(slot);
    startNewRecord();
    m_names[0]->setFocus(Qt::OtherFocusReason);
}

// A sheet composed from a later label (the first ones already used on the office's paper) is a sheet like any
// other: one named slot anywhere is enough.
bool LabelSheetWindow::readyToSave()
{
    for (const auto* name : m_names)
        if (!Text::trimmed(name->text()).isEmpty())
            return true;
    context().messages->warning(this, kSlotRequired);
    m_names[0]->setFocus(Qt::OtherFocusReason);
    return false;
}

void LabelSheetWindow::openImport(int slot)
{
    AddressImportWindow dialog(
        context(), slot, [this](int target, const AddressCard& card) { importCard(target, card); }, this);
    dialog.exec();
}

void LabelSheetWindow::previewSheet()
{
    LabelSheetPrintWindow dialog(context(), LabelSheetPrintWindow::Mode::Preview, sheetOnScreen(), this);
    dialog.exec();
}

void LabelSheetWindow::printSheet()
{
    LabelSheetPrintWindow dialog(context(), LabelSheetPrintWindow::Mode::Print, sheetOnScreen(), this);
    dialog.exec();
}

void LabelSheetWindow::composeFromArchive()
{
    ComposeLabelsWindow dialog(context(), this);
    dialog.exec();
    // Sheets just stored: show the first of them, once typed work on screen is saved or given up.
    const int first = dialog.firstStored();
    LabelSheet sheet;
    if (first > 0 && runArchiveAction([&] { sheet = LabelSheetFile(context().programFolder).read(first); }))
        offerStored(first, sheet);
}

void LabelSheetWindow::showHelp()
{
    ShowHelp(this, context(), HelpTopics::labelSheets());
}
