#pragma once

#include "printing/export_grid.h"
#include "register/register_card.h"

#include <QDate>
#include <optional>

// The grids of the register export and of the interval summary, and the file both write.
namespace RegisterExport {

inline const QString kFileName = QStringLiteral("Protocollo.xls");
inline const QString kYearSheetName = QStringLiteral("Protocollo Posta");
inline const QString kSummarySheetName = QStringLiteral("Protocollo Documenti");

// Twenty columns: the row number, the card fields from Numero to RecapitoDes in record order, then the annulment
// (when, by whom and why; empty for a card in force), which the journal holds and the year file does not.
const QList<ExportGridColumn>& gridColumns();

// The whole year (the export window): one row per card in file order. The year file is created when missing.
// Throws ArchiveAccessError.
ExportGridRows loadYear(const QString& yearFilePath);

// A card left out of an interval because its registration date is not a date.
struct UndatedCard
{
    int position;   // in the year file, from 1
    QString number; // its Numero, trimmed; may be empty
};

struct IntervalRows
{
    ExportGridRows rows;
    QList<UndatedCard> undated; // in file order
};

// The cards registered from `start` to `end`, both included (the summary window), numbered from 1, in file order.
// A card whose registration date is not a date belongs to no interval: it is listed in `undated`, for the user to
// be told. Nothing when the year file holds no card at all (created when missing): the grid then keeps its rows.
// Throws ArchiveAccessError.
std::optional<IntervalRows> loadInterval(const QString& yearFilePath, const QDate& start, const QDate& end);

// "2 schede con data non valida non incluse: n. 17/2026, 18/2026"; empty when no card was left out. The numbers are
// shown as given (the batch tool makes them safe for a terminal first); a long list names the first few.
QString undatedMessage(const QList<UndatedCard>& undated);

} // namespace RegisterExport
