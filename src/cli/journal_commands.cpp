#include "cli/cli_io.h"
#include "cli/commands.h"
#include "register/register_card.h"
#include "register/register_journal.h"

#include <QFileInfo>

namespace {

// "register YEAR" at the start of the arguments: the year file's path. Throws UsageError.
QString yearFileOf(const CliContext& ctx, const char* usage)
{
    if (ctx.args.size() < 2 || ctx.args[0] != u"register")
        throw UsageError{QString::fromLatin1(usage)};
    if (!RegisterYear::isValid(ctx.args[1]))
        throw UsageError{QStringLiteral("L'anno del protocollo deve essere di quattro cifre.")};
    return RegisterYear::filePath(ctx.folder, ctx.args[1]);
}

} // namespace

int runAnnul(const CliContext& ctx)
{
    const char* usage = "Uso: annul register ANNO N --reason TESTO";
    const QString path = yearFileOf(ctx, usage);
    if (ctx.args.size() != 5 || ctx.args[3] != u"--reason")
        throw UsageError{QString::fromLatin1(usage)};
    bool ok = false;
    const int place = ctx.args[2].toInt(&ok);
    if (!ok)
        throw UsageError{QStringLiteral("Numero di scheda non valido: %1").arg(Cli::echo(ctx.args[2]))};
    // A missing register has no card to annul, and must not be created just to say so.
    if (!QFileInfo::exists(path))
        throw UsageError{QStringLiteral("La scheda %1 non esiste (il registro è vuoto).").arg(place)};
    RawRecordFile file(path, RegisterCard::recordSize());
    try {
        RegisterJournalWriter(file, batchToolAuthor()).annulCard(place, ctx.args[4]);
    } catch (const RegisterRefusal& refusal) {
        throw UsageError{refusal.message};
    }
    return 0;
}

namespace {

// "1 scheda", "2 schede".
QString counted(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

int runVerify(const CliContext& ctx)
{
    const QString path = yearFileOf(ctx, "Uso: verify register ANNO");
    if (ctx.args.size() != 2)
        throw UsageError{QStringLiteral("Uso: verify register ANNO")};
    if (!QFileInfo::exists(path))
        throw UsageError{QStringLiteral("Il registro %1 non esiste.").arg(ctx.args[1])};
    const RawRecordFile file(path, RegisterCard::recordSize());
    const RegisterCheck check = RegisterVerify::check(file);
    QByteArray out;
    if (check.entries == 0)
        out = QStringLiteral("Il registro %1 non ha ancora uno storico: %2, nulla da confrontare.\n")
                  .arg(ctx.args[1], counted(file.count(), "scheda", "schede"))
                  .toUtf8();
    else
        out = QStringLiteral("Controllate %1 dello storico e %2 del registro %3.\n")
                  .arg(counted(check.entries, "voce", "voci"), counted(check.cards, "scheda", "schede"), ctx.args[1])
                  .toUtf8();
    for (const QString& line : check.findings())
        out += line.toUtf8() + '\n';
    out += check.passed() ? "Esito: lo storico è integro e ogni scheda corrisponde al suo ultimo stato.\n"
                          : QStringLiteral("Esito: %1 anomalie trovate.\n").arg(check.findings().size()).toUtf8();
    Cli::out(out);
    Cli::finishOut();
    return check.passed() ? 0 : 1;
}
