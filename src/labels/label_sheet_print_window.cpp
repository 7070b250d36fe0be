#include "labels/label_sheet_print_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"
#include "labels/label_cut_lines.h"
#include "printing/label_stock_window.h"
#include "printing/print_service.h"
#include "printing/templates/label_page_template.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

struct ModeText
{
    const char* objectName;
    const char* caption;
    const char* picture;
    const char* information;
    const char* action;
    const char* actionName;
};

const ModeText kPrint = {
    "frmStampa_Etichette",
    " Stampa pagina etichette",
    "labels/sheet_print",
    "<p>L'operazione stampa su carta la pagina delle etichette corrente, con i dati inseriti dall'utente.</p>"
    "<p>Premere Stampa per avviare la stampa oppure Annulla per rinunciare.</p>",
    "Stampa",
    "Stampa la pagina delle etichette"};
const ModeText kPreview = {
    "frmAnteprima_Etichette",
    " Anteprima di stampa",
    "labels/sheet_preview",
    "<p>L'operazione mostra a video i dati che appariranno in stampa: le 24 etichette della pagina corrente.</p>"
    "<p>Fare clic su Mostra anteprima per vedere il documento prima di stamparlo su carta.</p>",
    "Mostra anteprima",
    "Mostra l'anteprima della pagina delle etichette"};

} // namespace

LabelSheetPrintWindow::LabelSheetPrintWindow(const AppContext& context, Mode mode, const LabelSheet& onScreen,
                                             QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_mode(mode), m_sheet(onScreen),
      m_repDocumento(LabelPageTemplate::make())
{
    const ModeText& text = mode == Mode::Print ? kPrint : kPreview;
    setObjectName(QLatin1String(text.objectName));
    setWindowTitle(QLatin1String(text.caption));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* info = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgInformazioni"));
    picture->setAccessibleName(QStringLiteral("Informazioni"));
    picture->setPixmap(Pictures::pixmap(QLatin1String(text.picture), QSize(64, 64), devicePixelRatioF()));
    auto* words = new QLabel(QString::fromUtf8(text.information));
    words->setObjectName(QStringLiteral("lblInformazioni"));
    words->setWordWrap(true);
    info->addWidget(picture, 0, Qt::AlignTop);
    info->addWidget(words, 1);
    layout->addLayout(info);

    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    auto* action = new QPushButton(QString::fromUtf8(text.action));
    action->setObjectName(QStringLiteral("btnStampa"));
    action->setAccessibleName(QString::fromUtf8(text.actionName));
    for (QPushButton* b : {cancel, action})
        b->setMinimumWidth(140);
    Keyboard::setShortcut(action, Keyboard::kPrint);
    Keyboard::setShortcut(cancel, Keyboard::kExit);
    buttons->addWidget(LabelStockWindow::makeOpenButton(m_context, this));
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(action);
    layout->addLayout(buttons);

    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(action, &QPushButton::clicked, this, &LabelSheetPrintWindow::run);
    action->setFocus(Qt::OtherFocusReason);
    setFixedSize(560, sizeHint().height());
    Keyboard::setUpWindow(this);
}

void LabelSheetPrintWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Windows::centre(this, Windows::Over::Owner);
    QDialog::showEvent(event);
}

void LabelSheetPrintWindow::run()
{
    // Failures reach the default error report and the window stays open; a cancelled print dialog closes it too.
    bool stay = false;
    const bool done = runGuarded(this, m_context.messages, [this, &stay] {
        // The stock and offset as they are now: the settings window may just have changed them.
        m_repDocumento =
            LabelPageTemplate::make(LabelPageTemplate::kSheetName, LabelSettings::load(m_context.programFolder));
        LabelPageTemplate::fill(m_repDocumento, [this](int slot, int line) { return m_sheet.line(slot, line); });
        const PreparedReport pages = m_repDocumento.prepare(m_context.clock->today());
        std::vector<LabelCutLines::Place> cut;
        LabelCutLines::find(pages.pages.front(), 0, cut);
        if (!LabelCutLines::mayGoOn(*m_context.messages, this, cut)) {
            stay = true;
            return;
        }
        if (m_mode == Mode::Print)
            m_context.printService->print(this, pages);
        else
            m_context.printService->preview(this, pages);
    });
    if (done && !stay)
        accept();
}
