// Save and Open of a million calculations against writing and reading the
// same bytes raw, all measured in one run. The ratios are the figures that
// count (target: each within 3x of raw).
#include "bench_support.h"
#include "documents/calc_file.h"
#include "documents/calc_file_io.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace ombrel;
using namespace ombrel::bench;

namespace {

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir;
    return dir;
}

const std::string& fileBytes()
{
    static const std::string bytes = WriteCalcFile(bigSheet(), kUserRate, kFramesRate);
    return bytes;
}

QString savedPath()
{
    static const QString path = [] {
        const QString p = tempDir().filePath("big.obr");
        if (SaveFileBytes(p, fileBytes()))
            std::abort();
        return p;
    }();
    return path;
}

void record(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fileBytes().size()));
}

void BM_RawWrite(benchmark::State& state)
{
    const std::string& bytes = fileBytes();
    const QString path = tempDir().filePath("raw.obr");
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            state.SkipWithError("raw write failed");
        file.close();
    }
    record(state);
}

// QSaveFile syncs its data to disk before putting the new file in place; this
// is the raw write with the same guarantee.
void BM_RawWriteSynced(benchmark::State& state)
{
    const std::string& bytes = fileBytes();
    const QString path = tempDir().filePath("raw_synced.obr");
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.flush() ||
            ::fdatasync(file.handle()) != 0)
            state.SkipWithError("raw write failed");
        file.close();
    }
    record(state);
}

void BM_Save(benchmark::State& state)
{
    const CalcSheet& sheet = bigSheet();
    const QString path = tempDir().filePath("saved.obr");
    for (auto _ : state) {
        const auto pieces = WriteCalcFilePieces(sheet, kUserRate, kFramesRate);
        if (SaveFileBytes(path, pieces))
            state.SkipWithError("save failed");
    }
    record(state);
}

void BM_SaveFileOnly(benchmark::State& state)
{
    const std::string& bytes = fileBytes();
    const QString path = tempDir().filePath("saved_only.obr");
    for (auto _ : state)
        if (SaveFileBytes(path, bytes))
            state.SkipWithError("save failed");
    record(state);
}

void BM_SaveBytesOnly(benchmark::State& state)
{
    const CalcSheet& sheet = bigSheet();
    for (auto _ : state) {
        auto pieces = WriteCalcFilePieces(sheet, kUserRate, kFramesRate);
        benchmark::DoNotOptimize(pieces.data());
    }
    record(state);
}

void BM_RawRead(benchmark::State& state)
{
    const QString path = savedPath();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("raw read failed");
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.data());
    }
    record(state);
}

void BM_Open(benchmark::State& state)
{
    const QString path = savedPath();
    for (auto _ : state) {
        QByteArray bytes;
        if (ReadCalcFileBytes(path, bytes))
            state.SkipWithError("read failed");
        CalcFileContents contents = ReadCalcFile(std::string_view(bytes.data(), size_t(bytes.size())));
        if (!contents.ok() || contents.sheet.rowCount() != kCalculations)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(contents.sheet.rowCount());
    }
    record(state);
}

void BM_ParseOnly(benchmark::State& state)
{
    const std::string& bytes = fileBytes();
    for (auto _ : state) {
        CalcFileContents contents = ReadCalcFile(bytes);
        benchmark::DoNotOptimize(contents.sheet.rowCount());
    }
    record(state);
}

} // namespace

BENCHMARK(BM_RawWrite)->Apply(settings);
BENCHMARK(BM_RawWriteSynced)->Apply(settings);
BENCHMARK(BM_Save)->Apply(settings);
BENCHMARK(BM_SaveFileOnly)->Apply(settings);
BENCHMARK(BM_SaveBytesOnly)->Apply(settings);
BENCHMARK(BM_RawRead)->Apply(settings);
BENCHMARK(BM_Open)->Apply(settings);
BENCHMARK(BM_ParseOnly)->Apply(settings);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::printf("file of %lld calculations: %.1f MB\n", static_cast<long long>(kCalculations),
                double(fileBytes().size()) / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printRatio("Save vs raw write", "BM_Save", "BM_RawWrite");
    reporter.printRatio("Save vs raw write + sync", "BM_Save", "BM_RawWriteSynced");
    reporter.printRatio("  formatting vs raw write", "BM_SaveBytesOnly", "BM_RawWrite");
    reporter.printRatio("  QSaveFile vs raw write + sync", "BM_SaveFileOnly", "BM_RawWriteSynced");
    reporter.printRatio("Open vs raw read", "BM_Open", "BM_RawRead");
    reporter.printRatio("  parsing vs raw read", "BM_ParseOnly", "BM_RawRead");
    benchmark::Shutdown();
    return 0;
}
