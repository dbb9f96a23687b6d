#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

inline constexpr int formatIndex(TimecodeFormat format) { return static_cast<int>(format); }
inline constexpr TimecodeFormat formatAt(int index) { return static_cast<TimecodeFormat>(index); }

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
void WriteTimecodeText(const TimecodeParts& parts, char separator, char* out11);

// Characters 1,2,4,5,7,8,10,11 of the text with ";" or ":" between them.
std::string AddSemi(std::string_view text);
std::string RemoveSemi(std::string_view text);

int64_t PartsToFrames(const TimecodeParts& parts, int64_t rate);
int64_t PartsToFramesAtFramesRate(const TimecodeParts& parts, double framesRate);

// Frames 0 and 1 do not exist at second 0 of a drop minute: such a label
// moves on to frame 2.
void AdjustDropFrameParts(TimecodeParts& parts);
bool isDropMinute(int32_t minutes);

// One carry pass at the given rate (equality tests only).
void TotalTCCheck(TimecodeParts& parts, int64_t rate);
// A frame count as parts at a whole rate, wrapped into one day.
TimecodeParts GenericTC(int64_t count, int64_t rate);

// Drop-frame label (already adjusted) to its real frame number, and back;
// the label side wraps into one drop-frame day.
int64_t DropFrameNumber(const TimecodeParts& label);
TimecodeParts DropFrameLabel(int64_t frameNumber);

// The percentage display's drop-frame compensation of a count.
double DropCompensate(double count, TimecodeFormat activeFormat);

}  // namespace ombrel
