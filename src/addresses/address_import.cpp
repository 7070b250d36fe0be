#include "addresses/address_import.h"

#include "addresses/contact_card.h"
#include "addresses/duplicate_keys.h"
#include "addresses/late_comparisons.h"
#include "addresses/recent_conversions.h"
#include "common/ansi.h"
#include "common/short_string.h"
#include "common/text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <optional>

namespace {

constexpr AddressCard::Field kKeyFields[] = {AddressCard::Nome,   AddressCard::Rigo01, AddressCard::Rigo02,
                                             AddressCard::Rigo03, AddressCard::Rigo04, AddressCard::Rigo05,
                                             AddressCard::Rigo06};

// Room for any key: each key field's length byte and at most 255 bytes.
constexpr qsizetype kKeyRoom = std::size(kKeyFields) * 256;
static_assert(kKeyRoom <= ConvertedCard::kKeyRoom);

// The key of the stored bytes of the key fields, in kKeyFields order, written into `out` (kKeyRoom bytes). Fields
// left empty at the end are left out: a key held for every card of an import stays short.
QByteArrayView keyInto(char* out, const QByteArrayView (&fields)[std::size(kKeyFields)])
{
    std::size_t used = std::size(kKeyFields);
    while (used > 0 && fields[used - 1].isEmpty())
        --used;
    char* p = out;
    for (std::size_t i = 0; i < used; ++i) {
        *p++ = char(fields[i].size()); // a length before each field keeps "ab"+"c" apart from "a"+"bc"
        for (char c : fields[i])
            *p++ = c >= 'a' && c <= 'z' ? char(c - 32) : c;
    }
    return QByteArrayView(out, p - out);
}

// AddressImport::duplicateKey(data) written into `room` (kKeyRoom bytes).
QByteArrayView recordKey(char* room, const char* data)
{
    QByteArrayView fields[std::size(kKeyFields)];
    for (std::size_t i = 0; i < std::size(kKeyFields); ++i)
        fields[i] = AddressCard::fieldBytes(data, kKeyFields[i]);
    return keyInto(room, fields);
}

// AddressImport::duplicateKey(card) written into `room` (kKeyRoom bytes), without making the whole record: an import
// of millions of rows makes a key for every one.
QByteArrayView cardKey(char* room, const AddressCard& card)
{
    char fieldRoom[std::size(kKeyFields)][256];
    QByteArrayView fields[std::size(kKeyFields)];
    for (std::size_t i = 0; i < std::size(kKeyFields); ++i) {
        const int width = AddressCard::fields()[kKeyFields[i]].width;
        Q_ASSERT(width < 256);
        fields[i] = ShortString::storedBytes(fieldRoom[i], width, card.value(kKeyFields[i]));
    }
    return keyInto(room, fields);
}

QString counted(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(Text::count(n), QString::fromUtf8(n == 1 ? one : many));
}

QString summaryOf(qsizetype imported, qsizetype duplicates, qsizetype refused)
{
    return counted(imported, "scheda importata", "schede importate") + QStringLiteral(", ") +
           counted(duplicates, "già presente", "già presenti") + QStringLiteral(", ") +
           counted(refused, "scartata", "scartate");
}

// What sorting the contacts found besides the new cards.
struct Tally
{
    int duplicates = 0;
    QList<AddressImport::Refusal> refused;
    QList<AddressImport::Refusal> lossy;
    QList<AddressImport::Refusal> replaced;
    QList<AddressImport::Refusal> cut;
    qsizetype refusedCount = 0;
    qsizetype lossyCount = 0;
    qsizetype replacedCount = 0;
    qsizetype cutCount = 0;

    // The reason is made only for the cards listed.
    template <typename Reason> void refuse(int line, const Reason& reason)
    {
        listed(refused, refusedCount, line, reason);
    }
    template <typename Reason> void keepLossy(int line, const Reason& reason)
    {
        listed(lossy, lossyCount, line, reason);
    }
    template <typename Reason> void keepReplaced(int line, const Reason& reason)
    {
        listed(replaced, replacedCount, line, reason);
    }
    template <typename Reason> void keepCut(int line, const Reason& reason) { listed(cut, cutCount, line, reason); }

private:
    template <typename Reason>
    static void listed(QList<AddressImport::Refusal>& list, qsizetype& count, int line, const Reason& reason)
    {
        if (++count <= AddressImport::kListedRefusals)
            list.append({line, reason()});
    }
};

constexpr qsizetype kReservedKeys = qsizetype(16) << 20;

struct NewCard
{
    const AddressCard& card;
    QByteArrayView key; // AddressImport::duplicateKey
    int line;
    const QString& changed; // the characters stored as others, named (Ansi::replacements)
};

// Sorts the contacts one at a time into refused, duplicate and new; only the keys of the cards seen stay, in `keys`
// beside the archive's. `beforeFirst` runs once, before the first card that is not refused is compared: where the
// archive is opened and its keys read, so that an import adding nothing leaves no archive behind. `duplicate`, when
// given, sees each duplicate. Each sees the cards in file order.
Tally sortContacts(const AddressImport::ContactSource& contacts, AddressImport::Lossy lossy, DuplicateKeys& keys,
                   const std::function<void()>& beforeFirst, const std::function<void(const NewCard&)>& add,
                   const std::function<void(const NewCard&)>& duplicate = {})
{
    Tally tally;
    bool first = true;
    // A file of more rows than this holds rows of a few characters, far fewer different ones: the table grows as
    // they come instead of taking hundreds of megabytes for rows that repeat.
    keys.reserve(keys.size() + std::min<qsizetype>(contacts.count, kReservedKeys));
    const auto lossyReason = [](int line, const QString& lost) {
        return QStringLiteral("riga %1: caratteri che l'archivio non può conservare: %2")
            .arg(line)
            .arg(Ansi::named(lost));
    };
    const auto compare = [&](const ConvertedCard& c) {
        const QByteArrayView key = c.keyView();
        // A card that lost characters is no one's duplicate: its text lost what told it apart.
        if (c.lost.isEmpty() && !keys.insert(key, c.hash)) {
            ++tally.duplicates;
            if (duplicate)
                duplicate({c.card, key, c.line, c.changed});
            return;
        }
        if (!c.lost.isEmpty())
            tally.keepLossy(c.line,
                            [&] { return lossyReason(c.line, c.lost) + QStringLiteral(" (salvati come «?»)"); });
        if (!c.changed.isEmpty())
            tally.keepReplaced(c.line, [&] { return QStringLiteral("riga %1: %2").arg(c.line).arg(c.changed); });
        if (!c.cut.isEmpty())
            tally.keepCut(c.line, [&] {
                return QStringLiteral("riga %1: testo tagliato a %2 caratteri in %3")
                    .arg(c.line)
                    .arg(AddressCard::fields()[AddressCard::Nome].width) // every field a contact fills
                    .arg(c.cut);
            });
        add({c.card, key, c.line, c.changed});
    };
    LateComparisons late(keys, compare);
    RecentConversions recent;
    contacts.forEach([&](const Contact& contact) {
        const auto nameless = [&] {
            return QStringLiteral("riga %1: la scheda non ha né un nome né una ragione sociale").arg(contact.line);
        };
        if (!contact.unreadable.isEmpty()) {
            tally.refuse(contact.line, [&] { return contact.unreadable; });
            return;
        }
        // A sheet of millions of rows without names is told without converting each.
        if (ContactCard::certainlyNameless(contact)) {
            tally.refuse(contact.line, nameless);
            return;
        }
        ConvertedCard& c = late.next();
        const bool refusesLossy = lossy == AddressImport::Lossy::Refuse;
        if (const ConvertedCard* seen = recent.find(contact)) {
            c.copyFrom(*seen);
        } else {
            c.card = ContactCard::convert(contact, &c.lost, &c.changed, &c.cut);
            c.keySize = 0;
            if (!c.card.value(AddressCard::Nome).isEmpty() && !(refusesLossy && !c.lost.isEmpty())) {
                c.keySize = cardKey(c.key.data(), c.card).size();
                c.hash = DuplicateKeys::hashOf(c.keyView());
            }
            recent.keep(contact, c);
        }
        c.line = contact.line;
        if (c.card.value(AddressCard::Nome).isEmpty()) {
            tally.refuse(contact.line, nameless);
            return;
        }
        if (refusesLossy && !c.lost.isEmpty()) {
            tally.refuse(contact.line, [&] { return lossyReason(contact.line, c.lost); });
            return;
        }
        if (first && beforeFirst)
            beforeFirst();
        first = false;
        late.push();
    });
    late.finish();
    return tally;
}

AddressImport::ContactSource fromList(const QList<Contact>& contacts)
{
    return {contacts.size(), [&contacts](const std::function<void(const Contact&)>& visit) {
                for (const Contact& c : contacts)
                    visit(c);
            }};
}

QString archivePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(AddressCardFile::kFileName);
}

// Every record of the archive with its number, read without opening it for writing: a dry run works on a read-only
// archive. A missing archive has none.
void readOnlyRecords(const QString& path, const std::function<void(int number, const char* data)>& visit)
{
    if (!QFileInfo::exists(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ArchiveAccessError(Errors::kArchiveAccess);
    const int size = AddressCard::recordSize();
    const qint64 chunk = qint64(size) * 256;
    QByteArray block;
    int number = 0;
    while (!(block = file.read(chunk)).isEmpty()) {
        for (qsizetype at = 0; at + size <= block.size(); at += size)
            visit(++number, block.constData() + at);
    }
    if (file.error() != QFileDevice::NoError)
        throw ArchiveAccessError(Errors::kArchiveAccess);
}

void readOnlyKeys(const QString& path, DuplicateKeys& keys)
{
    keys.reserve(keys.size() + QFileInfo(path).size() / AddressCard::recordSize());
    char room[kKeyRoom];
    readOnlyRecords(path, [&](int, const char* data) { keys.insert(recordKey(room, data)); });
}

// The new cards appended to the archive as one batch (all or none): the archive is opened, created when missing,
// and its keys read under the same lock at the first card that may be new, and stays locked until the end.
class Appender
{
public:
    Appender(const QString& path, DuplicateKeys& keys) : m_path(path), m_keys(keys) {}

    void open()
    {
        m_file.emplace(m_path, AddressCard::recordSize());
        m_keys.reserve(m_keys.size() + m_file->count());
        char room[kKeyRoom];
        m_file->scan([&](int, const char* data) { m_keys.insert(recordKey(room, data)); });
    }
    int append(const QByteArray& bytes)
    {
        if (!m_batch)
            m_batch.emplace(*m_file); // a failure cuts the archive back to its size before
        return m_batch->append(bytes);
    }
    void commit()
    {
        if (m_batch)
            m_batch->commit();
    }
    // After a failure, with the archive still locked: the batch is undone, and an archive that was not there before
    // is taken away again when it holds nothing (an open waiting for the lock meanwhile opens the path anew). Without
    // the lock nothing is removed: another workstation may be about to write in it.
    void abandon(bool existedBefore)
    {
        m_batch.reset();
        if (m_file && !existedBefore && m_file->count() == 0 && QFileInfo(m_path).size() == 0)
            QFile::remove(m_path);
        m_file.reset();
    }

private:
    QString m_path;
    DuplicateKeys& m_keys;
    std::optional<RawRecordFile> m_file;
    std::optional<RawRecordFile::Batch> m_batch;
};

// Imports, handing each new card and its number to `added`. A failure (ArchiveAccessError, or whatever the contacts
// or `added` throw, as a user's Annulla) leaves the archive as it was: a first import that failed leaves no empty
// archive behind.
Tally importAll(const QString& programFolder, const AddressImport::ContactSource& contacts, AddressImport::Lossy lossy,
                const std::function<void(const NewCard&, int number)>& added)
{
    const QString path = archivePath(programFolder);
    const bool existed = QFileInfo::exists(path);
    DuplicateKeys keys;
    Appender appender(path, keys);
    try {
        const Tally tally = sortContacts(
            contacts, lossy, keys, [&] { appender.open(); },
            [&](const NewCard& card) { added(card, appender.append(card.card.toBytes())); });
        appender.commit();
        return tally;
    } catch (...) {
        appender.abandon(existed);
        throw;
    }
}

template <typename Out> void fill(Out& out, const Tally& tally)
{
    out.duplicates = tally.duplicates;
    out.refused = tally.refused;
    out.lossy = tally.lossy;
    out.replaced = tally.replaced;
    out.cut = tally.cut;
    out.refusedCount = tally.refusedCount;
    out.lossyCount = tally.lossyCount;
    out.replacedCount = tally.replacedCount;
    out.cutCount = tally.cutCount;
}

} // namespace

namespace AddressImport {

QByteArray duplicateKey(const char* data)
{
    char room[kKeyRoom];
    return recordKey(room, data).toByteArray();
}

QByteArray duplicateKey(const AddressCard& card)
{
    char room[kKeyRoom];
    return cardKey(room, card).toByteArray();
}

Plan plan(const QString& programFolder, const QList<Contact>& contacts, Lossy lossy)
{
    Plan out;
    DuplicateKeys keys;
    readOnlyKeys(archivePath(programFolder), keys);
    fill(out, sortContacts(fromList(contacts), lossy, keys, {}, [&](const NewCard& card) {
             out.cards.append(card.card);
             out.lines.append(card.line);
         }));
    return out;
}

Result run(const QString& programFolder, const QList<Contact>& contacts, Lossy lossy)
{
    Result result;
    fill(result.plan, importAll(programFolder, fromList(contacts), lossy, [&](const NewCard& card, int number) {
             result.plan.cards.append(card.card);
             result.plan.lines.append(card.line);
             result.numbers.append(number);
         }));
    return result;
}

Report check(const QString& programFolder, const ContactSource& contacts, Lossy lossy)
{
    Report out;
    DuplicateKeys keys;
    readOnlyKeys(archivePath(programFolder), keys);
    fill(out, sortContacts(contacts, lossy, keys, {}, [&](const NewCard&) { ++out.imported; }));
    return out;
}

Report import(const QString& programFolder, const ContactSource& contacts, Lossy lossy)
{
    Report out;
    fill(out, importAll(programFolder, contacts, lossy, [&](const NewCard& card, int number) {
             if (out.numbers.isEmpty())
                 out.firstCard = card.card;
             ++out.imported;
             out.numbers.append(number);
         }));
    return out;
}

Preview preview(const QString& programFolder, const ContactSource& contacts, int limit)
{
    Preview out;
    const QString path = archivePath(programFolder);
    DuplicateKeys keys;
    readOnlyKeys(path, keys);
    QHash<QByteArray, QList<qsizetype>> unmatched; // the key of each duplicate shown, to the places showing it
    fill(out.counts, sortContacts(
                         contacts, Lossy::Refuse, keys, {},
                         [&](const NewCard& card) {
                             ++out.counts.imported;
                             if (out.cards.size() < limit)
                                 out.cards.append({card.line, card.card, card.changed});
                         },
                         [&](const NewCard& card) {
                             if (out.duplicates.size() >= limit)
                                 return;
                             unmatched[card.key.toByteArray()].append(out.duplicates.size());
                             out.duplicates.append({card.line, card.card});
                         }));
    if (unmatched.isEmpty())
        return out; // no duplicate to place: the archive is not read again
    // The first archive card with the same key is the one each equals...
    readOnlyRecords(path, [&](int number, const char* data) {
        if (unmatched.isEmpty())
            return;
        const auto found = unmatched.constFind(duplicateKey(data));
        if (found == unmatched.cend())
            return;
        for (qsizetype i : *found) {
            out.duplicates[i].archiveNumber = number;
            out.duplicates[i].match = AddressCard::fromBytes(data);
        }
        unmatched.erase(found);
    });
    if (unmatched.isEmpty())
        return out;
    // ...and the others equal an earlier card of the file: the first one read with that key.
    struct AllFound
    {
    };
    try {
        contacts.forEach([&](const Contact& contact) {
            if (!contact.unreadable.isEmpty())
                return;
            QString lost;
            const AddressCard card = ContactCard::convert(contact, &lost);
            if (card.value(AddressCard::Nome).isEmpty() || !lost.isEmpty())
                return;
            const auto found = unmatched.constFind(duplicateKey(card));
            if (found == unmatched.cend())
                return;
            for (qsizetype i : *found) {
                // Earlier in the file, unless the archive lost the card it equalled since it was read.
                if (contact.line < out.duplicates[i].line) {
                    out.duplicates[i].fileLine = contact.line;
                    out.duplicates[i].match = card;
                }
            }
            unmatched.erase(found);
            if (unmatched.isEmpty())
                throw AllFound{};
        });
    } catch (const AllFound&) {
    }
    return out;
}

QString summary(const Plan& plan)
{
    return summaryOf(plan.cards.size(), plan.duplicates, plan.refusedCount);
}

QString summary(const Report& report)
{
    return summaryOf(report.imported, report.duplicates, report.refusedCount);
}

} // namespace AddressImport
