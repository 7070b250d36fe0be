#include "register/register_journal.h"

#include "addresses/attachments.h"
#include "common/errors.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

const QString JournalAuthor::kWindow = QStringLiteral("finestra del protocollo");
const QString JournalAuthor::kBatchTool = QStringLiteral("plicario-cli");

QString JournalAuthor::workstationUser()
{
    for (const char* name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString user = qEnvironmentVariable(name).trimmed();
        if (!user.isEmpty())
            return user;
    }
    // A service or cron job may run with no user in its environment: the system still knows who it is.
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QStringLiteral("sconosciuto");
}

namespace {

using Kind = JournalEntry::Kind;

struct KindName
{
    Kind kind;
    const char* name;
};
constexpr KindName kKinds[] = {{Kind::Found, "esistente"},
                               {Kind::Registration, "registrazione"},
                               {Kind::Correction, "correzione"},
                               {Kind::Annulment, "annullamento"},
                               {Kind::Documents, "allegati"}};

std::optional<Kind> kindNamed(const QString& name)
{
    for (const KindName& k : kKinds)
        if (name == QLatin1String(k.name))
            return k.kind;
    return std::nullopt;
}

// Every line ends in this, then the 64 hex digits of its hash and "\"}".
const QByteArray kHashHead = ",\"hash\":\"";
constexpr int kHashLength = 64;
const int kHashTail = kHashHead.size() + kHashLength + 2;

const std::array<int, 4> kDocumentFields = {RegisterCard::Copia, RegisterCard::File01, RegisterCard::File02,
                                            RegisterCard::File03};

QString fieldName(int field)
{
    return QLatin1String(RegisterCard::fields()[field].name);
}

QByteArray jsonString(const QString& text)
{
    QByteArray out = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return out.mid(1, out.size() - 2);
}

QByteArray chainHash(const QByteArray& previous, const QByteArray& body)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(previous);
    hash.addData(body);
    return hash.result().toHex();
}

QString isoTime(const QDateTime& at)
{
    const QDateTime t = at.isValid() ? at : QDateTime::currentDateTime();
    // Written with its offset, whatever the machine's zone, so the line says when it happened on its own.
    return t.toOffsetFromUtc(t.offsetFromUtc()).toString(Qt::ISODate);
}

QString fileFingerprint(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}

bool isHex(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// The 64 characters where a line's own hash is written, before its closing "}; empty for a line too short for one.
QByteArrayView writtenHash(QByteArrayView line)
{
    if (line.size() < kHashTail || !line.endsWith("\"}"))
        return {};
    return line.last(kHashLength + 2).first(kHashLength);
}

// The entry on one line, or the reason it cannot be read. `hash` is the line's own hash as written.
std::optional<JournalEntry> parseLine(QByteArrayView line, QByteArray* body, QByteArray* hash, QString* problem)
{
    if (line.size() < kHashTail + 2 || !line.endsWith("\"}") ||
        line.sliced(line.size() - kHashTail, kHashHead.size()) != kHashHead) {
        *problem = QStringLiteral("la riga non termina con il suo hash");
        return std::nullopt;
    }
    *hash = writtenHash(line).toByteArray();
    *body = line.first(line.size() - kHashTail).toByteArray() + '}';
    if (!isHex(*hash)) {
        *problem = QStringLiteral("l'hash della riga non è valido");
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(*body, &error);
    const QJsonObject o = doc.object();
    const std::optional<Kind> kind = kindNamed(o.value(u"tipo").toString());
    JournalEntry e;
    e.time = QDateTime::fromString(o.value(u"ora").toString(), Qt::ISODate);
    e.card = o.value(u"scheda").toInt();
    if (error.error != QJsonParseError::NoError || !doc.isObject() || !kind || !e.time.isValid() || e.card < 1) {
        *problem = QStringLiteral("la riga non è una voce leggibile");
        return std::nullopt;
    }
    e.kind = *kind;
    e.user = o.value(u"utente").toString();
    e.operatorName = o.value(u"operatore").toString();
    e.source = o.value(u"fonte").toString();
    e.number = o.value(u"numero").toString();
    e.reason = o.value(u"motivo").toString();
    e.hash = *hash;
    if (e.kind == Kind::Found || e.kind == Kind::Registration) {
        const QJsonObject fields = o.value(u"campi").toObject();
        for (int f = 0; f < RegisterCard::fieldCount(); ++f)
            e.values << fields.value(fieldName(f)).toString();
    }
    const QJsonObject changes = o.value(u"modifiche").toObject();
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        const int field = RegisterCard::fieldIndex(it.key());
        const QJsonArray pair = it.value().toArray();
        if (field < 0 || pair.size() != 2) {
            *problem = QStringLiteral("la correzione nomina un campo sconosciuto");
            return std::nullopt;
        }
        e.changes.append({field, pair[0].toString(), pair[1].toString()});
    }
    for (const QJsonValue v : o.value(u"allegati").toArray()) {
        const QJsonObject d = v.toObject();
        e.documents.append({RegisterCard::fieldIndex(d.value(u"campo").toString()), d.value(u"nome").toString(),
                            d.value(u"sha256").toString()});
    }
    return e;
}

// Calls `visit` for every line with its number (from 1), without its line end.
void forEachLine(const QByteArray& text, const std::function<void(int, QByteArrayView)>& visit)
{
    qsizetype start = 0;
    int number = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        visit(++number, QByteArrayView(text).sliced(start, end - start));
        start = end + 1;
    }
}

// The first occurrence of `needle` in `text` from `from`, or -1; memmem, since a journal is tens of megabytes.
qsizetype find(QByteArrayView text, qsizetype from, QByteArrayView needle)
{
    if (from >= text.size())
        return -1;
    const void* at = ::memmem(text.data() + from, size_t(text.size() - from), needle.data(), size_t(needle.size()));
    return at ? static_cast<const char*>(at) - text.data() : -1;
}

// Adds each annulment in `journal` (whole lines) to `found`; a card keeps its first.
void addAnnulments(QHash<int, JournalEntry>& found, QByteArrayView journal)
{
    static constexpr QByteArrayView kMark = "\"tipo\":\"annullamento\"";
    qsizetype at = find(journal, 0, kMark);
    while (at >= 0) {
        const qsizetype start = journal.first(at).lastIndexOf('\n') + 1;
        qsizetype end = find(journal, at, "\n");
        if (end < 0)
            end = journal.size();
        QByteArray body;
        QByteArray hash;
        QString problem;
        const std::optional<JournalEntry> e = parseLine(journal.sliced(start, end - start), &body, &hash, &problem);
        if (e && e->kind == Kind::Annulment && !found.contains(e->card))
            found.insert(e->card, *e);
        at = find(journal, end, kMark);
    }
}

QString cardLabel(int place, const QString& number)
{
    return number.trimmed().isEmpty() ? QStringLiteral("scheda %1").arg(place)
                                      : QStringLiteral("scheda %1 (protocollo %2)").arg(place).arg(number.trimmed());
}

} // namespace

QString JournalEntry::kindName(Kind kind)
{
    for (const KindName& k : kKinds)
        if (k.kind == kind)
            return QLatin1String(k.name);
    return {};
}

namespace RegisterJournal {

QString pathFor(const QString& yearFilePath)
{
    const QFileInfo info(yearFilePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".storico"));
}

QByteArray read(const QString& yearFilePath)
{
    QFile file(pathFor(yearFilePath));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw ArchiveAccessError(Errors::kArchiveAccess);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ArchiveAccessError(Errors::kArchiveAccess);
    return bytes;
}

JournalReplay replay(const QByteArray& journal, const std::function<void(const JournalEntry&)>& visit)
{
    JournalReplay r;
    forEachLine(journal, [&](int number, QByteArrayView line) {
        ++r.entries;
        QByteArray body;
        QByteArray hash;
        QString problem;
        const std::optional<JournalEntry> parsed = parseLine(line, &body, &hash, &problem);
        if (!parsed) {
            r.problems.append({number, problem});
            // The chain goes on from what the line says its hash is, so one bad line is reported once.
            r.lastHash = hash.isEmpty() ? QCryptographicHash::hash(line.toByteArray(), QCryptographicHash::Sha256)
                                              .toHex()
                                        : hash;
            return;
        }
        if (chainHash(r.lastHash, body) != hash)
            r.problems.append({number, QStringLiteral("la catena degli hash è interrotta: la riga è stata "
                                                      "modificata, oppure una riga prima di essa è stata tolta o "
                                                      "spostata")});
        r.lastHash = hash;
        JournalEntry e = *parsed;
        e.line = number;
        switch (e.kind) {
        case Kind::Found:
        case Kind::Registration:
            if (e.values.size() == RegisterCard::fieldCount())
                r.cards.insert(e.card, e.values);
            break;
        case Kind::Correction: {
            auto it = r.cards.find(e.card);
            if (it == r.cards.end()) {
                r.problems.append({number, QStringLiteral("la correzione riguarda una scheda mai registrata")});
                break;
            }
            QStringList names;
            for (const JournalEntry::Change& c : e.changes) {
                if ((*it)[c.field] != c.before)
                    names << fieldName(c.field);
                (*it)[c.field] = c.after;
            }
            if (!names.isEmpty() && !r.changedBefore.contains(e.card))
                r.changedBefore.insert(e.card, QStringLiteral("prima della correzione del %1 il campo %2 era stato "
                                                              "cambiato fuori dal programma")
                                                   .arg(e.time.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                                                        names.join(QStringLiteral(", "))));
            break;
        }
        case Kind::Annulment:
            if (!r.annulments.contains(e.card))
                r.annulments.insert(e.card, e);
            break;
        case Kind::Documents:
            break;
        }
        if (visit)
            visit(e);
    });
    return r;
}

QByteArray entriesOfDay(const QByteArray& journal, QDate day, const std::function<void(const JournalEntry&)>& visit)
{
    static constexpr QByteArrayView kTime = "\"ora\":\"";
    const QByteArray dayText = day.toString(Qt::ISODate).toLatin1();
    QByteArray closing;
    forEachLine(journal, [&](int number, QByteArrayView line) {
        // The date as written, in the entry's own offset: the first ten characters of its time.
        const qsizetype at = find(line.first(std::min<qsizetype>(line.size(), 200)), 0, kTime);
        const QByteArrayView date = at >= 0 ? line.sliced(at + kTime.size()).first(std::min<qsizetype>(
                                                  10, line.size() - at - kTime.size()))
                                            : QByteArrayView();
        if (date.size() == 10 && date > QByteArrayView(dayText))
            return;
        QByteArray body;
        QByteArray hash;
        QString problem;
        if (date.size() == 10 && date != QByteArrayView(dayText)) {
            // An earlier day's entry: only its hash, which closes the day when no later entry follows.
            if (const QByteArrayView written = writtenHash(line); !written.isEmpty() && isHex(written))
                closing = written.toByteArray();
            return;
        }
        std::optional<JournalEntry> e = parseLine(line, &body, &hash, &problem);
        if (!e || e->time.date() > day)
            return;
        closing = e->hash;
        if (e->time.date() == day) {
            e->line = number;
            visit(*e);
        }
    });
    return closing;
}

QHash<int, JournalEntry> annulments(const QByteArray& journal)
{
    QHash<int, JournalEntry> found;
    addAnnulments(found, journal);
    return found;
}

QHash<int, JournalEntry> annulmentsOf(const QString& yearFilePath)
{
    // The journal only grows: what was read of it stays true while the bytes up to there are the same, and its last
    // line's hash, unique to the whole chain before it, says that they are. A journal cut back or replaced is read
    // again from its start.
    struct Known
    {
        qint64 size = 0;
        QByteArray tail;
        QHash<int, JournalEntry> annulments;
    };
    static QMutex mutex;
    static QHash<QString, Known> known;

    const QString path = pathFor(yearFilePath);
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw ArchiveAccessError(Errors::kArchiveAccess);
    const QMutexLocker lock(&mutex);
    Known k = known.value(path);
    const qint64 size = file.size();
    bool same = k.size > 0 && k.size <= size && file.seek(k.size - k.tail.size()) && file.read(k.tail.size()) == k.tail;
    if (!same) {
        k = Known();
        if (!file.seek(0))
            throw ArchiveAccessError(Errors::kArchiveAccess);
    }
    QByteArray added = file.read(size - k.size);
    if (added.size() != size - k.size)
        throw ArchiveAccessError(Errors::kArchiveAccess);
    // A line still being written waits for the next read.
    added.truncate(added.lastIndexOf('\n') + 1);
    addAnnulments(k.annulments, added);
    k.size += added.size();
    if (k.size > 0) {
        file.seek(std::max<qint64>(0, k.size - kHashTail - 1));
        k.tail = file.read(k.size - file.pos());
        known.insert(path, k);
    }
    return k.annulments;
}

QString annulmentText(const JournalEntry& a)
{
    return QStringLiteral("annullata il %1 alle %2 da %3: %4")
        .arg(a.time.toString(QStringLiteral("dd/MM/yyyy")), a.time.toString(QStringLiteral("HH:mm")), a.user,
             a.reason);
}

} // namespace RegisterJournal

QStringList RegisterCheck::findings() const
{
    QStringList lines;
    for (const JournalProblem& p : brokenEntries)
        lines << QStringLiteral("Storico, riga %1: %2.").arg(p.line).arg(p.text);
    for (const Card& c : changedCards)
        lines << QStringLiteral("Registro, %1: %2.").arg(cardLabel(c.place, c.number), c.text);
    return lines;
}

namespace RegisterVerify {

RegisterCheck check(const RawRecordFile& yearFile)
{
    RegisterCheck result;
    const JournalReplay r = RegisterJournal::replay(RegisterJournal::read(yearFile.path()));
    result.entries = r.entries;
    result.brokenEntries = r.problems;
    if (r.entries == 0)
        return result;
    yearFile.scan([&](int place, const char* data) {
        ++result.cards;
        const RegisterCard card = RegisterCard::fromBytes(data);
        const auto known = r.cards.constFind(place);
        if (known == r.cards.constEnd()) {
            result.changedCards.append({place, card.value(RegisterCard::Numero),
                                        QStringLiteral("non risulta nello storico: è stata aggiunta fuori dal "
                                                       "programma")});
            return;
        }
        QStringList differ;
        for (int f = 0; f < RegisterCard::fieldCount(); ++f)
            if (card.value(f) != known->at(f))
                differ << fieldName(f);
        if (!differ.isEmpty())
            result.changedCards.append({place, card.value(RegisterCard::Numero),
                                        QStringLiteral("è stata cambiata fuori dal programma (%1)")
                                            .arg(differ.join(QStringLiteral(", ")))});
        else if (r.changedBefore.contains(place))
            result.changedCards.append({place, card.value(RegisterCard::Numero), r.changedBefore.value(place)});
    });
    QList<int> missing;
    for (auto it = r.cards.constBegin(); it != r.cards.constEnd(); ++it)
        if (it.key() > result.cards)
            missing << it.key();
    std::sort(missing.begin(), missing.end());
    for (const int place : missing)
        result.changedCards.append({place, r.cards.value(place).value(RegisterCard::Numero),
                                    QStringLiteral("è nello storico ma manca nel registro")});
    return result;
}

} // namespace RegisterVerify

namespace {

// The last line of the journal, read from its end: a save needs only the hash it chains to.
QByteArray lastLine(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw ArchiveAccessError(Errors::kArchiveAccess);
    const qint64 size = file.size();
    qint64 chunk = 64 * 1024;
    for (;;) {
        const qint64 from = std::max<qint64>(0, size - chunk);
        if (!file.seek(from))
            throw ArchiveAccessError(Errors::kArchiveAccess);
        QByteArray tail = file.read(size - from);
        if (tail.size() != size - from)
            throw ArchiveAccessError(Errors::kArchiveAccess);
        if (tail.endsWith('\n'))
            tail.chop(1);
        const qsizetype eol = tail.lastIndexOf('\n');
        if (eol >= 0)
            return tail.mid(eol + 1);
        if (from == 0)
            return tail;
        chunk *= 4;
    }
}

} // namespace

RegisterJournalWriter::RegisterJournalWriter(RawRecordFile& yearFile, JournalAuthor author)
    : m_file(yearFile), m_author(std::move(author)), m_programFolder(QFileInfo(yearFile.path()).absolutePath())
{
    const QString journal = RegisterJournal::pathFor(yearFile.path());
    m_file.setCompanion(journal);
    const QByteArray last = lastLine(journal);
    if (last.isEmpty()) {
        m_foundCount = m_file.count();
        return;
    }
    if (const QByteArrayView written = writtenHash(last); !written.isEmpty())
        m_lastHash = written.toByteArray();
    else
        m_lastHash = QCryptographicHash::hash(last, QCryptographicHash::Sha256).toHex();
}

QByteArray RegisterJournalWriter::chained(const QByteArray& body)
{
    m_lastHash = chainHash(m_lastHash, body);
    QByteArray line = body;
    line.chop(1);
    return line + kHashHead + m_lastHash + "\"}\n";
}

QByteArray RegisterJournalWriter::foundEntries()
{
    QByteArray lines;
    const int count = m_foundCount;
    m_foundCount = 0;
    for (int place = 1; place <= count; ++place)
        lines += entryLines(place, {}, m_file.read(place), Kind::Found);
    return lines;
}

QByteArray RegisterJournalWriter::entryLines(int place, const QByteArray& before, const QByteArray& after, Kind kind,
                                             const QString& reason)
{
    const RegisterCard card = RegisterCard::fromBytes(after.constData());
    const auto head = [&](Kind entryKind) {
        return "{\"tipo\":" + jsonString(JournalEntry::kindName(entryKind)) + ",\"ora\":" + jsonString(isoTime(m_author.at)) +
               ",\"utente\":" + jsonString(m_author.user) +
               ",\"operatore\":" + jsonString(card.value(RegisterCard::Operatore)) +
               ",\"fonte\":" + jsonString(m_author.source) + ",\"scheda\":" + QByteArray::number(place) +
               ",\"numero\":" + jsonString(card.value(RegisterCard::Numero));
    };
    QByteArray lines;
    bool documentsChanged = false;
    if (kind == Kind::Found || kind == Kind::Registration) {
        QByteArray fields;
        for (int f = 0; f < RegisterCard::fieldCount(); ++f)
            fields += (f ? "," : "") + jsonString(fieldName(f)) + ':' + jsonString(card.value(f));
        lines += chained(head(kind) + ",\"campi\":{" + fields + "}}");
        documentsChanged = kind == Kind::Registration;
    } else if (kind == Kind::Correction) {
        const RegisterCard old = RegisterCard::fromBytes(before.constData());
        QByteArray changes;
        for (int f = 0; f < RegisterCard::fieldCount(); ++f) {
            if (old.value(f) == card.value(f))
                continue;
            changes += (changes.isEmpty() ? "" : ",") + jsonString(fieldName(f)) + ":[" + jsonString(old.value(f)) +
                       ',' + jsonString(card.value(f)) + ']';
            documentsChanged |= std::find(kDocumentFields.begin(), kDocumentFields.end(), f) != kDocumentFields.end();
        }
        if (changes.isEmpty())
            return {};
        lines += chained(head(kind) + ",\"modifiche\":{" + changes + "}}");
    } else if (kind == Kind::Annulment) {
        lines += chained(head(kind) + ",\"motivo\":" + jsonString(reason) + '}');
    }
    if (documentsChanged) {
        QByteArray documents;
        for (const int f : kDocumentFields) {
            const QString name = Attachments::documentName(card.value(f));
            if (name.isEmpty())
                continue;
            const QString sha = fileFingerprint(QDir(Attachments::folderPath(m_programFolder)).filePath(name));
            documents += (documents.isEmpty() ? "" : ",") + QByteArray("{\"campo\":") + jsonString(fieldName(f)) +
                         ",\"nome\":" + jsonString(card.value(f)) + ",\"sha256\":" + jsonString(sha) + '}';
        }
        if (!documents.isEmpty())
            lines += chained(head(Kind::Documents) + ",\"allegati\":[" + documents + "]}");
    }
    return lines;
}

int RegisterJournalWriter::registerCard(const QByteArray& record)
{
    RawRecordFile::Batch batch(m_file);
    const int place = registerCard(batch, record);
    batch.commit();
    return place;
}

int RegisterJournalWriter::registerCard(RawRecordFile::Batch& batch, const QByteArray& record)
{
    const QByteArray found = foundEntries();
    const int place = m_file.count() + 1;
    batch.appendCompanion(found + entryLines(place, {}, record, Kind::Registration));
    batch.append(record);
    return place;
}

std::optional<JournalEntry> RegisterJournalWriter::annulmentOf(int place) const
{
    const QHash<int, JournalEntry> all = RegisterJournal::annulmentsOf(m_file.path());
    const auto it = all.constFind(place);
    if (it == all.constEnd())
        return std::nullopt;
    return *it;
}

void RegisterJournalWriter::correctCard(int place, const QByteArray& record)
{
    const QByteArray before = m_file.read(place);
    if (const std::optional<JournalEntry> a = annulmentOf(place))
        throw RegisterRefusal{QStringLiteral("La registrazione è %1. Una registrazione annullata non si può "
                                             "modificare.")
                                  .arg(RegisterJournal::annulmentText(*a))};
    const QByteArray found = foundEntries();
    const QByteArray lines = found + entryLines(place, before, record, Kind::Correction);
    if (lines.isEmpty() && before == record)
        return;
    m_file.write(place, record, lines);
}

void RegisterJournalWriter::annulCard(int place, const QString& reason)
{
    if (place < 1 || place > m_file.count())
        throw RegisterRefusal{QStringLiteral("La scheda %1 non esiste: il registro ne contiene %2.")
                                  .arg(place)
                                  .arg(m_file.count())};
    if (reason.trimmed().isEmpty())
        throw RegisterRefusal{QStringLiteral("Indicare il motivo dell'annullamento.")};
    if (const std::optional<JournalEntry> a = annulmentOf(place))
        throw RegisterRefusal{QStringLiteral("La registrazione è già %1.").arg(RegisterJournal::annulmentText(*a))};
    const QByteArray found = foundEntries();
    RawRecordFile::Batch batch(m_file);
    batch.appendCompanion(found + entryLines(place, {}, m_file.read(place), Kind::Annulment, reason.trimmed()));
    batch.commit();
}
