#pragma once

#include "common/ansi.h"
#include "common/application_window.h"
#include "common/command_bar_gui.h"
#include "common/record_moves.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <functional>

struct AppContext;
class HintLine;
class QBoxLayout;
class QFrame;
class QLabel;
class QLineEdit;
class RawRecordFile;

// A main window that shows one record of an archive at a time: the position, save, the four moves, and the questions
// that keep typed work and other workstations' saves from being lost. The address cards, the label sheets and the
// register cards each derive from it through TypedRecordWindow.
//
// The window remembers two forms of the record on screen: the screen as it was last loaded, saved or blanked (so it
// knows when there is typed work to ask about), and the record as the archive held it when it was loaded or saved (so
// a save never overwrites what another window or the batch tool stored meanwhile).
class RecordWindow : public ApplicationWindow
{
    Q_OBJECT

public:
    static const QString kReady;
    static const QString kEmptyArchive;
    static const QString kUpdated;
    static const QString kAppended;
    static const QString kSaveChanges;
    static const QString kUnstorable;
    static const QString kChangedElsewhere;

    // 0 for a record not yet in the archive.
    int position() const;
    // True when the screen differs from the record as it was loaded, saved or blanked.
    bool hasUnsavedChanges() const;

protected:
    RecordWindow(const AppContext& context, const QString& objectName, const QString& caption, QWidget* parent);

    // What each window supplies: its archive, and its record as bytes in the archive's layout.
    virtual QString archivePath() const = 0;
    virtual int recordSize() const = 0;
    // The record on screen as a save would store it.
    virtual QByteArray screenBytes() const = 0;
    // What the window makes of raw archive bytes: the bytes a save of the record, shown unchanged, would store.
    virtual QByteArray storedForm(const QByteArray& raw) const = 0;
    virtual void putOnScreen(const QByteArray& raw) = 0;
    // The characters typed on screen that the archive cannot store, each once; empty when none.
    virtual QString unstorableOnScreen() const = 0;
    // The checks before a save, each with its warning and focus; false stops the save before the archive is opened.
    virtual bool readyToSave() { return true; }
    // What of the screen counts as typed work: by default the whole record.
    virtual QByteArray workOnScreen() const { return screenBytes(); }
    // Called under the archive's lock just before a new record is appended: the window may change `record` (take a
    // number now) or refuse it. A refusal's text is shown as a warning, any other text in place of the appended
    // message, once the archive is released.
    struct AppendOutcome
    {
        bool refused = false;
        QString message;
    };
    virtual AppendOutcome beforeAppend(const RawRecordFile& file, QByteArray& record);
    // Store the record under the archive's lock. A window that keeps more beside the archive (the register's
    // journal) writes it here, in the same action. An update may be refused, with nothing written.
    virtual AppendOutcome writeRecord(RawRecordFile& file, int number, const QByteArray& record);
    virtual int appendRecord(RawRecordFile& file, const QByteArray& record);
    // The record on screen became stored record `number`, or a new one (0).
    virtual void positionChanged(int number);
    // The window is about to close, its typed work saved or given up.
    virtual void leaving();

    // The window's pieces: the toolbar strip, the position between the arrows, the four arrows, the hint line.
    QFrame* makeToolbar(const QList<Command>& commands);
    QLabel* positionLabel() const { return m_lblPosizione; }
    // First, previous, next and last, drawn with `pictures` in that order.
    QList<Command> moveCommands(const std::array<const char*, 4>& pictures);
    HintLine* hints() const { return m_hints; }
    // A bold caption for `field`, its buddy, so Alt and a screen reader reach the field from it.
    static QLabel* caption(const QString& text, QWidget* field);
    const AppContext& context() const { return m_context; }

    // Saves the screen over its stored record or as a new one. False when a check, the archive or a newer save on
    // disk stopped it.
    bool saveRecord();
    void moveTo(RecordMoves::Move move);
    // Asks about typed work before the screen is given up: true when it may go (saved, or given up by the user).
    bool mayLeaveRecord();
    // The screen as it stands is now a new record: no position, nothing to ask about.
    void startNewRecord();
    // The screen keeps its texts but is no longer the stored record (a duplicate): saving appends.
    void forgetStoredRecord();
    // Puts stored record `number` on screen; `stored` is in the form storedForm() gives.
    void showStored(int number, const QByteArray& stored);
    // Runs an action over the archive; an access failure ends it with the access error and nothing else changes.
    bool runArchiveAction(const std::function<void()>& action);

    void closeEvent(QCloseEvent* event) override;

private:
    void setPosition(int number);
    void resolveNewerSave(const QByteArray& onDisk);

    const AppContext& m_context;
    QLabel* m_lblPosizione = nullptr;
    HintLine* m_hints = nullptr;
    QByteArray m_clean;
    QByteArray m_stored;
};

// The record window of one archive's record type.
template <typename Record> class TypedRecordWindow : public RecordWindow
{
public:
    // A record chosen elsewhere (the finder, a search, an import) goes on screen as stored record `number`, once the
    // typed work on screen is saved or given up. False when the user kept the screen.
    bool offerStored(int number, const Record& record)
    {
        if (!mayLeaveRecord())
            return false;
        showStored(number, storedForm(record.toBytes()));
        return true;
    }

protected:
    using RecordWindow::RecordWindow;

    virtual Record recordOnScreen() const = 0;
    virtual void showRecord(const Record& record) = 0;

private:
    int recordSize() const final { return Record::recordSize(); }
    QByteArray screenBytes() const final { return recordOnScreen().toBytes(); }
    QByteArray storedForm(const QByteArray& raw) const final { return Record::fromBytes(raw.constData()).toBytes(); }
    QString unstorableOnScreen() const final { return Ansi::unstorable(recordOnScreen().values().join(u'\n')); }
    void putOnScreen(const QByteArray& raw) final { showRecord(Record::fromBytes(raw.constData())); }
};
