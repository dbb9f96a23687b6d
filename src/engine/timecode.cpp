#include "engine/timecode.h"

#include <cmath>
#include <limits>

namespace ombrel {

ConversionError invalidInteger(std::string_view text)
{
    return ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

ConversionError invalidFloat(std::string_view text)
{
    return ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

namespace {

constexpr int kDigitPositions[8] = {0, 1, 3, 4, 6, 7, 9, 10};

int32_t digitAt(std::string_view text, int position)
{
    const char c = position < static_cast<int>(text.size()) ? text[position] : ' ';
    if (c < '0' || c > '9')
        throw invalidInteger(std::string_view(&c, 1));
    return c - '0';
}

std::string twoOrMoreDigits(int32_t value)
{
    return value > 9 ? std::to_string(value) : "0" + std::to_string(value);
}

std::string withSeparators(std::string_view text, char separator)
{
    std::string result(kTimecodeTextLength, separator);
    for (int position : kDigitPositions)
        result[position] = position < static_cast<int>(text.size()) ? text[position] : ' ';
    return result;
}

} // namespace

TimecodeParts ParseTimecodeText(std::string_view text)
{
    int32_t values[4];
    for (int part = 0; part < 4; ++part)
        values[part] = 10 * digitAt(text, kDigitPositions[2 * part]) + digitAt(text, kDigitPositions[2 * part + 1]);
    return {values[0], values[1], values[2], values[3]};
}

std::string FormatTimecodeText(const TimecodeParts& parts)
{
    return twoOrMoreDigits(parts.hours) + ":" + twoOrMoreDigits(parts.minutes) + ":" + twoOrMoreDigits(parts.seconds) +
           ":" + twoOrMoreDigits(parts.frames);
}

std::string AddSemi(std::string_view text)
{
    return withSeparators(text, ';');
}
std::string RemoveSemi(std::string_view text)
{
    return withSeparators(text, ':');
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

bool isDropMinute(int32_t minutes)
{
    return minutes >= 1 && minutes <= 59 && minutes % 10 != 0;
}

void AdjustDropFrameParts(TimecodeParts& parts)
{
    if (isDropMinute(parts.minutes) && parts.seconds == 0 && (parts.frames == 0 || parts.frames == 1))
        parts.frames = 2;
}

void TotalTCCheck(TimecodeParts& parts, int64_t rate)
{
    if (parts.frames == rate) {
        ++parts.seconds;
        parts.frames = 0;
    }
    if (parts.seconds == 60) {
        ++parts.minutes;
        parts.seconds = 0;
    }
    if (parts.minutes == 60) {
        ++parts.hours;
        parts.minutes = 0;
    }
    if (parts.hours == 24)
        parts.hours = 0;
}

int64_t DropFrameNumber(const TimecodeParts& label)
{
    const int64_t totalMinutes = int64_t{label.hours} * 60 + label.minutes;
    return int64_t{label.hours} * 108000 + int64_t{label.minutes} * 1800 + int64_t{label.seconds} * 30 + label.frames -
           2 * (totalMinutes - totalMinutes / 10);
}

TimecodeParts DropFrameLabel(int64_t frameNumber)
{
    // Each ten-minute block holds 17982 frames; every minute of it but the
    // first skips labels 0 and 1.
    const int64_t n = detail::wrapInto(frameNumber, kDropFramesPerDay);
    const int64_t blocks = n / 17982;
    const int64_t inBlock = n % 17982;
    const int64_t label = n + 18 * blocks + (inBlock >= 2 ? 2 * ((inBlock - 2) / 1798) : 0);
    return {static_cast<int32_t>(label / 108000 % 24), static_cast<int32_t>(label / 1800 % 60),
            static_cast<int32_t>(label / 30 % 60), static_cast<int32_t>(label % 30)};
}

double DropCompensate(double count, TimecodeFormat activeFormat)
{
    if (activeFormat != TimecodeFormat::DropFrm)
        return count;
    const double minutes = count >= 1800 ? std::trunc(count / 1800) : 0;
    const double tenMinutes = count >= 18000 ? std::trunc(count / 18000) : 0;
    return count + 2 * minutes - 2 * tenMinutes;
}

} // namespace ombrel
