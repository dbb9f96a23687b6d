#include "cli/batch.h"

#include "cli/output_buffer.h"
#include "cli/terminal_text.h"
#include "engine/timecode.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

namespace ombrel {

namespace {

bool isBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

class BatchRun {
public:
    BatchRun(int outFd, int errFd, const CalcForm& form) : out_(outFd), errFd_(errFd), form_(form) {}

    void line(std::string_view text)
    {
        if (text.size() > kLongestBatchLine)
            return tooLongLine();
        ++lineNumber_;
        if (!isBlankLine(text)) {
            try {
                const int64_t count = EvaluateExpression(text, form_);
                char* out = out_.room(kMaxResultLength + 1);
                out = WriteResult(count, form_, out);
                *out++ = '\n';
                out_.commit(out);
                return;
            } catch (const ConversionError& error) {
                refuse(error.what());
            }
        }
        out_.append("\n");
    }

    void tooLongLine()
    {
        ++lineNumber_;
        refuse("the line is longer than " + std::to_string(kLongestBatchLine) + " bytes");
        out_.append("\n");
    }

    void refuse(std::string_view message)
    {
        WriteAll(errFd_, "ombrel-calc: line " + std::to_string(lineNumber_) + ": " + TerminalText(message) + "\n");
        status_ = 1;
    }

    OutputBuffer& out() { return out_; }
    int status() const { return status_; }

private:
    OutputBuffer out_;
    int errFd_;
    const CalcForm& form_;
    int64_t lineNumber_ = 0;
    int status_ = 0;
};

} // namespace

int RunBatch(int inFd, int outFd, int errFd, const CalcForm& form)
{
    BatchRun run(outFd, errFd, form);
    // The buffer holds a whole read and the unfinished line before it.
    constexpr size_t kRead = size_t{1} << 20;
    const size_t capacity = kRead + kLongestBatchLine;
    const std::unique_ptr<char[]> buffer(new char[capacity]);
    size_t filled = 0;
    bool skipping = false; // inside a line that is too long
    for (;;) {
        const ssize_t got = ::read(inFd, buffer.get() + filled, capacity - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            WriteAll(errFd, std::string("ombrel-calc: cannot read the input: ") + std::strerror(errno) + "\n");
            run.out().flush();
            return 1;
        }
        const bool end = got == 0;
        filled += static_cast<size_t>(got);

        const char* pos = buffer.get();
        const char* const stop = buffer.get() + filled;
        while (const auto* lf = static_cast<const char*>(std::memchr(pos, '\n', static_cast<size_t>(stop - pos)))) {
            if (skipping)
                skipping = false;
            else
                run.line(std::string_view(pos, static_cast<size_t>(lf - pos)));
            pos = lf + 1;
        }
        size_t rest = static_cast<size_t>(stop - pos);
        if (end) {
            if (rest > 0 && !skipping)
                run.line(std::string_view(pos, rest));
            break;
        }
        if (rest > kLongestBatchLine || (skipping && rest > 0)) {
            if (!skipping)
                run.tooLongLine();
            skipping = true;
            rest = 0;
        }
        std::memmove(buffer.get(), pos, rest);
        filled = rest;
        if (!run.out().flush())
            break;
    }
    if (!run.out().flush() || run.out().failed()) {
        WriteAll(errFd, "ombrel-calc: cannot write the results: " + run.out().error() + "\n");
        return 1;
    }
    return run.status();
}

} // namespace ombrel
