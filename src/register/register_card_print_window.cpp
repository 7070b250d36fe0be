#include "register/register_card_print_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "common/window_gui.h"
#include "printing/print_service.h"
#include "printing/templates/register_card_template.h"
#include "register/register_report_pictures_gui.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

RegisterCardPrintWindow::RegisterCardPrintWindow(const AppContext& context, const RegisterCard& onScreen,
                                                 const QString& annulment, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_card(onScreen), m_annulment(annulment),
      m_repDocumento(RegisterCardTemplate::make())
{
    setObjectName(QStringLiteral("frmStampaProtocollo"));
    setWindowTitle(QStringLiteral(" Stampa scheda"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    auto* imgStampa = new QLabel;
    imgStampa->setObjectName(QStringLiteral("imgStampa"));
    imgStampa->setAccessibleName(QStringLiteral("Stampante"));
    imgStampa->setPixmap(registerReportPicture(QStringLiteral("card_print")).pixmap(96, 96));
    auto* text = new QLabel(QStringLiteral("Stampa della scheda protocollo visualizzata, su un foglio A4."));
    text->setWordWrap(true);
    body->addWidget(imgStampa);
    body->addWidget(text, 1);
    layout->addLayout(body);

    auto* buttons = new QHBoxLayout;
    auto* btnStampa = new QPushButton(QStringLiteral("Stampa"));
    btnStampa->setObjectName(QStringLiteral("btnStampa"));
    Windows::describe(btnStampa, btnStampa->text(), QStringLiteral("Stampa la scheda e chiude la finestra."));
    Keyboard::setShortcut(btnStampa, Keyboard::kPrint);
    auto* btnAnnulla = new QPushButton(QStringLiteral("Annulla"));
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    Windows::describe(btnAnnulla, btnAnnulla->text(), QStringLiteral("Chiude la finestra senza stampare."));
    Keyboard::setShortcut(btnAnnulla, Keyboard::kExit);
    for (QPushButton* b : {btnStampa, btnAnnulla})
        b->setMinimumWidth(110);
    buttons->addStretch();
    buttons->addWidget(btnStampa);
    buttons->addWidget(btnAnnulla);
    layout->addLayout(buttons);

    connect(btnStampa, &QPushButton::clicked, this, &RegisterCardPrintWindow::print);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(420, 190);
    Keyboard::setUpWindow(this);
}

void RegisterCardPrintWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Windows::centre(this, Windows::Over::Owner);
    QDialog::showEvent(event);
}

void RegisterCardPrintWindow::print()
{
    // Print failures reach the default error report and leave the window open.
    const bool printed = runGuarded(this, m_context.messages, [this] {
        RegisterCardTemplate::fill(
            m_repDocumento,
            [this](const QString& valueName) {
                // The value objects carry the register window's field names: txtNumero shows Numero.
                return m_card.value(RegisterCard::fieldIndex(QStringView(valueName).mid(3)));
            },
            QDateTime(m_context.clock->today(), m_context.clock->now()), m_annulment);
        const PreparedReport pages = m_repDocumento.prepare(m_context.clock->today());
        m_context.printService->print(this, pages);
    });
    if (printed)
        accept();
}
