// Lays a template out into prepared pages.
#include "printing/report/report_template.h"

#include <algorithm>

namespace {

constexpr double kEpsilon = 1e-6; // millimetres; absorbs rounding in sums of decimal positions

QString expand(const QString& line, const QString& date)
{
    QString result = line;
    result.replace(QLatin1String("[DATE]"), date);
    return result;
}

class Layout
{
public:
    Layout(const ReportTemplate& tpl, const QDate& today)
        : m_page(tpl.page()), m_date(today.toString(QStringLiteral("dd/MM/yyyy")))
    {
        m_report.name = tpl.name();
        m_report.preview = tpl.previewOptions();
        m_report.print = tpl.printOptions();
    }

    PreparedReport run()
    {
        newPage();
        for (const auto& object : m_page.objects())
            put(*object, object->bounds(), Length::mm(-1e9), Length::mm(1e9), m_page.leftMargin(), m_page.topMargin());
        for (Band::Type type : {Band::Type::ReportTitle, Band::Type::MasterData, Band::Type::Footer})
            for (const auto& band : m_page.bands())
                if (band->type() == type)
                    place(*band);
        return std::move(m_report);
    }

private:
    Length contentTop() const { return m_page.topMargin(); }
    Length contentBottom() const { return m_page.paperHeight() - m_page.bottomMargin(); }

    void newPage()
    {
        PreparedPage page;
        page.paperWidth = m_page.paperWidth();
        page.paperHeight = m_page.paperHeight();
        page.orientation = m_page.orientation();
        m_report.pages.push_back(std::move(page));
        m_cursor = contentTop();
    }

    // Puts a band at the cursor; a band that does not fit continues on the next pages when it may split.
    void place(const Band& band)
    {
        const Length pageSpace = contentBottom() - contentTop();
        Length offset; // how much of the band is already placed
        for (;;) {
            const Length rest = band.height() - offset;
            const Length space = contentBottom() - m_cursor;
            const bool pageEmpty = m_cursor.mm() <= contentTop().mm() + kEpsilon;
            if (rest.mm() <= space.mm() + kEpsilon || pageSpace.mm() <= kEpsilon) {
                putSlice(band, offset, band.height());
                m_cursor += rest;
                return;
            }
            if (!band.allowSplit()) {
                if (pageEmpty) { // taller than a page: print it once, cut by the paper
                    putSlice(band, offset, band.height());
                    m_cursor += rest;
                    return;
                }
                newPage();
                continue;
            }
            Length cut = cutAt(band, offset, offset + space);
            if (cut.mm() <= offset.mm() + kEpsilon) {
                if (!pageEmpty) {
                    newPage();
                    continue;
                }
                cut = offset + space; // a single line taller than a page: cut it
            }
            putSlice(band, offset, cut);
            offset = cut;
            newPage();
        }
    }

    // Moves a page break up so that it never runs through a line of text.
    static Length cutAt(const Band& band, Length from, Length cut)
    {
        bool moved = true;
        while (moved) {
            moved = false;
            for (const auto& object : band.objects()) {
                if (object->kind() != ReportObject::Kind::Text)
                    continue;
                const auto& text = static_cast<const TextObject&>(*object);
                const LengthRect& b = text.bounds();
                for (qsizetype i = 0; i < text.memo().size(); ++i) {
                    const Length top = b.top + text.lineHeight() * double(i);
                    if (top.mm() >= b.bottom().mm() - kEpsilon || top.mm() >= cut.mm() - kEpsilon)
                        break;
                    const Length bottom = top + text.lineHeight();
                    if (bottom.mm() > cut.mm() + kEpsilon && top.mm() >= from.mm() - kEpsilon) {
                        cut = top;
                        moved = true;
                        break;
                    }
                }
            }
        }
        return cut;
    }

    // The part [from, to) of a band, at the cursor.
    void putSlice(const Band& band, Length from, Length to)
    {
        for (const auto& object : band.objects())
            put(*object, object->bounds(), from, to, m_page.leftMargin(), m_cursor - from);
    }

    // The part of an object between `from` and `to` (in its container's coordinates), shifted by dx, dy.
    void put(const ReportObject& object, const LengthRect& b, Length from, Length to, Length dx, Length dy)
    {
        const bool flat = b.height.mm() <= kEpsilon;
        if (flat ? (b.top.mm() < from.mm() - kEpsilon || b.top.mm() >= to.mm() - kEpsilon)
                 : (b.bottom().mm() <= from.mm() + kEpsilon || b.top.mm() >= to.mm() - kEpsilon))
            return;
        const Length top = std::max(b.top, from);
        const Length bottom = flat ? b.top : std::min(b.bottom(), to);

        PreparedItem item;
        item.name = object.name();
        item.rect = LengthRect{b.left + dx, top + dy, b.width, bottom - top};
        switch (object.kind()) {
        case ReportObject::Kind::Text: {
            const auto& text = static_cast<const TextObject&>(object);
            item.kind = PreparedItem::Kind::Text;
            item.font = text.font();
            item.fill = text.fill();
            item.hAlign = text.hAlign();
            item.wordWrap = text.wordWrap();
            item.shrinkToFit = text.shrinkToFit();
            item.lineHeight = text.lineHeight();
            bool first = true;
            for (qsizetype i = 0; i < text.memo().size(); ++i) {
                const Length lineTop = b.top + text.lineHeight() * double(i);
                if (lineTop.mm() >= b.bottom().mm() - kEpsilon || lineTop.mm() >= to.mm() - kEpsilon)
                    break;
                if (lineTop.mm() < from.mm() - kEpsilon)
                    continue;
                if (first) {
                    item.textOffset = lineTop - top;
                    first = false;
                }
                const QString& line = text.memo()[i];
                item.lines.append(text.allowExpressions() ? expand(line, m_date) : line);
            }
            break;
        }
        case ReportObject::Kind::Shape: {
            const auto& shape = static_cast<const ShapeObject&>(object);
            item.kind = PreparedItem::Kind::Rect;
            item.fill = shape.fill();
            item.outline = shape.outline();
            break;
        }
        case ReportObject::Kind::Line:
            item.kind = PreparedItem::Kind::Line;
            item.outline = static_cast<const LineObject&>(object).color();
            break;
        case ReportObject::Kind::Band:
            return; // bands are placed, never nested
        }
        m_report.pages.back().items.push_back(std::move(item));
    }

    const ReportPage& m_page;
    QString m_date;
    PreparedReport m_report;
    Length m_cursor;
};

} // namespace

PreparedReport ReportTemplate::prepare(const QDate& today) const
{
    return Layout(*this, today).run();
}
