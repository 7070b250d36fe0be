#pragma once

#include "common/fixed_record.h"
#include "common/record_file.h"

#include <QDir>

// TSchedaEtichette: the 24 slot names, then six lines for each slot; 168 short strings, 42168 bytes.
struct LabelSheetLayout
{
    static std::span<const FieldSpec> fields();
};

class LabelSheet : public FixedRecord<LabelSheetLayout>
{
public:
    static constexpr int kSlots = 24;
    static constexpr int kLines = 6;
    static constexpr int kSize = 42168;

    LabelSheet() = default;
    LabelSheet(const FixedRecord<LabelSheetLayout>& r) : FixedRecord<LabelSheetLayout>(r) {}
    static LabelSheet fromBytes(const char* data) { return LabelSheet(FixedRecord::fromBytes(data)); }

    // slot 1..24, line 1..6: 0-based field indexes.
    static int nameIndex(int slot) { return slot - 1; }
    static int lineIndex(int slot, int line) { return kSlots + kLines * (slot - 1) + (line - 1); }

    QString name(int slot) const { return value(nameIndex(slot)); }
    void setName(int slot, const QString& text) { setValue(nameIndex(slot), text); }
    QString line(int slot, int line) const { return value(lineIndex(slot, line)); }
    void setLine(int slot, int line, const QString& text) { setValue(lineIndex(slot, line), text); }
};

// Archivio_Etichette.pro in the program folder, open for one action.
class LabelSheetFile : public RecordFile<LabelSheet>
{
public:
    static inline const QString kFileName = QStringLiteral("Archivio_Etichette.pro");
    explicit LabelSheetFile(const QString& programFolder) : RecordFile(QDir(programFolder).filePath(kFileName)) {}
};
