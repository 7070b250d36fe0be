#pragma once

#include "common/record_file.h"
#include "register/register_card.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

// The journal of one year's register (<year>.storico beside <year>.prt): UTF-8 text, one JSON object a line, only ever
// appended to, under the year file's lock and in the same action as the record it describes, so a rollback takes
// both back. Each line ends in the SHA-256 of the line before's hash followed by its own text, so a line altered,
// removed or moved breaks the chain where it happened.

// Who writes to the journal, from where, and when.
struct JournalAuthor
{
    static const QString kWindow;   // "finestra del protocollo"
    static const QString kBatchTool; // "plicario-cli"

    QString user;   // the workstation's user
    QString source; // kWindow or kBatchTool
    QDateTime at;   // invalid: the clock's time at each entry

    // The user logged on to this workstation, as the system names them.
    static QString workstationUser();
};

struct JournalEntry
{
    enum class Kind
    {
        Found,        // "esistente": a card the year file held when its journal began
        Registration, // "registrazione": the whole card as registered
        Correction,   // "correzione": each changed field, old and new
        Annulment,    // "annullamento": the reason
        Documents     // "allegati": each attached file's name and fingerprint
    };
    struct Change
    {
        int field = 0;
        QString before;
        QString after;
    };
    struct Document
    {
        int field = 0;      // RegisterCard::Copia or File01 to File03
        QString name;       // as the card stores it
        QString sha256;     // hex; empty when the file was not in the attachments folder
    };

    Kind kind = Kind::Registration;
    int line = 0;           // the line in the journal, from 1
    QDateTime time;         // with the offset it was written with
    QString user;
    QString operatorName;   // the card's operator
    QString source;
    int card = 0;           // the card's place in the year file, from 1
    QString number;         // its register number
    QStringList values;     // Found and Registration: every field of the card
    QList<Change> changes;  // Correction
    QString reason;         // Annulment
    QList<Document> documents; // Documents
    QByteArray hash;        // hex

    static QString kindName(Kind kind);
};

// A line of the journal that cannot be read, or that breaks the chain.
struct JournalProblem
{
    int line = 0;
    QString text;
};

// The journal read from its first line to its last.
struct JournalReplay
{
    int entries = 0;
    // The last state of every card the journal knows, by its place in the year file.
    QHash<int, QStringList> cards;
    QHash<int, JournalEntry> annulments; // by place
    QList<JournalProblem> problems;
    // Corrections whose old values were not the card's state in the journal: it was changed outside the program
    // before it was corrected. Text per place.
    QHash<int, QString> changedBefore;
    QByteArray lastHash;
};

namespace RegisterJournal {

// <folder>/<year>.storico for <folder>/<year>.prt.
QString pathFor(const QString& yearFilePath);

// The journal of the year file at `yearFilePath`, read whole under that file's lock; empty when there is none.
QByteArray read(const QString& yearFilePath);

// Reads every line in order; `visit`, when given, sees each entry that could be read.
JournalReplay replay(const QByteArray& journal, const std::function<void(const JournalEntry&)>& visit = {});

// Each entry of `day` (as its time was written, in its own offset), in journal order, without the chain check; returns
// the hash of the last entry dated up to that day, or empty. Other days' lines are only glanced at.
QByteArray entriesOfDay(const QByteArray& journal, QDate day, const std::function<void(const JournalEntry&)>& visit);

// Only the annulments, for a window that marks annulled cards: no chain check, quick on a large journal.
QHash<int, JournalEntry> annulments(const QByteArray& journal);
// The same for the journal of the year file at `yearFilePath`, read only from where this process last read it, so
// a window that asks at each card reads each entry once. Throws ArchiveAccessError.
QHash<int, JournalEntry> annulmentsOf(const QString& yearFilePath);

// "annullata il 11/12/2026 alle 10:15 da mario: motivo".
QString annulmentText(const JournalEntry& annulment);

} // namespace RegisterJournal

// What `verify` finds: the chain, and every card of the year file against its last state in the journal.
struct RegisterCheck
{
    int entries = 0;
    int cards = 0;
    QList<JournalProblem> brokenEntries;
    struct Card
    {
        int place = 0;
        QString number;
        QString text; // what is wrong, in Italian
    };
    QList<Card> changedCards;

    bool passed() const { return brokenEntries.isEmpty() && changedCards.isEmpty(); }
    // One line per finding, for the batch tool and the window.
    QStringList findings() const;
};

namespace RegisterVerify {
// Under the year file's lock. A year without a journal has nothing to check: it passes with no entries.
RegisterCheck check(const RawRecordFile& yearFile);
} // namespace RegisterVerify

// Writes one year's register and its journal together, while the year file is open and locked. A register written
// before there were journals gets, on its first write, one "esistente" entry for each card it holds.
class RegisterJournalWriter
{
public:
    RegisterJournalWriter(RawRecordFile& yearFile, JournalAuthor author);

    // A new card: appended with its registration (and its documents' fingerprints). Returns its place.
    int registerCard(const QByteArray& record);
    // The same inside a batch of appends, which commits or rolls back the whole.
    int registerCard(RawRecordFile::Batch& batch, const QByteArray& record);
    // A corrected card: written with its changed fields (and its documents' fingerprints when they changed). A
    // record equal to the stored one writes nothing.
    void correctCard(int place, const QByteArray& record);
    // An annulment: the journal alone changes. Throws RegisterRefusal for a card already annulled.
    void annulCard(int place, const QString& reason);

    // The annulment of the card at `place`, when it has one.
    std::optional<JournalEntry> annulmentOf(int place) const;

private:
    QByteArray entryLines(int place, const QByteArray& before, const QByteArray& after, JournalEntry::Kind kind,
                          const QString& reason = {});
    QByteArray chained(const QByteArray& body);
    QByteArray foundEntries();

    RawRecordFile& m_file;
    JournalAuthor m_author;
    QString m_programFolder;
    QByteArray m_lastHash;
    int m_foundCount = 0; // cards to record as found at the first write; 0 once done or when the journal has begun
};

// A register action refused for what the register holds (an annulled card), with its Italian text.
struct RegisterRefusal
{
    QString message;
};
