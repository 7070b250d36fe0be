#include "printing/preview_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/pictures_gui.h"
#include "common/window_gui.h"
#include "printing/print_service.h"
#include "printing/report/report_painter.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

struct ZoomChoice
{
    const char* text;
    double factor; // 0: fit width, -1: whole page
};

const ZoomChoice kZoomChoices[] = {{"25%", 0.25}, {"50%", 0.5},  {"75%", 0.75},           {"100%", 1.0},
                                   {"150%", 1.5}, {"200%", 2.0}, {"Larghezza pagina", 0}, {"Pagina intera", -1}};

} // namespace

PreviewWindow::PreviewWindow(const PreparedReport& report, std::function<bool(QWidget*)> print,
                             const AppContext& context, QWidget* parent)
    : QDialog(parent), m_report(report), m_print(std::move(print)), m_context(context),
      m_printer(new QPrinter(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral("Anteprima di stampa - %1").arg(report.name));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowCloseButtonHint, true);

    m_printer->setFullPage(true);
    if (!report.pages.empty())
        m_printer->setPageLayout(ReportPainter::pageLayout(report.pages.front()));
    m_preview = new QPrintPreviewWidget(m_printer, this);
    m_preview->setObjectName(QStringLiteral("preview"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &PreviewWindow::paintPages);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const QList<PreviewButton>& buttons = report.preview.buttons;
    if (buttons.contains(PreviewButton::Print)) {
        QAction* action = toolbar->addAction(Pictures::icon(QStringLiteral("printing/print")), QStringLiteral("Stampa"));
        action->setObjectName(QStringLiteral("pbPrint"));
        action->setShortcut(QKeySequence(QLatin1String(Keyboard::kPrint)));
        action->setToolTip(Keyboard::tooltip(QStringLiteral("Stampa"), Keyboard::kPrint));
        connect(action, &QAction::triggered, this, &PreviewWindow::printPages);
    }
    {
        // Always there: also with no printer the user can send or print the pages elsewhere.
        QAction* action = toolbar->addAction(Pictures::icon(QStringLiteral("printing/save_pdf")), QStringLiteral("Salva PDF"));
        action->setObjectName(QStringLiteral("pbSalvaPdf"));
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        action->setToolTip(QStringLiteral("Salva PDF (Ctrl+Shift+S)"));
        connect(action, &QAction::triggered, this, &PreviewWindow::savePdf);
    }
    if (buttons.contains(PreviewButton::Zoom)) {
        m_zoom = new QComboBox(toolbar);
        m_zoom->setObjectName(QStringLiteral("pbZoom"));
        m_zoom->setToolTip(QStringLiteral("Ingrandimento"));
        for (const ZoomChoice& choice : kZoomChoices)
            m_zoom->addItem(QString::fromUtf8(choice.text));
        toolbar->addWidget(m_zoom);
        connect(m_zoom, &QComboBox::activated, this, &PreviewWindow::applyZoom);
    }
    if (buttons.contains(PreviewButton::FullScreen)) {
        QAction* action = toolbar->addAction(QStringLiteral("Schermo intero"));
        action->setObjectName(QStringLiteral("pbFullScreen"));
        action->setCheckable(true);
        action->setToolTip(QStringLiteral("Mostra l'anteprima a schermo intero"));
        connect(action, &QAction::toggled, this, &PreviewWindow::toggleFullScreen);
    }
    if (buttons.contains(PreviewButton::Close)) {
        QAction* action =
            toolbar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Chiudi"));
        action->setObjectName(QStringLiteral("pbClose"));
        action->setShortcut(QKeySequence(QLatin1String(Keyboard::kExit)));
        action->setToolTip(Keyboard::tooltip(QStringLiteral("Chiude l'anteprima"), Keyboard::kExit));
        connect(action, &QAction::triggered, this, &QDialog::reject);
    }

    addPageControls(toolbar);

    // Every command of the toolbar is reached by Tab as well.
    for (QAction* action : toolbar->actions())
        if (QWidget* button = toolbar->widgetForAction(action))
            button->setFocusPolicy(Qt::TabFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_preview, 1);

    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(report.preview.zoom);
    if (m_zoom) {
        for (int i = 0; i < m_zoom->count(); ++i)
            if (qFuzzyCompare(kZoomChoices[i].factor, report.preview.zoom))
                m_zoom->setCurrentIndex(i);
    }
    // The keyboard starts on the pages, where the arrows and Page Up/Down scroll them.
    if (auto* view = m_preview->findChild<QGraphicsView*>()) {
        m_preview->setFocusProxy(view);
        view->setAccessibleName(QStringLiteral("Pagine"));
    }
    m_preview->setFocus(Qt::OtherFocusReason);
    Keyboard::setUpWindow(this);
}

void PreviewWindow::addPageControls(QToolBar* toolbar)
{
    const int count = std::max(1, int(m_report.pages.size()));
    toolbar->addSeparator();
    m_lblPagina = new QLabel(toolbar);
    m_lblPagina->setObjectName(QStringLiteral("lblPagina"));
    m_lblPagina->setContentsMargins(8, 0, 8, 0);
    // Focusable, so that Tab lets a screen reader read where the pages stand.
    m_lblPagina->setFocusPolicy(Qt::TabFocus);
    toolbar->addWidget(m_lblPagina);

    auto* caption = new QLabel(QStringLiteral("&Vai alla pagina:"), toolbar);
    caption->setObjectName(QStringLiteral("lblVaiAPagina"));
    m_txtPagina = new QSpinBox(toolbar);
    m_txtPagina->setObjectName(QStringLiteral("txtPagina"));
    m_txtPagina->setRange(1, count);
    m_txtPagina->setKeyboardTracking(false); // "12" goes to page 12, not first to page 1
    Windows::describe(m_txtPagina, QStringLiteral("Vai alla pagina"),
                      QStringLiteral("Il numero della pagina da mostrare, da 1 a %1; Invio la mostra.").arg(count));
    caption->setBuddy(m_txtPagina);
    caption->setContentsMargins(0, 0, 4, 0);
    toolbar->addWidget(caption);
    toolbar->addWidget(m_txtPagina);
    connect(m_txtPagina, &QSpinBox::valueChanged, this, &PreviewWindow::goToPage);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &PreviewWindow::showCurrentPage);

    // Ctrl+Home and Ctrl+End wherever the focus is; Home and End on the pages, so the page field keeps its own.
    Keyboard::addShortcut(this, Keyboard::kFirst, [this] { goToPage(1); });
    Keyboard::addShortcut(this, Keyboard::kLast, [this] { goToPage(m_txtPagina->maximum()); });
    auto* home = new QShortcut(QKeySequence(Qt::Key_Home), m_preview);
    auto* end = new QShortcut(QKeySequence(Qt::Key_End), m_preview);
    for (QShortcut* shortcut : {home, end})
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(home, &QShortcut::activated, this, [this] { goToPage(1); });
    connect(end, &QShortcut::activated, this, [this] { goToPage(m_txtPagina->maximum()); });
    showCurrentPage();
}

void PreviewWindow::goToPage(int page)
{
    m_preview->setCurrentPage(page);
    showCurrentPage();
}

void PreviewWindow::showCurrentPage()
{
    const int count = m_txtPagina->maximum();
    const int page = std::clamp(m_preview->currentPage(), 1, count);
    const QString text = QStringLiteral("Pagina %1 di %2").arg(page).arg(count);
    m_lblPagina->setText(text);
    m_lblPagina->setAccessibleName(text);
    const QSignalBlocker blocker(m_txtPagina);
    m_txtPagina->setValue(page);
}

PreviewWindow::~PreviewWindow()
{
    delete m_preview; // it paints on the printer, so it goes first
    delete m_printer;
}

void PreviewWindow::run()
{
    Windows::fillScreen(this);
    exec();
    if (m_failure)
        std::rethrow_exception(m_failure);
}

void PreviewWindow::paintPages(QPrinter* printer)
{
    QPainter painter(printer);
    try {
        for (size_t i = 0; i < m_report.pages.size(); ++i) {
            if (i > 0)
                printer->newPage();
            ReportPainter::paintPage(painter, m_report.pages[i]);
        }
    } catch (...) {
        // The fonts were checked before the window opened; should painting still fail, the caller hears of it.
        m_failure = std::current_exception();
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
}

void PreviewWindow::printPages()
{
    try {
        if (m_print(this))
            m_printed = true;
    } catch (const NoPrinterError& error) {
        // Said here, and the preview stays open: "Salva PDF" is still there.
        m_context.messages->plain(this, error.message());
    } catch (...) {
        m_failure = std::current_exception();
        reject();
    }
}

QString PreviewWindow::suggestedPdfPath() const
{
    QString name = m_report.name.trimmed();
    name.replace(u'/', u'-').replace(u'\\', u'-');
    if (name.isEmpty())
        name = QStringLiteral("Documento");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

void PreviewWindow::savePdf()
{
    const QString path = m_context.saveFileChooser->chooseSaveFile(
        this, QStringLiteral("Salva PDF"), suggestedPdfPath(), QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    // The pages the preview shows, through the same painter; a failure is told and the preview stays open.
    if (runGuarded(this, m_context.messages, [this, &path] { ReportPainter::writePdf(m_report, path); }))
        m_context.messages->information(this, QStringLiteral("Il file PDF è stato salvato in \"%1\".")
                                                  .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
}

void PreviewWindow::applyZoom(int index)
{
    const double factor = kZoomChoices[index].factor;
    if (factor > 0) {
        m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_preview->setZoomFactor(factor);
    } else {
        m_preview->setZoomMode(factor == 0 ? QPrintPreviewWidget::FitToWidth : QPrintPreviewWidget::FitInView);
    }
}

void PreviewWindow::toggleFullScreen(bool on)
{
    if (on)
        showFullScreen();
    else
        showMaximized();
}
