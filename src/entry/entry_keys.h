#pragma once

#include "engine/calculation.h"

#include <optional>

namespace ombrel {

// Keys arrive as the single character the keyboard produced.
inline constexpr char kEnterKey = '\r';
inline constexpr char kBackspaceKey = '\b';
inline constexpr char kBlankKey = ' ';

// The six operator keys: "+", "-", "*" (x), "/", backquote and "~" (both
// "~"). "%" is not among them: it brings up the percentage field instead.
std::optional<Operator> OperatorForKey(char key);

inline constexpr bool IsDigitKey(char key)
{
    return key >= '0' && key <= '9';
}
inline constexpr bool IsCalculateKey(char key)
{
    return key == kEnterKey || key == '=';
}

// "D", "I", "O", "P", "T" in either case.
bool IsRecallKey(char key);

} // namespace ombrel
