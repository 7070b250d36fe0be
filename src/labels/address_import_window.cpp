#include "labels/address_import_window.h"

#include "common/keyboard_gui.h"
#include "labels/label_sheet.h"

AddressImportWindow::AddressImportWindow(const AppContext& context, int slot, SlotSink importCard, QWidget* owner)
    : AddressFinderWindow(
          context, QStringLiteral("frmImportaIndirizzi"), QStringLiteral(" Importa etichetta da archivio indirizzi"),
          [slot, importCard = std::move(importCard)](int, const AddressCard& card) {
              if (slot >= 1 && slot <= LabelSheet::kSlots)
                  importCard(slot, card);
          },
          owner),
      m_lblMemorySlot(slot)
{
    auto* txtTrova = findChild<QWidget*>(QStringLiteral("txtTrova"));
    auto* lstRecords = findChild<QWidget*>(QStringLiteral("lstRecords"));
    auto* btnStampa = findChild<QWidget*>(QStringLiteral("btnStampa"));
    auto* btnTrova = findChild<QWidget*>(QStringLiteral("btnTrova"));
    auto* btnChiudi = findChild<QWidget*>(QStringLiteral("btnChiudi"));
    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnTrova);
    setTabOrder(btnTrova, btnChiudi);
    Keyboard::setUpWindow(this);
}
