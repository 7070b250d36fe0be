#pragma once

#include "addresses/address_card.h"
#include "common/record_window.h"
#include "labels/label_sheet.h"

#include <array>

class QLabel;
class QLineEdit;

// The label sheets application: one sheet of 24 slots on screen, filled by importing address cards, saved as a new
// sheet or over the one it came from, browsed with the arrows, previewed and printed as it stands.
class LabelSheetWindow : public TypedRecordWindow<LabelSheet>
{
    Q_OBJECT

public:
    explicit LabelSheetWindow(const AppContext& context, QWidget* parent = nullptr);

    // The sheet as it stands on screen, saved or not, untrimmed.
    LabelSheet sheetOnScreen() const { return recordOnScreen(); }
    // Slot 1..24 takes the card's name and six address lines; nothing else changes.
    void importCard(int slot, const AddressCard& card);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString archivePath() const override;
    LabelSheet recordOnScreen() const override;
    void showRecord(const LabelSheet& sheet) override;
    bool readyToSave() override;

private:
    void buildUi();
    QWidget* buildToolbar();
    QWidget* buildSlots();
    // The widgets over which the hint line keeps its text: the name fields, the position and the title.
    void keepHint(QWidget* widget);

    void newSheet();
    void clearSheet();
    void openImport(int slot);
    void previewSheet();
    void printSheet();
    void composeFromArchive();
    void showHelp();

    void clearSlot(int slot);
    void showName(int slot, const QString& text);

    // txtNome_E01 to txtNome_E24.
    std::array<QLineEdit*, LabelSheet::kSlots> m_names{};
    // txtRigo01_Exx to txtRigo06_Exx: what the slot prints, held behind the slot and never shown.
    std::array<std::array<QString, LabelSheet::kLines>, LabelSheet::kSlots> m_lines;
};
