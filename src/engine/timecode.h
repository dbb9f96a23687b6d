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

inline constexpr int FormatIndex(TimecodeFormat format)
{
    return static_cast<int>(format);
}
inline constexpr TimecodeFormat FormatAt(int index)
{
    return static_cast<TimecodeFormat>(index);
}

// A text the user gave that does not convert; the message is the one shown.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "'x' is not a valid integer value" and its floating point twin.
ConversionError InvalidInteger(std::string_view text);
ConversionError InvalidFloat(std::string_view text);

inline constexpr int64_t kSecondsPerDay = 86400;

// The timecode text: eight digits, hours first, in pairs with a separator
// between the pairs ("01:02:03:04"). Every reader and writer of that text
// finds its places here.
inline constexpr int kTimecodeTextLength = 11;
inline constexpr int kTimecodeDigitCount = 8;
inline constexpr std::array<int, kTimecodeDigitCount> kTimecodeDigitPositions{0, 1, 3, 4, 6, 7, 9, 10};
inline constexpr bool IsTimecodeSeparatorPosition(int position)
{
    return position == 2 || position == 5 || position == 8;
}

// The text with digit i at its place (`fill` where `digits` is too short)
// and `separator` between the pairs.
std::string LayOutTimecodeText(std::string_view digits, char separator, char fill = '0');
// The characters at the digit places of a text (`fill` where it is too short).
std::string TimecodeTextDigits(std::string_view text, char fill);

// Reads the eight digit places of a timecode text; the separators are not
// examined, so every separator parses alike.
TimecodeParts ParseTimecodeText(std::string_view text);

// "hh:mm:ss:ff", each part at least two digits.
std::string FormatTimecodeText(const TimecodeParts& parts, char separator = ':');
// The same text written into a list cell's own storage: eleven characters
// fit a string without allocating, so building a row makes no temporary.
inline void SetTimecodeText(std::string& cell, const TimecodeParts& parts, char separator);
// Writes the 11 characters of parts already on a 24-hour clock (each part
// 0-99) without allocating; the fast path behind the list cells.
inline void WriteTimecodeText(const TimecodeParts& parts, char separator, char* out11);

// The characters at the digit places of the text with `separator` between
// them, a blank where the text is too short.
std::string WithSeparator(std::string_view text, char separator);

// The nearest frame count, ties to even; beyond the signed 64-bit range the
// nearer end of it, and 0 for NaN.
int64_t RoundToCount(double count);

int64_t PartsToFrames(const TimecodeParts& parts, int64_t rate);
int64_t PartsToFramesAtFramesRate(const TimecodeParts& parts, double framesRate);
// The timecode that counts `count` frames at the Frames rate, wrapped into
// one day: PartsToFramesAtFramesRate undone (at a rate ending in .5 a count
// that only a tie reaches comes back a frame off). Zero for a rate that is
// not positive.
TimecodeParts FramesRateTC(int64_t count, double framesRate);

bool IsDropMinute(int32_t minutes);

// A frame count as parts at a whole rate (1-99), wrapped into one day.
inline TimecodeParts GenericTC(int64_t count, int64_t rate);

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

// Parts beyond two digits: the rare slow path of SetTimecodeText.
void setWideTimecodeText(std::string& cell, const TimecodeParts& parts, char separator);

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
    constexpr const auto& at = kTimecodeDigitPositions;
    detail::writePair(out + at[0], parts.hours);
    detail::writePair(out + at[2], parts.minutes);
    detail::writePair(out + at[4], parts.seconds);
    detail::writePair(out + at[6], parts.frames);
    out[at[1] + 1] = out[at[3] + 1] = out[at[5] + 1] = separator;
}

inline void SetTimecodeText(std::string& cell, const TimecodeParts& parts, char separator)
{
    const auto twoDigits = [](int32_t part) { return static_cast<uint32_t>(part) < 100; };
    if (!(twoDigits(parts.hours) & twoDigits(parts.minutes) & twoDigits(parts.seconds) & twoDigits(parts.frames)))
        [[unlikely]] {
        detail::setWideTimecodeText(cell, parts, separator);
        return;
    }
    if (cell.size() != kTimecodeTextLength)
        cell.resize(kTimecodeTextLength);
    WriteTimecodeText(parts, separator, cell.data());
}

} // namespace ombrel
