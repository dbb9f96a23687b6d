// Reading an edit decision list of 100,000 events as ombrel-calc --edl and
// the window do (ReadEdlFile: the file checks, the head, the whole list
// parsed into events), against a raw read of the same bytes. Each
// iteration times the two back to back, so the machine's load falls on
// both alike; the ratio of each pair is kept and its best and median
// printed. The target: within 3x the raw read.
//
// The program reads a list once per open, into memory it has not used
// before, whose pages the system hands over as they are first touched: a
// large part of the cost on a virtual machine. "one open" measures that
// way (every large block fresh from the system, for both reads); "warm"
// lets the allocator keep its memory between iterations, which leaves the
// parsing alone against a copy. "lines alone" times finding the line ends
// of the list's text against the same raw read: the least any line by line
// reader costs.
#include "documents/edl_file.h"
#include "documents/file_input.h"

#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <string>
#include <string_view>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kEvents = 100'000;

// Drop-frame labels from a frame number at 29.97.
std::string dropFrameLabel(int64_t frame)
{
    const int64_t tenMinutes = 17982;
    const int64_t d = frame / tenMinutes;
    int64_t m = frame % tenMinutes;
    frame += 18 * d + (m > 1 ? 2 * ((m - 2) / 1798) : 0);
    char text[16];
    std::snprintf(text, sizeof text, "%02lld;%02lld;%02lld;%02lld", static_cast<long long>(frame / 108000 % 24),
                  static_cast<long long>(frame / 1800 % 60), static_cast<long long>(frame / 30 % 60),
                  static_cast<long long>(frame % 30));
    return text;
}

// Cuts of a long programme as an editing system writes them: each event
// with its clip name and a source file comment, a dissolve now and then.
const std::string& edlPath()
{
    static QTemporaryDir folder;
    static const std::string path = [] {
        std::string bytes = "TITLE: long programme\r\nFCM: DROP FRAME\r\n\r\n";
        uint32_t seed = 12345;
        int64_t record = 107892;
        for (int e = 1; e <= kEvents; ++e) {
            seed = seed * 1664525u + 1013904223u;
            const int64_t length = 12 + (seed >> 8) % 300;
            const int64_t source = (seed >> 4) % 1'000'000;
            char line[160];
            std::snprintf(line, sizeof line, "%06d  A%03d     V     %s %s %s %s %s\r\n", e, e % 1000,
                          e % 50 == 0 ? "D    015" : "C       ", dropFrameLabel(source).c_str(),
                          dropFrameLabel(source + length).c_str(), dropFrameLabel(record % 2589408).c_str(),
                          dropFrameLabel((record + length) % 2589408).c_str());
            bytes += line;
            bytes += "* FROM CLIP NAME:  scene_" + std::to_string(e % 700) + "_take_" + std::to_string(e % 7) +
                     ".mov\r\n* SOURCE FILE: A" + std::to_string(e % 1000) + "\r\n";
            record = (record + length) % 2589408;
            // A record out past midnight would wrap before its record in.
            if (record + 400 >= 2589408)
                record = 0;
        }
        const std::string file = folder.filePath("long.edl").toStdString();
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fclose(out) != 0)
            std::abort();
        return file;
    }();
    return path;
}

// The baseline: the file's bytes read into memory, nothing more.
size_t readRaw(const std::string& path)
{
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const off_t size = ::lseek(handle, 0, SEEK_END);
    std::string bytes(static_cast<size_t>(size), '\0');
    const int64_t have = ombrel::ReadFileAt(handle, 0, bytes.data(), bytes.size());
    ::close(handle);
    benchmark::DoNotOptimize(bytes.data());
    return static_cast<size_t>(have);
}

// Wall-clock seconds, and processor seconds of this thread, which other
// work on a busy machine disturbs less.
struct Moment {
    double wall;
    double processor;
};

Moment now()
{
    timespec cpu{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return {std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(),
            double(cpu.tv_sec) + double(cpu.tv_nsec) * 1e-9};
}

// The least any line by line reader does: find every line end.
size_t countLines(std::string_view text)
{
    size_t lines = 0;
    for (size_t at = 0; at < text.size(); ++lines) {
        const size_t lf = text.find('\n', at);
        at = lf == std::string_view::npos ? text.size() : lf + 1;
    }
    return lines;
}

enum Memory { OneOpen, Warm };
std::vector<double> wallRatios[2];
std::vector<double> processorRatios[2];
std::vector<double> lineRatios[2];

void BM_ReadEdlVsRawRead(benchmark::State& state)
{
    const auto memory = static_cast<Memory>(state.range(0));
    // A threshold set by hand stays where it is: at 128 KiB every large
    // block is mapped fresh and given back when freed.
    ::mallopt(M_MMAP_THRESHOLD, memory == OneOpen ? 128 * 1024 : 32 * 1024 * 1024);
    ::mallopt(M_TRIM_THRESHOLD, memory == OneOpen ? 128 * 1024 : 1 << 30);
    ::mallopt(M_TOP_PAD, memory == OneOpen ? 0 : 1 << 27);
    const std::string& path = edlPath();
    size_t bytes = 0;
    for (auto _ : state) {
        const Moment start = now();
        bytes = readRaw(path);
        const Moment raw = now();
        std::string why;
        const std::optional<ombrel::EdlContents> edl = ombrel::ReadEdlFile(path, why);
        const Moment read = now();
        if (!edl || !edl->ok() || edl->events.size() != kEvents) {
            state.SkipWithError("the list was not read");
            return;
        }
        benchmark::DoNotOptimize(countLines(*edl->text));
        const Moment lines = now();
        wallRatios[memory].push_back((read.wall - raw.wall) / (raw.wall - start.wall));
        lineRatios[memory].push_back((lines.wall - read.wall) / (raw.wall - start.wall));
        processorRatios[memory].push_back((read.processor - raw.processor) / (raw.processor - start.processor));
        state.SetIterationTime(read.wall - raw.wall);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void printRatios(const char* what, std::vector<double>& ratios, const char* target = " (target 3x)")
{
    if (ratios.empty())
        return;
    std::sort(ratios.begin(), ratios.end());
    std::printf("%-20s best %5.2fx, median %5.2fx over %zu pairs%s\n", what, ratios.front(), ratios[ratios.size() / 2],
                ratios.size(), target);
}

} // namespace

BENCHMARK(BM_ReadEdlVsRawRead)
    ->ArgName("warm")
    ->Arg(OneOpen)
    ->Arg(Warm)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(2.0);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nReadEdlFile of %d events vs a raw read of the same bytes:\n", kEvents);
    printRatios("one open, wall", wallRatios[OneOpen]);
    printRatios("one open, processor", processorRatios[OneOpen]);
    printRatios("warm, wall", wallRatios[Warm]);
    printRatios("warm, processor", processorRatios[Warm]);
    // Finding the lines is part of reading any list line by line: the
    // floor under the ratios above.
    printRatios("warm, lines alone", lineRatios[Warm], "");
    benchmark::Shutdown();
}
