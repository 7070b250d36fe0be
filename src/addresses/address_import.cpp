#include "addresses/address_import.h"

#include "addresses/contact_card.h"
#include "common/ansi.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

constexpr AddressCard::Field kKeyFields[] = {AddressCard::Nome,   AddressCard::Rigo01, AddressCard::Rigo02,
                                             AddressCard::Rigo03, AddressCard::Rigo04, AddressCard::Rigo05,
                                             AddressCard::Rigo06};

// A card's stored bytes are made only when it is written: holding every record at once would take 3765 bytes a
// contact.
struct Converted
{
    QList<AddressCard> cards;
    QList<QByteArray> keys; // empty for a card that loses characters: it is no one's duplicate
    QList<int> lines;
    QList<AddressImport::Refusal> refused;
    QList<AddressImport::Refusal> lossy;
};

QString listed(const QString& characters)
{
    QStringList out;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const qsizetype n = characters[i].isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
        out.append(QStringLiteral("«%1» (U+%2)")
                       .arg(characters.mid(i, n))
                       .arg(QString::number(characters.mid(i, n).toUcs4().value(0), 16).toUpper(), 4, u'0'));
        i += n - 1;
    }
    return out.join(u", ");
}

Converted convertAll(const QList<Contact>& contacts, AddressImport::Lossy lossy)
{
    Converted out;
    out.cards.reserve(contacts.size());
    out.keys.reserve(contacts.size());
    out.lines.reserve(contacts.size());
    for (const Contact& contact : contacts) {
        QString lost;
        AddressCard card = ContactCard::convert(contact, &lost);
        if (card.value(AddressCard::Nome).isEmpty()) {
            out.refused.append(
                {contact.line,
                 QStringLiteral("riga %1: la scheda non ha né un nome né una ragione sociale").arg(contact.line)});
            continue;
        }
        if (!lost.isEmpty()) {
            const QString what = QStringLiteral("riga %1: caratteri che l'archivio non può conservare: %2")
                                     .arg(contact.line)
                                     .arg(listed(lost));
            if (lossy == AddressImport::Lossy::Refuse) {
                out.refused.append({contact.line, what});
                continue;
            }
            out.lossy.append({contact.line, what + QStringLiteral(" (salvati come «?»)")});
            out.keys.append(QByteArray());
        } else {
            out.keys.append(AddressImport::duplicateKey(card.toBytes().constData()));
        }
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

// Sorts the converted cards into new and duplicate.
AddressImport::Plan sortOut(Converted& converted, QSet<QByteArray> keys)
{
    AddressImport::Plan plan;
    plan.refused = converted.refused;
    plan.lossy = converted.lossy;
    for (qsizetype i = 0; i < converted.cards.size(); ++i) {
        const QByteArray& key = converted.keys[i];
        if (!key.isEmpty() && keys.contains(key)) {
            ++plan.duplicates;
            continue;
        }
        if (!key.isEmpty())
            keys.insert(key);
        plan.cards.append(converted.cards[i]);
        plan.lines.append(converted.lines[i]);
    }
    return plan;
}

QString archivePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(AddressCardFile::kFileName);
}

// The keys of the archive's records read without opening it for writing: a dry run works on a read-only archive.
// A missing archive has none.
QSet<QByteArray> readOnlyKeys(const QString& path)
{
    QSet<QByteArray> keys;
    if (!QFileInfo::exists(path))
        return keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ArchiveAccessError(Errors::kArchiveAccess);
    const int size = AddressCard::recordSize();
    const qint64 chunk = qint64(size) * 256;
    QByteArray block;
    while (!(block = file.read(chunk)).isEmpty()) {
        for (qsizetype at = 0; at + size <= block.size(); at += size)
            keys.insert(AddressImport::duplicateKey(block.constData() + at));
    }
    if (file.error() != QFileDevice::NoError)
        throw ArchiveAccessError(Errors::kArchiveAccess);
    return keys;
}

// The cards not yet in the archive appended under one lock, as one batch.
AddressImport::Result appendNew(const QString& path, Converted& converted)
{
    AddressImport::Result result;
    RawRecordFile file(path, AddressCard::recordSize()); // locked until the appends are done
    result.plan = sortOut(converted, archiveKeys(file));
    converted = Converted();
    if (result.plan.cards.isEmpty())
        return result;
    QList<int> numbers;
    numbers.reserve(result.plan.cards.size());
    RawRecordFile::Batch batch(file); // all or none: a failure cuts the archive back to its size before
    for (const AddressCard& card : std::as_const(result.plan.cards))
        numbers.append(batch.append(card.toBytes()));
    batch.commit();
    result.numbers = numbers;
    return result;
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

Plan plan(const QString& programFolder, const QList<Contact>& contacts, Lossy lossy)
{
    Converted converted = convertAll(contacts, lossy);
    return sortOut(converted, readOnlyKeys(archivePath(programFolder)));
}

Result run(const QString& programFolder, const QList<Contact>& contacts, Lossy lossy)
{
    Converted converted = convertAll(contacts, lossy);
    const QString path = archivePath(programFolder);
    if (converted.cards.isEmpty() && !QFileInfo::exists(path)) {
        Result result;
        result.plan = sortOut(converted, {});
        return result;
    }
    const bool existed = QFileInfo::exists(path);
    try {
        return appendNew(path, converted);
    } catch (const ArchiveAccessError&) {
        // A first import that failed leaves no empty archive behind.
        if (!existed && QFileInfo(path).size() == 0)
            QFile::remove(path);
        throw;
    }
}
QString summary(const Plan& plan)
{
    const auto count = [](qsizetype n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
    };
    return count(plan.cards.size(), "scheda importata", "schede importate") + QStringLiteral(", ") +
           count(plan.duplicates, "già presente", "già presenti") + QStringLiteral(", ") +
           count(plan.refused.size(), "scartata", "scartate");
}

} // namespace AddressImport
