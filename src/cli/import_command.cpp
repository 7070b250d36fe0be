#include "addresses/address_import.h"
#include "addresses/contact_file.h"
#include "cli/cli_io.h"
#include "cli/commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject report(const AddressImport::Plan& plan, const QList<int>& numbers, bool dryRun)
{
    QJsonArray refused;
    for (const AddressImport::Refusal& r : plan.refused)
        refused.append(QJsonObject{{QStringLiteral("line"), r.line}, {QStringLiteral("reason"), r.reason}});
    QJsonArray newNumbers;
    for (int n : numbers)
        newNumbers.append(n);
    return {{QStringLiteral("imported"), int(plan.cards.size())},
            {QStringLiteral("duplicates"), plan.duplicates},
            {QStringLiteral("refused"), refused},
            {QStringLiteral("numbers"), newNumbers},
            {QStringLiteral("dry_run"), dryRun}};
}

} // namespace

int runImport(const CliContext& ctx)
{
    if (ctx.args.isEmpty() || ctx.args[0] != u"addresses")
        throw UsageError{QStringLiteral("Uso: import addresses FILE [--dry-run]")};
    QString path;
    bool dryRun = false;
    for (qsizetype i = 1; i < ctx.args.size(); ++i) {
        if (ctx.args[i] == u"--dry-run" && !dryRun)
            dryRun = true;
        else if (path.isEmpty() && !ctx.args[i].startsWith(u"--"))
            path = ctx.args[i];
        else
            throw UsageError{QStringLiteral("Argomento inatteso: %1").arg(Cli::echo(ctx.args[i])), Usage::Shown};
    }
    if (path.isEmpty())
        throw UsageError{QStringLiteral("Indicare il file da importare (CSV o vCard)."), Usage::Shown};

    QList<Contact> contacts;
    try {
        contacts = ContactFile::read(path).contacts();
    } catch (const ContactFileError& e) {
        throw UsageError{e.message()}; // a file that cannot be parsed is bad input, like bad JSON
    }
    QJsonObject out;
    if (dryRun) {
        out = report(AddressImport::plan(ctx.folder, contacts), {}, true);
    } else {
        const AddressImport::Result r = AddressImport::run(ctx.folder, contacts);
        out = report(r.plan, r.numbers, false);
    }
    Cli::out(QJsonDocument(out).toJson(QJsonDocument::Compact) + '\n');
    Cli::finishOut();
    return 0;
}
