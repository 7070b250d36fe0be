#include "common/record_window.h"

#include "common/action_guard.h"
#include "common/ansi.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/errors.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/record_file.h"
#include "common/text.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

const QString RecordWindow::kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");
const QString RecordWindow::kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString RecordWindow::kUpdated =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString RecordWindow::kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString RecordWindow::kSaveChanges = QStringLiteral("Salvare le modifiche alla scheda?");
const QString RecordWindow::kUnstorable =
    QStringLiteral("La scheda contiene caratteri che l'archivio non può conservare: %1.\n\nSalvandola, questi "
                   "caratteri diventeranno «?». Salvare comunque?\n\nScegliere No per correggere il testo.");
const QString RecordWindow::kChangedElsewhere =
    QStringLiteral("Attenzione: dopo che questa scheda è stata aperta, un'altra finestra o un'altra postazione ha "
                   "salvato in archivio una versione diversa. La scheda sullo schermo non è stata salvata.\n\r\n\r"
                   "Sì: ricarica la scheda salvata in archivio; le modifiche sullo schermo vanno perse.\n"
                   "No: mantiene la scheda sullo schermo; premendo di nuovo Salva, sostituirà quella in archivio.\n"
                   "Annulla: non cambia nulla.");

RecordWindow::RecordWindow(const AppContext& context, const QString& objectName, const QString& caption,
                           QWidget* parent)
    : ApplicationWindow(objectName, caption, parent), m_context(context)
{
    m_hints = new HintLine(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Colours::kWindowBackground);
    setPalette(pal);

    m_lblPosizione = new QLabel;
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setMinimumWidth(70);
    QFont bold = m_lblPosizione->font();
    bold.setBold(true);
    bold.setPointSize(14);
    m_lblPosizione->setFont(bold);
    m_lblPosizione->setAccessibleDescription(
        QStringLiteral("Numero della scheda corrente in archivio; vuoto per una scheda nuova."));
    setPosition(0);
}

QFrame* RecordWindow::makeToolbar(const QList<Command>& commands)
{
    QFrame* strip = CommandBar::strip(commands, m_hints);
    // The position stands between Previous and Next when the arrows are on the toolbar.
    if (auto* previous = strip->findChild<QToolButton*>(QStringLiteral("cmdIndietro"))) {
        auto* row = static_cast<QBoxLayout*>(strip->layout());
        row->insertWidget(row->indexOf(previous) + 1, m_lblPosizione);
    }
    return strip;
}

QList<Command> RecordWindow::moveCommands(const std::array<const char*, 4>& pictures)
{
    using Move = RecordMoves::Move;
    return {
        {"cmdPrimo", pictures[0], "Prima scheda", "Visualizza la prima scheda in archivio.", Keyboard::kFirst,
         [this] { moveTo(Move::First); }},
        {"cmdIndietro", pictures[1], "Scheda precedente", "Visualizza la scheda precedente in archivio.",
         Keyboard::kPrevious, [this] { moveTo(Move::Previous); }},
        {"cmdAvanti", pictures[2], "Scheda successiva", "Visualizza la scheda successiva in archivio.", Keyboard::kNext,
         [this] { moveTo(Move::Next); }},
        {"cmdUltimo", pictures[3], "Ultima scheda", "Visualizza l'ultima scheda in archivio.", Keyboard::kLast,
         [this] { moveTo(Move::Last); }},
    };
}

QLabel* RecordWindow::caption(const QString& text, QWidget* field)
{
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setBuddy(field);
    return label;
}

int RecordWindow::position() const
{
    return Text::trimmed(m_lblPosizione->text()).toInt();
}

RecordWindow::AppendOutcome RecordWindow::beforeAppend(const RawRecordFile&, QByteArray&)
{
    return {};
}

RecordWindow::AppendOutcome RecordWindow::writeRecord(RawRecordFile& file, int number, const QByteArray& record)
{
    file.write(number, record);
    return {};
}

int RecordWindow::appendRecord(RawRecordFile& file, const QByteArray& record)
{
    return file.append(record);
}

void RecordWindow::positionChanged(int) {}

void RecordWindow::leaving() {}

void RecordWindow::setPosition(int number)
{
    m_lblPosizione->setText(number > 0 ? QString::number(number) : QString());
    // Spoken with its number: a screen reader does not read a label's text.
    m_lblPosizione->setAccessibleName(number > 0 ? QStringLiteral("Scheda %1").arg(number)
                                                 : QStringLiteral("Scheda nuova"));
    positionChanged(number);
}

bool RecordWindow::hasUnsavedChanges() const
{
    return workOnScreen() != m_clean;
}

bool RecordWindow::runArchiveAction(const std::function<void()>& action)
{
    bool done = false;
    runGuarded(this, m_context.messages, [&] {
        try {
            action();
            done = true;
        } catch (const ArchiveAccessError& e) {
            m_context.messages->error(this, e.message()); // a full disk, a held archive or an access fault
        } catch (const SettingsError&) {
            m_context.messages->error(this, Errors::kArchiveAccess);
        }
    });
    return done;
}

void RecordWindow::startNewRecord()
{
    setPosition(0);
    m_stored.clear();
    m_clean = workOnScreen();
}

void RecordWindow::forgetStoredRecord()
{
    setPosition(0);
    m_stored.clear();
}

void RecordWindow::showStored(int number, const QByteArray& stored)
{
    putOnScreen(stored);
    setPosition(number);
    m_stored = stored;
    m_clean = workOnScreen();
}

bool RecordWindow::saveRecord()
{
    if (!readyToSave())
        return false;
    // Never a silent '?': the user corrects the text or accepts the loss knowingly.
    if (const QString lost = unstorableOnScreen(); !lost.isEmpty() &&
        m_context.messages->question(this, kUnstorable.arg(Ansi::named(lost))) != Messages::Answer::Yes)
        return false;
    const bool update = position() > 0;
    bool saved = false;
    QByteArray onDisk;
    AppendOutcome appended;
    runArchiveAction([&] {
        const QByteArray onScreen = screenBytes();
        QByteArray record = onScreen;
        int number = position();
        {
            RawRecordFile file(archivePath(), recordSize());
            if (update) {
                // Under the archive's lock: what is stored must still be what this window loaded.
                onDisk = storedForm(file.read(number));
                if (onDisk != m_stored)
                    return;
                appended = writeRecord(file, number, record);
                if (appended.refused)
                    return;
            } else {
                appended = beforeAppend(file, record);
                if (appended.refused)
                    return;
                number = appendRecord(file, record);
            }
        }
        // What the window changed at the last moment (a number taken) goes on screen too.
        if (record != onScreen)
            putOnScreen(record);
        setPosition(number);
        m_stored = storedForm(record);
        m_clean = workOnScreen();
        saved = true;
    });
    if (saved)
        m_context.messages->information(this, update                       ? kUpdated
                                              : appended.message.isEmpty() ? kAppended
                                                                           : appended.message);
    else if (appended.refused)
        m_context.messages->warning(this, appended.message);
    else if (!onDisk.isNull() && onDisk != m_stored)
        resolveNewerSave(onDisk);
    return saved;
}

void RecordWindow::resolveNewerSave(const QByteArray& onDisk)
{
    switch (m_context.messages->question(this, kChangedElsewhere)) {
    case Messages::Answer::Yes:
        showStored(position(), onDisk);
        break;
    case Messages::Answer::No:
        // The user has seen that the archive changed: the next save overwrites it knowingly.
        m_stored = onDisk;
        break;
    case Messages::Answer::Cancel:
        break;
    }
}

bool RecordWindow::mayLeaveRecord()
{
    if (!hasUnsavedChanges())
        return true;
    switch (m_context.messages->question(this, kSaveChanges)) {
    case Messages::Answer::Yes:
        return saveRecord();
    case Messages::Answer::No:
        return true;
    case Messages::Answer::Cancel:
        break;
    }
    return false;
}

void RecordWindow::moveTo(RecordMoves::Move move)
{
    using Kind = RecordMoves::Step::Kind;
    if (hasUnsavedChanges()) {
        // Asked only when the move would put another record on screen; the archive is not held while the user answers.
        bool elsewhere = false;
        if (!runArchiveAction([&] {
                const RawRecordFile file(archivePath(), recordSize());
                elsewhere = RecordMoves::step(move, position(), file.count()).kind == Kind::Show;
            }))
            return;
        if (elsewhere && !mayLeaveRecord())
            return;
    }
    runArchiveAction([&] {
        RecordMoves::Step step;
        QByteArray stored;
        {
            const RawRecordFile file(archivePath(), recordSize());
            step = RecordMoves::step(move, position(), file.count());
            // Read before touching the screen, so a failed read leaves it as it was.
            if (step.kind == Kind::Show)
                stored = storedForm(file.read(step.number));
        }
        if (step.kind == Kind::Show)
            showStored(step.number, stored);
        if (step.forgetPosition)
            forgetStoredRecord();
        if (step.kind == Kind::Empty)
            m_context.messages->information(this, kEmptyArchive);
    });
}

void RecordWindow::closeEvent(QCloseEvent* event)
{
    if (isVisible() && !mayLeaveRecord()) {
        event->ignore();
        return;
    }
    leaving();
    ApplicationWindow::closeEvent(event);
}
