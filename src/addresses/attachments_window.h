#pragma once

#include "addresses/attachments.h"

#include <QDialog>
#include <array>

struct AppContext;
class QGroupBox;
class QLineEdit;
class QPushButton;

// Edits the three further documents of the card on screen. Picked documents are copied into the attachments folder
// at once; the names and descriptions go back to the caller only on "Applica e chiudi" (the dialog is then accepted).
class AttachmentsWindow : public QDialog
{
    Q_OBJECT

public:
    // Whose holders receive the result (lblMemory).
    enum class Mode
    {
        AddressArchive,
        Register
    };

    AttachmentsWindow(const AppContext& context, Mode mode, const AttachmentSlots& attachments, QWidget* owner);

    Mode mode() const { return m_lblMemory; }
    // The six texts as they stand, trimmed (not QDialog::result(), the accept or reject code).
    AttachmentSlots attachments() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The file, its buttons and its description for attachment `slot` (0 to 2).
    QGroupBox* makeSlot(int slot, const AttachmentSlots& attachments);
    void browse(int slot);
    void updateOpenButton(int slot);

    const AppContext& m_context;
    Mode m_lblMemory;
    std::array<QLineEdit*, 3> m_files{};
    std::array<QLineEdit*, 3> m_descriptions{};
    std::array<QPushButton*, 3> m_openButtons{};
};
