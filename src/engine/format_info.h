#pragma once

#include "engine/timecode.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace ombrel {

// The two rates the user chooses.
struct Rates {
    int64_t userRate = 15;
    double framesRate = 30;
};

// The facts of one format. Everything that differs between formats is a
// field here, so code walks the table instead of switching on the format.
struct FormatInfo {
    // Names the format in messages ("NonDrop", "DropFrame").
    std::string_view name{};
    // Whole frames per second its labels count; 0 for the user's rate.
    int64_t nominalRate = 0;
    // Its labels skip DroppedLabelsPerMinute(nominalRate) frame numbers at the
    // start of every minute but each tenth.
    bool dropFrame = false;
    // Its cells hold frame counts at the Frames rate, not labels. Timecodes
    // typed on its tab are still checked against the nominal rate.
    bool frameCounts = false;
    // Between the parts of its labels.
    char separator = ':';

    // The main window's formats only; empty for rates offered elsewhere.
    std::string_view tabCaption{};
    // The title of its section in the calculation file; "{rate}" stands for
    // the rate the user chose.
    std::string_view fileSectionTitle{};
    // Starts the names of its font and colour settings.
    std::string_view settingsPrefix{};
    // Its item where the print and export dialogs offer the formats.
    std::string_view choiceName{};
    // Names its list in report and export headings and the preview's
    // caption; "{rate}" as above.
    std::string_view reportTitle{};

    // The name ombrel-calc's --rate knows it by; empty where the rate is
    // the user's.
    std::string_view rateName{};
    // Its film runs at 1000/1001 of the nominal rate (the NTSC rates).
    bool ntsc = false;
    // Another name editing software writes for the same rate ("23.98").
    std::string_view rateAlias{};
};

// Every format the engine converts. The first kFormatCount rows are the
// main window's tabs, in tab order, as TimecodeFormat numbers them; rates
// the window does not offer follow them.
inline constexpr FormatInfo kFormats[] = {
    {"NonDrop", 30, false, false, ':', OMBREL_TEXT("ombrel", "NonDrop"), "NonDropFrame Timecode", "ND",
     OMBREL_TEXT("ombrel", "30 fps non-drop frame"), "30 fps Non-Drop Frame", "30", false},
    {"DropFrame", 30, true, false, ';', OMBREL_TEXT("ombrel", "DropFrm"), "DropFrame Timecode", "DF",
     OMBREL_TEXT("ombrel", "30 fps drop frame"), "30 fps Drop Frame", "29.97df", true},
    {"PAL", 25, false, false, ':', OMBREL_TEXT("ombrel", "PAL"), "PAL Timecode", "PAL",
     OMBREL_TEXT("ombrel", "25 fps PAL"), "25 fps PAL", "25", false},
    {"Film", 24, false, false, ':', OMBREL_TEXT("ombrel", "Film/24P"), "Film Timecode", "Film",
     OMBREL_TEXT("ombrel", "24 fps Film"), "24 fps Film", "24", false},
    {"User", 0, false, false, ':', "User-", "User ({rate}fps) Timecode", "User",
     OMBREL_TEXT("ombrel", "User Definable"), "User Definable - {rate}fps", "", false},
    {"Frames", 30, false, true, ':', "Frames", "Frames ({rate}fps)", "Frames", OMBREL_TEXT("ombrel", "Frames"),
     "Frames - {rate}fps", "", false},
    // The other rates editors meet every day, for ombrel-calc.
    {.name = "23.976", .nominalRate = 24, .rateName = "23.976", .ntsc = true, .rateAlias = "23.98"},
    {.name = "29.97", .nominalRate = 30, .rateName = "29.97", .ntsc = true},
    {.name = "47.952", .nominalRate = 48, .rateName = "47.952", .ntsc = true, .rateAlias = "47.95"},
    {.name = "48", .nominalRate = 48, .rateName = "48"},
    {.name = "50", .nominalRate = 50, .rateName = "50"},
    {.name = "59.94", .nominalRate = 60, .rateName = "59.94", .ntsc = true},
    {.name = "59.94df", .nominalRate = 60, .dropFrame = true, .separator = ';', .rateName = "59.94df", .ntsc = true},
    {.name = "60", .nominalRate = 60, .rateName = "60"},
    {.name = "119.88", .nominalRate = 120, .rateName = "119.88", .ntsc = true},
    {.name = "119.88df", .nominalRate = 120, .dropFrame = true, .separator = ';', .rateName = "119.88df", .ntsc = true},
    {.name = "120", .nominalRate = 120, .rateName = "120"},
};

// The main window's six formats.
inline constexpr std::span<const FormatInfo, kFormatCount> kWindowFormats{kFormats, kFormatCount};

inline constexpr const FormatInfo& FormatInfoOf(TimecodeFormat format)
{
    return kFormats[FormatIndex(format)];
}

// The whole rate its labels count at.
inline constexpr int64_t WholeRate(const FormatInfo& format, const Rates& rates)
{
    return format.nominalRate > 0 ? format.nominalRate : rates.userRate;
}

inline constexpr int64_t LargestFrame(const FormatInfo& format, const Rates& rates)
{
    return WholeRate(format, rates) - 1;
}

// Whether typed parts are a label of the format: hours 0-23, minutes and
// seconds 0-59, frames up to the largest frame.
bool WithinRange(const TimecodeParts& parts, const FormatInfo& format, const Rates& rates);

// A label of the format (a drop-frame one adjusted first) as its frame
// number, and a frame number as its label, wrapped into one day.
int64_t LabelToFrames(TimecodeParts label, const FormatInfo& format, const Rates& rates);
TimecodeParts FramesToLabel(int64_t count, const FormatInfo& format, const Rates& rates);

// The percentage display's drop-frame compensation of a count: a count of
// the active format's frames with its dropped labels added back.
double DropCompensate(double count, TimecodeFormat activeFormat);

} // namespace ombrel
