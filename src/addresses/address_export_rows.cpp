#include "addresses/address_export_rows.h"

#include "addresses/address_card.h"

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

ExportGridRows loadGrid(const QString& programFolder)
{
    static constexpr AddressCard::Field kFields[] = {AddressCard::Nome,   AddressCard::Tipo,   AddressCard::Rigo01,
                                                     AddressCard::Rigo02, AddressCard::Rigo03, AddressCard::Rigo04,
                                                     AddressCard::Rigo05, AddressCard::Rigo06, AddressCard::Note};
    ExportGridRows rows;
    AddressCardFile file(programFolder);
    rows.reserve(file.count());
    file.scanRaw([&](int number, const char* record) {
        QStringList row;
        row.reserve(1 + std::size(kFields));
        row.append(QString::number(number));
        for (AddressCard::Field f : kFields)
            row.append(AddressCard::readField(record, f));
        rows.append(std::move(row));
    });
    return rows;
}

} // namespace AddressExport
