#pragma once

#include "printing/report/length.h"
#include "printing/report/prepared_report.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The page description a printing window owns and fills by object name before printing.
//
// A template holds one report page; objects lie on the page (printed once, at their position) or inside bands
// (report title, master data, footer). Every position is in millimetres from the page origin, the corner of the
// left and top margins, so changing a margin moves the whole page content. Typical use:
//
//     ReportTemplate tpl = EnvelopeTemplate::make();
//     tpl.page().setOrientation(Orientation::Landscape);
//     tpl.text("txtRigo01").setText(QStringLiteral("Mario Rossi"));
//     PreparedReport pages = tpl.prepare(today);
//     printService->print(owner, pages);

class ReportObject
{
public:
    enum class Kind
    {
        Text,
        Shape,
        Line,
        Band
    };

    ReportObject(Kind kind, const QString& name, const LengthRect& bounds)
        : m_kind(kind), m_name(name), m_bounds(bounds)
    {
    }
    virtual ~ReportObject() = default;
    ReportObject(const ReportObject&) = delete;
    ReportObject& operator=(const ReportObject&) = delete;

    Kind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    // Relative to the page origin, or to the band for objects inside a band.
    const LengthRect& bounds() const { return m_bounds; }
    Length height() const { return m_bounds.height; }
    void setHeight(Length height) { m_bounds.height = height; }
    void setBounds(const LengthRect& bounds) { m_bounds = bounds; }

private:
    Kind m_kind;
    QString m_name;
    LengthRect m_bounds;
};

class TextObject : public ReportObject
{
public:
    TextObject(const QString& name, const LengthRect& bounds, const ReportFont& font)
        : ReportObject(Kind::Text, name, bounds), m_font(font)
    {
    }

    // Replaces every line; CR LF, LF and CR each start a new line.
    void setText(const QString& text);
    QString text() const { return m_memo.join(QLatin1Char('\n')); }
    // The lines themselves, for Clear, Add and the count.
    QStringList& memo() { return m_memo; }
    const QStringList& memo() const { return m_memo; }

    const ReportFont& font() const { return m_font; }
    QColor fill() const { return m_fill; } // invalid: no fill
    void setFill(const QColor& fill) { m_fill = fill; }
    HAlign hAlign() const { return m_hAlign; }
    void setHAlign(HAlign align) { m_hAlign = align; }
    // Off: a long line is cut at the right edge. On: it flows onto further lines inside the object.
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on) { m_wordWrap = on; }
    // With word wrap off and left alignment. Off: a line too wide is cut. On: it is drawn narrower first, its letters
    // as tall as ever, for text whose font size is already the least that reads well; it is cut only when it does
    // not fit even at the narrowest.
    bool shrinkToFit() const { return m_shrinkToFit; }
    void setShrinkToFit(bool on) { m_shrinkToFit = on; }
    // On: "[DATE]" prints as today's date (dd/mm/yyyy). Off: the text prints literally.
    bool allowExpressions() const { return m_allowExpressions; }
    void setAllowExpressions(bool on) { m_allowExpressions = on; }

    // The distance between two lines: 1.2 times the font size unless set.
    Length lineHeight() const
    {
        return m_lineHeight > Length() ? m_lineHeight : Length::points(m_font.pointSize * 1.2);
    }
    void setLineHeight(Length height) { m_lineHeight = height; }

private:
    QStringList m_memo;
    ReportFont m_font;
    QColor m_fill;
    HAlign m_hAlign = HAlign::Left;
    bool m_wordWrap = true;
    bool m_shrinkToFit = false;
    bool m_allowExpressions = true;
    Length m_lineHeight;
};

// A rectangle; an invalid colour draws no fill or no outline.
class ShapeObject : public ReportObject
{
public:
    ShapeObject(const QString& name, const LengthRect& bounds, const QColor& fill, const QColor& outline)
        : ReportObject(Kind::Shape, name, bounds), m_fill(fill), m_outline(outline)
    {
    }
    QColor fill() const { return m_fill; }
    QColor outline() const { return m_outline; }

private:
    QColor m_fill;
    QColor m_outline;
};

// A straight line from the top-left corner of its bounds to the bottom-right one (width 0: vertical).
class LineObject : public ReportObject
{
public:
    LineObject(const QString& name, const LengthRect& bounds, const QColor& color = Qt::black)
        : ReportObject(Kind::Line, name, bounds), m_color(color)
    {
    }
    QColor color() const { return m_color; }

private:
    QColor m_color;
};

class Band : public ReportObject
{
public:
    // Title: once at the top of the first page. MasterData: once, split over pages when it does not fit (with
    // allowSplit). Footer: once after the master data.
    enum class Type
    {
        ReportTitle,
        MasterData,
        Footer
    };

    Band(const QString& name, Type type, Length width, Length height)
        : ReportObject(Kind::Band, name, {Length(), Length(), width, height}), m_type(type)
    {
    }

    Type type() const { return m_type; }
    bool allowSplit() const { return m_allowSplit; }
    void setAllowSplit(bool on) { m_allowSplit = on; }

    template <typename T, typename... Args> T& add(Args&&... args)
    {
        m_objects.push_back(std::make_unique<T>(std::forward<Args>(args)...));
        return static_cast<T&>(*m_objects.back());
    }
    const std::vector<std::unique_ptr<ReportObject>>& objects() const { return m_objects; }

private:
    Type m_type;
    bool m_allowSplit = false;
    std::vector<std::unique_ptr<ReportObject>> m_objects;
};

class ReportPage
{
public:
    Length paperWidth() const { return m_paperWidth; }
    Length paperHeight() const { return m_paperHeight; }
    Orientation orientation() const { return m_orientation; }

    // Only a change swaps the paper's sides and turns the margins with the page; objects stay where they are.
    void setOrientation(Orientation orientation);

    Length leftMargin() const { return m_left; }
    Length rightMargin() const { return m_right; }
    Length topMargin() const { return m_top; }
    Length bottomMargin() const { return m_bottom; }
    // Negative margins are allowed: they move the content up or to the left of the paper's corner.
    void setLeftMargin(Length v) { m_left = v; }
    void setRightMargin(Length v) { m_right = v; }
    void setTopMargin(Length v) { m_top = v; }
    void setBottomMargin(Length v) { m_bottom = v; }
    void setMargins(Length all) { m_left = m_right = m_top = m_bottom = all; }

    template <typename T, typename... Args> T& add(Args&&... args)
    {
        m_objects.push_back(std::make_unique<T>(std::forward<Args>(args)...));
        return static_cast<T&>(*m_objects.back());
    }
    Band& addBand(const QString& name, Band::Type type, Length width, Length height);

    const std::vector<std::unique_ptr<ReportObject>>& objects() const { return m_objects; }
    const std::vector<std::unique_ptr<Band>>& bands() const { return m_bands; }

private:
    Length m_paperWidth = Length::mm(210);
    Length m_paperHeight = Length::mm(297);
    Orientation m_orientation = Orientation::Portrait;
    Length m_left, m_right, m_top, m_bottom;
    std::vector<std::unique_ptr<ReportObject>> m_objects;
    std::vector<std::unique_ptr<Band>> m_bands;
};

class ReportTemplate
{
public:
    explicit ReportTemplate(const QString& name) : m_name(name), m_page(std::make_unique<ReportPage>()) {}
    ReportTemplate(ReportTemplate&&) = default;
    ReportTemplate& operator=(ReportTemplate&&) = default;

    const QString& name() const { return m_name; }
    ReportPage& page() { return *m_page; }
    const ReportPage& page() const { return *m_page; }
    PreviewOptions& previewOptions() { return m_preview; }
    const PreviewOptions& previewOptions() const { return m_preview; }
    PrintOptions& printOptions() { return m_print; }
    const PrintOptions& printOptions() const { return m_print; }

    // The object or band of that name. Throws ReportError when the template has none.
    ReportObject& findObject(const QString& name) const;
    // The same, for a text object or a band; throws ReportError when the name is missing or of another kind.
    TextObject& text(const QString& name) const;
    Band& band(const QString& name) const;

    // Lays the template out as it now stands into pages. `today` is what "[DATE]" prints.
    PreparedReport prepare(const QDate& today) const;

private:
    QString m_name;
    std::unique_ptr<ReportPage> m_page;
    PreviewOptions m_preview;
    PrintOptions m_print;
};
