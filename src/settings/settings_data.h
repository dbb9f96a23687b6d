#pragma once

#include "settings/settings_codec.h"

#include <array>
#include <cstdint>
#include <string>

namespace ombrel {

// A font as the settings keep it: face, colour (0x00BBGGRR or a system
// colour), size in points and style.
struct StoredFont {
    std::string name;
    int32_t colour = 0;
    int32_t size = 0;
    FontStyle style;

    friend bool operator==(const StoredFont&, const StoredFont&) = default;
};

// Font sizes in points as the font dialog allows them.
inline constexpr int kSmallestFontSize = 1;
inline constexpr int kLargestFontSize = 512;

// Navy, bold, 11 points: the look of the lists on a fresh install.
inline const StoredFont kDefaultListFont{"MS Sans Serif", 8388608, 11, {.bold = true}};
inline const StoredFont kDefaultPrintFont{"Arial", 0, 12, {.bold = true}};
inline constexpr std::string_view kDefaultGridColourName = "Window";

// The twelve programmable function keys; a slot holds one timecode text.
inline constexpr int kFunctionKeyCount = 12;
inline constexpr std::size_t kFunctionSlotLength = 11;
inline constexpr std::string_view kDefaultFunctionText = "00:00:00:00";
using FunctionKeySlots = std::array<std::string, kFunctionKeyCount>;
// A stored slot text as the key holds it: at most 11 characters.
inline std::string FunctionSlotText(std::string_view stored)
{
    return FirstCharacters(stored, kFunctionSlotLength);
}
inline FunctionKeySlots DefaultFunctionKeySlots()
{
    FunctionKeySlots keys;
    keys.fill(std::string(kDefaultFunctionText));
    return keys;
}

// What the print dialog remembers between runs.
struct PrintSettings {
    int radio = 0; // format to print, in start-format order
    bool page = true;
    bool date = true;
    bool time = true;
    bool descriptions = true;
    std::string heading = "Timecode Data";
    std::string subheading = "30 fps Non-Drop Frame";

    friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

// What the export dialog remembers between runs.
struct ExportSettings {
    int radio = 0; // format to export
    bool exportDescriptions = true;
    bool useHead = false;
    std::string heading = "Timecode Data";
    std::string subheading = "30 fps Non-Drop Frame";

    friend bool operator==(const ExportSettings&, const ExportSettings&) = default;
};

} // namespace ombrel
