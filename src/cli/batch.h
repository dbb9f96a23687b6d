#pragma once

#include "cli/expression.h"

#include <cstdint>

namespace ombrel {

// Evaluates every line read from inFd as an expression and writes one line
// to outFd for each: the result, or an empty line for an empty or bad line.
// A bad line's message goes to errFd, naming the line. Results are written
// as soon as the input read so far is done with, so a program can feed
// lines one at a time. Results the 24-hour clock wraps are said so on
// errFd once, at the end: the first of them and how many. With sum, only the total of the results is written, at the
// end, and none when a line was bad. Returns the exit status: 0 when every line was good.
int RunBatch(int inFd, int outFd, int errFd, const CalcForm& form, bool sum = false);

// Adds a term to a total; false when the total would not fit.
inline bool AddToTotal(int64_t& total, int64_t term)
{
    return !__builtin_add_overflow(total, term, &total);
}

// A line longer than this is refused unread.
inline constexpr size_t kLongestBatchLine = size_t{1} << 16;

} // namespace ombrel
