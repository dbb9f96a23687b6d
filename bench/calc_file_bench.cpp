// Save and Open of a million calculations against writing and reading the
// same bytes raw, all measured in one run. The ratios are the figures that
// count (target: each within 3x of raw).
#include "documents/calc_file.h"
#include "documents/calc_file_io.h"
#include "engine/format_info.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace ombrel;

namespace {

constexpr int64_t kCalculations = 1'000'000;
constexpr int64_t kUserRate = 30;
constexpr double kFramesRate = 29.97;

// A plausible working session: mixed operators over timecodes of a long day,
// one row in eight carrying a description.
const CalcSheet& bigSheet()
{
    static const CalcSheet sheet = [] {
        CalcSheet built;
        const char operators[] = {'+', '-', 'x', '/', '+', '~'};
        const char* descriptions[] = {"Scene 12 take 3", "Reel 4 insert", "caf\xC3\xA9 cut  ", "Titles"};
        uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
        auto timecode = [](uint32_t v, char sep) {
            char text[12];
            std::snprintf(text, sizeof text, "%02u%c%02u%c%02u%c%02u", v % 24, sep, (v / 24) % 60, sep, (v / 1440) % 60,
                          sep, (v / 86400) % 30);
            return std::string(text);
        };
        for (int64_t i = 0; i < kCalculations; ++i) {
            const uint32_t a = next(), b = next(), c = next();
            const std::string op(1, operators[i % 6]);
            const std::string description = i % 8 == 0 ? descriptions[(i / 8) % 4] : "";
            std::array<RowCells, kFormatCount> rows;
            for (int f = 0; f < kFormatCount - 1; ++f) {
                const char sep = kWindowFormats[f].separator;
                rows[f] = {timecode(a, sep), op, timecode(b, sep), "=", timecode(c, sep), "", description};
            }
            rows[kFormatCount - 1] = {std::to_string(a % 2'000'000),
                                      op,
                                      std::to_string(b % 2'000'000),
                                      "=",
                                      std::to_string(int64_t(c % 4'000'000) - 2'000'000),
                                      "",
                                      description};
            built.appendCalculation(rows);
        }
        return built;
    }();
    return sheet;
}

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

// The machine may be busy with other work: the ratios take the best of five.
void settings(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(5)->DisplayAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
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

// Prints the usual table, then each operation against its raw baseline:
// best wall-clock times, and best processor times of this process, which a
// busy machine disturbs less.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
                real_[run.run_name.function_name] = run.GetAdjustedRealTime();
                cpu_[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const char* what, const char* name, const char* baseline) const
    {
        if (!real_.contains(name) || !real_.contains(baseline))
            return;
        std::printf("%-30s %5.2fx wall (%4.0f vs %4.0f ms)   %5.2fx processor (%4.0f vs %4.0f ms)\n", what,
                    real_.at(name) / real_.at(baseline), real_.at(name), real_.at(baseline),
                    cpu_.at(name) / cpu_.at(baseline), cpu_.at(name), cpu_.at(baseline));
    }

private:
    using Times = std::map<std::string, double>;
    Times real_;
    Times cpu_;
};

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
