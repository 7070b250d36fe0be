#pragma once

#include "labels/label_compose.h"
#include "printing/report/prepared_report.h"

#include <vector>

class LabelPages;
class Messages;
class QWidget;

// The label lines that the painter will cut even when condensed, named for the user before anything is printed,
// previewed or saved: for the sheet on screen and for the sheets composed from the archive alike.
namespace LabelCutLines {

struct Place
{
    int sheet = 0; // from 1; 0 for the single sheet on screen, which the message does not name
    int slot = 0;
    int line = 0;
};

// Appends the cut lines of one label page, with `sheet`. Throws ReportError as CutLines::find does.
void find(const PreparedPage& page, int sheet, std::vector<Place>& into);

// The cut lines of every composed sheet, in sheet order; `pages` prepares each sheet's page in turn.
std::vector<Place> find(const LabelCompose::Sheets& sheets, LabelPages& pages);

// The question: the first places, one a line ("Foglio 3, etichetta 14, riga 5", or "Etichetta 14, riga 5" for a
// single sheet), the rest counted.
QString question(const std::vector<Place>& cut);

// True when nothing is cut or the user answered Yes.
bool mayGoOn(Messages& messages, QWidget* owner, const std::vector<Place>& cut);

} // namespace LabelCutLines
