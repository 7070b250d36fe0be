#include "app/launcher_window.h"

#include "common/app_context.h"
#include "common/colours.h"
#include "common/keyboard_gui.h"
#include "common/maker.h"
#include "common/picture_button_widget.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"
#include "help/help_gui.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollArea>

namespace {

struct Picture
{
    const char* name;
    const char* resource;
    QRect geometry; // inside the panel
    const char* accessibleName;
    const char* description;
};

// Application columns: a large picture and, below it, a button picture bound to the same action.
constexpr int kColumnLeft[] = {40, 367, 694};
constexpr int kColumnWidth = 261;

QRect bigPicture(int column)
{
    return {kColumnLeft[column], 180, kColumnWidth, 261};
}

QRect buttonPicture(int column)
{
    return {kColumnLeft[column], 466, kColumnWidth, 70};
}

} // namespace

LauncherWindow::LauncherWindow(const AppContext& context) : QWidget(nullptr, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("frmAvvio"));
    Windows::markMainWindow(this);
    setWindowTitle(QStringLiteral(" Plicario 3.0"));
    Windows::fillScreen(this);

    buildPanel();
    buildTitle();
    buildPictures();
    connectPictures();
    Keyboard::setUpWindow(this);
}

// The panel, centred on the gradient; on a screen smaller than the panel, scroll bars reach the rest.
void LauncherWindow::buildPanel()
{
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("panAvvio"));
    panel->setFixedSize(kPanelSize);
    panel->installEventFilter(this); // painted here: a style sheet would cost the start-up more
    m_panel = panel;
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->viewport()->setAutoFillBackground(false);
    auto* stage = new QWidget;
    auto* centring = new QGridLayout(stage);
    centring->setContentsMargins(0, 0, 0, 0);
    centring->addWidget(panel, 0, 0, Qt::AlignCenter);
    scroll->setWidget(stage);
    stage->setAutoFillBackground(false); // the gradient shows through
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void LauncherWindow::buildTitle()
{
    auto* title = new QLabel(m_panel);
    title->setObjectName(QStringLiteral("imgTitolo"));
    title->setAccessibleName(QStringLiteral("Plicario 3.0"));
    title->setGeometry(160, 18, 675, 120);
    m_title = title; // drawn when first shown
}

// The applications, help, about, copyright, web site and exit, each a picture on the panel.
void LauncherWindow::buildPictures()
{
    const Picture pictures[] = {
        {"imgApp01", "shell/app_addresses", bigPicture(0), "Archivio Indirizzi",
         "Apre l'archivio degli indirizzi: schede, stampa su busta ed esportazione."},
        {"btnApp01", "shell/button_addresses", buttonPicture(0), "Apri Archivio Indirizzi",
         "Apre l'archivio degli indirizzi."},
        {"imgApp02", "shell/app_labels", bigPicture(1), "Gestione Etichette",
         "Apre la gestione dei fogli A4 da 24 etichette."},
        {"btnApp02", "shell/button_labels", buttonPicture(1), "Apri Gestione Etichette",
         "Apre la gestione dei fogli di etichette."},
        {"imgApp03", "shell/app_register", bigPicture(2), "Protocollo Posta",
         "Apre il protocollo della posta in entrata, in uscita e interna."},
        {"btnApp03", "shell/button_register", buttonPicture(2), "Apri Protocollo Posta",
         "Apre il protocollo della posta."},
        {"imgInfo",
         "shell/info",
         {20, 20, 64, 64},
         "Informazioni su Plicario 3.0",
         "Mostra le informazioni sul programma e l'indirizzo di assistenza."},
        {"imgGuida", "shell/help", {911, 20, 64, 64}, "Guida", "Mostra la guida: uno sguardo a Plicario 3.0."},
        {"imgCopyright", "shell/copyright", {20, 608, 64, 64}, "Copyright", "Mostra le note di copyright."},
        {"imgSito",
         "shell/web_strip",
         {160, 614, 675, 52},
         "Sito web di Plicario",
         "Apre il sito web del produttore nel browser."},
        {"imgEsci", "shell/exit", {911, 608, 64, 64}, "Esci", "Chiude il programma."},
    };
    for (const Picture& p : pictures) {
        auto* button = new PictureButton(QString::fromLatin1(p.resource), QString::fromLatin1(p.name),
                                         QString::fromUtf8(p.accessibleName), m_panel);
        button->setGeometry(p.geometry);
        button->setAccessibleDescription(QString::fromUtf8(p.description));
        button->setToolTip(QString::fromUtf8(p.description));
    }
}

void LauncherWindow::connectPictures()
{
    auto on = [this](const char* name, auto action) {
        connect(findChild<PictureButton*>(QString::fromLatin1(name)), &PictureButton::clicked, this, action);
    };
    auto open = [this](Application application) {
        return [this, application] { Q_EMIT applicationRequested(application); };
    };
    on("imgApp01", open(Application::AddressArchive));
    on("btnApp01", open(Application::AddressArchive));
    on("imgApp02", open(Application::LabelSheets));
    on("btnApp02", open(Application::LabelSheets));
    on("imgApp03", open(Application::MailRegister));
    on("btnApp03", open(Application::MailRegister));
    on("imgGuida", [this] { showHelp(); });
    on("imgInfo", [this] { showAbout(); });
    on("imgCopyright", [this] { showCopyright(); });
    on("imgSito", [this] { openWebSite(); });
    on("imgEsci", [this] { close(); });
    Keyboard::setShortcut(findChild<PictureButton*>(QStringLiteral("imgGuida")), Keyboard::kHelp);
    Keyboard::setShortcut(findChild<PictureButton*>(QStringLiteral("imgEsci")), Keyboard::kExit);
}

void LauncherWindow::showHelp()
{
    ShowHelp(this, m_context, HelpTopics::launcher());
}

void LauncherWindow::showAbout()
{
    ShowAbout(this, m_context);
}

void LauncherWindow::showCopyright()
{
    ShowCopyright(this, m_context);
}

void LauncherWindow::openWebSite()
{
    // Whatever goes wrong, the desktop says so; the launcher reports nothing of its own.
    m_context.shell->open(Maker::kWebAddress);
}

void LauncherWindow::showEvent(QShowEvent* event)
{
    if (m_title->pixmap().isNull())
        m_title->setPixmap(Pictures::pixmap(QStringLiteral("shell/title"), m_title->size(), devicePixelRatioF()));
    QWidget::showEvent(event);
}

bool LauncherWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Paint) {
        QPainter painter(m_panel);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Colours::kPanelBorder);
        painter.setBrush(Colours::kPanelFill);
        painter.drawRoundedRect(QRectF(m_panel->rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LauncherWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, Colours::kSteelBlue);
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(rect(), gradient);
}

void LauncherWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    Q_EMIT closed();
}
