// The register's journal at the size of a busy office's year: 50,000 cards, each registered with its digital copy
// (a registration and a fingerprint entry: 100,000 entries), 200 cards a day. Times the whole check, one day's
// register, and a correction saved with and without the journal.
#include "bench_support.h"
#include "common/record_file.h"
#include "register/daily_register.h"
#include "register/daily_register_report.h"
#include "register/register_journal.h"
#include "register_cards.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCards = 50000;
constexpr int kPerDay = 200;

QByteArray cardWithCopy(int i)
{
    RegisterCard c = RegisterCard::fromBytes(Bench::registerCard(i).constData());
    c.setValue(RegisterCard::Copia, QStringLiteral("copia%1.pdf").arg(i));
    return c.toBytes();
}

QDate dayOf(int i)
{
    return QDate(2024, 1, 2).addDays((i - 1) / kPerDay);
}

// The year file and its journal, made once: one batch a day, as the batch tool would append a day's mail.
QString year()
{
    static const QString path = [] {
        const QString p = QDir(Bench::folder().path()).filePath(QStringLiteral("2024.prt"));
        RawRecordFile file(p, RegisterCard::recordSize());
        for (int first = 1; first <= kCards; first += kPerDay) {
            const JournalAuthor author{QStringLiteral("mario"), JournalAuthor::kBatchTool,
                                       QDateTime(dayOf(first), QTime(9, 0))};
            RegisterJournalWriter writer(file, author);
            RawRecordFile::Batch batch(file);
            for (int i = first; i < first + kPerDay; ++i)
                writer.registerCard(batch, cardWithCopy(i));
            batch.commit();
        }
        return p;
    }();
    return path;
}

void BM_VerifyYear(benchmark::State& state)
{
    const QString path = year();
    for (auto _ : state) {
        const RawRecordFile file(path, RegisterCard::recordSize());
        const RegisterCheck check = RegisterVerify::check(file);
        if (!check.passed() || check.entries != 2 * kCards)
            state.SkipWithError("the check did not pass");
        benchmark::DoNotOptimize(check);
    }
    state.counters["MB"] = double(QFile(RegisterJournal::pathFor(path)).size()) / 1e6;
}
BENCHMARK(BM_VerifyYear)->Unit(benchmark::kMillisecond);

// A day in the middle of the year, as the window makes it: the journal read, the day collected, its pages laid out.
void BM_DailyRegister(benchmark::State& state)
{
    const QString path = year();
    const QDate day = dayOf(kCards / 2);
    for (auto _ : state) {
        const DailyRegister daily = DailyRegister::collect(RegisterJournal::read(path), day);
        if (daily.registered.size() != kPerDay)
            state.SkipWithError("the day has not 200 cards");
        const PreparedReport report = DailyRegisterReport::prepare(daily, QStringLiteral("2024"));
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_DailyRegister)->Unit(benchmark::kMillisecond);

// The whole journal read, and its annulments found: what a process pays once, the first time it shows a card.
void BM_ReadJournal(benchmark::State& state)
{
    const QString path = year();
    for (auto _ : state)
        benchmark::DoNotOptimize(RegisterJournal::read(path));
}
BENCHMARK(BM_ReadJournal)->Unit(benchmark::kMillisecond);

void BM_AnnulmentsOfYear(benchmark::State& state)
{
    const QString path = year();
    for (auto _ : state)
        benchmark::DoNotOptimize(RegisterJournal::annulments(RegisterJournal::read(path)));
}
BENCHMARK(BM_AnnulmentsOfYear)->Unit(benchmark::kMillisecond);

// The same as the register window asks at each card: only what was added since it last asked.
void BM_AnnulmentsAtEachCard(benchmark::State& state)
{
    const QString path = year();
    RegisterJournal::annulmentsOf(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(RegisterJournal::annulmentsOf(path));
}
BENCHMARK(BM_AnnulmentsAtEachCard)->Unit(benchmark::kMillisecond);

// One card's subject corrected and saved: through the journal, and as a plain write of the record.
void BM_SaveCorrection(benchmark::State& state)
{
    const bool journal = state.range(0) != 0;
    const QString path = year();
    RegisterCard card = RegisterCard::fromBytes(cardWithCopy(kCards / 2).constData());
    int n = 0;
    for (auto _ : state) {
        card.setValue(RegisterCard::Oggetto, QStringLiteral("Oggetto corretto %1").arg(++n));
        RawRecordFile file(path, RegisterCard::recordSize());
        if (journal)
            RegisterJournalWriter(file, {QStringLiteral("mario"), JournalAuthor::kWindow, {}})
                .correctCard(kCards / 2, card.toBytes());
        else
            file.write(kCards / 2, card.toBytes());
    }
    state.SetLabel(journal ? "with the journal" : "record only");
}
BENCHMARK(BM_SaveCorrection)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return Bench::runWithWidgets(argc, argv);
}
