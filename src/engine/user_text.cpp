#include "engine/user_text.h"

namespace ombrel {

std::string FillArguments(std::string_view pattern, const std::vector<std::string>& arguments)
{
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t index = static_cast<size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < arguments.size()) {
            text += arguments[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace ombrel
