// What the benchmarks share: a large sheet, how each benchmark runs, the
// raw write that saves are set against, and a reporter that sets each
// figure against its baseline from the same run.
#pragma once

#include "engine/format_info.h"
#include "list/calc_sheet.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace ombrel::bench {

constexpr int64_t kCalculations = 1'000'000;
constexpr int64_t kUserRate = 30;
constexpr double kFramesRate = 29.97;

// A plausible working session: mixed operators over timecodes of a long day,
// one row in eight carrying a description.
inline const CalcSheet& bigSheet()
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

// The machine may be busy with other work: five repetitions, whose best
// (and median) the ratios take.
inline void settings(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(5)->DisplayAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

// A folder for the files the benchmarks write, removed at the end.
inline QTemporaryDir& BenchFolder()
{
    static QTemporaryDir folder;
    return folder;
}

// The baseline of a save: the same bytes written straight to the file and,
// when `synced`, brought to disk as QSaveFile does before the new file
// takes the old one's place.
inline void WriteRaw(benchmark::State& state, const std::string& bytes, const QString& path, bool synced)
{
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
            (synced && (!file.flush() || ::fdatasync(file.handle()) != 0)))
            state.SkipWithError("raw write failed");
        file.close();
    }
}

// Prints the usual table, then each operation against its baseline: best
// and median wall-clock times, and best processor times of this process,
// which a busy machine disturbs less.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Aggregate)
                continue;
            // A benchmark run at several sizes is named with its size ("BM_Save/10000").
            const std::string name =
                run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            if (run.aggregate_name == "min") {
                real_[name] = run.GetAdjustedRealTime();
                cpu_[name] = run.GetAdjustedCPUTime();
            } else if (run.aggregate_name == "median") {
                median_[name] = run.GetAdjustedRealTime();
                for (const auto& [counter, value] : run.counters)
                    counters_[name + ":" + counter] = value.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const char* what, const char* name, const char* baseline) const
    {
        if (!real_.contains(name) || !real_.contains(baseline))
            return;
        std::printf("%-34s %5.2fx wall (%4.0f vs %4.0f ms)  median %5.2fx (%4.0f vs %4.0f ms)   %5.2fx processor\n",
                    what, real_.at(name) / real_.at(baseline), real_.at(name), real_.at(baseline),
                    median_.at(name) / median_.at(baseline), median_.at(name), median_.at(baseline),
                    cpu_.at(name) / cpu_.at(baseline));
    }

    // A figure against a target in milliseconds rather than a baseline.
    void printAgainst(const char* what, const char* name, double targetMs) const
    {
        if (!real_.contains(name))
            return;
        std::printf("%-34s best %6.1f ms, median %6.1f ms (target %.0f ms)\n", what, real_.at(name), median_.at(name),
                    targetMs);
    }

    // The median of a counter a benchmark reports, as a percentage.
    void printPercentCounter(const char* what, const char* name, const char* counter) const
    {
        const std::string key = std::string(name) + ":" + counter;
        if (counters_.contains(key))
            std::printf("%-34s median %+5.1f%%\n", what, counters_.at(key));
    }

private:
    using Times = std::map<std::string, double>;
    Times real_;
    Times median_;
    Times cpu_;
    Times counters_;
};

} // namespace ombrel::bench
