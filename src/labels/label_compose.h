#pragma once

#include "labels/label_sheet.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class AddressCardFile;

// Sheets of 24 labels composed from the address archive in one step: the named cards in the finder's list order,
// all of them or those whose "Tipo" holds a text, from a chosen slot of the first sheet on.
//
//     const LabelCompose::Plan plan = LabelCompose::plan(folder, {QStringLiteral("cliente"), 5});
//     LabelCompose::Sheets sheets(folder, plan); // the archive open for one action
//     for (int i = 0; i < sheets.count(); ++i) print(sheets.sheet(i));
//
// The plan keeps only the card numbers; each sheet reads its 24 cards when asked, so composing 1,000 sheets takes
// no more memory than composing one.
namespace LabelCompose {

struct Request
{
    QString tipo;      // empty (blanks around it aside): every named card
    int firstSlot = 1; // 1..24: the first free label of a sheet already partly used
};

struct Plan
{
    QList<int> cards;  // numbers of the chosen cards, in list order
    // Cards the choice matches that are left out: six empty lines would print a blank label, and a card without a
    // name is in no list, so the office could not find it to mend it.
    int noAddress = 0;
    int noName = 0;
    int firstSlot = 1;

    int cardCount() const { return int(cards.size()); }
    int sheetCount() const;
    int leftOut() const { return noAddress + noName; }
};

// The cards left out, by reason, for the user ("2 schede escluse: 1 senza indirizzo, 1 senza nome"); empty when
// none is.
QString leftOutText(const Plan& plan);

// True for 1..24.
bool isSlot(int slot);

// Reads the address archive; a missing one gives an empty plan and is not created. Throws PlicarioError for a first
// slot outside 1..24 and ArchiveAccessError when the archive cannot be read.
Plan plan(const QString& programFolder, const Request& request);

// The composed sheets of a plan, read from the address archive while this object lives (it holds the archive's
// lock). Slots before the first slot, and after the last card, stay empty.
class Sheets
{
public:
    Sheets(const QString& programFolder, const Plan& plan);
    ~Sheets();
    Sheets(const Sheets&) = delete;
    Sheets& operator=(const Sheets&) = delete;

    int count() const { return m_plan.sheetCount(); }
    // Sheet 0..count()-1; each slot holds the card's name and its six lines, as the import into a slot copies them.
    // Throws ArchiveAccessError.
    LabelSheet sheet(int index) const;

private:
    const Plan m_plan; // shares the card list
    std::unique_ptr<AddressCardFile> m_file;
};

// The numbers the stored sheets received: first to first + count - 1.
struct Stored
{
    int first = 0;
    int count = 0;
};

// Appends the plan's sheets at the end of the label archive as one action under the archives' locks: all of them
// or, on any failure (also one after the first write, or a killed process), none. `stored` is told after each
// sheet is written; `complete`, once all are on disk, may still refuse them by throwing. An empty plan stores
// nothing and creates no file. Throws ArchiveAccessError.
Stored store(const QString& programFolder, const Plan& plan, const std::function<void(int stored)>& stored = {},
             const std::function<void(const Stored&)>& complete = {});

} // namespace LabelCompose
