// Export of a million calculations against writing the same bytes raw,
// measured in one run (target: within 3x of raw).
#include "bench_support.h"
#include "documents/calc_file_io.h"
#include "documents/text_export.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

using namespace ombrel;
using namespace ombrel::bench;

namespace {

// Descriptions and headings on: the longest lines, and a non-ASCII
// description early on that makes the writer choose the encoding.
TextExportOptions options()
{
    return {TimecodeFormat::NonDrop, true, true, "Timecode Data", "30 fps Non-Drop Frame"};
}

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir;
    return dir;
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
    const std::string& bytes = exportBytes();
    const QString path = tempDir().filePath("raw.txt");
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
    const std::string& bytes = exportBytes();
    const QString path = tempDir().filePath("raw_synced.txt");
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

// The export dialog's path, without its progress bar: pieces made by the
// writer and streamed through QSaveFile.
void BM_Export(benchmark::State& state)
{
    const QString path = tempDir().filePath("export.txt");
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
