#pragma once

#include "engine/user_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

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

// A text the user gave that does not convert; the message is the one shown
// (what() in English, message() for the windows to translate).
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& english) : std::runtime_error(english), message_{english, {}} {}
    explicit ConversionError(UserMessage message)
        : std::runtime_error(EnglishText(message)), message_(std::move(message))
    {
    }
    const UserMessage& message() const { return message_; }

private:
    UserMessage message_;
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
// The text of GenericTC(count, rate) written into a list cell, the parts
// never leaving registers: the path every whole-rate cell is built with.
inline void SetFrameCountText(std::string& cell, int64_t count, int64_t rate, char separator);

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

// Conversions run for every cell of every row, so the hot ones are inline.
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

// The text is laid out in words whose lowest byte is the character at the
// lowest address.
static_assert(std::endian::native == std::endian::little);

// "00" to "99", tens first in memory: a part becomes its two digits in one
// copy, and a word takes them in one load.
inline constexpr auto kDigitPairs = [] {
    std::array<uint16_t, 100> pairs{};
    for (int value = 0; value < 100; ++value)
        pairs[value] = static_cast<uint16_t>(('0' + value / 10) | ('0' + value % 10) << 8);
    return pairs;
}();

inline void writePair(char* out, int32_t value)
{
    std::memcpy(out, &kDigitPairs[static_cast<uint32_t>(value)], 2);
}

// Parts beyond two digits: the rare slow path of SetTimecodeText.
void setWideTimecodeText(std::string& cell, const TimecodeParts& parts, char separator);
// A cell's text is built in two words and written with two stores: the head
// "hh:mm:ss" and the tail ":ff" with the string's terminating NUL (a string
// of eleven characters always has room for it).
static_assert(kTimecodeDigitPositions == std::array<int, kTimecodeDigitCount>{0, 1, 3, 4, 6, 7, 9, 10});

inline constexpr int kMinutesPlace = 8 * kTimecodeDigitPositions[2];
inline constexpr int kSecondsPlace = 8 * kTimecodeDigitPositions[4];

// The head's two separator bytes, times the separator's character.
inline constexpr uint64_t kHeadSeparatorBytes = uint64_t{1} << 8 * 2 | uint64_t{1} << 8 * 5;

// "mm?ss" for each second of an hour at its place in the head, the
// separator's byte left zero: one lookup instead of two divisions and two
// pair copies. 3600 x 8 bytes.
inline constexpr auto kMinuteSecondBits = [] {
    std::array<uint64_t, 3600> bits{};
    for (uint32_t second = 0; second < 3600; ++second) {
        const uint64_t minutes = kDigitPairs[second / 60];
        const uint64_t seconds = kDigitPairs[second % 60];
        bits[second] = minutes << kMinutesPlace | seconds << kSecondsPlace;
    }
    return bits;
}();

inline void setTimecodeWords(std::string& cell, uint64_t head, char separator, uint32_t frames)
{
    const auto separatorBits = uint64_t{static_cast<unsigned char>(separator)};
    head |= separatorBits * kHeadSeparatorBytes;
    const auto tail = static_cast<uint32_t>(separatorBits | uint64_t{kDigitPairs[frames]} << 8);
    // A calculation writes each text into a new, empty cell: sized here,
    // inline, since a call would cost as much as the rest.
    if (cell.size() != kTimecodeTextLength)
        cell.resize(kTimecodeTextLength);
    char* out = cell.data();
    std::memcpy(out, &head, sizeof head);
    std::memcpy(out + sizeof head, &tail, sizeof tail);
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

inline void SetTimecodeText(std::string& cell, const TimecodeParts& parts, char separator)
{
    // Combined with '&' rather than '&&': one test instead of four branches.
    const auto twoDigits = [](int32_t part) { return unsigned{static_cast<uint32_t>(part) < 100}; };
    if (!(twoDigits(parts.hours) & twoDigits(parts.minutes) & twoDigits(parts.seconds) & twoDigits(parts.frames)))
        [[unlikely]] {
        detail::setWideTimecodeText(cell, parts, separator);
        return;
    }
    using detail::kDigitPairs;
    const uint64_t head = uint64_t{kDigitPairs[parts.hours]} |
                          uint64_t{kDigitPairs[parts.minutes]} << detail::kMinutesPlace |
                          uint64_t{kDigitPairs[parts.seconds]} << detail::kSecondsPlace;
    detail::setTimecodeWords(cell, head, separator, parts.frames);
}

inline void SetFrameCountText(std::string& cell, int64_t count, int64_t rate, char separator)
{
    // A whole rate of two-digit frames and a count within the day take the
    // fast path; the rest is wrapped and written by the general one.
    const bool windowRate = static_cast<uint64_t>(rate) - 1 < 99;
    if (!windowRate || static_cast<uint64_t>(count) >= static_cast<uint64_t>(kSecondsPerDay * rate)) [[unlikely]] {
        SetTimecodeText(cell, GenericTC(count, rate), separator);
        return;
    }
    // One division gives the second and the frame; on this path it costs
    // less than a multiply by a reciprocal or a switch over common rates.
    const auto c = static_cast<uint32_t>(count);
    const auto r = static_cast<uint32_t>(rate);
    const uint32_t second = c / r;
    const uint32_t hours = second / 3600;
    const uint64_t head = detail::kDigitPairs[hours] | detail::kMinuteSecondBits[second - hours * 3600];
    detail::setTimecodeWords(cell, head, separator, c - second * r);
}

} // namespace ombrel
