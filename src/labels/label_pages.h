#pragma once

#include "printing/label_settings.h"
#include "labels/label_sheet.h"
#include "printing/report/report_painter.h"
#include "printing/report/report_template.h"

#include <QDate>
#include <functional>

// The label page of one sheet after another, for documents of many sheets: one template, filled and prepared
// again for each sheet, and only the current page kept.
class LabelPages
{
public:
    LabelPages(const QString& name, const LabelSettings& settings, const QDate& today);

    // The page of `sheet`, valid until the next call.
    const PreparedPage& page(const LabelSheet& sheet);

    // `count` pages, the i-th (from 0) that of sheet(i); this object must outlive the source.
    ReportPainter::PageSource source(int count, std::function<LabelSheet(int)> sheet);

private:
    ReportTemplate m_template;
    QDate m_today;
    PreparedReport m_current;
};
