#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/json_lines.h"
#include "common/ansi.h"
#include "common/record_file.h"
#include "register/mail_registration.h"
#include "register/register_journal.h"
#include "register/register_numbering.h"
#include "register/register_settings.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <iostream>

namespace {

struct Options
{
    QString year;
    QString file;
    QString category;
    bool dryRun = false;
    bool acceptLossy = false;
};

Options parse(const QStringList& args)
{
    const UsageError usage{QStringLiteral("Uso: register-mail ANNO FILE.eml [--category TESTO] [--dry-run] "
                                          "[--accept-lossy]"),
                           Usage::Shown};
    Options o;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--dry-run")
            o.dryRun = true;
        else if (args[i] == u"--accept-lossy")
            o.acceptLossy = true;
        else if (args[i] == u"--category" && i + 1 < args.size())
            o.category = args[++i];
        else if (args[i].startsWith(u"--"))
            throw usage;
        else
            positional << args[i];
    }
    if (positional.size() != 2)
        throw usage;
    if (!RegisterYear::isValid(positional[0]))
        throw UsageError{QStringLiteral("L'anno del protocollo deve essere di quattro cifre.")};
    o.year = positional[0];
    o.file = positional[1];
    return o;
}

QByteArray cardJson(const RegisterCard& card, int place)
{
    QJsonObject fields = QJsonDocument::fromJson(JsonLines::objectLine(RegisterCard::fields(), card.values())).object();
    QJsonObject out{{QStringLiteral("numero"), card.value(RegisterCard::Numero)},
                    {QStringLiteral("scheda"), place},
                    {QStringLiteral("campi"), fields}};
    return QJsonDocument(out).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

int runRegisterMail(const CliContext& ctx)
{
    const Options o = parse(ctx.args);
    const QDate today = QDate::currentDate();
    // The message's files wait in a folder of their own until the card is stored; a dry run keeps nothing.
    QTemporaryDir waiting;
    if (!waiting.isValid())
        throw UsageError{QStringLiteral("Impossibile creare una cartella temporanea per il messaggio.")};
    MailRegistration::Prepared prepared;
    try {
        prepared = MailRegistration::prepare(waiting.path(), o.file, today);
    } catch (const MailRefusal& refusal) {
        throw UsageError{refusal.message};
    }
    RegisterCard& card = prepared.card;
    card.setValue(RegisterCard::Categoria, o.category);
    const QString lost = Ansi::unstorable(card.values().join(u'\n'));
    if (!lost.isEmpty()) {
        const QString what = QStringLiteral("il messaggio contiene caratteri che il registro non può conservare: %1")
                                 .arg(Cli::echo(Ansi::named(lost)));
        if (!o.acceptLossy)
            throw UsageError{QStringLiteral("Nessun documento protocollato: ") + what +
                             QStringLiteral(". Aggiungere --accept-lossy per salvarli come «?».")};
        std::cerr << "plicario-cli: " << what.toStdString() << " (salvati come «?»)." << std::endl;
    }
    if (o.dryRun) {
        Cli::out(cardJson(card, 0));
        Cli::finishOut();
        return 0;
    }

    const QString path = RegisterYear::filePath(ctx.folder, o.year);
    RawRecordFile file(path, RegisterCard::recordSize());
    RegisterJournalWriter journal(file, batchToolAuthor());
    RawRecordFile::Batch batch(file);
    RegisterNumberer numbers(
        file, RegisterSettings(ctx.folder).numberingFor(o.year, today.toString(QStringLiteral("yyyy"))), o.year);
    card.setValue(RegisterCard::Numero, numbers.next());
    // Kept before the journal entry, which takes their fingerprints; taken back if the card is not stored after all.
    QStringList kept;
    try {
        kept = MailRegistration::keep(prepared, ctx.folder, card);
    } catch (const MailRefusal& refusal) {
        throw UsageError{refusal.message};
    }
    struct Discard
    {
        const QStringList& files;
        bool stored = false;
        ~Discard()
        {
            if (!stored)
                MailRegistration::discard(files);
        }
    } discard{kept};
    // The record's bytes are what the card holds after the archive's rules: what the output shows.
    const QByteArray record = card.toBytes();
    const int place = journal.registerCard(batch, record);
    batch.sync();
    Cli::out(cardJson(RegisterCard::fromBytes(record.constData()), place));
    Cli::finishOut();
    batch.commit();
    discard.stored = true;
    return 0;
}
