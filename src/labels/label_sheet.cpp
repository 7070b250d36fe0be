#include "labels/label_sheet.h"

#include <QByteArray>
#include <vector>

std::span<const FieldSpec> LabelSheetLayout::fields()
{
    // Names are built once and live for the program's life.
    static const std::vector<QByteArray> names = [] {
        std::vector<QByteArray> n;
        for (int s = 1; s <= LabelSheet::kSlots; ++s)
            n.push_back(QByteArray("Nome_E") + QByteArray::number(s).rightJustified(2, '0'));
        for (int s = 1; s <= LabelSheet::kSlots; ++s)
            for (int r = 1; r <= LabelSheet::kLines; ++r)
                n.push_back(QByteArray("Rigo") + QByteArray::number(r).rightJustified(2, '0') + "_E" +
                            QByteArray::number(s).rightJustified(2, '0'));
        return n;
    }();
    static const std::vector<FieldSpec> specs = [] {
        std::vector<FieldSpec> f;
        for (const QByteArray& name : names)
            f.push_back({name.constData(), 250});
        return f;
    }();
    return specs;
}
