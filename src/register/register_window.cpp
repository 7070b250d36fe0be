#include "register/register_window.h"

#include "addresses/attachments.h"
#include "addresses/attachments_window.h"
#include "register/annulment_window.h"
#include "register/daily_register_window.h"
#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/command_bar_gui.h"
#include "common/focus_frame_widget.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/record_file.h"
#include "common/text.h"
#include "common/window_gui.h"
#include "help/help_gui.h"
#include "register/date_picker_window.h"
#include "register/numbering_window.h"
#include "register/register_card_checks.h"
#include "register/register_card_print_window.h"
#include "register/register_export_window.h"
#include "register/register_numbering.h"
#include "register/register_search_window.h"
#include "register/register_settings.h"
#include "register/register_summary_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

const QString kDateHint =
    QStringLiteral("Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");
const QString kFixedHint =
    QStringLiteral("Il numero e la data di registrazione di un documento protocollato non si possono cambiare.");
const QString kNumberHint = QStringLiteral("Numero di protocollo del documento.");
const QString kNumberTakenMeanwhile =
    QStringLiteral("Il documento è stato protocollato con il numero %1: il %2 è stato assegnato nel frattempo da "
                   "un'altra postazione.");
const QString kNumberHeld =
    QStringLiteral("Attenzione: il numero di protocollo %1 è già assegnato a un altro documento di questo registro.");
const QString kNotRegistered =
    QStringLiteral("Solo una scheda protocollata si può annullare: salvare prima la scheda.");
const QString kConfirmAnnul =
    QStringLiteral("Annullare la registrazione %1?\n\nMotivo: %2\n\nLa scheda conserva numero e dati e non si potrà "
                   "più modificare.");
const QString kAnnulDone = QStringLiteral("La registrazione è stata annullata.");
const QString kJournalDisagrees =
    QStringLiteral("Attenzione: il registro %1 e il suo storico non corrispondono.\n\n%2\n\nSi può continuare a "
                   "lavorare; \"plicario-cli verify register %1\" elenca ogni differenza.");

using F = RegisterCard::Field;

struct FieldInfo
{
    F field;
    const char* objectName;
    const char* label;
    const char* accessibleName;
    bool centred;
    const char* hint;
};

// The 18 edits of the card, in the order Enter walks them.
const FieldInfo kFields[] = {
    {F::Numero, "txtNumero", "N. protocollo:", "N. protocollo", true, "Numero di protocollo del documento."},
    {F::DataReg, "txtDataReg", "Data registrazione:", "Data registrazione", true, nullptr},
    {F::Ufficio, "txtUfficio", "Ufficio:", "Ufficio", false, "Ufficio che protocolla il documento."},
    {F::Operatore, "txtOperatore", "Operatore:", "Operatore", false, "Operatore che protocolla il documento."},
    {F::Categoria, "txtCategoria", "Categoria:", "Categoria", false, "Categoria del documento."},
    {F::Collocazione, "txtCollocazione", "Collocazione documento cartaceo:", "Collocazione documento cartaceo", false,
     "Dove è conservato l'originale cartaceo."},
    {F::Oggetto, "txtOggetto", "Oggetto:", "Oggetto", false, "Oggetto del documento."},
    {F::DataSpe, "txtDataSpe", "Data spedizione:", "Data spedizione", true, "Data di spedizione del documento."},
    {F::DataRic, "txtDataRic", "Data ricezione:", "Data ricezione", true, "Data di ricezione del documento."},
    {F::Formato, "txtFormato", "Formato:", "Formato", false, "Formato del documento."},
    {F::Pagine, "txtPagine", "N. pagine:", "N. pagine", true, "Numero di pagine del documento."},
    {F::Riferimenti, "txtRiferimenti", "Riferimenti:", "Riferimenti", false, "Riferimenti ad altri documenti."},
    {F::Note, "txtNote", "Note:", "Note", false, "Annotazioni personali."},
    {F::Mittente, "txtMittente", "Mittente:", "Mittente", false, "Mittente del documento."},
    {F::RecapitoMit, "txtRecapitoMit", "Recapito:", "Recapito mittente", false, "Indirizzo o recapito del mittente."},
    {F::Destinatario, "txtDestinatario", "Destinatario:", "Destinatario", false, "Destinatario del documento."},
    {F::RecapitoDes, "txtRecapitoDes", "Recapito:", "Recapito destinatario", false,
     "Indirizzo o recapito del destinatario."},
    {F::Copia, "txtCopia", "Copia digitale documento:", "Copia digitale documento", false,
     "Nome del file della copia digitale del documento."},
};

// The buttons of the mail types, in the order RegisterCardChecks::mailTypes() lists them.
const char* const kTypeNames[3] = {"optEntrata", "optUscita", "optInterna"};

} // namespace

RegisterWindow::RegisterWindow(const AppContext& context, QWidget* parent)
    : TypedRecordWindow(context, QStringLiteral("frmProtocollo"), QStringLiteral(" Plicario 3.0 - Protocollo Posta"),
                        parent)
{
    buildUi();
    // A message file dragged from the mail program becomes a new card.
    setAcceptDrops(true);
}

void RegisterWindow::openYear(const QString& yearFilePath, const QString& caption)
{
    m_lblFile = yearFilePath;
    setWindowTitle(caption);
}

void RegisterWindow::buildUi()
{
    const QFont fieldFont(QStringLiteral("Verdana"), 10, QFont::Bold);
    for (const FieldInfo& info : kFields) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QLatin1String(info.objectName));
        edit->setAccessibleName(QString::fromUtf8(info.accessibleName));
        edit->setMaxLength(RegisterCard::fields()[info.field].width);
        edit->setFont(fieldFont);
        if (info.centred)
            edit->setAlignment(Qt::AlignCenter);
        if (info.hint)
            edit->setAccessibleDescription(QString::fromUtf8(info.hint));
        m_fields[info.field] = edit;
    }
    field(F::DataReg)->setReadOnly(true);
    field(F::DataReg)->setAccessibleDescription(kDateHint);
    field(F::DataReg)->installEventFilter(this);
    hints()->addControl(field(F::DataReg));
    field(F::Copia)->setReadOnly(true);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(buildToolbar());
    auto* middle = new QHBoxLayout;
    middle->addStretch();
    QWidget* card = buildCard();
    card->setMaximumWidth(1320);
    middle->addWidget(card, 1);
    middle->addStretch();
    m_lblAnnullata = new QLabel;
    m_lblAnnullata->setObjectName(QStringLiteral("lblAnnullata"));
    m_lblAnnullata->setAlignment(Qt::AlignCenter);
    m_lblAnnullata->setWordWrap(true);
    m_lblAnnullata->setStyleSheet(QStringLiteral("color: #b3261e; font-weight: bold; font-size: 12pt;"));
    m_lblAnnullata->hide();
    page->addStretch();
    page->addWidget(m_lblAnnullata);
    page->addLayout(middle);
    page->addStretch();
    page->addWidget(buildCopyRow());
    page->addWidget(hints()->label());

    // Enter walks the fields in card order; the registration date, the mail type and the copy have keys of their own.
    for (size_t i = 0; i + 1 < std::size(kFields); ++i) {
        QLineEdit* from = m_fields[kFields[i].field];
        QLineEdit* to = m_fields[kFields[i + 1].field];
        if (kFields[i].field != F::DataReg)
            connect(from, &QLineEdit::returnPressed, to, [to] { to->setFocus(Qt::TabFocusReason); });
    }
    // Tab follows the same order, with the mail type after the date.
    setTabOrder(field(F::Numero), field(F::DataReg));
    setTabOrder(field(F::DataReg), m_types[0]);
    setTabOrder(m_types[0], m_types[1]);
    setTabOrder(m_types[1], m_types[2]);
    setTabOrder(m_types[2], field(F::Ufficio));
    for (size_t i = 2; i + 1 < std::size(kFields); ++i)
        setTabOrder(m_fields[kFields[i].field], m_fields[kFields[i + 1].field]);

    connect(field(F::Copia), &QLineEdit::textChanged, this,
            [this](const QString& text) { m_btnApri->setEnabled(!Text::trimmed(text).isEmpty()); });
    m_btnApri->setEnabled(false);
    Keyboard::setUpWindow(this);
    // After the window's keys, so that Enter on a mail type moves on instead of pressing it.
    for (QRadioButton* b : m_types)
        b->installEventFilter(this);
}

QWidget* RegisterWindow::buildToolbar()
{
    QList<Command> commands = {
        {"cmdNuovo", "register/new", "Nuovo", "Prepara la schermata per l'inserimento di una nuova scheda.",
         Keyboard::kNew, [this] { newCard(); }},
        {"cmdSalva", "register/save", "Salva", "Salva la scheda corrente in archivio.", Keyboard::kSave,
         [this] { saveRecord(); }},
        {"cmdTrova", "register/find", "Trova", "Trova una scheda in archivio.", Keyboard::kFind,
         [this] { findCards(); }},
        {"cmdRiepilogo", "register/summary", "Riepilogo protocollo",
         "Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo.", Keyboard::kSummary,
         [this] { showSummary(); }},
        {"cmdFile", "register/attach", "Allega file", "Allega file alla scheda corrente.", Keyboard::kAttach,
         [this] { attachDocuments(); }},
        {"cmdStampa", "register/print", "Stampa", "Stampa la scheda corrente.", Keyboard::kPrint,
         [this] { printCard(); }},
        {"sepComandi1"},
    };
    // The position sits between the two pairs of arrows.
    commands += moveCommands({"register/first", "register/previous", "register/next", "register/last"});
    commands += {
        {"sepComandi2"},
        {"cmdEsporta", "register/export", "Esporta", "Esporta le schede in archivio in un file di Microsoft Excel.",
         Keyboard::kExport, [this] { exportRegister(); }},
        {"cmdNumerazione", "register/numbering", "Numerazione",
         "Imposta il numero iniziale per la numerazione del protocollo.", Keyboard::kNumbering,
         [this] { editNumbering(); }},
        {"cmdAnnulla", "register/annul", "Annulla registrazione",
         "Annulla la registrazione della scheda corrente: numero e dati restano, con data, motivo e utente.",
         Keyboard::kAnnul, [this] { annulRegistration(); }},
        {"cmdMessaggio", "register/mail", "Protocolla messaggio",
         "Protocolla un messaggio di posta elettronica o certificata salvato come file .eml (o trascinato sulla "
         "finestra).",
         Keyboard::kRegisterMail, [this] { registerMessage(); }},
        {"cmdGiornaliero", "register/daily", "Registro giornaliero",
         "Mostra, stampa o salva in PDF il registro dei documenti protocollati in un giorno.",
         Keyboard::kDailyRegister, [this] { showDailyRegister(); }},
        {},
        {"cmdGuida", "register/help", "Guida", "Visualizza la guida in linea.", Keyboard::kHelp,
         [this] { showHelp(); }},
        {"cmdEsci", "register/exit", "Esci", "Esci da questa schermata di lavoro.", Keyboard::kExit,
         [this] { close(); }},
    };
    return makeToolbar(commands);
}

QWidget* RegisterWindow::buildCard()
{
    auto* card = new QWidget;
    card->setObjectName(QStringLiteral("panScheda"));
    auto* grid = new QGridLayout(card);
    grid->setContentsMargins(16, 8, 16, 8);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(9);
    auto add = [&](F f, int row, int column, int span = 1) {
        const FieldInfo* info =
            std::find_if(std::begin(kFields), std::end(kFields), [f](const FieldInfo& i) { return i.field == f; });
        grid->addWidget(caption(QString::fromUtf8(info->label), field(f)), row, column);
        grid->addWidget(field(f), row, column + 1, 1, span);
        new FocusFrame(field(f), QStringLiteral("eff") + QLatin1String(info->objectName).mid(3));
    };

    // The number, the date and the mail type across the top.
    add(F::Numero, 0, 0);
    add(F::DataReg, 0, 2);
    auto* types = new QGroupBox(QStringLiteral("Tipologia posta"));
    types->setObjectName(QStringLiteral("panTipologia"));
    auto* typeRow = new QHBoxLayout(types);
    typeRow->setContentsMargins(10, 2, 10, 2);
    m_typeGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(RegisterCardChecks::mailTypes()[i]);
        b->setObjectName(QLatin1String(kTypeNames[i]));
        b->setAccessibleDescription(QStringLiteral("Tipologia di posta del documento."));
        m_typeGroup->addButton(b, i);
        typeRow->addWidget(b);
        m_types[i] = b;
    }
    grid->addWidget(types, 0, 4, 1, 2);
    // Filled, so that the focus mark behind the group shows as a border only.
    types->setAutoFillBackground(true);
    new FocusFrame(types, QStringLiteral("effTipologia"));

    add(F::Ufficio, 1, 0, 3);
    add(F::Operatore, 2, 0, 3);
    add(F::Categoria, 3, 0, 3);
    add(F::Collocazione, 4, 0, 3);
    add(F::Oggetto, 5, 0, 5);
    add(F::DataSpe, 6, 0);
    add(F::DataRic, 6, 2);
    add(F::Formato, 7, 0);
    add(F::Pagine, 7, 2);
    add(F::Riferimenti, 8, 0, 5);
    add(F::Note, 9, 0, 5);
    add(F::Mittente, 1, 4);
    add(F::RecapitoMit, 2, 4);
    add(F::Destinatario, 3, 4);
    add(F::RecapitoDes, 4, 4);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(5, 5);
    hints()->addBackground(card);
    hints()->addBackground(types);
    return card;
}

QWidget* RegisterWindow::buildCopyRow()
{
    auto* bottom = new QFrame;
    bottom->setObjectName(QStringLiteral("panCopia"));
    bottom->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(28, 8, 28, 8);
    row->setSpacing(10);
    row->addWidget(caption(QStringLiteral("Copia digitale documento:"), field(F::Copia)));
    row->addWidget(field(F::Copia), 1);
    new FocusFrame(field(F::Copia), QStringLiteral("effCopia"));

    QToolButton* cross = CommandBar::makeButton({"imgCancella01", "register/cross", "Togli copia digitale",
                                                 "Cancella il percorso del file allegato alla scheda corrente.",
                                                 nullptr, [this] { field(F::Copia)->clear(); }},
                                                hints());
    cross->setIconSize(QSize(20, 20));
    auto* browse = new QPushButton(QStringLiteral("Sfoglia..."));
    browse->setObjectName(QStringLiteral("btnSfoglia"));
    Windows::describe(browse, QStringLiteral("Sfoglia copia digitale"),
                      QStringLiteral("Seleziona il file da allegare alla scheda corrente."));
    m_btnApri = new QPushButton(QStringLiteral("Apri"));
    m_btnApri->setObjectName(QStringLiteral("btnApri"));
    Windows::describe(m_btnApri, QStringLiteral("Apri copia digitale"),
                      QStringLiteral("Apri il file allegato alla scheda corrente."));
    row->addWidget(cross);
    row->addWidget(browse);
    row->addWidget(m_btnApri);
    hints()->addButton(browse);
    hints()->addButton(m_btnApri);
    hints()->addBackground(bottom);

    connect(browse, &QPushButton::clicked, this, &RegisterWindow::attachCopy);
    connect(m_btnApri, &QPushButton::clicked, this, &RegisterWindow::openCopy);
    return bottom;
}

void RegisterWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        const RegisterSettings::OperatorDefaults defaults =
            RegisterSettings(context().programFolder).readOperatorDefaults();
        field(F::Ufficio)->setText(defaults.office);
        field(F::Operatore)->setText(defaults.operatorName);
        blankCard();
        hints()->setText(kReady);
        // Once the window is on screen, so the warning has a window to stand over.
        QTimer::singleShot(0, this, [this] { checkJournal(); });
    }
    TypedRecordWindow::showEvent(event);
}

void RegisterWindow::leaving()
{
    dropWaitingMessage();
    // The office and operator on screen become the defaults of the next card, saved or not.
    runGuarded(this, context().messages, [this] {
        RegisterSettings(context().programFolder)
            .writeOperatorDefaults(field(F::Ufficio)->text(), field(F::Operatore)->text());
    });
}

bool RegisterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field(F::DataReg) && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
        m_calendarClosed = false;
    // The registration date is never typed: Backspace or Delete empties it, any other key picks it from the
    // calendar. Tab, bare modifiers and Ctrl/Alt combinations keep their usual meaning. Enter right after the
    // calendar has closed on a date moves on to the mail type, so that Enter alone walks past the date.
    if (watched == field(F::DataReg) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // On a registered card the date is fixed, so Enter moves on at once.
        if ((m_calendarClosed || position() > 0) && isEnter(key) && !field(F::DataReg)->text().isEmpty()) {
            focusMailType();
            return true;
        }
        m_calendarClosed = false;
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
            return false;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            if (position() == 0)
                field(F::DataReg)->clear();
            return true;
        default:
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return false;
            pickRegistrationDate();
            return true;
        }
    }
    // On the mail type the arrows choose the type and Enter moves on to the office.
    const auto type = std::find(m_types.begin(), m_types.end(), watched);
    if (type != m_types.end() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key)) {
            field(F::Ufficio)->setFocus(Qt::TabFocusReason);
            return true;
        }
        const int step = key->key() == Qt::Key_Right || key->key() == Qt::Key_Down ? 1
                         : key->key() == Qt::Key_Left || key->key() == Qt::Key_Up  ? -1
                                                                                   : 0;
        if (step != 0 && !(key->modifiers() & ~Qt::KeypadModifier)) {
            QRadioButton* chosen = m_types[(type - m_types.begin() + step + 3) % 3];
            chosen->setChecked(true);
            chosen->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return TypedRecordWindow::eventFilter(watched, event);
}

bool RegisterWindow::isEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !(key->modifiers() & ~Qt::KeypadModifier);
}

void RegisterWindow::focusMailType()
{
    QAbstractButton* checked = m_typeGroup->checkedButton();
    (checked ? checked : m_types[0])->setFocus(Qt::TabFocusReason);
}

RegisterCard RegisterWindow::recordOnScreen() const
{
    RegisterCard card;
    for (const FieldInfo& info : kFields)
        card.setValue(info.field, m_fields[info.field]->text());
    const int type = m_typeGroup->checkedId();
    card.setValue(F::Tipologia, type >= 0 ? RegisterCardChecks::mailTypes()[type] : m_otherType);
    for (int i = 0; i < 3; ++i) {
        card.setValue(F::File01 + i, m_lblFiles.files[i]);
        card.setValue(F::Desc01 + i, m_lblFiles.descriptions[i]);
    }
    return card;
}

QByteArray RegisterWindow::workOnScreen() const
{
    // On a card not yet stored, office and operator are the next card's defaults, which closing keeps anyway.
    RegisterCard card = recordOnScreen();
    if (position() == 0) {
        card.setValue(F::Ufficio, QString());
        card.setValue(F::Operatore, QString());
    }
    return card.toBytes();
}

void RegisterWindow::showRecord(const RegisterCard& card)
{
    for (const FieldInfo& info : kFields)
        m_fields[info.field]->setText(Text::trimmed(card.value(info.field)));
    for (int i = 0; i < 3; ++i) {
        m_lblFiles.files[i] = Text::trimmed(card.value(F::File01 + i));
        m_lblFiles.descriptions[i] = Text::trimmed(card.value(F::Desc01 + i));
    }
    // A type the three buttons do not know selects none of them, and is kept as stored.
    const QString type = Text::trimmed(card.value(F::Tipologia));
    const qsizetype known = RegisterCardChecks::mailTypes().indexOf(type);
    clearTypes();
    if (known >= 0)
        m_types[known]->setChecked(true);
    else
        m_otherType = type;
}

void RegisterWindow::clearTypes()
{
    // Exclusive buttons cannot all be cleared while they are exclusive.
    m_typeGroup->setExclusive(false);
    for (QRadioButton* b : m_types)
        b->setChecked(false);
    m_typeGroup->setExclusive(true);
    m_otherType.clear();
}

QString RegisterWindow::year() const
{
    return RegisterNumbers::yearOf(m_lblFile);
}

QString RegisterWindow::currentYear() const
{
    return context().clock->today().toString(QStringLiteral("yyyy"));
}

RecordWindow::AppendOutcome RegisterWindow::beforeAppend(const RawRecordFile& file, QByteArray& record)
{
    AppendOutcome outcome = takeNumber(file, record);
    if (outcome.refused || !m_mail)
        return outcome;
    // A card made from a message keeps its files now, under the lock, so its journal entry fingerprints them.
    RegisterCard card = RegisterCard::fromBytes(record.constData());
    try {
        m_mailKept = MailRegistration::keep(*m_mail, context().programFolder, card);
    } catch (const MailRefusal& refusal) {
        return {true, refusal.message};
    }
    record = card.toBytes();
    return outcome;
}

RecordWindow::AppendOutcome RegisterWindow::takeNumber(const RawRecordFile& file, QByteArray& record)
{
    // The number is taken here, under the year file's lock, so two workstations never give the same one.
    RegisterCard card = RegisterCard::fromBytes(record.constData());
    const QString typed = Text::trimmed(card.value(F::Numero));
    const RegisterNumberer numbers(file, RegisterSettings(context().programFolder).numberingFor(year(), currentYear()),
                                   RegisterNumbers::yearOf(m_lblFile));
    if (!m_proposedNumber.isEmpty() && typed == m_proposedNumber) {
        const QString now = numbers.next();
        if (now == typed)
            return {};
        card.setValue(F::Numero, now);
        record = card.toBytes();
        return {false, kNumberTakenMeanwhile.arg(now, typed)};
    }
    // A number typed by hand is kept only while no other card holds it.
    if (!numbers.isFree(typed))
        return {true, kNumberHeld.arg(typed)};
    return {};
}

JournalAuthor RegisterWindow::journalAuthor() const
{
    return {JournalAuthor::workstationUser(), JournalAuthor::kWindow,
            QDateTime(context().clock->today(), context().clock->now())};
}

RecordWindow::AppendOutcome RegisterWindow::writeRecord(RawRecordFile& file, int number, const QByteArray& record)
{
    // The writer refuses an annulled card, under the lock, with the annulment's words.
    try {
        RegisterJournalWriter(file, journalAuthor()).correctCard(number, record);
    } catch (const RegisterRefusal& refusal) {
        return {true, refusal.message};
    }
    return {};
}

int RegisterWindow::appendRecord(RawRecordFile& file, const QByteArray& record)
{
    try {
        return RegisterJournalWriter(file, journalAuthor()).registerCard(record);
    } catch (...) {
        // Not registered: the message's files go back to nothing.
        MailRegistration::discard(m_mailKept);
        m_mailKept.clear();
        throw;
    }
}

void RegisterWindow::positionChanged(int number)
{
    dropWaitingMessage();
    // Once registered, a document's number and date are evidence: they stay as they were stored.
    const bool fixed = number > 0;
    field(F::Numero)->setAccessibleDescription(fixed ? kFixedHint : kNumberHint);
    field(F::DataReg)->setAccessibleDescription(fixed ? kFixedHint : kDateHint);
    showAnnulment(number);
}

void RegisterWindow::showAnnulment(int number)
{
    std::optional<JournalEntry> annulment;
    // For the notice only: the journal is read without the lock, and a save checks again under it.
    if (number > 0) {
        try {
            const QHash<int, JournalEntry> all = RegisterJournal::annulmentsOf(m_lblFile);
            if (all.contains(number))
                annulment = all.value(number);
        } catch (const ArchiveAccessError&) {
        }
    }
    m_annulled = annulment.has_value();
    m_lblAnnullata->setText(
        m_annulled ? QStringLiteral("Registrazione %1").arg(RegisterJournal::annulmentText(*annulment)) : QString());
    m_lblAnnullata->setAccessibleName(m_lblAnnullata->text());
    m_lblAnnullata->setVisible(m_annulled);
    for (const FieldInfo& info : kFields) {
        const bool alwaysFixed = info.field == F::DataReg || info.field == F::Copia;
        field(info.field)->setReadOnly(m_annulled || alwaysFixed || (info.field == F::Numero && number > 0));
    }
}

void RegisterWindow::checkJournal()
{
    // A year with no cards yet has nothing to check, and opening it must not create its file.
    if (!QFileInfo::exists(m_lblFile))
        return;
    runArchiveAction([this] {
        const RawRecordFile file(m_lblFile, RegisterCard::recordSize());
        const RegisterCheck check = RegisterVerify::check(file);
        if (check.passed())
            return;
        QStringList findings = check.findings();
        if (findings.size() > 10) {
            const qsizetype more = findings.size() - 10;
            findings = findings.mid(0, 10);
            findings << QStringLiteral("... e altre %1 differenze.").arg(more);
        }
        context().messages->warning(this, kJournalDisagrees.arg(year(), findings.join(u'\n')));
    });
}

void RegisterWindow::annulRegistration()
{
    const int place = position();
    if (place == 0) {
        context().messages->warning(this, kNotRegistered);
        return;
    }
    if (!mayLeaveRecord())
        return;
    const RegisterCard card = recordOnScreen();
    const QString label = QStringLiteral("N. %1 - %2").arg(Text::trimmed(card.value(F::Numero)),
                                                          Text::trimmed(card.value(F::Oggetto)));
    AnnulmentWindow dialog(label, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (context().messages->question(this, kConfirmAnnul.arg(label, dialog.reason())) != Messages::Answer::Yes)
        return;
    QString refusal;
    QByteArray stored;
    const bool done = runArchiveAction([&] {
        RawRecordFile file(m_lblFile, RegisterCard::recordSize());
        try {
            RegisterJournalWriter(file, journalAuthor()).annulCard(place, dialog.reason());
        } catch (const RegisterRefusal& r) {
            refusal = r.message;
        }
        stored = RegisterCard::fromBytes(file.read(place).constData()).toBytes();
    });
    if (!done)
        return;
    showStored(place, stored);
    if (refusal.isEmpty())
        context().messages->information(this, kAnnulDone);
    else
        context().messages->warning(this, refusal);
}

void RegisterWindow::blankCard()
{
    for (const FieldInfo& info : kFields)
        if (info.field != F::Ufficio && info.field != F::Operatore)
            m_fields[info.field]->clear();
    m_lblFiles = {};
    m_proposedNumber.clear();
    field(F::DataReg)->setText(context().clock->today().toString(QStringLiteral("dd/MM/yyyy")));
    clearTypes();
    startNewRecord();
    field(F::Numero)->setFocus(Qt::OtherFocusReason);
}

bool RegisterWindow::newCard()
{
    if (!mayLeaveRecord())
        return false;
    return runArchiveAction([this] {
        const RegisterNumbering numbering =
            RegisterSettings(context().programFolder).numberingFor(year(), currentYear());
        const RawRecordFile file(m_lblFile, RegisterCard::recordSize());
        const RegisterNumberer numbers(file, numbering, RegisterNumbers::yearOf(m_lblFile));
        blankCard();
        // A start number that is not whole fails here, after the blanking, as it always has. The number is the one
        // the card will most likely get: Save takes it again under the lock.
        m_proposedNumber = numbers.next();
        field(F::Numero)->setText(m_proposedNumber);
        field(F::DataReg)->setText(context().clock->today().toString(QStringLiteral("dd/MM/yyyy")));
        // A number and a date given, nothing typed yet: nothing to ask about.
        startNewRecord();
        field(F::Categoria)->setFocus(Qt::OtherFocusReason);
    });
}

void RegisterWindow::registerMessage()
{
    const QString path = context().fileChooser->chooseFile(
        this, QStringLiteral("Protocolla messaggio"), QStringLiteral("Messaggi di posta (*.eml);;Tutti i file (*)"));
    if (!path.isEmpty())
        takeMessage(path);
}

void RegisterWindow::takeMessage(const QString& path)
{
    auto waiting = std::make_unique<QTemporaryDir>();
    std::optional<MailRegistration::Prepared> prepared;
    try {
        if (!waiting->isValid())
            throw MailRefusal{QStringLiteral("Impossibile creare una cartella temporanea per il messaggio.")};
        prepared = MailRegistration::prepare(waiting->path(), path, context().clock->today());
    } catch (const MailRefusal& refusal) {
        context().messages->warning(this, refusal.message);
        return;
    }
    // The message read well: now the typed work on screen is asked about, and a new card takes its place.
    if (!newCard())
        return;
    const RegisterCard& card = prepared->card;
    for (const F f : {F::Mittente, F::RecapitoMit, F::Oggetto, F::DataRic, F::Note, F::Copia})
        field(f)->setText(card.value(f));
    for (int i = 0; i < 3; ++i) {
        m_lblFiles.files[i] = card.value(F::File01 + i);
        m_lblFiles.descriptions[i] = card.value(F::Desc01 + i);
    }
    clearTypes();
    m_types[RegisterCardChecks::mailTypes().indexOf(card.value(F::Tipologia))]->setChecked(true);
    m_mail = std::move(prepared);
    m_mailWaiting = std::move(waiting);
    hints()->setText(QStringLiteral("Messaggio letto: completare categoria e ufficio, poi salvare la scheda."));
    field(F::Categoria)->setFocus(Qt::OtherFocusReason);
}

void RegisterWindow::dropWaitingMessage()
{
    m_mail.reset();
    m_mailWaiting.reset();
    m_mailKept.clear();
}

void RegisterWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void RegisterWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    // Handled once the drop is over, so the dragging program is not held while the window asks.
    QTimer::singleShot(0, this, [this, path] { takeMessage(path); });
}

bool RegisterWindow::readyToSave()
{
    struct Check
    {
        QWidget* focus;
        bool failed;
        const char* text;
    };
    const Check checks[] = {
        {field(F::Numero), Text::trimmed(field(F::Numero)->text()).isEmpty(),
         "Attenzione: per salvare la scheda è necessario indicare il numero di protocollo del documento."},
        {field(F::DataReg), Text::trimmed(field(F::DataReg)->text()).isEmpty(),
         "Attenzione: per salvare la scheda è necessario indicare la data di registrazione del documento."},
        {field(F::Categoria), Text::trimmed(field(F::Categoria)->text()).isEmpty(),
         "Attenzione: per salvare la scheda è necessario indicare la categoria del documento."},
        {field(F::Oggetto), Text::trimmed(field(F::Oggetto)->text()).isEmpty(),
         "Attenzione: per salvare la scheda è necessario indicare l'oggetto del documento."},
        {m_types[0], m_typeGroup->checkedId() < 0 && m_otherType.isEmpty(),
         "Attenzione: per salvare la scheda è necessario indicare la tipologia di posta (in entrata, in uscita o "
         "interna)."},
    };
    for (const Check& c : checks)
        if (c.failed) {
            context().messages->warning(this, QString::fromUtf8(c.text));
            c.focus->setFocus(Qt::OtherFocusReason);
            return false;
        }
    return true;
}

void RegisterWindow::attachDocuments()
{
    AttachmentsWindow dialog(context(), AttachmentsWindow::Mode::Register, m_lblFiles, this);
    if (dialog.exec() == QDialog::Accepted)
        m_lblFiles = dialog.attachments();
}

void RegisterWindow::editNumbering()
{
    const RegisterSettings settings(context().programFolder);
    RegisterNumbering current;
    if (!runGuarded(this, context().messages, [&] { current = settings.numberingFor(year(), currentYear()); }))
        return;
    NumberingWindow dialog(current, this, year());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const RegisterNumbering chosen = dialog.chosen();
    runGuarded(this, context().messages, [&] { settings.writeNumbering(chosen.start, chosen.yearSuffix, year()); });
}

void RegisterWindow::pickRegistrationDate()
{
    if (position() > 0)
        return;
    DatePickerWindow picker(context().clock->today(), this);
    if (picker.exec() == QDialog::Accepted)
        field(F::DataReg)->setText(picker.dateText());
    m_calendarClosed = true;
}

void RegisterWindow::attachCopy()
{
    field(F::Copia)->setText(AttachDocument(context(), this, field(F::Copia)->text()));
}

void RegisterWindow::openCopy()
{
    OpenAttachedDocument(context(), Text::trimmed(field(F::Copia)->text()));
}

void RegisterWindow::findCards()
{
    RegisterSearchWindow search(context(), m_lblFile, this);
    if (search.exec() == QDialog::Accepted)
        offerStored(search.chosenPosition(), search.chosenCard());
}

void RegisterWindow::printCard()
{
    // An annulled card prints with its annulment, as the window shows it.
    RegisterCardPrintWindow print(context(), cardOnScreen(), m_annulled ? m_lblAnnullata->text() : QString(), this);
    print.exec();
}

void RegisterWindow::showDailyRegister()
{
    DailyRegisterWindow daily(context(), m_lblFile, this);
    daily.exec();
}

void RegisterWindow::showSummary()
{
    RegisterSummaryWindow summary(context(), m_lblFile, this);
    summary.exec();
}

void RegisterWindow::exportRegister()
{
    RegisterExportWindow exporter(context(), m_lblFile, this);
    exporter.exec();
}

void RegisterWindow::showHelp()
{
    ShowHelp(this, context(), HelpTopics::mailRegister());
}
