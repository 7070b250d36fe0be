#pragma once

#include "addresses/address_card.h"
#include "addresses/attachments.h"
#include "common/record_window.h"

#include <QStringList>
#include <array>

class QLayout;
class QLineEdit;

// The address archive application: one card on screen, edited in place and saved, browsed with the arrows, found,
// duplicated, given attachments, printed on an envelope or on a whole label sheet, and exported.
class AddressArchiveWindow : public TypedRecordWindow<AddressCard>
{
    Q_OBJECT

public:
    explicit AddressArchiveWindow(const AppContext& context, QWidget* parent = nullptr);

    // The six address lines as they stand on screen, saved or not, untrimmed.
    QStringList addressLines() const;
    // The further documents of the card on screen (lblFile01 to lblFile03, lblDesc01 to lblDesc03).
    const AttachmentSlots& attachments() const { return m_lblFiles; }

protected:
    void showEvent(QShowEvent* event) override;
    QString archivePath() const override;
    AddressCard recordOnScreen() const override;
    void showRecord(const AddressCard& card) override;
    bool readyToSave() override;

private:
    void buildUi();
    void makeFields();
    QWidget* buildToolbar();
    QWidget* makeCard();
    QLayout* makeArrows();

    void newCard();
    void duplicateCard();
    void attachDocuments();
    void printEnvelope();
    void previewLabelSheet();
    void exportArchive();
    void importContacts();
    void findCards();
    void showHelp();
    void exitWindow();

    void clearCard();

    // Nome, Tipo, Rigo01 to Rigo06, Note: the card's first nine fields, in card order.
    std::array<QLineEdit*, 9> m_fields{};
    AttachmentSlots m_lblFiles;
};
