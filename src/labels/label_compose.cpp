#include "labels/label_compose.h"

#include "addresses/address_card.h"
#include "addresses/address_list_line.h"
#include "common/errors.h"
#include "common/text.h"

#include <QDir>
#include <QFileInfo>

namespace LabelCompose {

namespace {

bool allLinesEmpty(const char* record)
{
    for (int f = AddressCard::Rigo01; f <= AddressCard::Rigo06; ++f)
        if (!AddressCard::fieldBytes(record, f).isEmpty())
            return false;
    return true;
}

} // namespace

int Plan::sheetCount() const
{
    if (cards.isEmpty())
        return 0;
    const int used = firstSlot - 1 + cardCount();
    return (used + LabelSheet::kSlots - 1) / LabelSheet::kSlots;
}

QString leftOutText(const Plan& plan)
{
    const int total = plan.leftOut();
    if (total == 0)
        return {};
    QStringList reasons;
    if (plan.noAddress > 0)
        reasons << QStringLiteral("%1 senza indirizzo").arg(plan.noAddress);
    if (plan.noName > 0)
        reasons << QStringLiteral("%1 senza nome").arg(plan.noName);
    const QString head = total == 1 ? QStringLiteral("1 scheda esclusa") : QStringLiteral("%1 schede escluse").arg(total);
    return head + QStringLiteral(": ") + reasons.join(QStringLiteral(", "));
}

bool isSlot(int slot)
{
    return slot >= 1 && slot <= LabelSheet::kSlots;
}

Plan plan(const QString& programFolder, const Request& request)
{
    if (!isSlot(request.firstSlot))
        throw PlicarioError(QStringLiteral("La prima etichetta da usare deve essere un numero da 1 a 24."));
    // The finder's rule: a piece of text anywhere, with only A to Z folded.
    const QString key = Text::lowerAscii(Text::trimmed(request.tipo));
    Plan result;
    result.firstSlot = request.firstSlot;
    // No archive holds no card; composing from it must not create one.
    if (!QFileInfo::exists(QDir(programFolder).filePath(AddressCardFile::kFileName)))
        return result;
    QList<ListEntry> entries;
    {
        const AddressCardFile file(programFolder);
        file.scanRaw([&](int number, const char* record) {
            const QString nome = AddressCard::readField(record, AddressCard::Nome);
            const bool noLines = allLinesEmpty(record);
            if (nome.isEmpty() && noLines)
                return; // an empty record, no card
            const QString tipo = AddressCard::readField(record, AddressCard::Tipo);
            if (!key.isEmpty() && !Text::lowerAscii(tipo).contains(key))
                return;
            if (nome.isEmpty()) {
                ++result.noName; // not in the list, as in the finder
                return;
            }
            if (noLines) {
                ++result.noAddress;
                return;
            }
            entries.append({AddressList::lineOf(nome, tipo, AddressCard::readField(record, AddressCard::Note)), number});
        });
    }
    ListOrder::sort(entries);
    result.cards.reserve(entries.size());
    for (const ListEntry& e : entries)
        result.cards.append(e.cardNumber);
    return result;
}

Sheets::Sheets(const QString& programFolder, const Plan& plan)
    : m_plan(plan), m_file(std::make_unique<AddressCardFile>(programFolder))
{
}

Sheets::~Sheets() = default;

LabelSheet Sheets::sheet(int index) const
{
    LabelSheet sheet;
    for (int slot = 1; slot <= LabelSheet::kSlots; ++slot) {
        const qsizetype card = qsizetype(index) * LabelSheet::kSlots + slot - m_plan.firstSlot;
        if (card < 0 || card >= m_plan.cards.size())
            continue;
        const AddressCard address = m_file->read(m_plan.cards[card]);
        sheet.setName(slot, address.value(AddressCard::Nome));
        for (int line = 1; line <= LabelSheet::kLines; ++line)
            sheet.setLine(slot, line, address.value(AddressCard::Rigo01 + line - 1));
    }
    return sheet;
}

Stored store(const QString& programFolder, const Plan& plan, const std::function<void(int)>& stored,
             const std::function<void(const Stored&)>& complete)
{
    if (plan.sheetCount() == 0)
        return {};
    // Addresses first, then labels: every action that takes both locks takes them in this order.
    const Sheets sheets(programFolder, plan);
    RawRecordFile file(QDir(programFolder).filePath(LabelSheetFile::kFileName), LabelSheet::recordSize());
    RawRecordFile::Batch batch(file);
    Stored result;
    for (int i = 0; i < sheets.count(); ++i) {
        const int number = batch.append(sheets.sheet(i).toBytes());
        if (i == 0)
            result.first = number;
        result.count = i + 1;
        if (stored)
            stored(i + 1);
    }
    batch.sync();
    if (complete)
        complete(result);
    batch.commit();
    return result;
}

} // namespace LabelCompose
