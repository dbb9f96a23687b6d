#include "cli/calc_command.h"

#include "cli/batch.h"
#include "cli/calc_arguments.h"
#include "cli/edl_report.h"
#include "cli/output_buffer.h"
#include "cli/sheet_report.h"
#include "cli/terminal_text.h"
#include "documents/calc_file.h"
#include "documents/edl_file.h"
#include "documents/file_input.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

namespace ombrel {

namespace {

constexpr int kRefused = 1;
constexpr int kUsageError = 2;

int refuse(int errFd, std::string_view message, int status = kRefused)
{
    WriteAll(errFd, "ombrel-calc: " + TerminalText(message) + "\n");
    return status;
}

std::string calcFileTooLarge()
{
    return "larger than any calculation file (" + std::to_string(kCalcFileSizeLimit >> 30) + " GiB)";
}

// A calculation file from a pipe: its head checked before anything more is
// read, then the rest up to the size any calculation file may have.
bool readSheetInput(int fd, std::string& bytes, std::string& error)
{
    const auto headError = [](std::string_view head) -> std::optional<std::string> {
        if (const auto error = CalcFileHeadError(head))
            return EnglishText(*error);
        return std::nullopt;
    };
    return ReadStream(fd, kCalcFileHeadSize, headError, kCalcFileSizeLimit, calcFileTooLarge(), bytes, error);
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
    OpenedInput opened = OpenRegularFile(path, kCalcFileSizeLimit, calcFileTooLarge());
    if (!opened.error.empty())
        return rejected(opened.error);
    const int handle = opened.file.handle();
    std::atomic<int> readError{0}; // the reader reads from several threads
    const auto readAt = [&](int64_t offset, char* into, size_t want) -> int64_t {
        const int64_t have = ReadFileAt(handle, offset, into, want);
        if (have < 0)
            readError = errno;
        return have;
    };
    char head[kCalcFileHeadSize];
    const int64_t have = readAt(0, head, static_cast<size_t>(std::min<int64_t>(opened.size, kCalcFileHeadSize)));
    if (have < 0)
        return rejected(std::strerror(readError));
    if (const auto error = CalcFileHeadError(std::string_view(head, static_cast<size_t>(have)))) {
        CalcFileContents contents;
        contents.error = {path + ": " + EnglishText(*error), {}};
        return contents;
    }
    std::optional<CalcFileContents> contents = ReadCalcFile(opened.size, readAt);
    if (readError != 0)
        return rejected(std::strerror(readError));
    if (!contents->ok())
        contents->error = {path + ": " + EnglishText(contents->error), {}};
    return std::move(*contents);
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

// The events of an edit decision list, or one track's total with the gaps
// between its events, at the rate given with the drop-frame mode of the
// list's FCM: lines.
int printEdl(const CalcArguments& arguments, int inFd, int outFd, int errFd)
{
    const bool fromInput = *arguments.edlPath == "-";
    const std::string path = fromInput ? "standard input" : *arguments.edlPath;
    std::string why;
    const std::optional<EdlContents> edl = fromInput ? ReadEdlStream(inFd, why) : ReadEdlFile(path, why);
    if (!edl)
        return refuse(errFd, "cannot read " + path + ": " + why);
    if (!edl->ok())
        return refuse(errFd, path + ": " + edl->error);
    std::vector<TimedEdlEvent> events;
    try {
        events = TimeEdlEvents(*edl, arguments.rateGiven ? std::optional(arguments.form.rate) : std::nullopt);
    } catch (const ConversionError& bad) {
        return refuse(errFd, path + ": " + bad.what());
    }
    OutputBuffer out(outFd);
    if (arguments.sum) {
        const EdlCoverage coverage = TrackCoverage(events, arguments.track);
        const FrameRate rate = arguments.rateGiven || events.empty() ? arguments.form.rate : events.back().rate;
        WriteEdlSum(coverage, arguments.track, rate, arguments.json, out);
        if (!arguments.json)
            for (const EdlGap& gap : coverage.gaps)
                WriteAll(errFd, "ombrel-calc: " + TerminalText(EdlGapNotice(gap, rate)) + "\n");
    } else {
        WriteEdlEvents(events, arguments.json, out);
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
        return printEdl(arguments, inFd, outFd, errFd);
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
