// Export of a million calculations against writing the same bytes raw,
// measured in one run (target: within 3x of raw).
#include "bench_support.h"
#include "documents/calc_file_io.h"
#include "documents/text_export.h"

#include <benchmark/benchmark.h>
#include <cstdio>

using namespace ombrel;
using namespace ombrel::bench;

namespace {

// Descriptions and headings on: the longest lines, and a non-ASCII
// description early on that makes the writer choose the encoding.
TextExportOptions options()
{
    return {TimecodeFormat::NonDrop, true, true, "Timecode Data", "30 fps Non-Drop Frame"};
}

const std::string& exportBytes()
{
    static const std::string bytes = WriteTextExport(bigSheet(), options());
    return bytes;
}

void record(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(exportBytes().size()));
}

void BM_RawWrite(benchmark::State& state)
{
    WriteRaw(state, exportBytes(), BenchFolder().filePath("raw.txt"), false);
    record(state);
}

void BM_RawWriteSynced(benchmark::State& state)
{
    WriteRaw(state, exportBytes(), BenchFolder().filePath("raw_synced.txt"), true);
    record(state);
}

// The export dialog's path, without its progress bar: pieces made by the
// writer and streamed through QSaveFile.
void BM_Export(benchmark::State& state)
{
    const QString path = BenchFolder().filePath("export.txt");
    for (auto _ : state) {
        TextExportWriter writer(bigSheet(), options());
        const auto error = SaveFileStream(path, [&]() -> std::optional<std::string_view> { return writer.next(); });
        if (error)
            state.SkipWithError("export failed");
    }
    record(state);
}

void BM_ExportBytesOnly(benchmark::State& state)
{
    for (auto _ : state) {
        TextExportWriter writer(bigSheet(), options());
        size_t total = 0;
        for (std::string_view piece = writer.next(); !piece.empty(); piece = writer.next())
            total += piece.size();
        benchmark::DoNotOptimize(total);
    }
    record(state);
}

} // namespace

BENCHMARK(BM_RawWrite)->Apply(settings);
BENCHMARK(BM_RawWriteSynced)->Apply(settings);
BENCHMARK(BM_Export)->Apply(settings);
BENCHMARK(BM_ExportBytesOnly)->Apply(settings);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::printf("export of %lld calculations: %.1f MB\n", static_cast<long long>(kCalculations),
                double(exportBytes().size()) / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printRatio("Export vs raw write", "BM_Export", "BM_RawWrite");
    reporter.printRatio("Export vs raw write + sync", "BM_Export", "BM_RawWriteSynced");
    reporter.printRatio("  formatting vs raw write", "BM_ExportBytesOnly", "BM_RawWrite");
    benchmark::Shutdown();
}
