// ombrel-calc on a million lines of standard input against reading and
// writing the same lines raw, all measured in one run. Target: at least
// 2,000,000 results a second.
#include "cli/batch.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace ombrel;

namespace {

constexpr int64_t kLines = 1'000'000;

// What a conform or subtitle script sends: timecodes of a long day with
// mixed operators, the odd frame count and percentage.
std::string inputLines(char separator)
{
    std::string lines;
    uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const auto timecode = [separator](uint32_t v) {
        // Frame 4 and up are labels at every rate, drop frame included.
        char text[12];
        std::snprintf(text, sizeof text, "%02u%c%02u%c%02u%c%02u", v % 24, separator, (v / 24) % 60, separator,
                      (v / 1440) % 60, separator, 4 + (v / 86400) % 26);
        return std::string(text);
    };
    const char* operators[] = {" + ", " - ", " + ", " ~ "};
    for (int64_t i = 0; i < kLines; ++i) {
        const uint32_t a = next();
        const uint32_t b = next();
        switch (i % 8) {
        case 6:
            lines += timecode(a) + " x " + std::to_string(b % 5 + 1) + "\n";
            break;
        case 7:
            lines += timecode(a) + " % 12.5\n";
            break;
        default:
            lines += timecode(a) + operators[i % 4] + timecode(b) + "\n";
        }
    }
    return lines;
}

// The lines in a file, opened for reading.
int inputFile(char separator)
{
    char path[] = "/tmp/ombrel-calc-bench-XXXXXX";
    const int fd = ::mkstemp(path);
    ::unlink(path);
    const std::string lines = inputLines(separator);
    if (fd < 0 || ::write(fd, lines.data(), lines.size()) != ssize_t(lines.size()))
        std::abort();
    return fd;
}

int colonLines()
{
    static const int fd = inputFile(':');
    return fd;
}

int semicolonLines()
{
    static const int fd = inputFile(';');
    return fd;
}

int nullFd()
{
    static const int fd = ::open("/dev/null", O_WRONLY);
    return fd;
}

void record(benchmark::State& state)
{
    state.SetItemsProcessed(int64_t(state.iterations()) * kLines);
}

// Reference: the same lines read and written back with nothing done to them.
void BM_RawReadWrite(benchmark::State& state)
{
    const int in = colonLines();
    std::vector<char> buffer(size_t{1} << 20);
    for (auto _ : state) {
        ::lseek(in, 0, SEEK_SET);
        for (ssize_t got; (got = ::read(in, buffer.data(), buffer.size())) > 0;)
            if (::write(nullFd(), buffer.data(), size_t(got)) != got)
                state.SkipWithError("write failed");
    }
    record(state);
}

// What ombrel-calc does with its standard input, in this process.
void BM_Batch(benchmark::State& state, const char* rate, int (*lines)())
{
    CalcForm form;
    form.rate = form.resultRate = *ParseFrameRate(rate);
    const int in = lines();
    for (auto _ : state) {
        ::lseek(in, 0, SEEK_SET);
        if (RunBatch(in, nullFd(), 2, form) != 0)
            state.SkipWithError("a line was refused");
    }
    record(state);
}

// The real program, started for every run: what a script pays.
void BM_Process(benchmark::State& state, const char* rate, int (*lines)())
{
    const int in = lines();
    char* const argv[] = {const_cast<char*>(OMBREL_CALC_BINARY), const_cast<char*>("--rate"), const_cast<char*>(rate),
                          nullptr};
    for (auto _ : state) {
        ::lseek(in, 0, SEEK_SET);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in, 0);
        posix_spawn_file_actions_adddup2(&actions, nullFd(), 1);
        pid_t pid = 0;
        int status = -1;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0 || ::waitpid(pid, &status, 0) != pid ||
            status != 0)
            state.SkipWithError("ombrel-calc failed");
        posix_spawn_file_actions_destroy(&actions);
    }
    record(state);
}

// The machine may be busy with other work: the figures that count are the
// best of five.
void settings(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(5)->DisplayAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(BM_RawReadWrite)->Apply(settings);
BENCHMARK_CAPTURE(BM_Batch, 30, "30", colonLines)->Apply(settings);
BENCHMARK_CAPTURE(BM_Batch, 29.97df, "29.97df", semicolonLines)->Apply(settings);
BENCHMARK_CAPTURE(BM_Process, 30, "30", colonLines)->Apply(settings);
BENCHMARK_CAPTURE(BM_Process, 59.94df, "59.94df", semicolonLines)->Apply(settings);

} // namespace

BENCHMARK_MAIN();
