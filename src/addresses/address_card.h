#pragma once

#include "common/fixed_record.h"
#include "common/record_file.h"

#include <QDir>

// TSchedaIndirizzo: 15 short strings of 250 characters, 3765 bytes.
struct AddressCardLayout
{
    static std::span<const FieldSpec> fields();
};

class AddressCard : public FixedRecord<AddressCardLayout>
{
public:
    enum Field
    {
        Nome,
        Tipo,
        Rigo01,
        Rigo02,
        Rigo03,
        Rigo04,
        Rigo05,
        Rigo06,
        Note,
        File01,
        File02,
        File03,
        Desc01,
        Desc02,
        Desc03
    };
    static constexpr int kSize = 3765;

    AddressCard() = default;
    AddressCard(const FixedRecord<AddressCardLayout>& r) : FixedRecord<AddressCardLayout>(r) {}
    static AddressCard fromBytes(const char* data) { return AddressCard(FixedRecord::fromBytes(data)); }
};

// Archivio_Indirizzi.pro in the program folder, open for one action.
class AddressCardFile : public RecordFile<AddressCard>
{
public:
    static inline const QString kFileName = QStringLiteral("Archivio_Indirizzi.pro");
    explicit AddressCardFile(const QString& programFolder) : RecordFile(QDir(programFolder).filePath(kFileName)) {}
};
