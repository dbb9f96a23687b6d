#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace ombrel {

// One timecode split into its four parts. Typed values run 0-99 each;
// converted values lie on a 24-hour clock.
struct TimecodeParts {
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
    int32_t frames = 0;

    friend bool operator==(const TimecodeParts&, const TimecodeParts&) = default;
};

// The six formats, in tab order; the value is the tab index.
enum class TimecodeFormat { NonDrop, DropFrm, PAL, Film, User, Frames };
inline constexpr int kFormatCount = 6;

inline constexpr int formatIndex(TimecodeFormat format)
{
    return static_cast<int>(format);
}
inline constexpr TimecodeFormat formatAt(int index)
{
    return static_cast<TimecodeFormat>(index);
}

// A text the user gave that does not convert; the message is the one shown.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "'x' is not a valid integer value" and its floating point twin.
ConversionError invalidInteger(std::string_view text);
ConversionError invalidFloat(std::string_view text);

inline constexpr int kTimecodeTextLength = 11;
inline constexpr int64_t kSecondsPerDay = 86400;
// Frames in one day of 29.97 drop frame: 24 hours of 107892 frames.
inline constexpr int64_t kDropFramesPerDay = 2589408;

// Reads the eight digit positions of an 11-character timecode text; the
// separators are not examined, so both forms parse alike.
TimecodeParts ParseTimecodeText(std::string_view text);

// "hh:mm:ss:ff", each part at least two digits.
std::string FormatTimecodeText(const TimecodeParts& parts);
// Writes the 11 characters of parts already on a 24-hour clock (each part
// 0-99) without allocating; the fast path behind the list cells.
inline void WriteTimecodeText(const TimecodeParts& parts, char separator, char* out11);

// Characters 1,2,4,5,7,8,10,11 of the text with ";" or ":" between them.
std::string AddSemi(std::string_view text);
std::string RemoveSemi(std::string_view text);

// The nearest frame count, ties to even; beyond the signed 64-bit range the
// nearer end of it, and 0 for NaN.
int64_t RoundToCount(double count);

int64_t PartsToFrames(const TimecodeParts& parts, int64_t rate);
int64_t PartsToFramesAtFramesRate(const TimecodeParts& parts, double framesRate);

// Frames 0 and 1 do not exist at second 0 of a drop minute: such a label
// moves on to frame 2.
void AdjustDropFrameParts(TimecodeParts& parts);
bool isDropMinute(int32_t minutes);

// One carry pass at the given rate (equality tests only).
void TotalTCCheck(TimecodeParts& parts, int64_t rate);
// A frame count as parts at a whole rate (1-99), wrapped into one day.
inline TimecodeParts GenericTC(int64_t count, int64_t rate);

// Drop-frame label (already adjusted) to its real frame number, and back;
// the label side wraps into one drop-frame day.
int64_t DropFrameNumber(const TimecodeParts& label);
TimecodeParts DropFrameLabel(int64_t frameNumber);

// The percentage display's drop-frame compensation of a count.
double DropCompensate(double count, TimecodeFormat activeFormat);

// Conversions run for every cell of every row, so the two hot ones are
// inline: with the rate known the divisions become multiplications.
namespace detail {

// Brings a count into [0, period).
inline int64_t wrapInto(int64_t count, int64_t period)
{
    const int64_t r = count % period;
    return r < 0 ? r + period : r;
}

template <typename Rate> TimecodeParts splitDay(uint32_t c, Rate rate)
{
    const uint32_t seconds = c / rate;
    const uint32_t minutes = seconds / 60;
    const uint32_t hours = minutes / 60;
    return {static_cast<int32_t>(hours), static_cast<int32_t>(minutes - hours * 60),
            static_cast<int32_t>(seconds - minutes * 60), static_cast<int32_t>(c - seconds * rate)};
}

// "00" to "99" side by side: a part becomes its two digits in one copy.
inline constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int value = 0; value < 100; ++value) {
        pairs[2 * value] = static_cast<char>('0' + value / 10);
        pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
    }
    return pairs;
}();

inline void writePair(char* out, int32_t value)
{
    std::memcpy(out, &kDigitPairs[2 * static_cast<uint32_t>(value)], 2);
}

} // namespace detail

inline TimecodeParts GenericTC(int64_t count, int64_t rate)
{
    const int64_t day = kSecondsPerDay * rate;
    const auto c = static_cast<uint32_t>(count >= 0 && count < day ? count : detail::wrapInto(count, day));
    switch (rate) {
    case 30:
        return detail::splitDay(c, std::integral_constant<uint32_t, 30>());
    case 25:
        return detail::splitDay(c, std::integral_constant<uint32_t, 25>());
    case 24:
        return detail::splitDay(c, std::integral_constant<uint32_t, 24>());
    default:
        return detail::splitDay(c, static_cast<uint32_t>(rate));
    }
}

inline void WriteTimecodeText(const TimecodeParts& parts, char separator, char* out)
{
    detail::writePair(out, parts.hours);
    out[2] = separator;
    detail::writePair(out + 3, parts.minutes);
    out[5] = separator;
    detail::writePair(out + 6, parts.seconds);
    out[8] = separator;
    detail::writePair(out + 9, parts.frames);
}

} // namespace ombrel
