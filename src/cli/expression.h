#pragma once

#include "engine/feet_frames.h"
#include "engine/frame_rate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// How a result is printed: as a timecode, a frame count, real seconds or
// feet and frames.
enum class ResultKind { Timecode, Frames, Seconds, Feet };

// How expressions are read and their results printed.
struct CalcForm {
    // Timecode operands are labels of this rate; seconds are counted at it.
    FrameRate rate;
    // When set, feet+frames operands are read too.
    std::optional<FilmGauge> feet;
    ResultKind result = ResultKind::Timecode;
    // Timecode results are labels of this rate (the same frame count).
    FrameRate resultRate;
    // Timecodes read and printed run on past 24 hours instead of lying on
    // a 24-hour clock.
    bool noWrap = false;
};

// Evaluates an expression: operands and operators separated by blanks,
// applied left to right on frame counts. An operand is a timecode, a bare
// frame count or (with feet) feet+frames; the operators are the window's
// "+ - x / % ~" ("*" for "x"), "%" taking a percentage and "x" and "/"
// also a decimal factor (the result rounded to the nearest frame, as "%"
// rounds). Throws ConversionError naming what is wrong.
int64_t EvaluateExpression(std::string_view text, const CalcForm& form);

inline constexpr int kMaxResultLength = 48;
// Writes a result in the form asked for and returns the end. Timecodes lie
// on a 24-hour clock unless the form says noWrap; frame counts, seconds and
// feet are not wrapped.
char* WriteResult(int64_t count, const CalcForm& form, char* out);
// Whether WriteResult wraps the count onto the 24-hour clock.
bool WrapsPastDay(int64_t count, const CalcForm& form);
// The message that says a result wrapped: its label past the day and the
// label printed.
std::string WrapNotice(int64_t count, const CalcForm& form);

// Real seconds of a frame count at the rate, computed from the exact
// fraction (30000/1001, never 29.97) and rounded to the nanosecond; no
// trailing zeros.
char* WriteSeconds(int64_t count, const FrameRate& rate, char* out);

} // namespace ombrel
