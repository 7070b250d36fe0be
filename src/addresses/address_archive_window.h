#pragma once

#include "addresses/address_card.h"
#include "common/application_window.h"
#include "common/record_moves.h"

#include <QStringList>
#include <array>
#include <functional>

struct AppContext;
class HintLine;
class QLabel;
class QLayout;
class QLineEdit;

// The address archive application: one card on screen, edited in place and saved, browsed with the arrows, found,
// duplicated, given attachments, printed on an envelope or on a whole label sheet, and exported.
class AddressArchiveWindow : public ApplicationWindow
{
    Q_OBJECT

public:
    explicit AddressArchiveWindow(const AppContext& context, QWidget* parent = nullptr);

    // The six address lines as they stand on screen, saved or not, untrimmed.
    QStringList addressLines() const;
    // Puts a card of the archive on screen as card `number`, replacing whatever was there.
    void showCard(int number, const AddressCard& card);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildUi();
    void makeFields();
    QWidget* makeToolbar();
    QWidget* makeCard();
    QLayout* makeArrows();

    void newCard();
    void saveCard();
    void duplicateCard();
    void moveTo(RecordMoves::Move move);
    void attachDocuments();
    void printEnvelope();
    void previewLabelSheet();
    void exportArchive();
    void importContacts();
    void findCards();
    void showHelp();
    void exitWindow();

    // Runs an action over the card file; an access failure ends it with the access error and nothing else changes.
    void runArchiveAction(const std::function<void()>& action);
    void loadCard(const AddressCardFile& file, int number);
    AddressCard cardOnScreen() const;
    void clearCard();
    // 0 for a card not yet in the archive.
    int position() const;
    void setPosition(int number);
    void setHint(const QString& text);

    const AppContext& m_context;
    // Nome, Tipo, Rigo01 to Rigo06, Note: the card's first nine fields, in card order.
    std::array<QLineEdit*, 9> m_fields{};
    // lblFile01 to lblFile03, lblDesc01 to lblDesc03: the card's last six fields, kept out of sight.
    std::array<QLabel*, 6> m_holders{};
    QLabel* m_lblPosizione = nullptr;
    HintLine* m_hints = nullptr;
};
