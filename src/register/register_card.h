#pragma once

#include "common/fixed_record.h"
#include "common/record_file.h"

// TSchedaProtocollo: 25 short strings of various widths, 3403 bytes.
struct RegisterCardLayout
{
    static std::span<const FieldSpec> fields();
};

class RegisterCard : public FixedRecord<RegisterCardLayout>
{
public:
    enum Field { Numero, Tipologia, DataReg, Ufficio, Operatore, Categoria, Collocazione, Oggetto, DataSpe, DataRic,
                 Formato, Pagine, Riferimenti, Note, Mittente, RecapitoMit, Destinatario, RecapitoDes, Copia, File01,
                 File02, File03, Desc01, Desc02, Desc03 };
    static constexpr int kSize = 3403;

    RegisterCard() = default;
    RegisterCard(const FixedRecord<RegisterCardLayout>& r) : FixedRecord<RegisterCardLayout>(r) {}
    static RegisterCard fromBytes(const char* data) { return RegisterCard(FixedRecord::fromBytes(data)); }
};

// One year's register file (<anno>.prt), open for one action. The path is formed by the year menu.
class RegisterFile : public RecordFile<RegisterCard>
{
public:
    using RecordFile::RecordFile;
};

namespace RegisterYear {
// A register year is exactly four digits: no other text ever names a file.
bool isValid(const QString& year);
// <folder>/<year>.prt
QString filePath(const QString& programFolder, const QString& year);
} // namespace RegisterYear
