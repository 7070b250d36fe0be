#include "printing/address_sheet_preview_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"
#include "printing/label_stock_window.h"
#include "printing/print_service.h"
#include "printing/templates/label_page_template.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

AddressSheetPreviewWindow::AddressSheetPreviewWindow(const AppContext& context, const QStringList& addressLines,
                                                     QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_addressLines(addressLines),
      m_repDocumento(LabelPageTemplate::make(LabelPageTemplate::kSingleAddressName))
{
    setObjectName(QStringLiteral("frmAnteprima_Etichetta"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* info = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgInformazioni"));
    picture->setAccessibleName(QStringLiteral("Informazioni"));
    picture->setPixmap(Pictures::pixmap(QStringLiteral("addresses/preview"), QSize(64, 64), devicePixelRatioF()));
    auto* text = new QLabel(
        QStringLiteral("<p>L'operazione mostra a video i dati che appariranno in stampa: l'indirizzo corrente su "
                       "ognuna delle 24 etichette del foglio A4.</p>"
                       "<p>Fare clic su Mostra anteprima per vedere il documento prima di stamparlo su carta.</p>"));
    text->setObjectName(QStringLiteral("lblInformazioni"));
    text->setWordWrap(true);
    info->addWidget(picture, 0, Qt::AlignTop);
    info->addWidget(text, 1);
    layout->addLayout(info);

    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    auto* show = new QPushButton(QStringLiteral("Mostra anteprima"));
    show->setObjectName(QStringLiteral("btnStampa"));
    for (QPushButton* b : {cancel, show})
        b->setMinimumWidth(140);
    Keyboard::setShortcut(show, Keyboard::kPrint);
    Keyboard::setShortcut(cancel, Keyboard::kExit);
    buttons->addWidget(LabelStockWindow::makeOpenButton(m_context, this));
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(show);
    layout->addLayout(buttons);

    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(show, &QPushButton::clicked, this, &AddressSheetPreviewWindow::showPreview);
    setFixedSize(560, sizeHint().height());
    Keyboard::setUpWindow(this);
}

void AddressSheetPreviewWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Windows::centre(this, Windows::Over::Owner);
    QDialog::showEvent(event);
}

void AddressSheetPreviewWindow::showPreview()
{
    // Failures reach the default error report and the window stays open.
    const bool shown = runGuarded(this, m_context.messages, [this] {
        // The stock and offset as they are now: the settings window may just have changed them.
        m_repDocumento = LabelPageTemplate::make(LabelPageTemplate::kSingleAddressName, LabelSettings::load(m_context.programFolder));
        LabelPageTemplate::fill(m_repDocumento, [this](int, int line) { return m_addressLines.value(line - 1); });
        const PreparedReport pages = m_repDocumento.prepare(m_context.clock->today());
        m_context.printService->preview(this, pages);
    });
    if (shown)
        accept();
}
