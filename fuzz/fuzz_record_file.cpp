// The record files: an archive of any bytes (whole records, a trailing fragment, damaged length bytes) with or
// without a rollback note beside it. Input: one byte for the archive kind, two for the note's length (little
// endian; 0: no note), the note, then the archive's bytes.
#include "addresses/address_card.h"
#include "fuzz/fuzz_support.h"
#include "labels/label_sheet.h"
#include "register/register_card.h"

#include <QFileInfo>
#include <cstdint>

namespace {

template <typename Record> void exercise(const QString& path)
{
    const QString note = RawRecordFile::rollbackNotePath(path);
    const qint64 sizeBefore = QFileInfo(path).size();
    try {
        RecordFile<Record> file(path);
        // Opening honours the note and removes it; a note never makes the file longer.
        Fuzz::check(!QFileInfo::exists(note), "the rollback note outlived the open");
        const qint64 size = QFileInfo(path).size();
        Fuzz::check(size <= sizeBefore, "the rollback note made the archive longer");
        Fuzz::check(file.count() == int(size / Record::recordSize()), "count is not size / record size");
        file.scan([&](int, const Record& record) {
            // What is read is what is written back: a read and save never changes a stored value.
            Fuzz::check(Record::fromBytes(record.toBytes().constData()) == record, "a record does not read back");
        });
    } catch (const ArchiveAccessError&) {
        return;
    }

    // A batch that is rolled back leaves every byte as it was, trailing fragment included.
    const QByteArray before = Fuzz::readFile(path);
    {
        RawRecordFile file(path, Record::recordSize());
        RawRecordFile::Batch batch(file);
        Fuzz::check(QFileInfo::exists(note), "a batch writes no rollback note");
        batch.append(Record().toBytes());
        batch.append(Record().toBytes());
    }
    Fuzz::check(Fuzz::readFile(path) == before, "a rolled-back batch changed the archive");
    Fuzz::check(!QFileInfo::exists(note), "a rolled-back batch left its note");

    // A committed one adds whole records after the last whole one.
    {
        RawRecordFile file(path, Record::recordSize());
        RawRecordFile::Batch batch(file);
        Fuzz::check(batch.append(Record().toBytes()) == file.count(), "a batch appended elsewhere");
        batch.commit();
    }
    const qint64 whole = before.size() / Record::recordSize() * Record::recordSize();
    Fuzz::check(QFileInfo(path).size() == whole + Record::recordSize(), "a committed batch has the wrong size");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const QString path = Fuzz::scratchFolder() + QStringLiteral("/archivio");
    const QString note = RawRecordFile::rollbackNotePath(path);
    const size_t noteSize = std::min<size_t>(data[1] | size_t(data[2]) << 8, size - 3);
    const char* bytes = reinterpret_cast<const char*>(data + 3);
    QFile::remove(note);
    if (noteSize > 0)
        Fuzz::writeFile(note, QByteArray(bytes, qsizetype(noteSize)));
    Fuzz::writeFile(path, QByteArray(bytes + noteSize, qsizetype(size - 3 - noteSize)));
    switch (data[0] % 3) {
    case 0:
        exercise<AddressCard>(path);
        break;
    case 1:
        exercise<LabelSheet>(path);
        break;
    default:
        exercise<RegisterCard>(path);
        break;
    }
    return 0;
}
