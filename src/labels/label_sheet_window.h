#pragma once

#include "addresses/address_card.h"
#include "common/application_window.h"
#include "common/record_moves.h"
#include "labels/label_sheet.h"

#include <array>
#include <functional>

struct AppContext;
class HintLine;
class QLabel;
class QLineEdit;

// The label sheets application: one sheet of 24 slots on screen, filled by importing address cards, saved as a new
// sheet or over the one it came from, browsed with the arrows, previewed and printed as it stands.
class LabelSheetWindow : public ApplicationWindow
{
    Q_OBJECT

public:
    explicit LabelSheetWindow(const AppContext& context, QWidget* parent = nullptr);

    // The sheet as it stands on screen, saved or not, untrimmed.
    LabelSheet sheetOnScreen() const;
    // Slot 1..24 takes the card's name and six address lines; nothing else changes.
    void importCard(int slot, const AddressCard& card);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    QWidget* buildToolbar();
    QLabel* makePosition();
    QWidget* buildSlots();
    // The widgets over which the hint line keeps its text: the name fields, the position and the title.
    void keepHint(QWidget* widget);

    void clearSheet();
    void saveSheet();
    void move(RecordMoves::Move move);
    void openImport(int slot);
    void previewSheet();
    void printSheet();
    void composeFromArchive();
    void showHelp();
    void takeKeyboardBack();

    void showSheet(int number, const LabelSheet& sheet);
    void clearSlot(int slot);
    // 0 for a sheet not yet in the archive.
    int position() const;
    void setPosition(int number);
    // Runs an action over the sheet file; an access failure ends it with the access error and nothing else changes.
    void runArchiveAction(const std::function<void()>& action);

    const AppContext& m_context;
    // txtNome_E01 to txtNome_E24.
    std::array<QLineEdit*, LabelSheet::kSlots> m_names{};
    // txtRigo01_Exx to txtRigo06_Exx: what the slot prints, held behind the slot and never shown.
    std::array<std::array<QString, LabelSheet::kLines>, LabelSheet::kSlots> m_lines;
    QLabel* m_lblPosizione = nullptr;
    HintLine* m_hints = nullptr;
};
