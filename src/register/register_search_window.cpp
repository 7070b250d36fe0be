#include "register/register_search_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/errors.h"
#include "common/focus_frame_widget.h"
#include "common/keyboard_gui.h"
#include "common/line_list_widget.h"
#include "common/messages.h"
#include "common/window_gui.h"
#include "printing/print_service.h"
#include "printing/templates/list_template.h"
#include "register/register_report_pictures_gui.h"
#include "register/register_search.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

struct FilterSpec
{
    const char* name; // the edit; its focus frame is "eff" + the rest
    const char* label;
    RegisterCard::Field field;
};

// In the order of the Enter ring.
constexpr FilterSpec kFilters[] = {
    {"txtNumero", "N. protocollo:", RegisterCard::Numero},
    {"txtTipologia", "Tipologia posta (in entrata, in uscita, interna):", RegisterCard::Tipologia},
    {"txtDataReg", "Data registrazione (gg/mm/aaaa):", RegisterCard::DataReg},
    {"txtOperatore", "Operatore:", RegisterCard::Operatore},
    {"txtCategoria", "Categoria:", RegisterCard::Categoria},
    {"txtOggetto", "Oggetto:", RegisterCard::Oggetto},
    {"txtMittente", "Mittente:", RegisterCard::Mittente},
    {"txtDestinatario", "Destinatario:", RegisterCard::Destinatario},
    {"txtRiferimenti", "Riferimenti:", RegisterCard::Riferimenti},
    {"txtNote", "Note:", RegisterCard::Note},
};

QPushButton* makeButton(const QString& objectName, const QString& text, const QString& accessibleName,
                        const QString& description, const char* keys)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    Windows::describe(button, accessibleName, description);
    Keyboard::setShortcut(button, keys);
    button->setMinimumWidth(110);
    return button;
}

} // namespace

RegisterSearchWindow::RegisterSearchWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_yearFilePath(yearFilePath),
      m_frxReport(ListTemplate::make())
{
    setObjectName(QStringLiteral("frmTrovaProtocollo"));
    setWindowTitle(QStringLiteral(" Trova documenti protocollati"));
    setModal(true);

    m_panels = new QStackedWidget;
    m_panAvvio = makeFilterPanel();
    m_panContainer = makeResultPanel();
    m_panels->addWidget(m_panAvvio);
    m_panels->addWidget(m_panContainer);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panels);

    setFixedSize(1000, 660);
    Keyboard::setUpWindow(this);
}

QWidget* RegisterSearchWindow::makeFilterPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("panAvvio"));
    auto* layout = new QVBoxLayout(panel);

    auto* heading = new QHBoxLayout;
    auto* imgTitolo = new QLabel;
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    imgTitolo->setAccessibleName(QStringLiteral("Ricerca nel protocollo"));
    imgTitolo->setPixmap(registerReportPicture(QStringLiteral("search_title")).pixmap(72, 72));
    auto* intro = new QLabel(QStringLiteral("Compilare uno o più campi e premere Cerca: sono elencate le schede "
                                            "che contengono tutti i testi indicati, senza distinzione tra "
                                            "maiuscole e minuscole."));
    intro->setWordWrap(true);
    auto* imgFiltri = new QLabel;
    imgFiltri->setObjectName(QStringLiteral("imgFiltri"));
    imgFiltri->setAccessibleName(QStringLiteral("Filtri di ricerca"));
    imgFiltri->setPixmap(registerReportPicture(QStringLiteral("search_filters")).pixmap(72, 72));
    heading->addWidget(imgTitolo);
    heading->addWidget(intro, 1);
    heading->addWidget(imgFiltri);
    layout->addLayout(heading);
    layout->addLayout(makeFilterForm(panel));
    layout->addStretch();
    makeWaitNotice();
    layout->addWidget(m_lblAttendere);

    auto* buttons = new QHBoxLayout;
    QPushButton* btnCerca =
        makeButton(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QStringLiteral("Cerca"),
                   QStringLiteral("Elenca le schede dell'anno che soddisfano i filtri."), Keyboard::kFind);
    // Each panel has its own Ctrl+F and Esc: a hidden button's key does nothing.
    QPushButton* btnAnnulla =
        makeButton(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), QStringLiteral("Chiudi"),
                   QStringLiteral("Chiude la ricerca senza richiamare nessuna scheda."), Keyboard::kExit);
    buttons->addStretch();
    buttons->addWidget(btnCerca);
    buttons->addWidget(btnAnnulla);
    layout->addLayout(buttons);

    // The wait text shows from the moment the button goes down, before the search holds the window.
    connect(btnCerca, &QPushButton::pressed, this, [this] {
        m_lblAttendere->show();
        m_lblAttendere->repaint();
    });
    connect(btnCerca, &QPushButton::clicked, this, &RegisterSearchWindow::search);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

QLayout* RegisterSearchWindow::makeFilterForm(QWidget* panel)
{
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(9);
    QFont bold = font();
    bold.setBold(true);
    for (const FilterSpec& spec : kFilters) {
        const QString label = QString::fromUtf8(spec.label);
        auto* caption = new QLabel(label);
        auto* edit = new QLineEdit(panel);
        const QString name = QString::fromLatin1(spec.name);
        edit->setObjectName(name);
        edit->setFont(bold);
        edit->setMaxLength(RegisterCard::fields()[spec.field].width);
        edit->setAccessibleName(label.chopped(1));
        edit->setAccessibleDescription(QStringLiteral("Testo da cercare in questo campo delle schede; "
                                                      "lasciato vuoto, non limita la ricerca."));
        caption->setBuddy(edit);
        const int row = int(m_filters.size());
        form->addWidget(caption, row, 0);
        form->addWidget(edit, row, 1);
        new FocusFrame(edit, QStringLiteral("eff") + name.mid(3));
        m_filters.append(edit);
    }
    for (qsizetype i = 0; i < m_filters.size(); ++i) {
        QLineEdit* next = m_filters[(i + 1) % m_filters.size()];
        connect(m_filters[i], &QLineEdit::returnPressed, next, [next] { next->setFocus(Qt::TabFocusReason); });
    }
    return form;
}

void RegisterSearchWindow::makeWaitNotice()
{
    m_lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."));
    m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    m_lblAttendere->setAlignment(Qt::AlignCenter);
    QFont waitFont = font();
    waitFont.setBold(true);
    waitFont.setPointSize(waitFont.pointSize() + 2);
    m_lblAttendere->setFont(waitFont);
    // Keeps its room while hidden, so showing it moves nothing.
    QSizePolicy keepRoom = m_lblAttendere->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_lblAttendere->setSizePolicy(keepRoom);
    m_lblAttendere->hide();
}

QWidget* RegisterSearchWindow::makeResultPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("panContainer"));
    auto* layout = new QVBoxLayout(panel);

    auto* searchRow = new QHBoxLayout;
    m_txtTrova = new QLineEdit;
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setAccessibleName(QStringLiteral("Testo da cercare nell'elenco"));
    m_txtTrova->setAccessibleDescription(
        QStringLiteral("Premere Trova per selezionare la prima voce che lo contiene, di nuovo per la successiva."));
    m_txtTrova->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    m_btnTrova =
        makeButton(QStringLiteral("btnTrova"), QStringLiteral("Trova"), QStringLiteral("Trova"),
                   QStringLiteral("Seleziona la voce successiva che contiene il testo indicato."), Keyboard::kFind);
    searchRow->addWidget(m_txtTrova, 1);
    searchRow->addWidget(m_btnTrova);
    layout->addLayout(searchRow);

    m_lstRecords = new LineListWidget;
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setAccessibleName(QStringLiteral("Documenti trovati"));
    m_lstRecords->setAccessibleDescription(
        QStringLiteral("Doppio clic o Invio su una voce per richiamare la scheda nel protocollo."));
    m_lstRecords->installEventFilter(this);
    layout->addWidget(m_lstRecords, 1);

    auto* instruction = new QHBoxLayout;
    auto* imgIstruzioni = new QLabel;
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setAccessibleName(QStringLiteral("Doppio clic su una voce"));
    imgIstruzioni->setPixmap(registerReportPicture(QStringLiteral("instructions")).pixmap(32, 32));
    auto* lblIstruzioni = new QLabel(QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"));
    lblIstruzioni->setObjectName(QStringLiteral("lblIstruzioni"));
    QPalette crimson = lblIstruzioni->palette();
    crimson.setColor(QPalette::WindowText, Colours::kCrimson);
    lblIstruzioni->setPalette(crimson);
    instruction->addWidget(imgIstruzioni);
    instruction->addWidget(lblIstruzioni, 1);
    layout->addLayout(instruction);

    auto* foot = new QHBoxLayout;
    m_lblTrovate = new QLabel(RegisterSearch::countText(0));
    m_lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
    QPushButton* btnStampa =
        makeButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QStringLiteral("Stampa elenco"),
                   QStringLiteral("Stampa l'elenco dei documenti trovati."), Keyboard::kPrint);
    QPushButton* btnChiudi = makeButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QStringLiteral("Chiudi"),
                                        QStringLiteral("Chiude la ricerca."), Keyboard::kExit);
    QPushButton* btnNuovaRicerca =
        makeButton(QStringLiteral("btnNuovaRicerca"), QStringLiteral("Nuova ricerca"), QStringLiteral("Nuova ricerca"),
                   QStringLiteral("Torna ai filtri, come sono stati compilati, per cercare di nuovo."), Keyboard::kNew);
    foot->addWidget(m_lblTrovate, 1);
    foot->addWidget(btnNuovaRicerca);
    foot->addWidget(btnStampa);
    foot->addWidget(btnChiudi);
    layout->addLayout(foot);

    connect(m_txtTrova, &QLineEdit::returnPressed, m_btnTrova, [this] { m_btnTrova->setFocus(Qt::TabFocusReason); });
    connect(m_btnTrova, &QPushButton::clicked, this, &RegisterSearchWindow::find);
    connect(m_lstRecords, &LineListWidget::rowDoubleClicked, this, &RegisterSearchWindow::loadSelectedCard);
    connect(btnNuovaRicerca, &QPushButton::clicked, this, &RegisterSearchWindow::showFilters);
    connect(btnStampa, &QPushButton::clicked, this, &RegisterSearchWindow::printList);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

void RegisterSearchWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Windows::centre(this, Windows::Over::Screen);
        m_finder.reset();
        m_lstRecords->setCurrentRow(0);
        m_txtTrova->clear();
        m_filters.first()->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void RegisterSearchWindow::done(int result)
{
    m_lstRecords->setLines({});
    m_lblAttendere->hide();
    QDialog::done(result);
}

bool RegisterSearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a line chooses it, as a double click does.
    if (watched == m_lstRecords && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_lstRecords->currentRow() >= 0) {
            loadSelectedCard();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RegisterSearchWindow::search()
{
    RegisterSearch::Filter filter;
    for (qsizetype i = 0; i < m_filters.size(); ++i)
        filter.set(kFilters[i].field, m_filters[i]->text());
    QList<ListEntry> found;
    try {
        found = RegisterSearch::search(m_yearFilePath, filter);
    } catch (...) {
        m_lblAttendere->hide();
        m_context.messages->plain(this, Errors::kArchiveAccess);
        return;
    }
    m_lstRecords->setLines(ListOrder::lines(found));
    m_lblTrovate->setText(RegisterSearch::countText(found.size()));
    m_panels->setCurrentWidget(m_panContainer);
    m_txtTrova->clear();
    m_txtTrova->setFocus(Qt::OtherFocusReason);
}

void RegisterSearchWindow::showFilters()
{
    // The filters keep their text, so a search can be narrowed or widened; the old list goes.
    m_lblAttendere->hide();
    m_lstRecords->setLines({});
    m_lblTrovate->setText(RegisterSearch::countText(0));
    m_finder.reset();
    m_txtTrova->clear();
    m_panels->setCurrentWidget(m_panAvvio);
    m_filters.first()->setFocus(Qt::OtherFocusReason);
}

void RegisterSearchWindow::find()
{
    const FindInList::Result r = m_finder.find(m_lstRecords->lines(), m_txtTrova->text(), m_lstRecords->currentRow());
    if (r.outcome == FindInList::EmptyList)
        m_context.messages->plain(this, FindInList::kEmptyListMessage);
    else
        m_lstRecords->setCurrentRow(r.select);
}

void RegisterSearchWindow::loadSelectedCard()
{
    const QString line = m_lstRecords->currentLine();
    std::optional<RegisterSearch::Match> match;
    if (!line.isEmpty()) {
        try {
            match = RegisterSearch::lastCardWithLine(m_yearFilePath, line);
        } catch (...) {
            // A card that cannot be read closes the search without a message; the register keeps its card.
        }
    }
    if (!match) {
        reject();
        return;
    }
    m_chosenPosition = match->number;
    m_chosenCard = match->card;
    accept();
}

void RegisterSearchWindow::printList()
{
    // Print failures reach the default error report; the window stays open.
    runGuarded(this, m_context.messages, [this] {
        ListTemplate::fill(m_frxReport, QStringLiteral("Riepilogo documenti protocollati"), m_lstRecords->lines());
        const PreparedReport pages = m_frxReport.prepare(m_context.clock->today());
        m_context.printService->print(this, pages);
    });
}
