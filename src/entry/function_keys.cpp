#include "entry/function_keys.h"

#include "engine/timecode.h"
#include "settings/settings_data.h"

#include <algorithm>

namespace ombrel {

namespace {

// Eleven characters: digit pairs with ":" or ";" between them.
bool isTimecodeText(std::string_view text)
{
    if (text.size() != kTimecodeTextLength)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool ok = i % 3 == 2 ? c == ':' || c == ';' : c >= '0' && c <= '9';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

std::string ProgrammedSlotText(std::string_view source)
{
    std::string text = FunctionSlotText(source);
    std::replace(text.begin(), text.end(), ';', ':');
    return text;
}

std::string LoadedSlotText(std::string_view slot, char separator)
{
    std::string text(isTimecodeText(slot) ? slot : kDefaultFunctionText);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == ':' || c == ';'; }, separator);
    return text;
}

std::string FunctionKeyStatus(int key, std::string_view slot, char separator)
{
    return "F" + std::to_string(key) + " = " + LoadedSlotText(slot, separator);
}

} // namespace ombrel
