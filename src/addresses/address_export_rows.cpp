#include "addresses/address_export_rows.h"

#include "addresses/address_card.h"
#include "common/ansi.h"

#include <array>
#include <cstring>

namespace AddressExport {

const QList<ExportGridColumn>& gridColumns()
{
    static const QList<ExportGridColumn> kColumns = {
        {"colNum", "N.", 60, 0},
        {"colNome", "Nome etichetta", 250, 300},
        {"colTipo", "Tipo", 200, 250},
        {"colRigo01", "Indirizzo (rigo 1)", 280, 450},
        {"colRigo02", "Indirizzo (rigo 2)", 280, 450},
        {"colRigo03", "Indirizzo (rigo 3)", 280, 450},
        {"colRigo04", "Indirizzo (rigo 4)", 280, 450},
        {"colRigo05", "Indirizzo (rigo 5)", 280, 450},
        {"colRigo06", "Indirizzo (rigo 6)", 280, 450},
        {"colNote", "Note", 350, 350},
    };
    return kColumns;
}

void loadGrid(const QString& programFolder, ExportGridRows& rows)
{
    static constexpr AddressCard::Field kFields[] = {AddressCard::Nome,   AddressCard::Tipo,   AddressCard::Rigo01,
                                                     AddressCard::Rigo02, AddressCard::Rigo03, AddressCard::Rigo04,
                                                     AddressCard::Rigo05, AddressCard::Rigo06, AddressCard::Note};
    AddressCardFile file(programFolder);
    const int count = file.count();
    if (count == 0)
        return;
    rows = ExportGridRows(count, QStringList(gridColumns().size(), QString()));
    // Cards that follow one another often share a type or a town: a field stored as in the card before shares
    // that card's text instead of being decoded again.
    struct Last
    {
        std::array<char, 256> bytes;
        qsizetype size = -1;
        QString text;
    };
    std::array<Last, std::size(kFields)> last;
    const auto addRow = [&](int number, const char* record) {
        if (number > count)
            return;
        QStringList row;
        row.reserve(10);
        row.append(QString::number(number));
        for (size_t i = 0; i < std::size(kFields); ++i) {
            const QByteArrayView bytes = AddressCard::fieldBytes(record, kFields[i]);
            Last& l = last[i];
            if (bytes.size() > qsizetype(l.bytes.size())) {
                row.append(Ansi::toUnicode(bytes));
                continue;
            }
            if (bytes.size() != l.size ||
                (l.size > 0 && std::memcmp(bytes.data(), l.bytes.data(), size_t(bytes.size())) != 0)) {
                std::memcpy(l.bytes.data(), bytes.data(), size_t(bytes.size()));
                l.size = bytes.size();
                l.text = Ansi::toUnicode(bytes);
            }
            row.append(l.text);
        }
        rows[number - 1] = std::move(row);
    };
    file.scanRaw(addRow);
}

} // namespace AddressExport
