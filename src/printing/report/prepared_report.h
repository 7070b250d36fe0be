#pragma once

#include "printing/report/length.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

enum class Orientation
{
    Portrait,
    Landscape
};
enum class HAlign
{
    Left,
    Center
};

struct ReportFont
{
    QString family;
    double pointSize = 10.0;
    bool bold = false;
    QColor color = Qt::black;
    bool operator==(const ReportFont&) const = default;
};

// The preview's toolbar commands a report may ask for; "Salva PDF" is always there.
enum class PreviewButton
{
    Print,
    Zoom,
    FullScreen,
    Close
};

struct PreviewOptions
{
    QList<PreviewButton> buttons{PreviewButton::Print, PreviewButton::Zoom, PreviewButton::FullScreen,
                                 PreviewButton::Close};
    double zoom = 1.0;
};

struct PrintOptions
{
    int copies = 1;
    bool collate = true;
};

// One thing to draw, at its absolute place on the paper (millimetres from the paper's top-left corner).
struct PreparedItem
{
    enum class Kind
    {
        Text,
        Rect,
        Line
    };

    Kind kind = Kind::Text;
    QString name;    // the template object it comes from
    LengthRect rect; // the part of the object on this page; drawing never leaves it
    // Text
    QStringList lines; // expressions already replaced
    Length textOffset; // from rect.top to the top of the first line
    Length lineHeight;
    ReportFont font;
    HAlign hAlign = HAlign::Left;
    bool wordWrap = false;
    bool shrinkToFit = false; // a left-aligned line too wide is condensed before it is cut
    // Text background, rectangle fill; invalid means none
    QColor fill;
    // Rectangle outline, line colour; invalid means none
    QColor outline;
};

struct PreparedPage
{
    Length paperWidth;
    Length paperHeight;
    Orientation orientation = Orientation::Portrait;
    std::vector<PreparedItem> items; // in drawing order

    // The first item made from the object of that name, or null.
    const PreparedItem* find(const QString& name) const;
};

// Pages laid out and ready to paint: pure data, no fonts measured, no device involved.
struct PreparedReport
{
    QString name;
    std::vector<PreparedPage> pages;
    PreviewOptions preview;
    PrintOptions print;
};
