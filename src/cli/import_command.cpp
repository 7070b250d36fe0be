#include "addresses/address_import.h"
#include "addresses/contact_file.h"
#include "cli/cli_io.h"
#include "cli/commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

QJsonObject report(const AddressImport::Report& plan, bool dryRun, const ContactFile& file)
{
    QJsonArray stray;
    for (int line : file.strayByteLines())
        stray.append(line);
    const auto listOf = [](const QList<AddressImport::Refusal>& cards) {
        QJsonArray out;
        for (const AddressImport::Refusal& r : cards)
            out.append(QJsonObject{{QStringLiteral("line"), r.line}, {QStringLiteral("reason"), r.reason}});
        return out;
    };
    QJsonArray newNumbers;
    for (int n : plan.numbers)
        newNumbers.append(n);
    return {{QStringLiteral("imported"), qint64(plan.imported)},
            {QStringLiteral("duplicates"), plan.duplicates},
            {QStringLiteral("refused"), listOf(plan.refused)},
            {QStringLiteral("refused_count"), qint64(plan.refusedCount)},
            {QStringLiteral("lossy"), listOf(plan.lossy)},
            {QStringLiteral("lossy_count"), qint64(plan.lossyCount)},
            {QStringLiteral("replaced"), listOf(plan.replaced)},
            {QStringLiteral("replaced_count"), qint64(plan.replacedCount)},
            {QStringLiteral("cut"), listOf(plan.cut)},
            {QStringLiteral("cut_count"), qint64(plan.cutCount)},
            {QStringLiteral("numbers"), newNumbers},
            {QStringLiteral("dry_run"), dryRun},
            {QStringLiteral("windows_1252_lines"), stray},
            {QStringLiteral("windows_1252_line_count"), qint64(file.strayByteLineCount())}};
}

} // namespace

int runImport(const CliContext& ctx)
{
    if (ctx.args.isEmpty() || ctx.args[0] != u"addresses")
        throw UsageError{QStringLiteral("Uso: import addresses FILE [--dry-run] [--accept-lossy] [--header]")};
    QString path;
    bool dryRun = false;
    AddressImport::Lossy lossy = AddressImport::Lossy::Refuse;
    bool header = false; // a first row of unknown names is a header all the same
    for (qsizetype i = 1; i < ctx.args.size(); ++i) {
        if (ctx.args[i] == u"--dry-run" && !dryRun)
            dryRun = true;
        else if (ctx.args[i] == u"--accept-lossy" && lossy == AddressImport::Lossy::Refuse)
            lossy = AddressImport::Lossy::Accept;
        else if (ctx.args[i] == u"--header" && !header)
            header = true;
        else if (path.isEmpty() && !ctx.args[i].startsWith(u"--"))
            path = ctx.args[i];
        else
            throw UsageError{QStringLiteral("Argomento inatteso: %1").arg(Cli::echo(ctx.args[i])), Usage::Shown};
    }
    if (path.isEmpty())
        throw UsageError{QStringLiteral("Indicare il file da importare (CSV o vCard)."), Usage::Shown};

    QJsonObject out;
    {
        std::optional<ContactFile> file;
        try {
            file = ContactFile::read(path);
        } catch (const ContactFileError& e) {
            throw UsageError{e.message()}; // a file that cannot be parsed is bad input, like bad JSON
        }
        if (header && file->format() == ContactFile::Format::Csv)
            file->setFirstRowIsData(false);
        // The contacts go through the import one at a time: a file of millions of rows never lives as contacts.
        const AddressImport::ContactSource contacts{
            file->contactCount(),
            [&](const std::function<void(const Contact&)>& visit) { file->forEachContact(visit); }};
        out = report(dryRun ? AddressImport::check(ctx.folder, contacts, lossy)
                            : AddressImport::import(ctx.folder, contacts, lossy),
                     dryRun, *file);
    }
    Cli::out(QJsonDocument(out).toJson(QJsonDocument::Compact) + '\n');
    Cli::finishOut();
    return 0;
}
