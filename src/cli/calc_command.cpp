#include "cli/calc_command.h"

#include "cli/batch.h"
#include "cli/calc_arguments.h"
#include "cli/output_buffer.h"
#include "cli/sheet_report.h"
#include "cli/terminal_text.h"
#include "documents/calc_file.h"

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

int refuse(int errFd, std::string_view message)
{
    WriteAll(errFd, "ombrel-calc: " + TerminalText(message) + "\n");
    return 1;
}

// The calculation file at `path`, read as the window reads it: the head
// first, so a file that is not one is turned down unread, then a block at a
// time. Either the contents or the reason why not.
CalcFileContents readSheetFile(const std::string& path)
{
    const auto rejected = [&](const std::string& why) {
        CalcFileContents contents;
        contents.error = "cannot read " + path + ": " + why;
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
        contents.error = path + ": " + *error;
        return contents;
    }
    std::optional<CalcFileContents> contents = ReadCalcFile(info.st_size, readAt);
    if (readError != 0)
        return rejected(std::strerror(readError));
    if (!contents->ok())
        contents->error = path + ": " + contents->error;
    return std::move(*contents);
}

int printSheet(const CalcArguments& arguments, int outFd, int errFd)
{
    const std::string& path = *arguments.sheetPath;
    const CalcFileContents contents = readSheetFile(path);
    if (!contents.ok())
        return refuse(errFd, contents.error);

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

} // namespace

int RunCalcCommand(std::span<const std::string_view> args, int inFd, int outFd, int errFd)
{
    CalcArguments arguments;
    try {
        arguments = ParseCalcArguments(args);
    } catch (const ConversionError& error) {
        return refuse(errFd, error.what());
    }
    if (arguments.help)
        return WriteAll(outFd, CalcUsageText()) ? 0 : 1;
    if (arguments.version)
        return WriteAll(outFd, "ombrel-calc " OMBREL_VERSION "\n") ? 0 : 1;
    if (arguments.sheetPath)
        return printSheet(arguments, outFd, errFd);
    if (!arguments.expression)
        return RunBatch(inFd, outFd, errFd, arguments.form);

    char line[kMaxResultLength + 1];
    try {
        char* end = WriteResult(EvaluateExpression(*arguments.expression, arguments.form), arguments.form, line);
        *end++ = '\n';
        if (!WriteAll(outFd, std::string_view(line, static_cast<size_t>(end - line))))
            return refuse(errFd, std::string("cannot write the result: ") + std::strerror(errno));
    } catch (const ConversionError& error) {
        return refuse(errFd, error.what());
    }
    return 0;
}

} // namespace ombrel
