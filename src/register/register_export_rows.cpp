#include "register/register_export_rows.h"

#include "common/text.h"
#include "register/register_interval.h"
#include "register/register_journal.h"

namespace {

constexpr int kFieldColumns = 18; // Numero .. RecapitoDes

} // namespace

namespace RegisterExport {

const QList<ExportGridColumn>& gridColumns()
{
    static const QList<ExportGridColumn> kColumns = {
        {"colNum", "N.", 60, 0},
        {"colNumero", "N. protocollo", 180, 200},
        {"colTipologia", "Tipologia posta", 250, 250},
        {"colDataReg", "Data registrazione", 150, 200},
        {"colUfficio", "Ufficio", 250, 250},
        {"colOperatore", "Operatore", 250, 250},
        {"colCategoria", "Categoria", 250, 250},
        {"colCollocazione", "Collocazione documento cartaceo", 300, 300},
        {"colOggetto", "Oggetto", 300, 300},
        {"colDataSpe", "Data spedizione", 180, 200},
        {"colDataRic", "Data ricezione", 180, 200},
        {"colFormato", "Formato", 250, 250},
        {"colPagine", "N. pagine", 180, 200},
        {"colRiferimenti", "Riferimenti", 300, 300},
        {"colNote", "Note", 350, 300},
        {"colMittente", "Mittente", 250, 250},
        {"colRecapitoMit", "Recapito mittente", 250, 250},
        {"colDestinatario", "Destinatario", 250, 250},
        {"colRecapitoDes", "Recapito destinatario", 250, 250},
        {"colAnnullamento", "Annullamento", 350, 300},
    };
    return kColumns;
}

namespace {

QStringList rowOf(int rowNumber, const char* record, const JournalEntry* annulment)
{
    QStringList row;
    row.reserve(kFieldColumns + 2);
    row.append(QString::number(rowNumber));
    for (int f = 0; f < kFieldColumns; ++f)
        row.append(RegisterCard::readField(record, f));
    row.append(annulment ? RegisterJournal::annulmentText(*annulment) : QString());
    return row;
}

const JournalEntry* find(const QHash<int, JournalEntry>& annulments, int place)
{
    const auto it = annulments.constFind(place);
    return it == annulments.constEnd() ? nullptr : &*it;
}

} // namespace

ExportGridRows loadYear(const QString& yearFilePath)
{
    ExportGridRows rows;
    const QHash<int, JournalEntry> annulments = RegisterJournal::annulmentsOf(yearFilePath);
    RegisterFile file(yearFilePath);
    rows.reserve(file.count());
    file.scanRaw([&](int number, const char* record) { rows.append(rowOf(number, record, find(annulments, number))); });
    return rows;
}

std::optional<IntervalRows> loadInterval(const QString& yearFilePath, const QDate& start, const QDate& end)
{
    IntervalRows taken;
    const QHash<int, JournalEntry> annulments = RegisterJournal::annulmentsOf(yearFilePath);
    RegisterFile file(yearFilePath);
    if (file.count() == 0)
        return std::nullopt;
    file.scanRaw([&](int position, const char* record) {
        const std::optional<QDate> date =
            RegisterInterval::parseDate(RegisterCard::readField(record, RegisterCard::DataReg));
        if (!date)
            taken.undated.append({position, Text::trimmed(RegisterCard::readField(record, RegisterCard::Numero))});
        else if (*date >= start && *date <= end)
            taken.rows.append(rowOf(int(taken.rows.size()) + 1, record, find(annulments, position)));
    });
    return taken;
}

QString undatedMessage(const QList<UndatedCard>& undated)
{
    if (undated.isEmpty())
        return QString();
    // A damaged year may hold thousands: the message box must still fit on the screen.
    constexpr qsizetype kNamed = 20;
    QStringList numbers;
    QStringList positions; // of the cards without a number
    for (const UndatedCard& card : undated.first(std::min(undated.size(), kNamed))) {
        if (card.number.isEmpty())
            positions.append(QString::number(card.position));
        else
            numbers.append(card.number);
    }
    QStringList parts;
    if (!numbers.isEmpty())
        parts.append(QStringLiteral("n. ") + numbers.join(QStringLiteral(", ")));
    if (!positions.isEmpty())
        parts.append((positions.size() == 1 ? QStringLiteral("scheda ") : QStringLiteral("schede ")) +
                     positions.join(QStringLiteral(", ")) + QStringLiteral(" senza numero"));
    QString list = parts.join(QStringLiteral("; "));
    if (const qsizetype more = undated.size() - kNamed; more == 1)
        list += QStringLiteral(" e un'altra");
    else if (more > 1)
        list += QStringLiteral(" e altre %1").arg(more);
    if (undated.size() == 1)
        return QStringLiteral("1 scheda con data non valida non inclusa: ") + list;
    return QStringLiteral("%1 schede con data non valida non incluse: ").arg(undated.size()) + list;
}

} // namespace RegisterExport
