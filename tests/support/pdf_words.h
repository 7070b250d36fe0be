#pragma once

#include <QList>
#include <QString>

// The words of a PDF file where poppler's pdftotext -bbox finds them, in millimetres from each page's top-left corner.
struct PdfWord
{
    QString text;
    double left, top, right, bottom;
    double centreX() const { return (left + right) / 2; }
    double centreY() const { return (top + bottom) / 2; }
};

struct PdfPage
{
    double width, height; // millimetres
    QList<PdfWord> words;
    // The words joined by blanks, in the order poppler reads them.
    QString text() const;
    // The first word with exactly that text, or null.
    const PdfWord* find(const QString& text) const;
};

// Empty when the file cannot be read.
QList<PdfPage> readPdfWords(const QString& path);
