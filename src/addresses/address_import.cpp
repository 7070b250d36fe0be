#include "addresses/address_import.h"

#include "addresses/contact_card.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

constexpr AddressCard::Field kKeyFields[] = {AddressCard::Nome,   AddressCard::Rigo01, AddressCard::Rigo02,
                                             AddressCard::Rigo03, AddressCard::Rigo04, AddressCard::Rigo05,
                                             AddressCard::Rigo06};

struct Converted
{
    QList<AddressCard> cards;
    QList<QByteArray> records;
    QList<int> lines;
    QList<AddressImport::Refusal> refused;
};

Converted convertAll(const QList<Contact>& contacts)
{
    Converted out;
    out.cards.reserve(contacts.size());
    out.records.reserve(contacts.size());
    out.lines.reserve(contacts.size());
    for (const Contact& contact : contacts) {
        AddressCard card = ContactCard::convert(contact);
        if (card.value(AddressCard::Nome).isEmpty()) {
            out.refused.append(
                {contact.line,
                 QStringLiteral("riga %1: la scheda non ha né un nome né una ragione sociale").arg(contact.line)});
            continue;
        }
        out.records.append(card.toBytes());
        out.cards.append(std::move(card));
        out.lines.append(contact.line);
    }
    return out;
}

QSet<QByteArray> archiveKeys(const RawRecordFile& file)
{
    QSet<QByteArray> keys;
    keys.reserve(file.count());
    file.scan([&](int, const char* data) { keys.insert(AddressImport::duplicateKey(data)); });
    return keys;
}

// Sorts the converted cards into new and duplicate; `records` keeps the new cards' bytes.
AddressImport::Plan sortOut(Converted& converted, QSet<QByteArray> keys, QList<QByteArray>& records)
{
    AddressImport::Plan plan;
    plan.refused = converted.refused;
    for (qsizetype i = 0; i < converted.cards.size(); ++i) {
        const QByteArray key = AddressImport::duplicateKey(converted.records[i].constData());
        if (keys.contains(key)) {
            ++plan.duplicates;
            continue;
        }
        keys.insert(key);
        plan.cards.append(converted.cards[i]);
        plan.lines.append(converted.lines[i]);
        records.append(converted.records[i]);
    }
    return plan;
}

QString archivePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(AddressCardFile::kFileName);
}

} // namespace

namespace AddressImport {

QByteArray duplicateKey(const char* data)
{
    QByteArray key;
    key.reserve(7 * 16);
    for (AddressCard::Field f : kKeyFields) {
        const QByteArrayView bytes = AddressCard::fieldBytes(data, f);
        key.append(char(bytes.size())); // a length before each field keeps "ab"+"c" apart from "a"+"bc"
        for (char c : bytes)
            key.append(c >= 'a' && c <= 'z' ? char(c - 32) : c);
    }
    return key;
}

Plan plan(const QString& programFolder, const QList<Contact>& contacts)
{
    Converted converted = convertAll(contacts);
    QSet<QByteArray> keys;
    if (QFileInfo::exists(archivePath(programFolder)))
        keys = archiveKeys(RawRecordFile(archivePath(programFolder), AddressCard::recordSize()));
    QList<QByteArray> records;
    return sortOut(converted, std::move(keys), records);
}

Result run(const QString& programFolder, const QList<Contact>& contacts)
{
    Converted converted = convertAll(contacts);
    Result result;
    QList<QByteArray> records;
    if (converted.cards.isEmpty() && !QFileInfo::exists(archivePath(programFolder))) {
        result.plan = sortOut(converted, {}, records);
        return result;
    }
    RawRecordFile file(archivePath(programFolder), AddressCard::recordSize()); // locked until the appends are done
    result.plan = sortOut(converted, archiveKeys(file), records);
    if (records.isEmpty())
        return result;
    QList<int> numbers;
    numbers.reserve(records.size());
    RawRecordFile::Batch batch(file); // all or none: a failure cuts the archive back to its size before
    for (const QByteArray& record : records)
        numbers.append(batch.append(record));
    batch.commit();
    result.numbers = numbers;
    return result;
}

QString summary(const Plan& plan)
{
    return QStringLiteral("%1 schede importate, %2 già presenti, %3 scartate")
        .arg(plan.cards.size())
        .arg(plan.duplicates)
        .arg(plan.refused.size());
}

} // namespace AddressImport
