#pragma once

#include "addresses/attachments.h"
#include "common/record_window.h"
#include "register/mail_registration.h"
#include "register/register_card.h"
#include "register/register_journal.h"

#include <QTemporaryDir>
#include <array>
#include <memory>
#include <optional>

class QButtonGroup;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The mail register of one year: one card on screen, registered with a new number, saved, browsed with the arrows,
// given a digital copy and further documents; the year's search, summary, card print and export open from here.
class RegisterWindow : public TypedRecordWindow<RegisterCard>
{
    Q_OBJECT

public:
    explicit RegisterWindow(const AppContext& context, QWidget* parent = nullptr);

    // Set by the year menu before the window shows: the year file (lblFile) and the caption naming the year.
    void openYear(const QString& yearFilePath, const QString& caption);
    const QString& yearFilePath() const { return m_lblFile; }

    // Every field as it stands on screen, saved or not, untrimmed; Tipologia is the selected mail type's text, or the
    // stored one that no button names.
    RegisterCard cardOnScreen() const { return recordOnScreen(); }

protected:
    void showEvent(QShowEvent* event) override;
    void leaving() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString archivePath() const override { return m_lblFile; }
    RegisterCard recordOnScreen() const override;
    void showRecord(const RegisterCard& card) override;
    bool readyToSave() override;
    QByteArray workOnScreen() const override;
    AppendOutcome beforeAppend(const RawRecordFile& file, QByteArray& record) override;
    AppendOutcome writeRecord(RawRecordFile& file, int number, const QByteArray& record) override;
    int appendRecord(RawRecordFile& file, const QByteArray& record) override;
    void positionChanged(int number) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildUi();
    QWidget* buildToolbar();
    QWidget* buildCard();
    QWidget* buildCopyRow();

    // True when a blank new card is on screen (the typed work saved or given up).
    bool newCard();
    void annulRegistration();
    // A message file chosen by the user, or dropped on the window, becomes a new card to complete.
    void registerMessage();
    void takeMessage(const QString& path);
    // The message files of an unsaved card wait no more: the card was saved, or given up.
    void dropWaitingMessage();
    // Once a year is opened: says when its file and its journal disagree, naming the cards.
    void checkJournal();
    // Marks the card on screen as annulled, or not: the notice, and every field read-only.
    void showAnnulment(int number);
    void attachDocuments();
    void editNumbering();
    void findCards();
    void printCard();
    void showDailyRegister();
    void showSummary();
    void exportRegister();
    void showHelp();
    void pickRegistrationDate();
    void attachCopy();
    void openCopy();

    void focusMailType();
    static bool isEnter(const QKeyEvent* key);

    void blankCard();
    AppendOutcome takeNumber(const RawRecordFile& file, QByteArray& record);
    // Who writes the journal from this window, and when.
    JournalAuthor journalAuthor() const;
    // The register's year, and the year the clock says.
    QString year() const;
    QString currentYear() const;
    void clearTypes();
    QLineEdit* field(RegisterCard::Field f) const { return m_fields[f]; }

    QString m_lblFile;
    // One edit per card field, by RegisterCard::Field; none for Tipologia and the six attachment fields.
    std::array<QLineEdit*, 25> m_fields{};
    // The further documents of the card on screen (lblFile01 to lblFile03, lblDesc01 to lblDesc03).
    AttachmentSlots m_lblFiles;
    // optEntrata, optUscita, optInterna.
    std::array<QRadioButton*, 3> m_types{};
    QButtonGroup* m_typeGroup = nullptr;
    // A stored mail type none of the buttons names: no button shows it, and the card keeps it until one is picked.
    QString m_otherType;
    QPushButton* m_btnApri = nullptr;
    // "Registrazione annullata il ...", shown only for an annulled card.
    QLabel* m_lblAnnullata = nullptr;
    bool m_annulled = false;
    // A card made from a message: its files wait here until it is saved, then go to the attachments folder.
    std::unique_ptr<QTemporaryDir> m_mailWaiting;
    std::optional<MailRegistration::Prepared> m_mail;
    QStringList m_mailKept; // moved at the last save, taken back if that save fails
    // The number New showed, which Save takes again under the lock; empty for a number typed by hand.
    QString m_proposedNumber;
    // The calendar has just closed over the registration date: the next Enter there moves on.
    bool m_calendarClosed = false;
};
