#pragma once

#include "addresses/address_finder_window.h"

// The address finder's twin that copies the double-clicked card into one slot of the label sheet on screen: its
// name and six address lines, nothing else. Any failure closes the window without a message.
class AddressImportWindow : public AddressFinderWindow
{
    Q_OBJECT

public:
    // Receives the chosen card for the target slot; called once at most.
    using SlotSink = std::function<void(int slot, const AddressCard& card)>;

    // `slot` 1..24 is the target (lblMemory "etichetta_E01" to "etichetta_E24"); any other number imports nothing.
    AddressImportWindow(const AppContext& context, int slot, SlotSink importCard, QWidget* owner);

    int targetSlot() const { return m_lblMemorySlot; }

private:
    int m_lblMemorySlot;
};
