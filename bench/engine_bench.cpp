// Calculation speed, appending to a large sheet, the memory of a large sheet
// and frame-count-to-text speed against FFmpeg's formatter.
#include "engine/calculation.h"
#include "list/calc_grid.h"
#include "list/calc_sheet.h"
#include "list/list_model.h"

#include <QApplication>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#ifdef OMBREL_WITH_AVUTIL
extern "C" {
#include <libavutil/timecode.h>
}
#endif

namespace {

using namespace ombrel;

CalculationRequest sampleRequest()
{
    CalculationRequest request;
    request.inText = "01:00:00:00";
    request.outText = "00:30:15:12";
    request.percentText = "0";
    request.op = Operator::Plus;
    return request;
}

// Target: one Calculate, all six formats with their cell texts, <= 2 us.
void BM_Calculate(benchmark::State& benchState)
{
    CalcState state;
    const CalculationRequest request = sampleRequest();
    for (auto _ : benchState) {
        Calculation calculation = ComputeCalculations(request, state);
        benchmark::DoNotOptimize(calculation);
    }
}
BENCHMARK(BM_Calculate);

std::array<RowCells, kFormatCount> sampleRows(int64_t i)
{
    CalcState state;
    CalculationRequest request = sampleRequest();
    request.outText = FormatTimecodeText(GenericTC(i, 30));
    return ComputeCalculations(request, state).rows;
}

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

constexpr int64_t kMillion = 1000000;

// Runs before the other large benchmarks, whose freed memory would hide
// its own. Target: a sheet of 1,000,000 calculations (6,000,000 list rows) <= 600 MB resident.
void BM_MillionRowSheetMemory(benchmark::State& benchState)
{
    for (auto _ : benchState) {
        const long before = residentKilobytes();
        CalcSheet sheet;
        for (int64_t i = 0; i < kMillion; ++i)
            sheet.appendCalculation(sampleRows(i % 5000));
        benchState.counters["sheet_MB"] = double(residentKilobytes() - before) / 1024.0;
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(BM_MillionRowSheetMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Target: appending one calculation to a sheet of 1,000,000, with the model
// notification reaching the shown list of the window, <= 1 ms.
void BM_AppendToMillionRowSheet(benchmark::State& benchState)
{
    CalcSheet sheet;
    const auto rows = sampleRows(42);
    for (int64_t i = 0; i < kMillion; ++i)
        sheet.appendCalculation(rows);
    SheetModels models;
    models.replaceSheet(std::move(sheet));
    DragState dragState;
    std::vector<std::unique_ptr<CalcGrid>> views;
    for (int f = 0; f < kFormatCount; ++f)
        views.push_back(std::make_unique<CalcGrid>(models.model(FormatAt(f)), dragState));
    views[0]->show();
    for (auto _ : benchState)
        models.appendCalculation(rows);
    benchState.counters["rows"] = double(models.calcCount());
}
BENCHMARK(BM_AppendToMillionRowSheet)->Unit(benchmark::kMicrosecond)->Iterations(1000);

// One result's text as ComputeCalculations makes it: SetFrameCountText
// writing into a new, empty cell, the rate known only at run time.
inline void frameCountToFreshCell(int64_t frame, int64_t rate)
{
    std::string cell;
    SetFrameCountText(cell, frame, rate, ':');
    benchmark::DoNotOptimize(cell.data());
    benchmark::ClobberMemory();
}

// Target: at least 50 times faster than av_timecode_make_string, on the
// path a list cell is built with. Both sides run interleaved
// (--benchmark_enable_random_interleaving=true) at the same rates.
void BM_FrameCountToText(benchmark::State& benchState)
{
    const int64_t rate = benchState.range(0);
    const int64_t day = kSecondsPerDay * rate;
    int64_t frame = 0;
    for (auto _ : benchState) {
        frameCountToFreshCell(frame, rate);
        frame += 7919;
        if (frame >= day)
            frame -= day;
    }
}

#ifdef OMBREL_WITH_AVUTIL
void BM_FrameCountToText_libavutil(benchmark::State& benchState)
{
    const int rate = static_cast<int>(benchState.range(0));
    const int day = static_cast<int>(kSecondsPerDay) * rate;
    AVTimecode timecode;
    av_timecode_init(&timecode, AVRational{rate, 1}, 0, 0, nullptr);
    char text[AV_TIMECODE_STR_SIZE];
    int frame = 0;
    for (auto _ : benchState) {
        av_timecode_make_string(&timecode, text, frame);
        benchmark::DoNotOptimize(text);
        benchmark::ClobberMemory();
        frame += 7919;
        if (frame >= day)
            frame -= day;
    }
}
#endif

#ifdef OMBREL_WITH_AVUTIL
// Both sides timed in one loop, a batch of each in turn, so that a busy
// machine slows them alike: the figure is the ratio (target >= 50).
void BM_FrameCountToText_PairedRatio(benchmark::State& benchState)
{
    const int rate = static_cast<int>(benchState.range(0));
    const int day = static_cast<int>(kSecondsPerDay) * rate;
    constexpr int kBatch = 4096;
    AVTimecode timecode;
    av_timecode_init(&timecode, AVRational{rate, 1}, 0, 0, nullptr);
    char text[AV_TIMECODE_STR_SIZE];
    double ours = 0;
    double theirs = 0;
    int frame = 0;
    auto step = [&] {
        frame += 7919;
        if (frame >= day)
            frame -= day;
    };
    for (auto _ : benchState) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kBatch; ++i) {
            frameCountToFreshCell(frame, rate);
            step();
        }
        auto middle = std::chrono::steady_clock::now();
        for (int i = 0; i < kBatch; ++i) {
            av_timecode_make_string(&timecode, text, frame);
            benchmark::DoNotOptimize(text);
            benchmark::ClobberMemory();
            step();
        }
        auto end = std::chrono::steady_clock::now();
        ours += std::chrono::duration<double>(middle - start).count();
        theirs += std::chrono::duration<double>(end - middle).count();
    }
    benchState.counters["ours_ns"] = 1e9 * ours / (double(benchState.iterations()) * kBatch);
    benchState.counters["libavutil_ns"] = 1e9 * theirs / (double(benchState.iterations()) * kBatch);
    benchState.counters["ratio"] = theirs / ours;
}
#endif

void atRatesMinAndMedian(benchmark::internal::Benchmark* b)
{
    b->Arg(30)->Arg(25)->Arg(24)->Arg(15)->Repetitions(5)->DisplayAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}
BENCHMARK(BM_FrameCountToText)->Apply(atRatesMinAndMedian);
#ifdef OMBREL_WITH_AVUTIL
BENCHMARK(BM_FrameCountToText_libavutil)->Apply(atRatesMinAndMedian);
BENCHMARK(BM_FrameCountToText_PairedRatio)->Apply(atRatesMinAndMedian);
#endif

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
