#include "settings/settings_codec.h"

#include "engine/calculation.h"

#include <charconv>
#include <limits>

namespace ombrel {

namespace {

// Code -> style, by the table older settings were written with.
constexpr std::array<FontStyle, 16> kStyleByCode{{
    {false, false, false, false}, // 0
    {true, false, false, false},  // 1 bold
    {false, true, false, false},  // 2 italic
    {false, false, true, false},  // 3 underline
    {false, false, false, true},  // 4 strike-out
    {true, true, false, false},   // 5 bold italic
    {true, false, true, false},   // 6 bold underline
    {true, false, false, true},   // 7 bold strike-out
    {false, true, true, false},   // 8 italic underline
    {false, true, false, true},   // 9 italic strike-out
    {false, false, true, true},   // 10 underline strike-out
    {true, true, true, false},    // 11 bold italic underline
    {true, true, false, true},    // 12 bold italic strike-out
    {true, false, true, true},    // 13 bold underline strike-out
    {false, true, true, true},    // 14 italic underline strike-out
    {true, true, true, true},     // 15 all four
}};

} // namespace

const std::array<GridColour, kGridColourCount> kGridColours{{
    {OMBREL_TEXT("ombrel", "Black"), 0x000000},
    {OMBREL_TEXT("ombrel", "Maroon"), 0x000080},
    {OMBREL_TEXT("ombrel", "Green"), 0x008000},
    {OMBREL_TEXT("ombrel", "Olive"), 0x008080},
    {OMBREL_TEXT("ombrel", "Navy"), 0x800000},
    {OMBREL_TEXT("ombrel", "Purple"), 0x800080},
    {OMBREL_TEXT("ombrel", "Teal"), 0x808000},
    {OMBREL_TEXT("ombrel", "Gray"), 0x808080},
    {OMBREL_TEXT("ombrel", "Silver"), 0xC0C0C0},
    {OMBREL_TEXT("ombrel", "Red"), 0x0000FF},
    {OMBREL_TEXT("ombrel", "Lime"), 0x00FF00},
    {OMBREL_TEXT("ombrel", "Blue"), 0xFF0000},
    {OMBREL_TEXT("ombrel", "Fuchsia"), 0xFF00FF},
    {OMBREL_TEXT("ombrel", "Aqua"), 0xFFFF00},
    {OMBREL_TEXT("ombrel", "White"), 0xFFFFFF},
    {OMBREL_TEXT("ombrel", "Window"), kSystemWindowColour},
}};

int FontStyleCode(const FontStyle& style)
{
    for (int code = 0; code < static_cast<int>(kStyleByCode.size()); ++code) {
        if (kStyleByCode[code] == style)
            return code;
    }
    return 0; // unreachable: the table holds all sixteen sets
}

FontStyle FontStyleFromCode(int code)
{
    if (code < 1 || code > 15)
        return {};
    return kStyleByCode[code];
}

int GridColourIndex(std::string_view name)
{
    for (int i = 0; i < kGridColourCount; ++i) {
        if (kGridColours[i].name == name)
            return i;
    }
    return -1;
}

int GridColourIndexOf(uint32_t colour)
{
    for (int i = 0; i < kGridColourCount; ++i) {
        if (kGridColours[i].colour == colour)
            return i;
    }
    return -1;
}

int ParseStoredInteger(std::string_view text, int fallback)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return fallback;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc() || end != text.data() + text.size())
        return fallback;
    return value;
}

bool ParseStoredBool(std::string_view text, bool fallback)
{
    return ParseStoredInteger(text, fallback ? 1 : 0) != 0;
}

std::string IntegerText(int value)
{
    return std::to_string(value);
}

std::string BoolText(bool value)
{
    return value ? "1" : "0";
}

std::optional<double> ParseRate(std::string_view text)
{
    // A rate is digits and one "." at most: no sign.
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        return std::nullopt;
    try {
        return ParseDecimal(text);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

bool IsValidUserRate(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    const int rate = ParseStoredInteger(text, 0);
    return rate > 0 && rate <= kLargestUserRate;
}

bool IsValidFramesRate(std::string_view text)
{
    const auto rate = ParseRate(text);
    return rate && *rate > 0 && *rate <= kLargestFramesRate;
}

std::string UsableUserRateText(std::string_view text)
{
    return std::string(IsValidUserRate(text) ? text : kDefaultUserRateText);
}

std::string UsableFramesRateText(std::string_view text)
{
    return std::string(IsValidFramesRate(text) ? text : kDefaultFramesRateText);
}

int64_t UserRateFromText(std::string_view text)
{
    return ParseStoredInteger(UsableUserRateText(text), 0);
}

double FramesRateFromText(std::string_view text)
{
    return *ParseRate(UsableFramesRateText(text));
}

namespace {

std::size_t CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

} // namespace

std::string UserTabCaption(std::string_view rateText)
{
    return "User-" + UsableUserRateText(rateText);
}

std::string FramesTabCaption(std::string_view rateText)
{
    const std::string usable = UsableFramesRateText(rateText);
    return (CharacterCount(usable) > 2 ? "Frm-" : "Frames-") + usable;
}

std::string FirstCharacters(std::string_view text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == count)
                return std::string(text.substr(0, i));
            ++seen;
        }
    }
    return std::string(text);
}

} // namespace ombrel
