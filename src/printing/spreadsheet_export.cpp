#include "printing/spreadsheet_export.h"

#include "common/app_context.h"
#include "common/messages.h"

#include <QDir>

namespace {

const QString kExportNow =
    QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede "
                   "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kOpenNow =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");

} // namespace

void SpreadsheetExport(const AppContext& context, QWidget* owner, const QString& fileName, const QString& sheetName,
                       const QList<SpreadsheetColumn>& columns, const QList<QStringList>& rows)
{
    try {
        if (!context.messages->confirm(owner, kExportNow))
            return;
        const QString path = QDir(context.programFolder).filePath(fileName);
        SpreadsheetDocument::write(path, sheetName, columns, rows);
        if (!context.messages->confirm(owner, kOpenNow))
            return;
        // The shell's outcome is not examined: without a program for the file nothing happens.
        context.shell->open(u'"' + QDir::toNativeSeparators(path) + u'"');
    } catch (...) {
        context.messages->plain(owner, SpreadsheetDocument::kWriteFailedMessage);
    }
}
