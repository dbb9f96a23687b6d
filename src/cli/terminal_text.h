#pragma once

#include <string>
#include <string_view>

namespace ombrel {

// Text the user gave, made safe to show on a terminal: control characters
// (escape sequences, NUL, and the C1 controls of UTF-8) are written as \xNN
// rather than sent on.
std::string TerminalText(std::string_view text);

} // namespace ombrel
