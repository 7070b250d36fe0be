#include "register/register_summary_window.h"

#include "common/app_context.h"
#include "common/command_bar_gui.h"
#include "common/keyboard_gui.h"
#include "common/hint_line_gui.h"
#include "common/messages.h"
#include "printing/export_grid_widget.h"
#include "register/register_export_rows.h"
#include "register/register_interval.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

QLineEdit* makeDateField(const QString& objectName, const QString& accessibleName)
{
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setAlignment(Qt::AlignCenter);
    field->setMaxLength(10);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    field->setAccessibleName(accessibleName);
    field->setAccessibleDescription(QStringLiteral("Indica una data nel formato gg/mm/aaa."));
    return field;
}

} // namespace

RegisterSummaryWindow::RegisterSummaryWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner)
    : ExportGridWindow(context, RegisterExport::gridColumns(),
                       {RegisterExport::kFileName, RegisterExport::kSummarySheetName}, HelpTopics::registerSummary(),
                       owner),
      m_yearFilePath(yearFilePath)
{
    setObjectName(QStringLiteral("frmRiepProtocollo"));
    setWindowTitle(QStringLiteral(" Riepilogo protocollo per intervallo di tempo"));

    auto* lblInizio = new QLabel(QStringLiteral("Protocollati dalla data:"));
    m_txtDataInizio = makeDateField(QStringLiteral("txtDataInizio"), QStringLiteral("Protocollati dalla data"));
    lblInizio->setBuddy(m_txtDataInizio);
    auto* lblFine = new QLabel(QStringLiteral("alla data:"));
    m_txtDataFine = makeDateField(QStringLiteral("txtDataFine"), QStringLiteral("alla data"));
    lblFine->setBuddy(m_txtDataFine);
    QToolButton* cmdTrova = CommandBar::makeButton(
        {"cmdTrova", "register_reports/interval", "Visualizza riepilogo",
         "Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo selezionato.", Keyboard::kFind,
         [this] { buildSummary(); }},
        hints());
    QHBoxLayout* row = leadingCommands();
    row->addWidget(lblInizio);
    row->addWidget(m_txtDataInizio);
    row->addSpacing(8);
    row->addWidget(lblFine);
    row->addWidget(m_txtDataFine);
    row->addWidget(cmdTrova);
    row->addSpacing(12);

    grid()->setAccessibleName(QStringLiteral("Documenti protocollati nell'intervallo"));
    hints()->addControl(m_txtDataInizio);
    hints()->addControl(m_txtDataFine);
    hints()->setText(QStringLiteral("Riepilogo documenti protocollati in un intervallo di tempo."));

    // Enter goes from the start to the end of the interval, and from there builds the summary.
    connect(m_txtDataInizio, &QLineEdit::returnPressed, m_txtDataFine,
            [this] { m_txtDataFine->setFocus(Qt::TabFocusReason); });
    connect(m_txtDataFine, &QLineEdit::returnPressed, this, &RegisterSummaryWindow::buildSummary);
    Keyboard::setUpWindow(this);
}

void RegisterSummaryWindow::shown()
{
    m_txtDataInizio->clear();
    m_txtDataFine->setText(context().clock->today().toString(QStringLiteral("dd/MM/yyyy")));
    m_txtDataInizio->setFocus(Qt::OtherFocusReason);
}

void RegisterSummaryWindow::buildSummary()
{
    const RegisterInterval::Check check = RegisterInterval::check(m_txtDataInizio->text(), m_txtDataFine->text());
    if (!check.ok()) {
        switch (check.kind) {
        case Messages::Kind::Warning:
            context().messages->warning(this, check.message);
            break;
        default:
            context().messages->plain(this, check.message);
            break;
        }
        if (check.focus == RegisterInterval::Check::StartField)
            m_txtDataInizio->setFocus(Qt::OtherFocusReason);
        else if (check.focus == RegisterInterval::Check::EndField)
            m_txtDataFine->setFocus(Qt::OtherFocusReason);
        return;
    }
    try {
        // A year without cards leaves the grid as it was.
        if (const auto taken = RegisterExport::loadInterval(m_yearFilePath, check.start, check.end)) {
            grid()->setRows(taken->rows);
            // A card no interval can hold is named, never passed over in silence.
            if (!taken->undated.isEmpty())
                context().messages->plain(this, RegisterExport::undatedMessage(taken->undated));
        }
    } catch (...) {
        // Failures after the checks end the summary silently.
    }
}
