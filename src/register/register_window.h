#pragma once

#include "addresses/attachments.h"
#include "common/application_window.h"
#include "common/record_moves.h"
#include "register/register_card.h"

#include <array>
#include <functional>

struct AppContext;
class HintLine;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The mail register of one year: one card on screen, registered with a new number, saved, browsed with the arrows,
// given a digital copy and further documents; the year's search, summary, card print and export open from here.
class RegisterWindow : public ApplicationWindow
{
    Q_OBJECT

public:
    explicit RegisterWindow(const AppContext& context, QWidget* parent = nullptr);

    // Set by the year menu before the window shows: the year file (lblFile) and the caption naming the year.
    void openYear(const QString& yearFilePath, const QString& caption);
    const QString& yearFilePath() const { return m_lblFile; }

    // Every field as it stands on screen, saved or not, untrimmed; Tipologia is the selected mail type's text.
    RegisterCard cardOnScreen() const;
    // Puts a card of the year on screen as card `position`, replacing whatever was there.
    void showCard(int position, const RegisterCard& card);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    QWidget* buildToolbar();
    QWidget* buildCard();
    QWidget* buildCopyRow();

    void newCard();
    void saveCard();
    void moveTo(RecordMoves::Move move);
    void attachDocuments();
    void editNumbering();
    void findCards();
    void printCard();
    void showSummary();
    void exportRegister();
    void showHelp();
    void pickRegistrationDate();
    void attachCopy();
    void openCopy();

    // Runs an action over the year file or the numbering settings; a failure ends it with the access error.
    void runRegisterAction(const std::function<void()>& action);
    void blankCard();
    // 0 for a card not yet in the year file.
    int position() const;
    void setPosition(int position);
    QLineEdit* field(RegisterCard::Field f) const { return m_fields[f]; }

    const AppContext& m_context;
    QString m_lblFile;
    // One edit per card field, by RegisterCard::Field; none for Tipologia and the six attachment fields.
    std::array<QLineEdit*, 25> m_fields{};
    // The further documents of the card on screen (lblFile01 to lblFile03, lblDesc01 to lblDesc03).
    AttachmentSlots m_lblFiles;
    // optEntrata, optUscita, optInterna.
    std::array<QRadioButton*, 3> m_types{};
    QButtonGroup* m_typeGroup = nullptr;
    QLabel* m_lblPosizione = nullptr;
    QPushButton* m_btnApri = nullptr;
    HintLine* m_hints = nullptr;
};
