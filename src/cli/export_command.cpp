#include "addresses/address_card.h"
#include "addresses/address_export_rows.h"
#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/own_files.h"
#include "register/register_export_rows.h"
#include "register/register_interval.h"

#include <QDir>
#include <QFileInfo>
#include <iostream>

namespace {

// The sheet replaces the file only when written whole (SpreadsheetDocument writes through a temporary file).
void writeSheet(const QString& folder, const QString& fileName, const QString& sheetName,
                const QList<ExportGridColumn>& columns, const ExportGridRows& rows)
{
    const QString path = QDir(folder).filePath(fileName);
    OwnFiles::refuse(folder, path); // a link put in the export's place must not lead to an archive
    SpreadsheetDocument::writeFile(path, ExportGrid::document(sheetName, columns, rows));
}

int exportAddresses(const CliContext& ctx)
{
    if (ctx.args.size() > 1)
        throw UsageError{QStringLiteral("Argomento inatteso: %1").arg(Cli::echo(ctx.args[1])), Usage::Shown};
    // A missing archive exports as an empty one, and is not created.
    ExportGridRows rows;
    if (QFileInfo::exists(QDir(ctx.folder).filePath(AddressCardFile::kFileName)))
        rows = AddressExport::loadGrid(ctx.folder);
    if (rows.isEmpty())
        rows = ExportGrid::emptyRows(AddressExport::gridColumns().size());
    writeSheet(ctx.folder, AddressExport::kFileName, AddressExport::kSheetName, AddressExport::gridColumns(), rows);
    return 0;
}

int exportRegister(const CliContext& ctx)
{
    if (ctx.args.size() < 2 || !RegisterYear::isValid(ctx.args[1]))
        throw UsageError{QStringLiteral("L'anno del protocollo deve essere di quattro cifre.")};
    QString from;
    QString to;
    bool interval = false;
    for (qsizetype i = 2; i < ctx.args.size(); i += 2) {
        const QString& option = ctx.args[i];
        QString* target = option == u"--from" ? &from : option == u"--to" ? &to : nullptr;
        if (!target || !target->isNull())
            throw UsageError{QStringLiteral("Argomento inatteso: %1").arg(Cli::echo(option)), Usage::Shown};
        if (i + 1 >= ctx.args.size())
            throw UsageError{QStringLiteral("%1 richiede una data GG/MM/AAAA.").arg(option), Usage::Shown};
        *target = ctx.args[i + 1];
        interval = true;
    }

    const QString path = RegisterYear::filePath(ctx.folder, ctx.args[1]);
    ExportGridRows rows = ExportGrid::emptyRows(RegisterExport::gridColumns().size());
    const bool exists = QFileInfo::exists(path);
    if (!interval) {
        if (exists)
            if (ExportGridRows year = RegisterExport::loadYear(path); !year.isEmpty())
                rows = year;
        writeSheet(ctx.folder, RegisterExport::kFileName, RegisterExport::kYearSheetName, RegisterExport::gridColumns(),
                   rows);
        return 0;
    }
    for (const QString& date : {from, to})
        if (date.size() > 80)
            throw UsageError{QStringLiteral("Data non valida: %1").arg(Cli::echo(date))};
    const RegisterInterval::Check check = RegisterInterval::check(from, to);
    if (!check.ok())
        throw UsageError{check.message.simplified()};
    QList<RegisterExport::UndatedCard> undated;
    if (exists)
        if (auto taken = RegisterExport::loadInterval(path, check.start, check.end)) {
            rows = taken->rows;
            undated = taken->undated;
        }
    writeSheet(ctx.folder, RegisterExport::kFileName, RegisterExport::kSummarySheetName, RegisterExport::gridColumns(),
               rows);
    // The sheet is whole; the cards no interval can hold are named, as the summary window names them.
    if (!undated.isEmpty()) {
        for (RegisterExport::UndatedCard& card : undated)
            card.number = Cli::echo(card.number);
        std::cerr << "plicario-cli: " << RegisterExport::undatedMessage(undated).toStdString() << std::endl;
    }
    return 0;
}

} // namespace

int runExport(const CliContext& ctx)
{
    if (ctx.args.isEmpty())
        throw UsageError{QStringLiteral("Indicare cosa esportare: addresses o register ANNO."), Usage::Shown};
    if (ctx.args[0] == u"addresses")
        return exportAddresses(ctx);
    if (ctx.args[0] == u"register")
        return exportRegister(ctx);
    throw UsageError{QStringLiteral("Archivio sconosciuto: %1").arg(Cli::echo(ctx.args[0])), Usage::Shown};
}
