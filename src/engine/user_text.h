#pragma once

#include <string>
#include <string_view>
#include <vector>

// Marks an English text the windows show, so that the translators' tools
// find it (lupdate reads OMBREL_TEXT as QT_TRANSLATE_NOOP); here it stays
// the literal. The context is always "ombrel" (kUserTextContext), the one
// the windows translate the core's texts in.
#define OMBREL_TEXT(context, text) text

namespace ombrel {

inline constexpr char kUserTextContext[] = "ombrel";

// A message for the user: its English text (marked with OMBREL_TEXT), where
// %1 to %9 stand for the arguments, which are never translated (numbers,
// names, what the user typed).
struct UserMessage {
    std::string text;
    std::vector<std::string> arguments;
    // The arguments that are texts of the program themselves, marked with
    // OMBREL_TEXT (a tab's caption): bit i for argument i + 1. They are
    // shown in the user's language with the message.
    unsigned translatedArguments = 0;

    friend bool operator==(const UserMessage&, const UserMessage&) = default;
};

// `pattern` with each %1 to %9 replaced by that argument, in one pass: an
// argument that holds "%2" stays as it is. A number without an argument
// stays as written.
std::string FillArguments(std::string_view pattern, const std::vector<std::string>& arguments);

// The message as English text.
inline std::string EnglishText(const UserMessage& message)
{
    return FillArguments(message.text, message.arguments);
}

} // namespace ombrel
