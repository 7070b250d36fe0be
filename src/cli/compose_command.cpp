// plicario-cli compose: label sheets composed from the address archive, stored at the end of the label archive.
#include "cli/cli_io.h"
#include "cli/commands.h"
#include "common/errors.h"

#include <iostream>

LabelCompose::Request composeOptions(const QStringList& options)
{
    LabelCompose::Request request;
    bool tipoGiven = false;
    bool slotGiven = false;
    for (qsizetype i = 0; i < options.size(); i += 2) {
        const QString& option = options[i];
        const bool tipo = option == u"--tipo";
        if (!tipo && option != u"--first-slot")
            throw UsageError{QStringLiteral("Argomento inatteso: %1").arg(Cli::echo(option)), Usage::Shown};
        if (i + 1 >= options.size())
            throw UsageError{QStringLiteral("%1 richiede un valore.").arg(option), Usage::Shown};
        bool& given = tipo ? tipoGiven : slotGiven;
        if (given)
            throw UsageError{QStringLiteral("%1 è indicato due volte.").arg(option)};
        given = true;
        const QString& value = options[i + 1];
        if (tipo) {
            request.tipo = value;
            continue;
        }
        bool ok = false;
        request.firstSlot = value.toInt(&ok);
        if (!ok || !LabelCompose::isSlot(request.firstSlot))
            throw UsageError{QStringLiteral("La prima etichetta da usare deve essere un numero da 1 a 24: %1")
                                 .arg(Cli::echo(value))};
    }
    return request;
}

void reportLeftOut(const LabelCompose::Plan& plan)
{
    const QString leftOut = LabelCompose::leftOutText(plan);
    if (plan.sheetCount() == 0) {
        QString message = QStringLiteral("Nessuna scheda dell'archivio degli indirizzi da mettere in etichetta.");
        if (!leftOut.isEmpty())
            message += u' ' + leftOut + u'.';
        throw UsageError{message};
    }
    // Standard output carries only the sheet numbers; what was left out is the tool's own word.
    if (!leftOut.isEmpty())
        std::cerr << "plicario-cli: " << leftOut.toStdString() << '.' << std::endl;
}

int runCompose(const CliContext& ctx)
{
    const LabelCompose::Plan plan = LabelCompose::plan(ctx.folder, composeOptions(ctx.args));
    reportLeftOut(plan);
    // The numbers go out only once every sheet is on disk, and the sheets stay only if the numbers did.
    LabelCompose::store(ctx.folder, plan, {}, [](const LabelCompose::Stored& stored) {
        QByteArray out;
        for (int n = stored.first; n < stored.first + stored.count; ++n)
            out += QByteArray::number(n) + '\n';
        Cli::out(out);
        Cli::finishOut();
    });
    Cli::finishOut();
    return 0;
}
