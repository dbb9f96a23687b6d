#include "cli/calc_command.h"

#include "cli/batch.h"
#include "cli/calc_arguments.h"
#include "cli/output_buffer.h"
#include "cli/sheet_report.h"
#include "cli/terminal_text.h"
#include "documents/calc_file.h"
#include "documents/edl_reader.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrel {

namespace {

constexpr int kRefused = 1;
constexpr int kUsageError = 2;

int refuse(int errFd, std::string_view message, int status = kRefused)
{
    WriteAll(errFd, "ombrel-calc: " + TerminalText(message) + "\n");
    return status;
}

// A calculation file from a pipe: its head checked before anything more is
// read, then the rest up to the size any calculation file may have.
bool readSheetInput(int fd, std::string& bytes, std::string& error)
{
    char chunk[1 << 16];
    for (;;) {
        const size_t wanted = bytes.size() < kCalcFileHeadSize ? kCalcFileHeadSize - bytes.size() : sizeof chunk;
        const ssize_t got = ::read(fd, chunk, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::strerror(errno);
            return false;
        }
        const bool headDone = bytes.size() < kCalcFileHeadSize &&
                              (got == 0 || bytes.size() + static_cast<size_t>(got) >= kCalcFileHeadSize);
        bytes.append(chunk, static_cast<size_t>(got));
        if (headDone) {
            if (const auto headError = CalcFileHeadError(bytes)) {
                error = EnglishText(*headError);
                return false;
            }
        }
        if (got == 0)
            return true;
        if (bytes.size() > static_cast<size_t>(kCalcFileSizeLimit)) {
            error = "larger than any calculation file (" + std::to_string(kCalcFileSizeLimit >> 30) + " GiB)";
            return false;
        }
    }
}

// Each term evaluated and added up; the total printed as a result is.
int printSum(const CalcArguments& arguments, int outFd, int errFd)
{
    int64_t total = 0;
    for (const std::string& term : arguments.sumTerms) {
        try {
            if (!AddToTotal(total, EvaluateExpression(term, arguments.form)))
                return refuse(errFd, "the total is too large");
        } catch (const ConversionError& error) {
            return refuse(errFd, "'" + term + "': " + error.what());
        }
    }
    if (WrapsPastDay(total, arguments.form))
        WriteAll(errFd, "ombrel-calc: " + WrapNotice(total, arguments.form) + "\n");
    char line[kMaxResultLength + 1];
    char* end = WriteResult(total, arguments.form, line);
    *end++ = '\n';
    if (!WriteAll(outFd, std::string_view(line, static_cast<size_t>(end - line))))
        return refuse(errFd, std::string("cannot write the result: ") + std::strerror(errno));
    return 0;
}

// The calculation file at `path`, read as the window reads it: the head
// first, so a file that is not one is turned down unread, then a block at a
// time. Either the contents or the reason why not.
CalcFileContents readSheetFile(const std::string& path)
{
    const auto rejected = [&](const std::string& why) {
        CalcFileContents contents;
        contents.error = {"cannot read " + path + ": " + why, {}};
        return contents;
    };
    // Looked at before opening: opening a named pipe would wait for a writer,
    // and a device would be read without end.
    std::error_code code;
    const std::filesystem::file_status status = std::filesystem::status(path, code);
    if (!code && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return rejected("not a regular file");
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return rejected(std::strerror(errno));
    struct Closer {
        int handle;
        ~Closer() { ::close(handle); }
    } closer{handle};
    struct stat info {};
    if (::fstat(handle, &info) != 0)
        return rejected(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return rejected("not a regular file");
    if (info.st_size > kCalcFileSizeLimit)
        return rejected("larger than any calculation file (" + std::to_string(kCalcFileSizeLimit >> 30) + " GiB)");
    std::atomic<int> readError{0}; // the reader reads from several threads
    const auto readAt = [&](int64_t offset, char* into, size_t want) -> int64_t {
        int64_t have = 0;
        while (have < static_cast<int64_t>(want)) {
            const ssize_t n = ::pread(handle, into + have, want - static_cast<size_t>(have), offset + have);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                readError = errno;
                return -1;
            }
            if (n == 0)
                break;
            have += n;
        }
        return have;
    };
    char head[kCalcFileHeadSize];
    const int64_t have = readAt(0, head, static_cast<size_t>(std::min<int64_t>(info.st_size, kCalcFileHeadSize)));
    if (have < 0)
        return rejected(std::strerror(readError));
    if (const auto error = CalcFileHeadError(std::string_view(head, static_cast<size_t>(have)))) {
        CalcFileContents contents;
        contents.error = {path + ": " + EnglishText(*error), {}};
        return contents;
    }
    std::optional<CalcFileContents> contents = ReadCalcFile(info.st_size, readAt);
    if (readError != 0)
        return rejected(std::strerror(readError));
    if (!contents->ok())
        contents->error = {path + ": " + EnglishText(contents->error), {}};
    return std::move(*contents);
}

// The whole file (an edit decision list), or the system's reason why not.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& error)
{
    // Looked at before opening: opening a named pipe would wait for a writer,
    // and a device or a huge file would be read without end.
    std::error_code code;
    const std::filesystem::file_status status = std::filesystem::status(path, code);
    if (!code && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error = "not a regular file";
        return false;
    }
    if (!code && std::filesystem::is_regular_file(status) &&
        std::filesystem::file_size(path, code) > static_cast<uintmax_t>(kCalcFileSizeLimit) && !code) {
        error = "larger than any calculation file (" + std::to_string(kCalcFileSizeLimit >> 30) + " GiB)";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    char chunk[1 << 16];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    const bool failed = std::ferror(file);
    if (failed)
        error = std::strerror(errno);
    std::fclose(file);
    return !failed;
}

int printSheet(const CalcArguments& arguments, int inFd, int outFd, int errFd)
{
    const bool fromInput = *arguments.sheetPath == "-";
    const std::string path = fromInput ? "standard input" : *arguments.sheetPath;
    CalcFileContents contents;
    if (fromInput) {
        std::string bytes;
        std::string error;
        if (!readSheetInput(inFd, bytes, error))
            return refuse(errFd, "cannot read standard input: " + error);
        contents = ReadCalcFile(bytes);
        if (!contents.ok())
            contents.error = {path + ": " + EnglishText(contents.error), {}};
    } else {
        contents = readSheetFile(path);
    }
    if (!contents.ok())
        return refuse(errFd, EnglishText(contents.error));

    OutputBuffer out(outFd);
    if (arguments.sum) {
        if (arguments.list == TimecodeFormat::User && !arguments.rateGiven)
            return refuse(errFd, "the sum of the user list needs its rate: give it with --rate (the file's User "
                                 "title names it)");
        const int64_t userRate = arguments.form.rate.nominal;
        try {
            const int64_t sum = SumDurations(contents.sheet, arguments.list, userRate);
            const std::string text = arguments.form.result == ResultKind::Frames
                                         ? std::to_string(sum)
                                         : SumText(sum, arguments.list, userRate);
            out.append(arguments.json ? "{\"sum\":\"" + text + "\"}\n" : text + "\n");
        } catch (const ConversionError& error) {
            return refuse(errFd, path + ": " + error.what());
        }
    } else {
        WriteSheetRows(contents.sheet, arguments.list, arguments.json, out);
    }
    if (!out.flush())
        return refuse(errFd, "cannot write the output: " + out.error());
    return 0;
}

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The events of an edit decision list, or one track's total, at the rate
// given with the drop-frame mode of the list's FCM: lines.
int printEdl(const CalcArguments& arguments, int outFd, int errFd)
{
    const std::string& path = *arguments.edlPath;
    std::string bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error))
        return refuse(errFd, "cannot read " + path + ": " + error);
    const EdlContents edl = ReadEdl(bytes);
    if (!edl.ok())
        return refuse(errFd, path + ": " + edl.error);
    OutputBuffer out(outFd);
    if (!arguments.sum)
        out.append("event,reel,track,source in,source out,record in,record out,duration,clip\n");
    int64_t total = 0;
    for (const EdlEvent& event : edl.events) {
        FrameRate rate = arguments.form.rate;
        if (arguments.rateGiven && rate.dropFrame != event.dropFrame)
            return refuse(errFd, path + ": line " + std::to_string(event.line) + ": --rate " + FrameRateName(rate) +
                                     " contradicts the list's FCM: (" +
                                     (event.dropFrame ? "DROP FRAME" : "NON-DROP FRAME") + ")");
        if (!arguments.rateGiven)
            rate = event.dropFrame ? FrameRate{30, true, true} : FrameRate{30};
        std::string cells[4];
        int64_t frames[4] = {};
        const TimecodeParts* times[] = {&event.sourceIn, &event.sourceOut, &event.recordIn, &event.recordOut};
        for (int t = 0; t < 4; ++t) {
            char text[16];
            try {
                const TimecodeParts label =
                    ParseLabel(std::string_view(text, WriteLabel(*times[t], FrameRate{rate.nominal}, text)), rate);
                frames[t] = LabelToFrame(label, rate);
            } catch (const ConversionError& bad) {
                return refuse(errFd, path + ": line " + std::to_string(event.line) + ": " + bad.what());
            }
            cells[t] = std::string(text, WriteLabel(*times[t], rate, text));
        }
        const int64_t duration = frames[3] - frames[2];
        if (arguments.sum) {
            if (event.track == arguments.track)
                total += duration;
            continue;
        }
        char text[kLongestLabelPastDay];
        out.append(std::to_string(event.number) + "," + csvField(event.reel) + "," + event.track + "," + cells[0] +
                   "," + cells[1] + "," + cells[2] + "," + cells[3] + "," +
                   std::string(text, WriteLabelPastDay(duration, rate, text)) + "," + csvField(event.clipName) + "\n");
    }
    if (arguments.sum) {
        const FrameRate rate = arguments.rateGiven || edl.events.empty() || !edl.events.back().dropFrame
                                   ? arguments.form.rate
                                   : FrameRate{30, true, true};
        char text[kLongestLabelPastDay];
        out.append(std::string(text, WriteLabelPastDay(total, rate, text)) + "\n");
    }
    if (!out.flush())
        return refuse(errFd, "cannot write the output: " + out.error());
    return 0;
}

} // namespace

int RunCalcCommand(std::span<const std::string_view> args, int inFd, int outFd, int errFd)
{
    CalcArguments arguments;
    try {
        arguments = ParseCalcArguments(args);
    } catch (const ConversionError& error) {
        return refuse(errFd, error.what(), kUsageError);
    }
    if (arguments.help)
        return WriteAll(outFd, CalcUsageText()) ? 0 : 1;
    if (arguments.version)
        return WriteAll(outFd, "ombrel-calc " OMBREL_VERSION "\n") ? 0 : 1;
    if (arguments.sheetPath)
        return printSheet(arguments, inFd, outFd, errFd);
    if (arguments.edlPath)
        return printEdl(arguments, outFd, errFd);
    if (arguments.sum && !arguments.sumTerms.empty())
        return printSum(arguments, outFd, errFd);
    if (!arguments.expression)
        return RunBatch(inFd, outFd, errFd, arguments.form, arguments.sum);

    char line[kMaxResultLength + 1];
    try {
        const int64_t count = EvaluateExpression(*arguments.expression, arguments.form);
        if (WrapsPastDay(count, arguments.form))
            WriteAll(errFd, "ombrel-calc: " + WrapNotice(count, arguments.form) + "\n");
        char* end = WriteResult(count, arguments.form, line);
        *end++ = '\n';
        if (!WriteAll(outFd, std::string_view(line, static_cast<size_t>(end - line))))
            return refuse(errFd, std::string("cannot write the result: ") + std::strerror(errno));
    } catch (const ConversionError& error) {
        return refuse(errFd, error.what());
    }
    return 0;
}

} // namespace ombrel
