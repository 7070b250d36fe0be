#include "addresses/address_card.h"
#include "cli/commands.h"
#include "labels/label_sheet.h"
#include "register/register_card.h"

#include <QFileInfo>
#include <functional>
#include <optional>

namespace {

enum class Archive { Addresses, Labels, Register };

struct Target
{
    Archive archive;
    QString path;
    qsizetype nextArg; // index of the first argument after the archive (and year)
};

Target parseTarget(const CliContext& ctx)
{
    if (ctx.args.isEmpty())
        throw UsageError{QStringLiteral("Indicare l'archivio: addresses, labels o register ANNO.")};
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
    throw UsageError{QStringLiteral("Archivio sconosciuto: %1").arg(which)};
}

std::span<const FieldSpec> fieldsOf(Archive a)
{
    switch (a) {
    case Archive::Addresses: return AddressCard::fields();
    case Archive::Labels: return LabelSheet::fields();
    case Archive::Register: return RegisterCard::fields();
    }
    return {};
}

int recordSizeOf(Archive a)
{
    switch (a) {
    case Archive::Addresses: return AddressCard::recordSize();
    case Archive::Labels: return LabelSheet::recordSize();
    case Archive::Register: return RegisterCard::recordSize();
    }
    return 0;
}

QStringList decode(Archive a, const QByteArray& bytes)
{
    switch (a) {
    case Archive::Addresses: return AddressCard::fromBytes(bytes.constData()).values();
    case Archive::Labels: return LabelSheet::fromBytes(bytes.constData()).values();
    case Archive::Register: return RegisterCard::fromBytes(bytes.constData()).values();
    }
    return {};
}

template <typename Record>
QByteArray encodeAs(const QStringList& values)
{
    Record r;
    for (int i = 0; i < values.size(); ++i)
        r.setValue(i, values[i]);
    return r.toBytes();
}

QByteArray encode(Archive a, const QStringList& values)
{
    switch (a) {
    case Archive::Addresses: return encodeAs<AddressCard>(values);
    case Archive::Labels: return encodeAs<LabelSheet>(values);
    case Archive::Register: return encodeAs<RegisterCard>(values);
    }
    return {};
}

void expectNoMoreArgs(const CliContext& ctx, qsizetype used)
{
    if (ctx.args.size() > used)
        throw UsageError{QStringLiteral("Argomento inatteso: %1").arg(ctx.args[used])};
}

QList<QByteArray> nonEmptyLines(const QByteArray& input)
{
    QList<QByteArray> lines;
    for (const QByteArray& line : input.split('\n'))
        if (!line.trimmed().isEmpty())
            lines.append(line);
    return lines;
}

} // namespace

int runDump(const CliContext& ctx)
{
    const Target t = parseTarget(ctx);
    expectNoMoreArgs(ctx, t.nextArg);
    RawRecordFile file(t.path, recordSizeOf(t.archive));
    const int n = file.count();
    QByteArray out;
    for (int i = 1; i <= n; ++i) {
        out += JsonLines::objectLine(fieldsOf(t.archive), decode(t.archive, file.read(i)));
        out += '\n';
        if (out.size() > (1 << 20)) {
            Cli::out(out);
            out.clear();
        }
    }
    Cli::out(out);
    return 0;
}

int runAppend(const CliContext& ctx)
{
    const Target t = parseTarget(ctx);
    expectNoMoreArgs(ctx, t.nextArg);
    // Every line is checked before the archive is touched, so bad input writes nothing.
    QList<QByteArray> records;
    for (const QByteArray& line : nonEmptyLines(Cli::readStdin()))
        records.append(encode(t.archive, JsonLines::parseObject(fieldsOf(t.archive), line)));
    RawRecordFile file(t.path, recordSizeOf(t.archive));
    QByteArray out;
    for (const QByteArray& record : records)
        out += QByteArray::number(file.append(record)) + '\n';
    Cli::out(out);
    return 0;
}

int runWrite(const CliContext& ctx)
{
    const Target t = parseTarget(ctx);
    if (ctx.args.size() <= t.nextArg)
        throw UsageError{QStringLiteral("Indicare il numero della scheda da sovrascrivere.")};
    bool ok = false;
    const int number = ctx.args[t.nextArg].toInt(&ok);
    if (!ok)
        throw UsageError{QStringLiteral("Numero di scheda non valido: %1").arg(ctx.args[t.nextArg])};
    expectNoMoreArgs(ctx, t.nextArg + 1);
    const QList<QByteArray> lines = nonEmptyLines(Cli::readStdin());
    if (lines.size() != 1)
        throw UsageError{QStringLiteral("Fornire esattamente un oggetto JSON sullo standard input.")};
    const QByteArray record = encode(t.archive, JsonLines::parseObject(fieldsOf(t.archive), lines[0]));
    // A missing archive has no record to overwrite; do not create it just to fail.
    if (!QFileInfo::exists(t.path))
        throw UsageError{QStringLiteral("La scheda %1 non esiste (l'archivio è vuoto).").arg(number)};
    RawRecordFile file(t.path, recordSizeOf(t.archive));
    const int count = file.count();
    if (number < 1 || number > count)
        throw UsageError{QStringLiteral("La scheda %1 non esiste: l'archivio ne contiene %2.").arg(number).arg(count)};
    file.write(number, record);
    return 0;
}
