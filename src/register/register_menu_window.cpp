#include "register/register_menu_window.h"

#include "common/app_context.h"
#include "common/colours.h"
#include "common/focus_frame_widget.h"
#include "common/hint_line_gui.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/picture_button_widget.h"
#include "common/pictures_gui.h"
#include "common/text.h"
#include "common/window_gui.h"
#include "help/help_gui.h"
#include "register/register_card.h"
#include "register/register_pictures_gui.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const QString kShortYear = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
const QString kCaption = QStringLiteral(" Plicario 3.0 - Protocollo Posta");

QLabel* introduction()
{
    auto* intro = new QLabel(QStringLiteral(
        "In questo ambiente è possibile protocollare i documenti interni e la posta in entrata e in uscita."));
    intro->setObjectName(QStringLiteral("lblIntroduzione"));
    intro->setWordWrap(true);
    QFont introFont = intro->font();
    introFont.setPointSize(introFont.pointSize() + 2);
    intro->setFont(introFont);
    return intro;
}

} // namespace

RegisterMenuWindow::RegisterMenuWindow(const AppContext& context, QWidget* parent)
    : ApplicationWindow(QStringLiteral("frmMenuProtocollo"), kCaption, parent), m_context(context)
{
    m_hints = new HintLine(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Colours::kWindowBackground);
    setPalette(pal);

    QWidget* panel = buildPanel();
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    auto* centre = new QGridLayout;
    centre->addWidget(panel, 0, 0, Qt::AlignCenter);
    page->addLayout(centre, 1);
    page->addWidget(m_hints->label());
    // Made once the field sits in the window: the frame is its sibling.
    new FocusFrame(m_txtAnno, QStringLiteral("effAnnoPreventivi"));
    m_hints->addBackground(this);
    m_hints->addBackground(panel);

    setTabOrder(m_txtAnno, m_btnApri);
    setTabOrder(m_btnApri, m_imgGuida);
    setTabOrder(m_imgGuida, m_imgEsci);
    Keyboard::setUpWindow(this);
}

// The panel in the middle of the window: the title with help and exit, the introduction, the year to open.
QWidget* RegisterMenuWindow::buildPanel()
{
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("panMenu"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, Colours::kToolbarStrip);
    panel->setPalette(panelPalette);
    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(32, 24, 32, 24);
    inner->setSpacing(16);
    inner->addLayout(buildHeading());
    inner->addWidget(introduction());
    inner->addLayout(buildYearChoice());
    return panel;
}

QLayout* RegisterMenuWindow::buildHeading()
{
    auto* heading = new QHBoxLayout;
    heading->addWidget(registerPicture(QStringLiteral("imgTitolo"), QStringLiteral("title"), QSize(540, 96),
                                       QStringLiteral("Protocollo Posta")));
    heading->addStretch();
    m_imgGuida =
        new PictureButton(QStringLiteral("register/help"), QStringLiteral("imgGuida"), QStringLiteral("Guida"));
    m_imgEsci = new PictureButton(QStringLiteral("register/exit"), QStringLiteral("imgEsci"), QStringLiteral("Esci"));
    for (PictureButton* b : {m_imgGuida, m_imgEsci}) {
        b->setFixedSize(56, 56);
        heading->addWidget(b, 0, Qt::AlignTop);
    }
    Windows::describe(m_imgGuida, QStringLiteral("Guida"), QStringLiteral("Visualizza la guida in linea."));
    Windows::describe(m_imgEsci, QStringLiteral("Esci"), QStringLiteral("Torna alla schermata di avvio."));
    Keyboard::setShortcut(m_imgGuida, Keyboard::kHelp);
    Keyboard::setShortcut(m_imgEsci, Keyboard::kExit);
    m_hints->addButton(m_imgGuida);
    m_hints->addButton(m_imgEsci);
    connect(m_imgGuida, &PictureButton::clicked, this,
            [this] { ShowHelp(this, m_context, HelpTopics::mailRegister()); });
    connect(m_imgEsci, &PictureButton::clicked, this, &QWidget::close);
    return heading;
}

// The year to open: a calendar picture beside the caption, the field and "Apri".
QLayout* RegisterMenuWindow::buildYearChoice()
{
    auto* archive = new QGridLayout;
    archive->setHorizontalSpacing(16);
    archive->setVerticalSpacing(8);
    archive->addWidget(registerPicture(QStringLiteral("imgAnno"), QStringLiteral("year"), QSize(96, 96),
                                       QStringLiteral("Anno solare")),
                       0, 0, 2, 1);
    auto* archiveLabel = new QLabel(QStringLiteral("Archivio protocollo documenti:"));
    QFont bold = archiveLabel->font();
    bold.setBold(true);
    archiveLabel->setFont(bold);
    archive->addWidget(archiveLabel, 0, 1, 1, 3, Qt::AlignBottom);
    auto* yearLabel = new QLabel(QStringLiteral("Anno:"));
    yearLabel->setFont(bold);
    archive->addWidget(yearLabel, 1, 1, Qt::AlignTop | Qt::AlignLeft);
    m_txtAnno = new QLineEdit;
    archive->addWidget(m_txtAnno, 1, 2, Qt::AlignTop);
    m_txtAnno->setObjectName(QStringLiteral("txtAnnoPreventivi"));
    QFont yearFont = m_txtAnno->font();
    yearFont.setBold(true);
    yearFont.setPointSize(14);
    m_txtAnno->setFont(yearFont);
    m_txtAnno->setAlignment(Qt::AlignCenter);
    m_txtAnno->setFixedWidth(110);
    // Four digits at most and nothing else, typed or pasted. No maximum length on the field: it would cut a pasted
    // text to four characters before the check sees it, and "2024.prt" would slip in as 2024.
    m_txtAnno->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_txtAnno));
    m_txtAnno->setAccessibleName(QStringLiteral("Anno"));
    m_txtAnno->setAccessibleDescription(QStringLiteral("Anno solare dell'archivio da aprire, di quattro cifre."));
    yearLabel->setBuddy(m_txtAnno);
    m_btnApri = new QPushButton(QStringLiteral("Apri"));
    m_btnApri->setObjectName(QStringLiteral("btnApriPreventivi"));
    m_btnApri->setMinimumWidth(110);
    m_btnApri->setMinimumHeight(m_txtAnno->sizeHint().height());
    Windows::describe(m_btnApri, QStringLiteral("Apri"), QStringLiteral("Apre il protocollo dell'anno indicato."));
    archive->addWidget(m_btnApri, 1, 3, Qt::AlignTop | Qt::AlignLeft);
    archive->setColumnStretch(3, 1);
    m_hints->addButton(m_btnApri);
    connect(m_btnApri, &QPushButton::clicked, this, &RegisterMenuWindow::openYear);
    connect(m_txtAnno, &QLineEdit::returnPressed, m_btnApri, [this] { m_btnApri->setFocus(Qt::TabFocusReason); });
    return archive;
}

void RegisterMenuWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        // A year typed earlier is not remembered: each showing starts from this year.
        m_txtAnno->setText(m_context.clock->today().toString(QStringLiteral("yyyy")));
        m_lblMemory = ExitTarget::Launcher;
        m_txtAnno->setFocus(Qt::OtherFocusReason);
    }
    ApplicationWindow::showEvent(event);
}

void RegisterMenuWindow::openYear()
{
    const QString year = Text::trimmed(m_txtAnno->text());
    if (m_txtAnno->text().size() != 4 || !RegisterYear::isValid(year)) {
        m_context.messages->warning(this, kShortYear);
        m_txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_yearFilePath = RegisterYear::filePath(m_context.programFolder, year);
    m_caption = kCaption + QStringLiteral(" anno ") + year;
    m_lblMemory = ExitTarget::Register;
    close();
}

void RegisterMenuWindow::closeEvent(QCloseEvent* event)
{
    // Not ApplicationWindow's: only the way back to the launcher announces closed().
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (m_lblMemory == ExitTarget::Register)
        Q_EMIT yearOpened(m_yearFilePath, m_caption);
    else
        Q_EMIT closed();
}
