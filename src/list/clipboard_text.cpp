#include "list/clipboard_text.h"

namespace ombrel {

namespace {

constexpr size_t kClipStoreLength = 11;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSeparator(char c)
{
    return c == ':' || c == ';';
}

} // namespace

std::string ClipStoreText(std::string_view clipboard)
{
    const std::string_view line = clipboard.substr(0, clipboard.find_first_of("\r\n"));
    size_t characters = 0;
    size_t end = 0;
    for (; end < line.size(); ++end) {
        // A byte that is not a continuation byte starts the next character.
        if ((static_cast<unsigned char>(line[end]) & 0xC0) != 0x80 && characters++ == kClipStoreLength)
            break;
    }
    return std::string(line.substr(0, end));
}

std::string PastedTimecode(std::string_view text, char separator)
{
    bool timecode = text.size() == 11;
    for (size_t i = 0; timecode && i < text.size(); ++i)
        timecode = i % 3 == 2 ? isSeparator(text[i]) : isDigit(text[i]);
    std::string pasted = timecode ? std::string(text) : "00:00:00:00";
    for (size_t i : {2, 5, 8})
        pasted[i] = separator;
    return pasted;
}

UserMessage CopyConfirmation(std::string_view copied)
{
    return {OMBREL_TEXT("ombrel", "%1 - copied to clipboard"), {std::string(copied)}};
}

} // namespace ombrel
