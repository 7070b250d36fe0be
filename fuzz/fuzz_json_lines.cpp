// The JSON lines of the batch tool: any line as a record of each archive. What parses and is stored must survive
// the way back (JSON line, record bytes) unchanged. (A parsed text itself may hold a lone surrogate, which no stored
// record can, so only stored texts are held to the round trip.)
#include "addresses/address_card.h"
#include "cli/json_lines.h"
#include "fuzz/fuzz_support.h"
#include "labels/label_sheet.h"
#include "register/register_card.h"

#include <cstdint>

namespace {

template <typename Record> void exercise(const QByteArray& line)
{
    QStringList values;
    try {
        values = JsonLines::parseObject(Record::fields(), line);
    } catch (const UsageError& e) {
        Fuzz::check(e.message.size() < 200, "a message echoes too much of the input");
        return;
    }
    Fuzz::check(values.size() == Record::fieldCount(), "a parsed line has the wrong number of fields");
    // Stored once, a record is stable: dumping it and appending the dump stores the same bytes.
    Record record;
    for (int i = 0; i < values.size(); ++i)
        record.setValue(i, values[i]);
    const QByteArray bytes = record.toBytes();
    const QStringList stored = Record::fromBytes(bytes.constData()).values();
    const QStringList dumped =
        JsonLines::parseObject(Record::fields(), JsonLines::objectLine(Record::fields(), stored));
    Record again;
    for (int i = 0; i < dumped.size(); ++i)
        again.setValue(i, dumped[i]);
    Fuzz::check(again.toBytes() == bytes, "a dumped record stores other bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
    exercise<AddressCard>(line);
    exercise<LabelSheet>(line);
    exercise<RegisterCard>(line);
    return 0;
}
