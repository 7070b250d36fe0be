#pragma once

#include "printing/report/prepared_report.h"

#include <vector>

// The lines of a page too long for their text object: the painter cuts them at the object's right edge (word wrap
// off, left-aligned), after condensing them where the object allows, so a window can name them before anything is
// printed.
namespace CutLines {

struct Line
{
    QString item; // the text object's name
    int line = 0; // 1-based, within the object
};

// Measured as the painter measures them on our PDF files. Throws ReportError when a font cannot be found.
std::vector<Line> find(const PreparedPage& page);

} // namespace CutLines
