#pragma once

#include "addresses/address_card.h"
#include "addresses/contact.h"

#include <functional>

// Contacts brought into the address archive: converted whole before anything is written, cards already there or
// earlier in the same file skipped, the new ones appended under one lock.
namespace AddressImport {

struct Refusal
{
    int line; // where the contact begins in its file
    QString reason;
};

// Refused and lossy cards are each listed up to this many, and counted all: a file of millions of rows without a name
// must not fill the memory with reasons.
inline constexpr qsizetype kListedRefusals = 1000;

struct Plan
{
    QList<AddressCard> cards; // the new cards in file order, each exactly as it will be stored
    QList<int> lines;         // the line each new card begins at in the file
    int duplicates = 0;       // equal to a card of the archive or to an earlier one of the file
    QList<Refusal> refused;   // the first kListedRefusals
    QList<Refusal> lossy;     // cards kept although some characters will be stored as '?' (only when accepted)
    QList<Refusal> replaced;  // new cards with characters stored as others: "riga 4: «ř» → «r»"
    QList<Refusal>
        cut; // new cards with a text cut to its field's width: "riga 4: testo tagliato a 250 caratteri in Note"
    qsizetype refusedCount = 0;
    qsizetype lossyCount = 0;
    qsizetype replacedCount = 0;
    qsizetype cutCount = 0;
};

// Cards with characters windows-1252 cannot store (Cyrillic, Chinese...) are refused, naming their line and the
// characters, unless the caller accepts them; an accepted one is never taken for a duplicate, as its text lost
// what told it apart.
enum class Lossy
{
    Refuse,
    Accept
};

struct Result
{
    Plan plan;
    QList<int> numbers; // the new cards' numbers in the archive; empty when nothing was written
};

// The contacts of a file: how many, and every one in order, each handed to `visit` once
// (ContactFile::forEachContact).
struct ContactSource
{
    qsizetype count = 0;
    std::function<void(const std::function<void(const Contact&)>& visit)> forEach;
};

// What an import of a whole file did or would do, told without its cards: a file of millions of rows goes through
// one contact at a time.
struct Report
{
    qsizetype imported = 0; // new cards, added or (in a dry run) to add
    int duplicates = 0;
    QList<Refusal> refused; // the first kListedRefusals
    QList<Refusal> lossy;
    QList<Refusal> replaced;
    QList<Refusal> cut;
    qsizetype refusedCount = 0;
    qsizetype lossyCount = 0;
    qsizetype replacedCount = 0;
    qsizetype cutCount = 0;
    QList<int> numbers;    // the new cards' numbers in the archive; empty when nothing was written
    AddressCard firstCard; // the first new card as stored, when one was written
};

// What the import window shows of a file: the counts of the whole file, and its first new cards and duplicates.
struct ShownCard
{
    int line = 0;
    AddressCard card; // exactly as it will be stored
    QString changed;  // the characters stored as others: "«ř» → «r»"
};

struct ShownDuplicate
{
    int line = 0;
    AddressCard card;
    int archiveNumber = 0; // the archive card it equals, or 0 when it equals an earlier card of the file
    int fileLine = 0;      // that earlier card's line
    AddressCard match;     // the card it equals
};

struct Preview
{
    Report counts;
    QList<ShownCard> cards; // at most `limit` of each
    QList<ShownDuplicate> duplicates;
};

// Two cards are the same address when name and six lines match, trimmed, with only a to z folded to capitals
// (the finder's rule). The key of a stored record (`data` holds a whole record).
QByteArray duplicateKey(const char* data);
// The same key for a card not yet stored: the bytes its record would hold.
QByteArray duplicateKey(const AddressCard& card);

// What an import would do now, writing nothing (an archive that is not there counts as empty and stays absent).
// Throws ArchiveAccessError.
Plan plan(const QString& programFolder, const QList<Contact>& contacts, Lossy lossy = Lossy::Refuse);

// Imports: the check against the archive and the appends happen under one lock, as one batch of appends (all or
// none). A failure throws ArchiveAccessError and leaves the archive as it was. The archive is not created when there
// is nothing to add.
Result run(const QString& programFolder, const QList<Contact>& contacts, Lossy lossy = Lossy::Refuse);

// plan() and run() for a file streamed through, with the same checks and the same outcome.
Report check(const QString& programFolder, const ContactSource& contacts, Lossy lossy = Lossy::Refuse);
Report import(const QString& programFolder, const ContactSource& contacts, Lossy lossy = Lossy::Refuse);

// The import as check() sees it, cards with characters the archive cannot keep refused, with the first `limit` new
// cards and duplicates of the file, each duplicate beside the card it equals. Writes nothing.
Preview preview(const QString& programFolder, const ContactSource& contacts, int limit);

// "N schede importate, M già presenti, K scartate", each count with its word in the singular when it is 1.
QString summary(const Plan& plan);
QString summary(const Report& report);

} // namespace AddressImport
