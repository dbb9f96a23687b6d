// Save and Open of 10,000 to 1,000,000 calculations through the functions
// the window calls, against writing (with a sync, as a save has) and reading
// the same bytes raw, all measured in one run. The ratios at 1,000,000 are
// the figures that count (targets: Save within 3x of the raw write, Open
// within 20x of the read in 1 MiB blocks, in wall time and in processor
// time of all threads). Recovering the same sheet from a recovery journal
// is paired with Open (target: no slower). Run with
// --benchmark_enable_random_interleaving=true to pair the sides fairly on a
// busy machine.
#include "bench_support.h"
#include "documents/calc_file.h"
#include "documents/calc_file_io.h"
#include "documents/recovery_journal.h"
#include "documents/sheet_journal.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

using namespace ombrel;
using namespace ombrel::bench;

namespace {

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The first `rows` calculations of the big sheet.
const CalcSheet& sheetOf(int64_t rows)
{
    static std::map<int64_t, CalcSheet> sheets;
    if (rows == kCalculations)
        return bigSheet();
    auto [it, added] = sheets.try_emplace(rows);
    if (added)
        for (int64_t r = 0; r < rows; ++r) {
            std::array<RowView, kFormatCount> views;
            for (int f = 0; f < kFormatCount; ++f)
                views[f] = bigSheet().list(FormatAt(f)).rowView(r);
            it->second.appendCalculation(views);
        }
    return it->second;
}

const std::string& fileBytes(int64_t rows)
{
    static std::map<int64_t, std::string> files;
    auto [it, added] = files.try_emplace(rows);
    if (added)
        it->second = WriteCalcFile(sheetOf(rows), kUserRate, kFramesRate);
    return it->second;
}

QString savedPath(int64_t rows)
{
    const QString path = tempDir().filePath(QString("big_%1.obr").arg(rows));
    if (!QFile::exists(path) && SaveFileBytes(path, fileBytes(rows)))
        std::abort();
    return path;
}

void record(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fileBytes(state.range(0)).size()));
}

// QSaveFile syncs its data to disk before putting the new file in place; this
// is the raw write with the same guarantee.
void BM_RawWriteSynced(benchmark::State& state)
{
    const std::string& bytes = fileBytes(state.range(0));
    const QString path = tempDir().filePath("raw_synced.obr");
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.flush() ||
            ::fsync(file.handle()) != 0)
            state.SkipWithError("raw write failed");
        file.close();
    }
    record(state);
}

// What Save1Click runs (on its worker thread).
void BM_Save(benchmark::State& state)
{
    const CalcSheet& sheet = sheetOf(state.range(0));
    const QString path = tempDir().filePath("saved.obr");
    for (auto _ : state)
        if (!SaveCalcFile(path, sheet, Rates{kUserRate, kFramesRate}).saved)
            state.SkipWithError("save failed");
    record(state);
}

// The whole file into memory at once.
void BM_RawReadAll(benchmark::State& state)
{
    const QString path = savedPath(state.range(0));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("raw read failed");
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.data());
    }
    record(state);
}

// The cheapest read of the bytes: one reused block.
void BM_RawReadBlocks(benchmark::State& state)
{
    const QString path = savedPath(state.range(0));
    std::string block(1 << 20, '\0');
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            state.SkipWithError("raw read failed");
        while (file.read(block.data(), qint64(block.size())) > 0)
            benchmark::DoNotOptimize(block.data());
    }
    record(state);
}

// The memory an opened sheet takes (its packed rows, about the file's
// bytes, and an 8-byte reference per row of each list), written once into
// pages the process never used: what any Open pays before it parses a
// byte. On some virtual machines the first write to a page costs far more
// than the read of the same bytes into a reused block.
void BM_FreshMemory(benchmark::State& state)
{
    const size_t size = fileBytes(state.range(0)).size() + size_t(state.range(0)) * kFormatCount * 8;
    for (auto _ : state) {
        void* pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (pages == MAP_FAILED) {
            state.SkipWithError("no memory");
            break;
        }
        std::memset(pages, 1, size);
        benchmark::DoNotOptimize(pages);
        ::munmap(pages, size);
    }
    record(state);
}

// What Open1Click runs (on its worker thread); noted, it also hashes the
// file read, as the window does to tell later whether it changed on disk.
void open(benchmark::State& state, bool noted)
{
    const QString path = savedPath(state.range(0));
    FileFingerprint read;
    for (auto _ : state) {
        const std::optional<CalcFileContents> contents = OpenCalcFile(path, {}, noted ? &read : nullptr);
        if (!contents || !contents->ok() || contents->sheet.rowCount() != state.range(0))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(contents->sheet.rowCount());
    }
    record(state);
}

// The journal a run leaves with the same sheet unsaved: the whole sheet,
// as a journal starts, written by the live journal itself.
std::string journalPath(int64_t rows)
{
    const std::string path = tempDir().filePath(QString("big_%1.journal").arg(rows)).toStdString();
    if (!QFile::exists(QString::fromStdString(path))) {
        SheetJournal journal(path);
        journal.start(sheetOf(rows));
        journal.flush();
        if (!journal.error().empty())
            std::abort();
    }
    return path;
}

// What the start-up recovery runs (on its worker thread), against BM_Open
// of the same sheet.
void BM_RecoverJournal(benchmark::State& state)
{
    const std::string path = journalPath(state.range(0));
    for (auto _ : state) {
        const RecoveredWork work = ReadRecoveryJournal(path);
        if (work.damaged || work.sheet.rowCount() != state.range(0))
            state.SkipWithError("recovery failed");
        benchmark::DoNotOptimize(work.sheet.rowCount());
    }
    record(state);
}

void BM_Open(benchmark::State& state)
{
    open(state, false);
}

void BM_OpenNoted(benchmark::State& state)
{
    open(state, true);
}

// Open and recovery read on several threads: the processor time is that
// of the whole process.
void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10'000)->Arg(100'000)->Arg(kCalculations)->Apply(settings)->MeasureProcessCPUTime();
}

} // namespace

BENCHMARK(BM_RawWriteSynced)->Apply(sizes);
BENCHMARK(BM_Save)->Apply(sizes);
BENCHMARK(BM_RawReadAll)->Apply(sizes);
BENCHMARK(BM_RawReadBlocks)->Apply(sizes);
BENCHMARK(BM_FreshMemory)->Apply(sizes);
BENCHMARK(BM_Open)->Apply(sizes);
BENCHMARK(BM_RecoverJournal)->Apply(sizes);
BENCHMARK(BM_OpenNoted)->Apply(sizes);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::printf("file of %lld calculations: %.1f MB\n", static_cast<long long>(kCalculations),
                double(fileBytes(kCalculations).size()) / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    for (const char* rows : {"10000", "100000", "1000000"}) {
        const std::string at = std::string("/") + rows;
        std::printf("at %s calculations:\n", rows);
        reporter.printRatio("  Save vs raw write + sync", ("BM_Save" + at).c_str(), ("BM_RawWriteSynced" + at).c_str());
        reporter.printRatio("  Open vs raw read in blocks", ("BM_Open" + at).c_str(),
                            ("BM_RawReadBlocks" + at).c_str());
        reporter.printRatio("  Open vs writing its memory once", ("BM_Open" + at).c_str(),
                            ("BM_FreshMemory" + at).c_str());
        reporter.printRatio("  Open vs raw read of all", ("BM_Open" + at).c_str(), ("BM_RawReadAll" + at).c_str());
        reporter.printRatio("  Journal recovery vs Open", ("BM_RecoverJournal" + at).c_str(), ("BM_Open" + at).c_str());
    }
    benchmark::Shutdown();
    return 0;
}
