#include "addresses/address_card.h"
#include "cli/cli_io.h"
#include "cli/commands.h"
#include "common/ansi.h"
#include "labels/label_sheet.h"
#include "register/register_card.h"
#include "register/register_card_checks.h"
#include "register/register_journal.h"
#include "register/register_numbering.h"
#include "register/register_settings.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <iostream>
#include <optional>

namespace {

enum class Archive
{
    Addresses,
    Labels,
    Register
};

struct Target
{
    Archive archive;
    QString path;
    qsizetype nextArg; // index of the first argument after the archive (and year)
};

Target parseTarget(const CliContext& ctx)
{
    if (ctx.args.isEmpty())
        throw UsageError{QStringLiteral("Indicare l'archivio: addresses, labels o register ANNO."), Usage::Shown};
    const QString& which = ctx.args[0];
    if (which == u"addresses")
        return {Archive::Addresses, QDir(ctx.folder).filePath(AddressCardFile::kFileName), 1};
    if (which == u"labels")
        return {Archive::Labels, QDir(ctx.folder).filePath(LabelSheetFile::kFileName), 1};
    if (which == u"register") {
        if (ctx.args.size() < 2 || !RegisterYear::isValid(ctx.args[1]))
            throw UsageError{QStringLiteral("L'anno del protocollo deve essere di quattro cifre.")};
        return {Archive::Register, RegisterYear::filePath(ctx.folder, ctx.args[1]), 2};
    }
    throw UsageError{QStringLiteral("Archivio sconosciuto: %1").arg(Cli::echo(which)), Usage::Shown};
}

std::span<const FieldSpec> fieldsOf(Archive a)
{
    switch (a) {
    case Archive::Addresses:
        return AddressCard::fields();
    case Archive::Labels:
        return LabelSheet::fields();
    case Archive::Register:
        return RegisterCard::fields();
    }
    return {};
}

int recordSizeOf(Archive a)
{
    switch (a) {
    case Archive::Addresses:
        return AddressCard::recordSize();
    case Archive::Labels:
        return LabelSheet::recordSize();
    case Archive::Register:
        return RegisterCard::recordSize();
    }
    return 0;
}

QStringList decode(Archive a, const char* bytes)
{
    switch (a) {
    case Archive::Addresses:
        return AddressCard::fromBytes(bytes).values();
    case Archive::Labels:
        return LabelSheet::fromBytes(bytes).values();
    case Archive::Register:
        return RegisterCard::fromBytes(bytes).values();
    }
    return {};
}

template <typename Record> QByteArray encodeAs(const QStringList& values)
{
    Record r;
    for (int i = 0; i < values.size(); ++i)
        r.setValue(i, values[i]);
    return r.toBytes();
}

QByteArray encode(Archive a, const QStringList& values)
{
    switch (a) {
    case Archive::Addresses:
        return encodeAs<AddressCard>(values);
    case Archive::Labels:
        return encodeAs<LabelSheet>(values);
    case Archive::Register:
        return encodeAs<RegisterCard>(values);
    }
    return {};
}

void expectNoMoreArgs(const CliContext& ctx, qsizetype used)
{
    if (ctx.args.size() > used)
        throw UsageError{QStringLiteral("Argomento inatteso: %1").arg(Cli::echo(ctx.args[used])), Usage::Shown};
}

// What to do with a text the archive cannot store whole.
enum class Lossy
{
    Refuse,
    Accept
};

// --accept-lossy, anywhere after the command's name, taken out of the arguments.
Lossy takeLossy(CliContext& ctx)
{
    return ctx.args.removeAll(QStringLiteral("--accept-lossy")) > 0 ? Lossy::Accept : Lossy::Refuse;
}

// A text with characters the archive cannot store is refused with its line, field and characters, or kept with them
// as '?' when the user said so, each change told on the error output. A register card must then pass what the
// register window checks before it saves; other records are stored as given.
QStringList checked(Archive archive, QStringList values, qsizetype lineNumber, Lossy lossy)
{
    const std::span<const FieldSpec> fields = fieldsOf(archive);
    for (qsizetype f = 0; f < values.size() && f < qsizetype(fields.size()); ++f) {
        const QString lost = Ansi::unstorable(values[f]);
        if (lost.isEmpty())
            continue;
        const QString what = QStringLiteral("Riga %1: il campo %2 contiene caratteri che l'archivio non può "
                                            "conservare: %3")
                                 .arg(lineNumber)
                                 .arg(QLatin1String(fields[f].name), Cli::echo(Ansi::named(lost)));
        if (lossy == Lossy::Refuse)
            throw UsageError{what + QStringLiteral(". Correggere il testo, oppure aggiungere --accept-lossy per "
                                                   "salvarli come «?».")};
        std::cerr << "plicario-cli: " << what.toStdString() << " (salvati come «?»)." << std::endl;
    }
    if (archive != Archive::Register)
        return values;
    if (const auto problem = RegisterCardChecks::complete(values, QDate::currentDate()))
        throw UsageError{QStringLiteral("Riga %1: %2 \"%3\" %4.")
                             .arg(lineNumber)
                             .arg(QLatin1String(RegisterCard::fields()[problem->field].name),
                                  Cli::echo(values[problem->field]), problem->reason)};
    return values;
}

// The next record of the input, encoded; false at its end. Throws UsageError for a line that is no record.
bool nextRecord(Cli::LineReader& input, Archive archive, Lossy lossy, QByteArray& record)
{
    QByteArray line;
    if (!input.nextNonBlank(line))
        return false;
    record = encode(archive,
                    checked(archive, JsonLines::parseObject(fieldsOf(archive), line), input.lineNumber(), lossy));
    return true;
}

// A register card of a batch takes its number under the batch's lock: an empty one gets the next free number, a given
// one must be free. Throws UsageError naming its input line.
void numberCard(RegisterNumberer& numbers, QByteArray& record, qsizetype line)
{
    RegisterCard card = RegisterCard::fromBytes(record.constData());
    QString number = card.value(RegisterCard::Numero);
    if (number.isEmpty()) {
        number = numbers.next();
        card.setValue(RegisterCard::Numero, number);
        record = card.toBytes();
    } else if (!numbers.isFree(number)) {
        throw UsageError{QStringLiteral("Riga %1: il numero di protocollo %2 è già assegnato a un altro documento "
                                        "di questo registro.")
                             .arg(line)
                             .arg(Cli::echo(number))};
    }
    numbers.add(number);
}

} // namespace

JournalAuthor batchToolAuthor()
{
    return {JournalAuthor::workstationUser(), JournalAuthor::kBatchTool, {}};
}

int runDump(const CliContext& ctx)
{
    const Target t = parseTarget(ctx);
    expectNoMoreArgs(ctx, t.nextArg);
    // A missing archive has no records, and dumping it must not create it.
    if (QFileInfo::exists(t.path)) {
        RawRecordFile file(t.path, recordSizeOf(t.archive));
        QByteArray out;
        file.scan([&](int, const char* data) {
            out += JsonLines::objectLine(fieldsOf(t.archive), decode(t.archive, data));
            out += '\n';
            if (out.size() > (1 << 20)) {
                Cli::out(out);
                out.clear();
            }
        });
        Cli::out(out);
    }
    Cli::finishOut();
    return 0;
}

int runAppend(const CliContext& given)
{
    CliContext ctx = given;
    const Lossy lossy = takeLossy(ctx);
    const Target t = parseTarget(ctx);
    expectNoMoreArgs(ctx, t.nextArg);
    // Records are read, checked and written one at a time, so memory stays the same for any input size. The first
    // is checked before the archive is opened: no input, or bad input, never creates it.
    Cli::LineReader input;
    QByteArray record;
    if (!nextRecord(input, t.archive, lossy, record)) {
        Cli::finishOut();
        return 0;
    }
    RawRecordFile file(t.path, recordSizeOf(t.archive));
    // A register's journal grows in the batch's action: it is set up before the batch takes its rollback note.
    std::optional<RegisterJournalWriter> journal;
    if (t.archive == Archive::Register)
        journal.emplace(file, batchToolAuthor());
    // One lock for the whole batch, and a rollback note: any failure below, or a kill, leaves the archive as it was.
    RawRecordFile::Batch batch(file);
    std::optional<RegisterNumberer> numbers;
    if (t.archive == Archive::Register)
        numbers.emplace(
            file,
            RegisterSettings(ctx.folder)
                .numberingFor(RegisterNumbers::yearOf(t.path), QDate::currentDate().toString(QStringLiteral("yyyy"))),
            RegisterNumbers::yearOf(t.path));
    auto append = [&] {
        if (!journal)
            return batch.append(record);
        numberCard(*numbers, record, input.lineNumber());
        return journal->registerCard(batch, record);
    };
    const int first = append();
    int last = first;
    while (nextRecord(input, t.archive, lossy, record))
        last = append();
    batch.sync();
    // The numbers go out only for a complete batch, and the batch stays only if they did.
    QByteArray out;
    for (int n = first; n <= last; ++n) {
        out += QByteArray::number(n) + '\n';
        if (out.size() > (1 << 16)) {
            Cli::out(out);
            out.clear();
        }
    }
    Cli::out(out);
    Cli::finishOut();
    batch.commit();
    return 0;
}

int runWrite(const CliContext& given)
{
    CliContext ctx = given;
    const Lossy lossy = takeLossy(ctx);
    const Target t = parseTarget(ctx);
    if (ctx.args.size() <= t.nextArg)
        throw UsageError{QStringLiteral("Indicare il numero della scheda da sovrascrivere."), Usage::Shown};
    bool ok = false;
    const int number = ctx.args[t.nextArg].toInt(&ok);
    if (!ok)
        throw UsageError{QStringLiteral("Numero di scheda non valido: %1").arg(Cli::echo(ctx.args[t.nextArg]))};
    expectNoMoreArgs(ctx, t.nextArg + 1);
    Cli::LineReader input;
    QByteArray line;
    QByteArray more;
    const bool one = input.nextNonBlank(line);
    const qsizetype lineNumber = input.lineNumber();
    if (!one || input.nextNonBlank(more))
        throw UsageError{QStringLiteral("Fornire esattamente un oggetto JSON sullo standard input.")};
    const QByteArray record =
        encode(t.archive, checked(t.archive, JsonLines::parseObject(fieldsOf(t.archive), line), lineNumber, lossy));
    // A missing archive has no record to overwrite; do not create it just to fail.
    if (!QFileInfo::exists(t.path))
        throw UsageError{QStringLiteral("La scheda %1 non esiste (l'archivio è vuoto).").arg(number)};
    RawRecordFile file(t.path, recordSizeOf(t.archive));
    const int count = file.count();
    if (number < 1 || number > count)
        throw UsageError{QStringLiteral("La scheda %1 non esiste: l'archivio ne contiene %2.").arg(number).arg(count)};
    if (t.archive == Archive::Register) {
        // A registered document's number and date are evidence: everything else may be corrected.
        const RegisterCard stored = RegisterCard::fromBytes(file.read(number).constData());
        const RegisterCard given = RegisterCard::fromBytes(record.constData());
        for (const int f : {RegisterCard::Numero, RegisterCard::DataReg})
            if (given.value(f) != stored.value(f))
                throw UsageError{QStringLiteral("Il campo %1 di una scheda protocollata non si può cambiare.")
                                     .arg(QLatin1String(RegisterCard::fields()[f].name))};
        try {
            RegisterJournalWriter(file, batchToolAuthor()).correctCard(number, record);
        } catch (const RegisterRefusal& refusal) {
            throw UsageError{refusal.message};
        }
        return 0;
    }
    file.write(number, record);
    return 0;
}
