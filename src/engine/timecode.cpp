#include "engine/timecode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrel {

ConversionError InvalidInteger(std::string_view text)
{
    return ConversionError(
        UserMessage{OMBREL_TEXT("ombrel", "'%1' is not a valid integer value"), {std::string(text)}});
}

ConversionError InvalidFloat(std::string_view text)
{
    return ConversionError(
        UserMessage{OMBREL_TEXT("ombrel", "'%1' is not a valid floating point value"), {std::string(text)}});
}

namespace {

int32_t digitAt(std::string_view text, int position)
{
    const char c = position < static_cast<int>(text.size()) ? text[position] : ' ';
    if (c < '0' || c > '9')
        throw InvalidInteger(std::string_view(&c, 1));
    return c - '0';
}

std::string twoOrMoreDigits(int32_t value)
{
    return value > 9 ? std::to_string(value) : "0" + std::to_string(value);
}

} // namespace

std::string LayOutTimecodeText(std::string_view digits, char separator, char fill)
{
    std::string text(kTimecodeTextLength, separator);
    for (int i = 0; i < kTimecodeDigitCount; ++i)
        text[kTimecodeDigitPositions[i]] = i < static_cast<int>(digits.size()) ? digits[i] : fill;
    return text;
}

std::string TimecodeTextDigits(std::string_view text, char fill)
{
    std::string digits(kTimecodeDigitCount, fill);
    for (int i = 0; i < kTimecodeDigitCount; ++i)
        if (const int position = kTimecodeDigitPositions[i]; position < static_cast<int>(text.size()))
            digits[i] = text[position];
    return digits;
}

TimecodeParts ParseTimecodeText(std::string_view text)
{
    int32_t values[4];
    for (int part = 0; part < 4; ++part)
        values[part] = 10 * digitAt(text, kTimecodeDigitPositions[2 * part]) +
                       digitAt(text, kTimecodeDigitPositions[2 * part + 1]);
    return {values[0], values[1], values[2], values[3]};
}

void detail::setWideTimecodeText(std::string& cell, const TimecodeParts& parts, char separator)
{
    cell = twoOrMoreDigits(parts.hours) + separator + twoOrMoreDigits(parts.minutes) + separator +
           twoOrMoreDigits(parts.seconds) + separator + twoOrMoreDigits(parts.frames);
}

std::string FormatTimecodeText(const TimecodeParts& parts, char separator)
{
    std::string text;
    SetTimecodeText(text, parts, separator);
    return text;
}

std::string WithSeparator(std::string_view text, char separator)
{
    return LayOutTimecodeText(TimecodeTextDigits(text, ' '), separator);
}

int64_t PartsToFrames(const TimecodeParts& parts, int64_t rate)
{
    const int64_t seconds = int64_t{parts.hours} * 3600 + int64_t{parts.minutes} * 60 + parts.seconds;
    return seconds * rate + parts.frames;
}

int64_t RoundToCount(double count)
{
    // 2^63 is the first double past the range; -2^63 is still in it.
    constexpr double kEnd = 9223372036854775808.0;
    if (std::isnan(count))
        return 0;
    if (count >= kEnd)
        return std::numeric_limits<int64_t>::max();
    if (count < -kEnd)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(std::nearbyint(count));
}

int64_t PartsToFramesAtFramesRate(const TimecodeParts& parts, double framesRate)
{
    const double seconds = double(parts.hours) * 3600 + double(parts.minutes) * 60 + parts.seconds;
    return RoundToCount(seconds * framesRate + parts.frames);
}

TimecodeParts FramesRateTC(int64_t count, double framesRate)
{
    if (!(framesRate > 0) || !std::isfinite(framesRate))
        return {};
    const int64_t day = RoundToCount(double(kSecondsPerDay) * framesRate);
    if (day <= 0)
        return {};
    count = detail::wrapInto(count, day);
    const auto countAt = [framesRate](int64_t second) { return RoundToCount(double(second) * framesRate); };
    // The estimate is at most a second off either way after rounding.
    int64_t second = std::min<int64_t>(static_cast<int64_t>(double(count) / framesRate), kSecondsPerDay - 1);
    while (second > 0 && countAt(second) > count)
        --second;
    while (second + 1 < kSecondsPerDay && countAt(second + 1) <= count)
        ++second;
    return {static_cast<int32_t>(second / 3600), static_cast<int32_t>(second / 60 % 60),
            static_cast<int32_t>(second % 60), static_cast<int32_t>(count - countAt(second))};
}

bool IsDropMinute(int32_t minutes)
{
    return minutes >= 1 && minutes <= 59 && minutes % 10 != 0;
}

} // namespace ombrel
