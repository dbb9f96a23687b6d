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
    BatchRun(int outFd, int errFd, const CalcForm& form, bool sum) : out_(outFd), errFd_(errFd), form_(form), sum_(sum)
    {
    }

    void line(std::string_view text)
    {
        if (text.size() > kLongestBatchLine)
            return tooLongLine();
        ++lineNumber_;
        if (!isBlankLine(text)) {
            try {
                const int64_t count = EvaluateExpression(text, form_);
                if (sum_) {
                    if (!AddToTotal(total_, count))
                        refuse("the total is too large");
                    return;
                }
                if (WrapsPastDay(count, form_) && wrapped_++ == 0)
                    firstWrap_ = {lineNumber_, WrapNotice(count, form_)};
                char* out = out_.room(kMaxResultLength + 1);
                out = WriteResult(count, form_, out);
                *out++ = '\n';
                out_.commit(out);
                return;
            } catch (const ConversionError& error) {
                refuse(error.what());
            }
        }
        if (!sum_)
            out_.append("\n");
    }

    // The total, when every line was good; the results that wrapped said
    // once, not a line each.
    void finish()
    {
        if (wrapped_ > 0)
            WriteAll(errFd_, "ombrel-calc: line " + std::to_string(firstWrap_.line) + ": " + firstWrap_.notice +
                                 (wrapped_ > 1 ? "; " + std::to_string(wrapped_) + " results wrapped in all" : "") +
                                 "\n");
        if (!sum_ || status_ != 0)
            return;
        if (WrapsPastDay(total_, form_))
            WriteAll(errFd_, "ombrel-calc: " + WrapNotice(total_, form_) + "\n");
        char* out = out_.room(kMaxResultLength + 1);
        out = WriteResult(total_, form_, out);
        *out++ = '\n';
        out_.commit(out);
    }

    void tooLongLine()
    {
        ++lineNumber_;
        refuse("the line is longer than " + std::to_string(kLongestBatchLine) + " bytes");
        if (!sum_)
            out_.append("\n");
    }

    void refuse(std::string_view message)
    {
        notice(message);
        status_ = 1;
    }

    void notice(std::string_view message)
    {
        WriteAll(errFd_, "ombrel-calc: line " + std::to_string(lineNumber_) + ": " + TerminalText(message) + "\n");
    }

    OutputBuffer& out() { return out_; }
    int status() const { return status_; }

private:
    OutputBuffer out_;
    int errFd_;
    const CalcForm& form_;
    bool sum_;
    int64_t lineNumber_ = 0;
    int64_t total_ = 0;
    int64_t wrapped_ = 0;
    struct {
        int64_t line = 0;
        std::string notice;
    } firstWrap_;
    int status_ = 0;
};

} // namespace

int RunBatch(int inFd, int outFd, int errFd, const CalcForm& form, bool sum)
{
    BatchRun run(outFd, errFd, form, sum);
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
            run.finish();
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
