// Sorting and searching a sheet of a million calculations, each against a
// reference measured in the same run: the sort against std::sort over the
// same keys (target: within 2x), the sort with the progress bar against the
// same sort without it (target: at most 5% more; bar_cost_pct pairs them
// run by run in processor time of the thread), one Find Next through the
// whole list against a plain scan of its cells (target: <= 0.2 s).
#include "bench_support.h"
#include "list/calc_grid.h"
#include "list/list_headers.h"
#include "list/list_model.h"
#include "list/sheet_ops.h"
#include "settings/grid_layout.h"

#include <QApplication>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using namespace ombrel;

namespace {

constexpr int64_t kCalculations = 1'000'000;

// A long working day in random order: timecodes with repeats, one row in
// eight described.
CalcSheet buildSheet()
{
    CalcSheet sheet;
    const char* descriptions[] = {"Scene 12 take 3", "Reel 4 insert", "caf\xC3\xA9 cut", "Titles"};
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    auto timecode = [](uint32_t v, char separator) {
        char text[12];
        std::snprintf(text, sizeof text, "%02u%c%02u%c%02u%c%02u", (v / 108000) % 24, separator, (v / 1800) % 60,
                      separator, (v / 30) % 60, separator, v % 30);
        return std::string(text);
    };
    for (int64_t i = 0; i < kCalculations; ++i) {
        const uint32_t in = next() % 2'592'000, out = next() % 2'592'000;
        const std::string description = i % 8 == 0 ? descriptions[(i / 8) % 4] : "";
        std::array<RowCells, kFormatCount> rows;
        for (int f = 0; f < kFormatCount - 1; ++f) {
            const char separator = f == FormatIndex(TimecodeFormat::DropFrm) ? ';' : ':';
            rows[f] = {timecode(in, separator),
                       "+",
                       timecode(out, separator),
                       "=",
                       timecode((in + out) % 2'592'000, separator),
                       "",
                       description};
        }
        rows[kFormatCount - 1] = {std::to_string(in),       "+", std::to_string(out), "=",
                                  std::to_string(in + out), "",  description};
        sheet.appendCalculation(rows);
    }
    return sheet;
}

// The six lists of the main window in a window on screen, with the Sort
// button and the progress bar.
struct SortWindow {
    SortWindow()
    {
        models.replaceSheet(buildSheet());
        auto* layout = new QVBoxLayout(&window);
        auto* button = new QToolButton;
        layout->addWidget(button);
        // It lies over the bottom of the window, as over the status bar.
        auto* progressBar = new QProgressBar(&window);
        progressBar->setGeometry(0, 880, 460, 20);
        progressBar->hide();
        headers = new ListHeaders(models, kDefaultColumnBaseWidths, *button, *progressBar, &window);
        for (int f = 0; f < kFormatCount; ++f) {
            auto* list = new CalcGrid(models.model(FormatAt(f)), dragState);
            layout->insertWidget(f, list);
            headers->addList(f, list);
        }
        window.resize(460, 900);
        window.show();
        QApplication::processEvents();
    }
    SheetModels models;
    DragState dragState;
    QWidget window;
    ListHeaders* headers = nullptr;
};

// Made on first use, gone before the application object.
std::unique_ptr<SortWindow> theSortWindow;

SortWindow& sortWindow()
{
    if (!theSortWindow)
        theSortWindow = std::make_unique<SortWindow>();
    return *theSortWindow;
}

const CalculationList& nonDrop()
{
    return sortWindow().models.sheet().list(TimecodeFormat::NonDrop);
}

std::vector<std::string_view> keys(int column)
{
    std::vector<std::string_view> keys;
    for (int64_t row = 0; row < nonDrop().rowCount(); ++row)
        keys.push_back(nonDrop().cell(row, column));
    return keys;
}

// The reference: std::sort over the keys of the column.
void BM_StdSortKeys(benchmark::State& state)
{
    const std::vector<std::string_view> original = keys(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::string_view> sorted = original;
        std::sort(sorted.begin(), sorted.end());
        benchmark::DoNotOptimize(sorted.data());
    }
}

// A sort from the first order always gives the same order; this puts the
// rows back from it.
std::vector<int64_t> undoOrder(int column)
{
    const std::vector<int64_t> order = SortOrder(nonDrop(), column, SortDirection::Ascending);
    std::vector<int64_t> back(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        back[static_cast<size_t>(order[i])] = static_cast<int64_t>(i);
    return back;
}

void restoreOrder(const std::vector<int64_t>& back)
{
    sortWindow().models.reorder(back);
    // The lists repaint the rows of both orders here, not in the next run.
    QApplication::processEvents();
}

void undoSort(benchmark::State& state, const std::vector<int64_t>& back)
{
    state.PauseTiming();
    restoreOrder(back);
    state.ResumeTiming();
}

// The sheet's sort: the order of the NonDrop keys, then all six lists put
// in that order through their models.
void BM_SortSheet(benchmark::State& state)
{
    const int column = static_cast<int>(state.range(0));
    SheetModels& models = sortWindow().models;
    const std::vector<int64_t> back = undoOrder(column);
    for (auto _ : state) {
        models.reorder(SortOrder(nonDrop(), column, SortDirection::Ascending));
        undoSort(state, back);
    }
}

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The same, as a header click runs it: the progress bar shown and moving,
// the window repainted now and then. Each run also sorts without the bar,
// before or after by turns, so that both meet the machine in the same mood
// and neither order favours one; the counter compares the best of each
// (processor time of the thread).
void BM_SortSheetWithProgressBar(benchmark::State& state)
{
    const int column = static_cast<int>(state.range(0));
    const std::vector<int64_t> back = undoOrder(column);
    double bestWithout = 1e9;
    double bestWith = 1e9;
    const auto sortWithoutBar = [&] {
        const double start = threadSeconds();
        sortWindow().models.reorder(SortOrder(nonDrop(), column, SortDirection::Ascending));
        bestWithout = std::min(bestWithout, threadSeconds() - start);
        restoreOrder(back);
    };
    int run = 0;
    for (auto _ : state) {
        const bool barFirst = run++ % 2 == 1;
        state.PauseTiming();
        if (!barFirst)
            sortWithoutBar();
        state.ResumeTiming();
        const double start = threadSeconds();
        sortWindow().headers->SortSection(column, SortDirection::Ascending);
        bestWith = std::min(bestWith, threadSeconds() - start);
        state.PauseTiming();
        restoreOrder(back);
        if (barFirst)
            sortWithoutBar();
        state.ResumeTiming();
    }
    state.counters["bar_cost_pct"] = 100 * (bestWith / bestWithout - 1);
}

void BM_FindNextThroughList(benchmark::State& state)
{
    const FindOptions options{false, state.range(0) != 0};
    for (auto _ : state) {
        FindPosition position;
        if (FindNext(nonDrop(), position, "Scene 99", options).outcome != FindResult::NotFound)
            state.SkipWithError("found a text that is not there");
    }
}

// The reference: every cell of the list read and searched with
// std::string_view::find.
void BM_ScanCells(benchmark::State& state)
{
    for (auto _ : state) {
        int64_t hits = 0;
        for (int64_t row = 0; row < nonDrop().rowCount(); ++row)
            for (std::string_view cell : nonDrop().rowView(row))
                hits += cell.find("Scene 99") != std::string_view::npos;
        benchmark::DoNotOptimize(hits);
    }
}

// The machine may be busy with other work: the ratios take the best of five.
void settings(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->DisplayAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

} // namespace

BENCHMARK(BM_StdSortKeys)->Arg(InColumn)->Arg(DescriptionColumn)->Apply(settings);
BENCHMARK(BM_SortSheet)->Arg(InColumn)->Arg(DescriptionColumn)->Apply(settings);
BENCHMARK(BM_SortSheetWithProgressBar)->Arg(InColumn)->Apply(settings)->Iterations(4);
BENCHMARK(BM_ScanCells)->Apply(settings);
BENCHMARK(BM_FindNextThroughList)->Arg(0)->Arg(1)->Apply(settings);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Each figure and its reference take turns, so a busy spell of the
    // machine falls on both.
    std::vector<char*> arguments(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    sortWindow();
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printRatio("sort by In vs std::sort", "BM_SortSheet/0", "BM_StdSortKeys/0");
    reporter.printRatio("sort by description vs std::sort", "BM_SortSheet/6", "BM_StdSortKeys/6");
    reporter.printRatio("sort with progress bar vs without", "BM_SortSheetWithProgressBar/0", "BM_SortSheet/0");
    reporter.printPercentCounter("progress bar cost, run by run", "BM_SortSheetWithProgressBar/0", "bar_cost_pct");
    reporter.printRatio("Find Next vs plain scan", "BM_FindNextThroughList/0", "BM_ScanCells");
    reporter.printRatio("Find Next, match case vs scan", "BM_FindNextThroughList/1", "BM_ScanCells");
    benchmark::Shutdown();
    theSortWindow.reset();
    return 0;
}
