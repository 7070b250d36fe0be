#include "printing/report/report_template.h"

#include "common/errors.h"

#include <QRegularExpression>

void TextObject::setText(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    m_memo = text.split(lineBreak);
    // A text ending in a line break has no empty line after it, and an empty text has no lines.
    if (!m_memo.isEmpty() && m_memo.last().isEmpty())
        m_memo.removeLast();
}

void ReportPage::setOrientation(Orientation orientation)
{
    if (orientation == m_orientation)
        return;
    std::swap(m_paperWidth, m_paperHeight);
    const Length left = m_left, right = m_right, top = m_top, bottom = m_bottom;
    if (orientation == Orientation::Landscape) {
        m_left = top;
        m_right = bottom;
        m_top = right;
        m_bottom = left;
    } else {
        m_left = bottom;
        m_right = top;
        m_top = left;
        m_bottom = right;
    }
    m_orientation = orientation;
}

Band& ReportPage::addBand(const QString& name, Band::Type type, Length width, Length height)
{
    m_bands.push_back(std::make_unique<Band>(name, type, width, height));
    return *m_bands.back();
}

ReportObject& ReportTemplate::findObject(const QString& name) const
{
    for (const auto& object : m_page->objects())
        if (object->name() == name)
            return *object;
    for (const auto& band : m_page->bands()) {
        if (band->name() == name)
            return *band;
        for (const auto& object : band->objects())
            if (object->name() == name)
                return *object;
    }
    throw ReportError(QStringLiteral("Il modello di stampa \"%1\" non contiene l'oggetto \"%2\".").arg(m_name, name));
}

TextObject& ReportTemplate::text(const QString& name) const
{
    ReportObject& object = findObject(name);
    if (object.kind() != ReportObject::Kind::Text)
        throw ReportError(QStringLiteral("L'oggetto \"%1\" del modello \"%2\" non è un testo.").arg(name, m_name));
    return static_cast<TextObject&>(object);
}

Band& ReportTemplate::band(const QString& name) const
{
    ReportObject& object = findObject(name);
    if (object.kind() != ReportObject::Kind::Band)
        throw ReportError(QStringLiteral("L'oggetto \"%1\" del modello \"%2\" non è una banda.").arg(name, m_name));
    return static_cast<Band&>(object);
}

const PreparedItem* PreparedPage::find(const QString& name) const
{
    for (const PreparedItem& item : items)
        if (item.name == name)
            return &item;
    return nullptr;
}
