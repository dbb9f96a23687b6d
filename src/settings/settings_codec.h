#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// The stored forms of the settings: every value is kept as text, so numbers,
// flags, font styles and list colours each need a text encoding that older
// settings files already use.

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

// Style sets are numbered 0-15 by a fixed table, not by their bits: bold +
// italic is 5. Codes outside 1-15 read as no style.
int FontStyleCode(const FontStyle& style);
FontStyle FontStyleFromCode(int code);

// Colours are 0x00BBGGRR; a top byte of 0xFF names a system colour by index.
inline constexpr uint32_t kSystemColourFlag = 0xFF000000u;
inline constexpr uint32_t kSystemWindowColour = 0xFF000005u;
inline constexpr bool IsSystemColour(uint32_t colour)
{
    return (colour & 0xFF000000u) == kSystemColourFlag;
}

struct GridColour {
    std::string_view name;
    uint32_t colour;
};
inline constexpr int kGridColourCount = 16;
// The list background colours by name, in the order of the colour selectors.
extern const std::array<GridColour, kGridColourCount> kGridColours;
// Index of the name, compared exactly (case matters); -1 when unknown.
int GridColourIndex(std::string_view name);
// First entry of that colour; -1 when none.
int GridColourIndexOf(uint32_t colour);

// Decimal text with an optional sign that fits 32 bits; anything else gives
// the fallback.
int ParseStoredInteger(std::string_view text, int fallback);
// Read as an integer (fallback 1 or 0); true when not 0.
bool ParseStoredBool(std::string_view text, bool fallback);
std::string IntegerText(int value);
std::string BoolText(bool value);

// A rate as typed into the rate fields: digits with at most one ".", which
// is always the decimal point whatever the locale. Empty when not a number.
std::optional<double> ParseRate(std::string_view text);

// The rates the program can work with, as the rate fields allow them: a
// User rate of 1 to 99 (two digits; a timecode's frames have two) and a
// Frames rate above 0 and at most 99999 (five characters).
inline constexpr int64_t kLargestUserRate = 99;
inline constexpr double kLargestFramesRate = 99999;
inline constexpr std::string_view kDefaultUserRateText = "15";
inline constexpr std::string_view kDefaultFramesRateText = "30";
bool IsValidUserRate(std::string_view text);
bool IsValidFramesRate(std::string_view text);

// A rate text the program cannot use (zero, empty, too large, no number)
// stands for the default rate, so the field, the tab caption, the
// calculations and the file titles all agree on what is in use.
std::string UsableUserRateText(std::string_view text);
std::string UsableFramesRateText(std::string_view text);
int64_t UserRateFromText(std::string_view text);
double FramesRateFromText(std::string_view text);

// "User-15"; "Frames-30", or "Frm-29.97" when the rate text is longer than
// two characters (the tab would grow too wide). Of the usable rate text.
std::string UserTabCaption(std::string_view rateText);
std::string FramesTabCaption(std::string_view rateText);

// The first `count` characters of UTF-8 text.
std::string FirstCharacters(std::string_view text, std::size_t count);

} // namespace ombrel
