#include "addresses/address_finder_window.h"

#include "addresses/address_list_line.h"
#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/keyboard_gui.h"
#include "common/line_list_widget.h"
#include "common/messages.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"
#include "printing/print_service.h"
#include "printing/templates/list_template.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

AddressFinderWindow::AddressFinderWindow(const AppContext& context, CardSink loadCard, QWidget* owner)
    : AddressFinderWindow(context, QStringLiteral("frmTrovaIndirizzi"), QStringLiteral(" Trova schede in archivio"),
                          std::move(loadCard), owner)
{
}

AddressFinderWindow::AddressFinderWindow(const AppContext& context, const QString& objectName, const QString& caption,
                                         CardSink loadCard, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_loadCard(std::move(loadCard)),
      m_frxReport(ListTemplate::make())
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeInstructions());

    auto* searchRow = new QHBoxLayout;
    m_txtTrova = new QLineEdit;
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setAccessibleName(QStringLiteral("Testo da cercare"));
    m_txtTrova->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    auto* btnTrova = new QPushButton(QStringLiteral("Trova"));
    btnTrova->setObjectName(QStringLiteral("btnTrova"));
    searchRow->addWidget(m_txtTrova, 1);
    searchRow->addWidget(btnTrova);
    layout->addLayout(searchRow);

    m_lstRecords = new LineListWidget;
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setAccessibleName(QStringLiteral("Schede in archivio"));
    layout->addWidget(m_lstRecords, 1);

    auto* hint = new QLabel(QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"));
    hint->setObjectName(QStringLiteral("lblSuggerimento"));
    hint->setAlignment(Qt::AlignCenter);
    QPalette hintPalette = hint->palette();
    hintPalette.setColor(QPalette::WindowText, Colours::kCrimson);
    hint->setPalette(hintPalette);
    layout->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    auto* btnStampa = new QPushButton(QStringLiteral("Stampa"));
    btnStampa->setObjectName(QStringLiteral("btnStampa"));
    btnStampa->setAccessibleName(QStringLiteral("Stampa elenco"));
    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"));
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    buttons->addStretch();
    buttons->addWidget(btnStampa);
    buttons->addWidget(btnChiudi);
    layout->addLayout(buttons);
    for (QPushButton* b : {btnTrova, btnStampa, btnChiudi})
        b->setMinimumWidth(110);
    Keyboard::setShortcut(btnTrova, Keyboard::kFind);
    Keyboard::setShortcut(btnStampa, Keyboard::kPrint);
    Keyboard::setShortcut(btnChiudi, Keyboard::kExit);

    connect(m_txtTrova, &QLineEdit::returnPressed, btnTrova, [btnTrova] { btnTrova->setFocus(Qt::OtherFocusReason); });
    connect(btnTrova, &QPushButton::clicked, this, &AddressFinderWindow::find);
    connect(m_lstRecords, &LineListWidget::rowDoubleClicked, this, &AddressFinderWindow::loadSelectedCard);
    connect(btnStampa, &QPushButton::clicked, this, &AddressFinderWindow::printList);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(900, 600);
    Keyboard::setUpWindow(this);
}

QLayout* AddressFinderWindow::makeInstructions()
{
    auto* instructions = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgIstruzioni"));
    picture->setAccessibleName(QStringLiteral("Istruzioni per la ricerca"));
    picture->setPixmap(Pictures::pixmap(QStringLiteral("addresses/find"), QSize(40, 40), devicePixelRatioF()));
    auto* instructionText =
        new QLabel(QStringLiteral("Scrivere una o più parole consecutive della voce da cercare e premere Trova. "
                                  "Premere di nuovo Trova per passare alla voce successiva con la stessa chiave."));
    instructionText->setWordWrap(true);
    instructions->addWidget(picture);
    instructions->addWidget(instructionText, 1);
    return instructions;
}

void AddressFinderWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Windows::centre(this, Windows::Over::Screen);
        fillList();
    }
    QDialog::showEvent(event);
}

void AddressFinderWindow::done(int result)
{
    m_lstRecords->setLines({});
    QDialog::done(result);
}

void AddressFinderWindow::fillList()
{
    m_txtTrova->clear();
    m_finder.reset();
    QList<ListEntry> entries;
    try {
        entries = AddressList::load(m_context.programFolder);
    } catch (...) {
        // An unreadable archive lists nothing, without a message.
    }
    m_lstRecords->setLines(ListOrder::lines(entries));
    m_txtTrova->setFocus(Qt::OtherFocusReason);
}

void AddressFinderWindow::find()
{
    const FindInList::Result r = m_finder.find(m_lstRecords->lines(), m_txtTrova->text(), m_lstRecords->currentRow());
    if (r.outcome == FindInList::EmptyList)
        m_context.messages->plain(this, FindInList::kEmptyListMessage);
    else
        m_lstRecords->setCurrentRow(r.select);
}

void AddressFinderWindow::loadSelectedCard()
{
    const QString line = m_lstRecords->currentLine();
    if (!line.isEmpty()) {
        try {
            if (const auto match = AddressList::lastCardWithLine(m_context.programFolder, line))
                m_loadCard(match->number, match->card);
        } catch (...) {
            // A card that cannot be read closes the finder without a message.
        }
    }
    accept();
}

void AddressFinderWindow::printList()
{
    // Print failures reach the default error report; the finder stays open.
    runGuarded(this, m_context.messages, [this] {
        ListTemplate::fill(m_frxReport, QStringLiteral("Riepilogo etichette in archivio"), m_lstRecords->lines());
        const PreparedReport pages = m_frxReport.prepare(m_context.clock->today());
        m_context.printService->print(this, pages);
    });
}
