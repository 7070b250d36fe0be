#include "labels/compose_labels_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/errors.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/window_gui.h"
#include "labels/label_cut_lines.h"
#include "labels/label_pages.h"
#include "printing/label_settings.h"
#include "printing/label_stock_window.h"
#include "printing/print_service.h"
#include "printing/report/report_painter.h"
#include "printing/templates/label_page_template.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kNothing = QStringLiteral("Nessuna scheda dell'archivio degli indirizzi corrisponde alla scelta.");

QString summary(const LabelCompose::Plan& plan)
{
    QString text =
        plan.cardCount() == 1 ? QStringLiteral("1 scheda") : QStringLiteral("%1 schede").arg(plan.cardCount());
    text += plan.sheetCount() == 1 ? QStringLiteral(", 1 foglio") : QStringLiteral(", %1 fogli").arg(plan.sheetCount());
    if (const QString leftOut = LabelCompose::leftOutText(plan); !leftOut.isEmpty())
        text += QStringLiteral("; ") + leftOut;
    return text + u'.';
}

QPushButton* button(const char* objectName, const QString& text, const QString& hint, const char* shortcut)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(objectName));
    Windows::describe(b, QString(text).remove(u'.'), hint);
    if (shortcut)
        Keyboard::setShortcut(b, shortcut);
    return b;
}

} // namespace

ComposeLabelsWindow::ComposeLabelsWindow(const AppContext& context, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context)
{
    setObjectName(QStringLiteral("frmComponi_Etichette"));
    setWindowTitle(QStringLiteral(" Componi dall'archivio"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Le schede dell'archivio degli indirizzi, nell'ordine dell'elenco, "
                                            "riempiono tanti fogli da 24 etichette quanti ne servono."));
    intro->setObjectName(QStringLiteral("lblIstruzioni"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    m_txtTipo = new QLineEdit;
    m_txtTipo->setObjectName(QStringLiteral("txtTipo"));
    m_txtTipo->setMaxLength(250);
    Windows::describe(m_txtTipo, QStringLiteral("Solo il tipo"),
                      QStringLiteral("Solo le schede il cui tipo contiene questo testo; vuoto per tutte."));
    form->addRow(QStringLiteral("Solo il &tipo:"), m_txtTipo);
    m_spnPrimaEtichetta = new QSpinBox;
    m_spnPrimaEtichetta->setObjectName(QStringLiteral("spnPrimaEtichetta"));
    m_spnPrimaEtichetta->setRange(1, LabelSheet::kSlots);
    Windows::describe(m_spnPrimaEtichetta, QStringLiteral("Prima etichetta"),
                      QStringLiteral("La prima etichetta libera del primo foglio, da 1 a 24, per un foglio già in "
                                     "parte usato."));
    form->addRow(QStringLiteral("&Prima etichetta del primo foglio:"), m_spnPrimaEtichetta);
    layout->addLayout(form);

    m_lblRiepilogo = new QLabel;
    m_lblRiepilogo->setObjectName(QStringLiteral("lblRiepilogo"));
    m_lblRiepilogo->setWordWrap(true);
    QFont bold = m_lblRiepilogo->font();
    bold.setBold(true);
    m_lblRiepilogo->setFont(bold);
    // Focusable, so that Tab lets a screen reader read what the choice makes.
    m_lblRiepilogo->setFocusPolicy(Qt::TabFocus);
    m_lblRiepilogo->setAccessibleName(QStringLiteral("Riepilogo"));
    layout->addWidget(m_lblRiepilogo);

    QPushButton* preview = button("btnAnteprima", QStringLiteral("Anteprima"),
                                  QStringLiteral("Mostra tutti i fogli, da cui si possono stampare."), nullptr);
    QPushButton* print = button("btnStampa", QStringLiteral("Stampa"),
                                QStringLiteral("Stampa tutti i fogli in un'unica stampa."), Keyboard::kPrint);
    QPushButton* pdf = button("btnPdf", QStringLiteral("Salva PDF"),
                              QStringLiteral("Salva tutti i fogli in un unico file PDF."), nullptr);
    QPushButton* archive = button("btnArchivia", QStringLiteral("Archivia"),
                                  QStringLiteral("Aggiunge i fogli in coda all'archivio delle etichette, tutti o "
                                                 "nessuno."),
                                  Keyboard::kSave);
    QPushButton* stock = LabelStockWindow::makeOpenButton(m_context, this);
    QPushButton* cancel =
        button("btnAnnulla", QStringLiteral("Annulla"), QStringLiteral("Chiude la finestra."), Keyboard::kExit);
    auto* actions = new QHBoxLayout;
    for (QPushButton* b : {preview, print, pdf, archive})
        actions->addWidget(b);
    layout->addLayout(actions);
    auto* more = new QHBoxLayout;
    more->addWidget(stock);
    more->addStretch();
    more->addWidget(cancel);
    layout->addLayout(more);

    m_summaryDelay = new QTimer(this);
    m_summaryDelay->setSingleShot(true);
    m_summaryDelay->setInterval(250);
    connect(m_summaryDelay, &QTimer::timeout, this, &ComposeLabelsWindow::updateSummary);
    connect(m_txtTipo, &QLineEdit::textChanged, m_summaryDelay, qOverload<>(&QTimer::start));
    connect(m_spnPrimaEtichetta, &QSpinBox::valueChanged, m_summaryDelay, qOverload<>(&QTimer::start));
    // Enter in a field moves on, as in the program's other windows; the next Enter presses the button reached.
    connect(m_txtTipo, &QLineEdit::returnPressed, m_spnPrimaEtichetta, [this] { m_spnPrimaEtichetta->setFocus(); });
    connect(preview, &QPushButton::clicked, this, [this] { showSheets(false); });
    connect(print, &QPushButton::clicked, this, [this] { showSheets(true); });
    connect(pdf, &QPushButton::clicked, this, &ComposeLabelsWindow::savePdf);
    connect(archive, &QPushButton::clicked, this, &ComposeLabelsWindow::store);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_txtTipo->setFocus(Qt::OtherFocusReason);
    setFixedSize(560, sizeHint().height());
    Keyboard::setUpWindow(this);
}

LabelCompose::Request ComposeLabelsWindow::request() const
{
    return {m_txtTipo->text(), m_spnPrimaEtichetta->value()};
}

void ComposeLabelsWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Windows::centre(this, Windows::Over::Owner);
        updateSummary();
    }
    QDialog::showEvent(event);
}

void ComposeLabelsWindow::updateSummary()
{
    m_summaryDelay->stop();
    QString text;
    try {
        text = summary(LabelCompose::plan(m_context.programFolder, request()));
    } catch (const PlicarioError& e) {
        text = e.message();
    }
    m_lblRiepilogo->setText(text);
    m_lblRiepilogo->setAccessibleDescription(text);
}

std::optional<LabelCompose::Plan> ComposeLabelsWindow::planToUse()
{
    LabelCompose::Plan plan = LabelCompose::plan(m_context.programFolder, request());
    m_lblRiepilogo->setText(summary(plan));
    if (plan.sheetCount() == 0) {
        const QString leftOut = LabelCompose::leftOutText(plan);
        m_context.messages->information(this, leftOut.isEmpty() ? kNothing : kNothing + u' ' + leftOut + u'.');
        return std::nullopt;
    }
    return plan;
}

void ComposeLabelsWindow::showSheets(bool print)
{
    runGuarded(this, m_context.messages, [&] {
        const LabelSettings settings = LabelSettings::load(m_context.programFolder);
        const std::optional<LabelCompose::Plan> plan = planToUse();
        if (!plan)
            return;
        LabelPages pages(LabelPageTemplate::kSheetName, settings, m_context.clock->today());
        if (print) {
            if (!mayCutLines(*plan, pages))
                return;
            // One job, one page made at a time; the archive is opened once the print dialog is confirmed, so that no
            // other user waits on it while this one chooses a printer.
            std::optional<LabelCompose::Sheets> sheets;
            m_context.printService->printPages(this, pages.source(plan->sheetCount(), [&](int i) {
                if (!sheets)
                    sheets.emplace(m_context.programFolder, *plan);
                return sheets->sheet(i);
            }));
            return;
        }
        // The preview shows pages whole.
        PreparedReport report;
        report.name = LabelPageTemplate::kSheetName;
        {
            const LabelCompose::Sheets sheets(m_context.programFolder, *plan);
            report.pages.reserve(size_t(sheets.count()));
            for (int i = 0; i < sheets.count(); ++i)
                report.pages.push_back(pages.page(sheets.sheet(i)));
        }
        std::vector<LabelCutLines::Place> cut;
        for (size_t i = 0; i < report.pages.size(); ++i)
            LabelCutLines::find(report.pages[i], int(i) + 1, cut);
        if (!LabelCutLines::mayGoOn(*m_context.messages, this, cut))
            return;
        m_context.printService->preview(this, report);
    });
}

void ComposeLabelsWindow::savePdf()
{
    runGuarded(this, m_context.messages, [&] {
        const LabelSettings settings = LabelSettings::load(m_context.programFolder);
        const std::optional<LabelCompose::Plan> plan = planToUse();
        if (!plan)
            return;
        LabelPages pages(LabelPageTemplate::kSheetName, settings, m_context.clock->today());
        if (!mayCutLines(*plan, pages))
            return;
        const QString path = m_context.saveFileChooser->chooseSaveFile(
            this, QStringLiteral("Salva le etichette in PDF"),
            QDir(m_context.programFolder).filePath(QStringLiteral("Etichette.pdf")),
            QStringLiteral("Documenti PDF (*.pdf)"));
        if (path.isEmpty())
            return;
        const LabelCompose::Sheets sheets(m_context.programFolder, *plan);
        ReportPainter::writePdf(pages.source(sheets.count(), [&](int i) { return sheets.sheet(i); }), path);
        m_context.messages->information(this, QStringLiteral("Fogli di etichette salvati: %1, nel file PDF \"%2\".")
                                                  .arg(sheets.count())
                                                  .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    });
}

bool ComposeLabelsWindow::mayCutLines(const LabelCompose::Plan& plan, LabelPages& pages)
{
    std::vector<LabelCutLines::Place> cut;
    {
        const LabelCompose::Sheets sheets(m_context.programFolder, plan);
        cut = LabelCutLines::find(sheets, pages);
    } // no other user waits on the archive while this one answers
    return LabelCutLines::mayGoOn(*m_context.messages, this, cut);
}

void ComposeLabelsWindow::store()
{
    runGuarded(this, m_context.messages, [&] {
        const std::optional<LabelCompose::Plan> plan = planToUse();
        if (!plan)
            return;
        if (!m_context.messages->confirm(this, QStringLiteral("Aggiungere %1 fogli in coda all'archivio delle "
                                                              "etichette?")
                                                   .arg(plan->sheetCount())))
            return;
        LabelCompose::Stored stored;
        try {
            stored = LabelCompose::store(m_context.programFolder, *plan);
        } catch (const ArchiveAccessError& e) {
            m_context.messages->error(this, e.message() + QStringLiteral("\n\r\n\rNessun foglio è stato archiviato."));
            return;
        }
        m_firstStored = stored.first;
        m_context.messages->information(this, QStringLiteral("Fogli archiviati: %1, dal numero %2 al numero %3.")
                                                  .arg(stored.count)
                                                  .arg(stored.first)
                                                  .arg(stored.first + stored.count - 1));
        accept();
    });
}
