#pragma once

#include "engine/format_info.h"
#include "engine/timecode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// A rate timecodes are counted at: a whole number of frame labels a second
// (the nominal rate), the film running at that many frames a second or, for
// the NTSC rates, at 1000/1001 of it; at 30 and 60 the NTSC rates may count
// in drop frame.
struct FrameRate {
    int64_t nominal = 30;
    bool ntsc = false;
    bool dropFrame = false;

    friend bool operator==(const FrameRate&, const FrameRate&) = default;
};

// The rate a format of the table counts at; the named rates are the rows
// with a rateName.
constexpr FrameRate RateOf(const FormatInfo& format)
{
    return {format.nominalRate, format.ntsc, format.dropFrame};
}

// Any whole number up to this is a rate too, named by its digits.
inline constexpr int64_t kLargestWholeRate = 999;

// A rate name or alias of the format table or a whole number 1-999, in any
// case; "NDF" after a rate says it does not drop frames, and a blank may
// stand before the suffix ("29.97 DF").
std::optional<FrameRate> ParseFrameRate(std::string_view text);
// For a name that asks for drop frame at a rate that has none ("30df"), the
// drop-frame rate meant ("29.97df"); nothing otherwise.
std::optional<std::string_view> DropFrameRateFor(std::string_view text);
// The name ParseFrameRate reads.
std::string FrameRateName(const FrameRate& rate);
// The rate names of the format table, slowest first.
std::vector<std::string_view> FrameRateNames();

// Real frames a second as a fraction: 30000/1001 at 29.97.
struct FrameRateFraction {
    int64_t numerator = 30;
    int64_t denominator = 1;
};
FrameRateFraction FramesPerSecond(const FrameRate& rate);

inline char LabelSeparator(const FrameRate& rate)
{
    return rate.dropFrame ? ';' : ':';
}
// Frames in one day of labels.
int64_t FramesPerDay(const FrameRate& rate);

// Reads "hh:mm:ss:ff" (one or two digits a part, up to three for frames)
// as a label of the rate; fewer parts are the last ones ("03:04" is
// 00:00:03:04). A drop-frame label may use ";" or ":", and "." before the
// frames. With hoursPastDay the hours may pass 23 (up to six digits).
// Throws ConversionError naming what is wrong: a part out of range, a label
// that drop frame skips, ";" or "." at a rate that does not drop frames.
TimecodeParts ParseLabel(std::string_view text, const FrameRate& rate, bool hoursPastDay = false);

// A legal label to its frame count, and a frame count to its label, wrapped
// into one day.
int64_t LabelToFrame(const TimecodeParts& label, const FrameRate& rate);
TimecodeParts FrameToLabel(int64_t count, const FrameRate& rate);

// Writes a label of the rate (each part 0-99, frames up to 998: two digits
// a part, three for the frames of rates above 100) and returns the end; at
// most 12 characters.
char* WriteLabel(const TimecodeParts& label, const FrameRate& rate, char* out);
// Writes a frame count as a label whose hours run on past a day
// ("25:00:00:00"), with "-" before a negative count; at most 32 characters.
inline constexpr int kLongestLabelPastDay = 32;
char* WriteLabelPastDay(int64_t count, const FrameRate& rate, char* out);

} // namespace ombrel
