#include "addresses/address_card.h"
#include "labels/label_sheet.h"
#include "register/register_card.h"
#include "support/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

template <typename Record> int offsetOf(const char* name)
{
    return Record::fieldOffset(Record::fieldIndex(QString::fromLatin1(name)));
}

AddressCard card(const QString& name)
{
    AddressCard c;
    c.setValue(AddressCard::Nome, name);
    c.setValue(AddressCard::Rigo01, name + QStringLiteral(" riga"));
    return c;
}

// Keeps what an open tells it about its wait, and gives up once the wait reaches `giveUpAfterMs` (never when -1).
struct RecordingWait : LockWait
{
    qint64 giveUpAfterMs = -1;
    QList<qint64> waited;
    QStringList paths;
    int ended = 0;

    bool keepWaiting(const QString& path, qint64 waitedMs) override
    {
        paths << path;
        waited << waitedMs;
        return giveUpAfterMs < 0 || waitedMs < giveUpAfterMs;
    }
    void waitEnded() override { ++ended; }
};

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordSizes()
    {
        QCOMPARE(AddressCard::recordSize(), AddressCard::kSize);
        QCOMPARE(LabelSheet::recordSize(), LabelSheet::kSize);
        QCOMPARE(RegisterCard::recordSize(), RegisterCard::kSize);
    }

    void offsets_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        const char* addresses[][2] = {{"Nome", "0"},      {"Tipo", "251"},    {"Rigo01", "502"},
                                      {"Rigo06", "1757"}, {"Note", "2008"},   {"File01", "2259"},
                                      {"File03", "2761"}, {"Desc01", "3012"}, {"Desc03", "3514"}};
        for (auto& r : addresses)
            QTest::addRow("addresses %s", r[0]) << "addresses" << r[0] << QByteArray(r[1]).toInt();
        const char* labels[][2] = {{"Nome_E01", "0"},       {"Nome_E02", "251"},    {"Nome_E24", "5773"},
                                   {"Rigo01_E01", "6024"},  {"Rigo06_E01", "7279"}, {"Rigo01_E02", "7530"},
                                   {"Rigo01_E24", "40662"}, {"Rigo06_E24", "41917"}};
        for (auto& r : labels)
            QTest::addRow("labels %s", r[0]) << "labels" << r[0] << QByteArray(r[1]).toInt();
        const char* reg[][2] = {
            {"Numero", "0"},          {"Tipologia", "17"},     {"DataReg", "38"},       {"Ufficio", "49"},
            {"Operatore", "100"},     {"Categoria", "151"},    {"Collocazione", "202"}, {"Oggetto", "323"},
            {"DataSpe", "574"},       {"DataRic", "585"},      {"Formato", "596"},      {"Pagine", "647"},
            {"Riferimenti", "660"},   {"Note", "911"},         {"Mittente", "1162"},    {"RecapitoMit", "1283"},
            {"Destinatario", "1404"}, {"RecapitoDes", "1525"}, {"Copia", "1646"},       {"File01", "1897"},
            {"File02", "2148"},       {"File03", "2399"},      {"Desc01", "2650"},      {"Desc02", "2901"},
            {"Desc03", "3152"}};
        for (auto& r : reg)
            QTest::addRow("register %s", r[0]) << "register" << r[0] << QByteArray(r[1]).toInt();
    }
    void offsets()
    {
        QFETCH(QString, archive);
        QFETCH(QString, field);
        QFETCH(int, offset);
        const QByteArray name = field.toLatin1();
        int actual = -1;
        QByteArray bytes;
        int width = 250;
        if (archive == u"addresses") {
            actual = offsetOf<AddressCard>(name);
            AddressCard r;
            r.setValue(AddressCard::fieldIndex(field), QStringLiteral("Z"));
            bytes = r.toBytes();
        } else if (archive == u"labels") {
            actual = offsetOf<LabelSheet>(name);
            LabelSheet r;
            r.setValue(LabelSheet::fieldIndex(field), QStringLiteral("Z"));
            bytes = r.toBytes();
        } else {
            actual = offsetOf<RegisterCard>(name);
            RegisterCard r;
            r.setValue(RegisterCard::fieldIndex(field), QStringLiteral("Z"));
            bytes = r.toBytes();
            width = RegisterCard::fields()[RegisterCard::fieldIndex(field)].width;
        }
        QCOMPARE(actual, offset);
        // The one filled field sits exactly there and nowhere else.
        QCOMPARE(bytes.mid(offset, 2), QByteArray("\x01Z"));
        QCOMPARE(bytes.count('Z'), 1);
        QVERIFY(offset + width + 1 <= bytes.size());
    }

    void labelHelpersMatchNames()
    {
        QCOMPARE(QLatin1String(LabelSheet::fields()[LabelSheet::nameIndex(2)].name), QLatin1String("Nome_E02"));
        QCOMPARE(QLatin1String(LabelSheet::fields()[LabelSheet::lineIndex(17, 3)].name), QLatin1String("Rigo03_E17"));
    }

    void appendCountReadWrite()
    {
        QTemporaryDir dir;
        {
            AddressCardFile f(dir.path());
            QCOMPARE(f.count(), 0);
        }
        const QString path = dir.filePath(AddressCardFile::kFileName);
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
        {
            AddressCardFile f(dir.path());
            for (int i = 1; i <= 5; ++i)
                QCOMPARE(f.append(card(QStringLiteral("C%1").arg(i))), i);
        }
        const QByteArray before = readFileBytes(path);
        QCOMPARE(before.size(), 5 * 3765);
        {
            AddressCardFile f(dir.path());
            f.write(3, card(QStringLiteral("Nuova")));
            QCOMPARE(f.read(3).value(AddressCard::Nome), QStringLiteral("Nuova"));
            QCOMPARE(f.read(5).value(AddressCard::Rigo01), QStringLiteral("C5 riga"));
        }
        const QByteArray after = readFileBytes(path);
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(2 * 3765), before.left(2 * 3765));
        QCOMPARE(after.mid(3 * 3765), before.mid(3 * 3765));
        QVERIFY(after.mid(2 * 3765, 3765) != before.mid(2 * 3765, 3765));
    }

    void labelSheetAppendSizes()
    {
        QTemporaryDir dir;
        LabelSheetFile f(dir.path());
        LabelSheet s;
        s.setName(1, QStringLiteral("Uno"));
        s.setLine(1, 1, QStringLiteral("  riga  "));
        QCOMPARE(f.append(s), 1);
        QCOMPARE(QFileInfo(dir.filePath(LabelSheetFile::kFileName)).size(), 42168);
        QCOMPARE(f.append(s), 2);
        QCOMPARE(QFileInfo(dir.filePath(LabelSheetFile::kFileName)).size(), 84336);
        const QByteArray bytes = readFileBytes(dir.filePath(LabelSheetFile::kFileName)).left(42168);
        for (int field = 2; field <= 24; ++field)
            QCOMPARE(bytes[(field - 1) * 251], '\0');
        for (int field = 31; field <= 168; ++field)
            QCOMPARE(bytes[(field - 1) * 251], '\0');
        QCOMPARE(f.read(2).line(1, 1), QStringLiteral("riga"));
    }

    void trailingFragmentIsNotACardAndIsOverwritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        QVERIFY(writeFileBytes(path, card(QStringLiteral("A")).toBytes() + card(QStringLiteral("B")).toBytes() + "X"));
        QCOMPARE(QFileInfo(path).size(), 7531);
        AddressCardFile f(dir.path());
        QCOMPARE(f.count(), 2);
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, f.read(3));
        QCOMPARE(f.append(card(QStringLiteral("C"))), 3);
        QCOMPARE(QFileInfo(path).size(), 3 * 3765);
        QCOMPARE(f.read(3).value(AddressCard::Nome), QStringLiteral("C"));
    }

    // A batch of appends in a child that dies without cleaning up, as kill -9 leaves it: the records are on disk
    // and so is the rollback note.
    static void killedBatch(const QString& path, int records)
    {
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            RawRecordFile file(path, AddressCard::kSize);
            auto* batch = new RawRecordFile::Batch(file); // never destroyed: nothing is rolled back here
            for (int i = 0; i < records; ++i)
                batch->append(card(QStringLiteral("lotto %1").arg(i)).toBytes());
            ::_exit(0);
        }
        int status = -1;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    void killedBatchIsCutBackOnTheNextOpen_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("hasArchive");
        const QByteArray two = card(QStringLiteral("A")).toBytes() + card(QStringLiteral("B")).toBytes();
        QTest::newRow("whole records") << two << true;
        // The first append overwrites the fragment; cutting back puts it back too.
        QTest::newRow("with a trailing fragment") << two + QByteArray(700, '\x7F') << true;
        QTest::newRow("empty archive") << QByteArray() << true;
        QTest::newRow("archive created by the batch") << QByteArray() << false;
    }
    void killedBatchIsCutBackOnTheNextOpen()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, hasArchive);
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        if (hasArchive)
            QVERIFY(writeFileBytes(path, before));
        killedBatch(path, 5);
        QCOMPARE(QFileInfo(path).size(), (before.size() / 3765 + 5) * 3765);
        QVERIFY(QFileInfo::exists(RawRecordFile::rollbackNotePath(path)));
        // Any open, here the windows' own, puts the archive back before it reads anything.
        const AddressCardFile file(dir.path());
        QCOMPARE(file.count(), before.size() / 3765);
        QCOMPARE(readFileBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{AddressCardFile::kFileName});
    }

    void batchIsAllOrNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        const QByteArray before = card(QStringLiteral("A")).toBytes() + "frammento";
        QVERIFY(writeFileBytes(path, before));
        {
            RawRecordFile file(path, AddressCard::kSize);
            RawRecordFile::Batch batch(file);
            QCOMPARE(batch.append(card(QStringLiteral("B")).toBytes()), 2);
            QCOMPARE(batch.append(card(QStringLiteral("C")).toBytes()), 3);
            // Left without commit, as when a later line of the input is bad.
        }
        QCOMPARE(readFileBytes(path), before);
        QVERIFY(!QFileInfo::exists(RawRecordFile::rollbackNotePath(path)));
        {
            RawRecordFile file(path, AddressCard::kSize);
            RawRecordFile::Batch batch(file);
            batch.append(card(QStringLiteral("B")).toBytes());
            batch.commit();
        }
        QCOMPARE(readFileBytes(path), card(QStringLiteral("A")).toBytes() + card(QStringLiteral("B")).toBytes());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{AddressCardFile::kFileName});
    }

    // A note cut short was still being written when the archive was untouched; a note for a size the archive no
    // longer reaches is about another file. Neither cuts anything; both are removed.
    void aNoteThatDoesNotFitIsOnlyRemoved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        const QString note = RawRecordFile::rollbackNotePath(path);
        QVERIFY(writeFileBytes(path, card(QStringLiteral("A")).toBytes()));
        killedBatch(path, 2);
        const QByteArray whole = readFileBytes(note);
        QVERIFY(!whole.isEmpty());
        const QByteArray afterKill = readFileBytes(path);
        QVERIFY(writeFileBytes(note, whole.left(whole.size() - 1)));
        QCOMPARE(AddressCardFile(dir.path()).count(), 3);
        QCOMPARE(readFileBytes(path), afterKill);
        QVERIFY(!QFileInfo::exists(note));

        QVERIFY(writeFileBytes(path, QByteArray(100, 'x')));
        QVERIFY(writeFileBytes(note, whole));
        QCOMPARE(AddressCardFile(dir.path()).count(), 0);
        QCOMPARE(readFileBytes(path), QByteArray(100, 'x'));
        QVERIFY(!QFileInfo::exists(note));
    }

    // A write in place killed half way leaves its note (the record's old bytes) and a record half new: the next open
    // puts the old record back. A note cut short, or naming a record the file does not hold, is only removed.
    void killedWriteInPlaceIsPutBackOnTheNextOpen_data()
    {
        QTest::addColumn<QByteArray>("noteHead");
        QTest::addColumn<bool>("cutShort");
        QTest::addColumn<bool>("restored");
        QTest::newRow("whole note") << QByteArray("riscrittura 2\n") << false << true;
        QTest::newRow("note cut short") << QByteArray("riscrittura 2\n") << true << false;
        QTest::newRow("record beyond the file") << QByteArray("riscrittura 3\n") << false << false;
        QTest::newRow("record zero") << QByteArray("riscrittura 0\n") << false << false;
    }
    void killedWriteInPlaceIsPutBackOnTheNextOpen()
    {
        QFETCH(QByteArray, noteHead);
        QFETCH(bool, cutShort);
        QFETCH(bool, restored);
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        const QByteArray a = card(QStringLiteral("A")).toBytes();
        const QByteArray b = card(QStringLiteral("B")).toBytes();
        const QByteArray torn = card(QStringLiteral("Nuova")).toBytes().left(1000) + b.mid(1000);
        QVERIFY(writeFileBytes(path, a + torn));
        QByteArray note = noteHead + b + "fine\n";
        if (cutShort)
            note.chop(1);
        QVERIFY(writeFileBytes(RawRecordFile::rollbackNotePath(path), note));
        const AddressCardFile file(dir.path());
        QCOMPARE(file.count(), 2);
        QCOMPARE(readFileBytes(path), a + (restored ? b : torn));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{AddressCardFile::kFileName});
    }

    // The old bytes must be safe before the record is touched: with no room for the note, nothing changes.
    void aWriteInPlaceWithNoRoomForItsNoteChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        const QByteArray before = card(QStringLiteral("A")).toBytes() + card(QStringLiteral("B")).toBytes();
        QVERIFY(writeFileBytes(path, before));
        {
            AddressCardFile file(dir.path());
            const FileSizeLimit limit(100);
            QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, file.write(2, card(QStringLiteral("Nuova"))));
        }
        QCOMPARE(readFileBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{AddressCardFile::kFileName});
        AddressCardFile(dir.path()).write(2, card(QStringLiteral("Nuova")));
        QCOMPARE(readFileBytes(path), before.left(3765) + card(QStringLiteral("Nuova")).toBytes());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{AddressCardFile::kFileName});
    }

    // A single append that meets a full disk halfway says so, and leaves no part of a record at the end.
    void anAppendOnAFullDiskLeavesNoPartialRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        const QByteArray before = card(QStringLiteral("A")).toBytes();
        QVERIFY(writeFileBytes(path, before));
        {
            AddressCardFile file(dir.path());
            const FileSizeLimit limit(before.size() + 1000);
            try {
                file.append(card(QStringLiteral("Nuova")));
                QFAIL("the record cannot fit");
            } catch (const ArchiveAccessError& e) {
                QCOMPARE(e.message(), Errors::kDiskFull);
            }
        }
        QCOMPARE(readFileBytes(path), before);
    }

    // Another process holds the lock (a batch waiting on its input): the open waits in short steps, telling the
    // installed LockWait, and takes the lock once it is free or gives up when told to, touching nothing.
    void aHeldLockIsWaitedForOrGivenUp_data()
    {
        QTest::addColumn<int>("holdMs");        // -1: no other process; 0: held until the open is over
        QTest::addColumn<bool>("withWait");     // a LockWait installed
        QTest::addColumn<int>("giveUpAfterMs"); // -1: never
        QTest::addColumn<bool>("opened");
        QTest::newRow("free lock") << -1 << true << -1 << true;
        QTest::newRow("released while waiting") << 300 << true << -1 << true;
        QTest::newRow("released, nothing installed") << 300 << false << -1 << true;
        QTest::newRow("given up") << 0 << true << 200 << false;
        QTest::newRow("given up at once") << 0 << true << 0 << false;
    }
    void aHeldLockIsWaitedForOrGivenUp()
    {
        QFETCH(int, holdMs);
        QFETCH(bool, withWait);
        QFETCH(int, giveUpAfterMs);
        QFETCH(bool, opened);
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        // A note beside the archive belongs to whoever holds the lock: an open that gives up must leave it alone.
        const QString note = RawRecordFile::rollbackNotePath(path);
        QVERIFY(writeFileBytes(path, card(QStringLiteral("A")).toBytes() + card(QStringLiteral("B")).toBytes()));
        QVERIFY(writeFileBytes(note, "ripristino 3765\nfine\n"));
        std::unique_ptr<LockHolder> holder;
        if (holdMs >= 0) {
            holder = std::make_unique<LockHolder>(path, holdMs > 0 ? holdMs : -1);
            QVERIFY(holder->holds());
        }
        RecordingWait wait;
        wait.giveUpAfterMs = giveUpAfterMs;
        std::optional<ScopedLockWait> installed;
        if (withWait)
            installed.emplace(&wait);
        QElapsedTimer clock;
        clock.start();

        if (opened) {
            const AddressCardFile file(dir.path());
            QCOMPARE(file.count(), 1); // the note was honoured, under the lock
        } else {
            try {
                const AddressCardFile file(dir.path());
                QFAIL("opened while another process held the lock");
            } catch (const ArchiveAccessError& e) {
                QCOMPARE(e.message(), Errors::archiveInUse(path));
            }
            QCOMPARE(readFileBytes(note), QByteArray("ripristino 3765\nfine\n"));
            QCOMPARE(QFileInfo(path).size(), 2 * 3765);
        }
        const qint64 elapsed = clock.elapsed();

        if (holdMs < 0) {
            QVERIFY(wait.waited.isEmpty());
            QCOMPARE(wait.ended, 0);
            return;
        }
        if (holdMs > 0)
            QVERIFY2(elapsed >= holdMs - 50, qPrintable(QString::number(elapsed)));
        if (!withWait) {
            QVERIFY(wait.waited.isEmpty());
            return;
        }
        QVERIFY(!wait.waited.isEmpty());
        QCOMPARE(wait.ended, 1);
        QCOMPARE(wait.paths.first(), path);
        QVERIFY(std::is_sorted(wait.waited.cbegin(), wait.waited.cend()));
        // Told often enough for a window to stay alive: never more than 50 ms (and some slack) between two calls.
        for (qsizetype i = 1; i < wait.waited.size(); ++i)
            QVERIFY2(wait.waited[i] - wait.waited[i - 1] < 150, qPrintable(QString::number(wait.waited[i])));
        if (!opened) {
            QVERIFY(wait.waited.last() >= giveUpAfterMs);
            QVERIFY2(elapsed < giveUpAfterMs + 1000, qPrintable(QString::number(elapsed)));
        }
    }

    // A first import that fails takes away the empty archive it made, under its lock. An open that was waiting for
    // that lock opens the path again instead of writing into the file taken away.
    void anArchiveRemovedWhileWaitedForIsOpenedAgain()
    {
        struct CountingWait : LockWait
        {
            std::atomic<int> calls{0};
            bool keepWaiting(const QString&, qint64) override
            {
                ++calls;
                return true;
            }
            void waitEnded() override {}
        } wait;
        const ScopedLockWait installed(&wait);
        QTemporaryDir dir;
        std::optional<AddressCardFile> first(std::in_place, dir.path());
        int count = -1;
        std::thread waiter([&] {
            AddressCardFile file(dir.path());
            file.append(card(QStringLiteral("B")));
            count = file.count();
        });
        QTRY_VERIFY(wait.calls > 0); // the waiter has the file open and waits for its lock
        QVERIFY(QFile::remove(dir.filePath(AddressCardFile::kFileName)));
        first.reset();
        waiter.join();
        QCOMPARE(count, 1);
        const AddressCardFile file(dir.path());
        QCOMPARE(file.count(), 1);
        QCOMPARE(file.read(1).value(AddressCard::Nome), QStringLiteral("B"));
    }

    // An open that fails after it took the lock (here a rollback note it cannot read) lets go of the lock: the next
    // open from another process must not wait for a descriptor nobody can close.
    void aFailedOpenLeavesNoLock()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(AddressCardFile::kFileName);
        QVERIFY(writeFileBytes(path, card(QStringLiteral("A")).toBytes()));
        QVERIFY(QDir(dir.path()).mkdir(QFileInfo(RawRecordFile::rollbackNotePath(path)).fileName()));
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, AddressCardFile(dir.path()));
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
        QVERIFY(fd >= 0);
        const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        QVERIFY(free);
    }

    void readingOutOfRangeFails()
    {
        QTemporaryDir dir;
        AddressCardFile f(dir.path());
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, f.read(0));
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, f.read(1));
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, f.write(1, AddressCard()));
    }

    void unreachableFolderIsAnAccessFailure()
    {
        QTemporaryDir dir;
        // A folder whose parent is a regular file cannot hold anything, even for root.
        QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("notafolder")), "x"));
        QVERIFY_THROWS_EXCEPTION(ArchiveAccessError, AddressCardFile(dir.filePath(QStringLiteral("notafolder"))));
        // A directory where the archive should be.
        QVERIFY(QDir(dir.path()).mkdir(AddressCardFile::kFileName));
        try {
            AddressCardFile f(dir.path());
            QFAIL("opened a directory as an archive");
        } catch (const ArchiveAccessError& e) {
            QVERIFY(e.message().startsWith(QStringLiteral("Attenzione: il sistema non permette")));
        }
    }

    void existingFileIsNeverTruncated()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2024.prt"));
        RegisterCard c;
        c.setValue(RegisterCard::Numero, QStringLiteral("12/2024"));
        QVERIFY(writeFileBytes(path, c.toBytes()));
        RegisterFile f(path);
        QCOMPARE(f.count(), 1);
        QCOMPARE(f.read(1).value(RegisterCard::Numero), QStringLiteral("12/2024"));
    }

    void yearMustBeFourDigits_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("valid");
        QTest::newRow("2024") << "2024" << true;
        QTest::newRow("three") << "202" << false;
        QTest::newRow("five") << "20245" << false;
        QTest::newRow("path") << "../x" << false;
        QTest::newRow("blank") << " 202" << false;
        QTest::newRow("arabic-indic digits") << QStringLiteral("٢٠٢٤") << false;
    }
    void yearMustBeFourDigits()
    {
        QFETCH(QString, year);
        QFETCH(bool, valid);
        QCOMPARE(RegisterYear::isValid(year), valid);
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
