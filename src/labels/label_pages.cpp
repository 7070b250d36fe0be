#include "labels/label_pages.h"

#include "printing/templates/label_page_template.h"

LabelPages::LabelPages(const QString& name, const LabelSettings& settings, const QDate& today)
    : m_template(LabelPageTemplate::make(name, settings)), m_today(today)
{
}

const PreparedPage& LabelPages::page(const LabelSheet& sheet)
{
    LabelPageTemplate::fill(m_template, [&](int slot, int line) { return sheet.line(slot, line); });
    m_current = m_template.prepare(m_today);
    return m_current.pages.front();
}

ReportPainter::PageSource LabelPages::source(int count, std::function<LabelSheet(int)> sheet)
{
    PreparedPage paper;
    paper.paperWidth = m_template.page().paperWidth();
    paper.paperHeight = m_template.page().paperHeight();
    paper.orientation = m_template.page().orientation();
    return {m_template.name(), count,
            [this, sheet = std::move(sheet)](int i) -> const PreparedPage& { return page(sheet(i)); }, paper};
}
