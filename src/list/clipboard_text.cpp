#include "list/clipboard_text.h"

#include "list/calc_sheet.h"

#include <algorithm>

namespace ombrel {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSeparator(char c)
{
    return c == ':' || c == ';';
}

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// A byte that is not a continuation byte starts a character.
bool startsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// UTF-16 units of the character a lead byte starts: two from four bytes on.
size_t unitsOf(char lead)
{
    return static_cast<unsigned char>(lead) >= 0xF0 ? 2 : 1;
}

// Bytes of the UTF-8 sequence a lead byte starts.
size_t bytesOf(char lead)
{
    const auto byte = static_cast<unsigned char>(lead);
    return byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

// The length of the start of `text` that ends at its first line break or
// before the character that would take it past `room` units.
size_t lineWithin(std::string_view text, size_t room, size_t (*units)(char))
{
    size_t used = 0;
    size_t end = 0;
    for (; end < text.size() && !isLineBreak(text[end]); ++end) {
        if (!startsCharacter(text[end]))
            continue;
        used += units(text[end]);
        if (used > room)
            break;
    }
    return end;
}

// Whether `rest`, what follows the taken text, is one line break at most.
bool onlyLineEnd(std::string_view rest)
{
    if (rest.starts_with("\r\n"))
        rest.remove_prefix(2);
    else if (!rest.empty() && isLineBreak(rest.front()))
        rest.remove_prefix(1);
    return rest.empty();
}

UserMessage firstCharacters(size_t count)
{
    return {OMBREL_TEXT("ombrel", "Only the first %1 characters of the clipboard text were pasted"),
            {std::to_string(count)}};
}

} // namespace

ClipboardPaste ClipStoreText(std::string_view clipboard)
{
    const size_t end = lineWithin(clipboard, kClipStoreLength, [](char) -> size_t { return 1; });
    ClipboardPaste paste{std::string(clipboard.substr(0, end)), std::nullopt};
    const std::string_view rest = clipboard.substr(end);
    if (!rest.empty() && !isLineBreak(rest.front()))
        paste.report = firstCharacters(kClipStoreLength);
    else if (!onlyLineEnd(rest))
        paste.report = UserMessage{OMBREL_TEXT("ombrel", "Only the first line of the clipboard text was pasted"), {}};
    return paste;
}

ClipboardPaste CellPasteText(int column, std::string_view clipboard, size_t room)
{
    const size_t end = lineWithin(clipboard, room, unitsOf);
    const std::string_view taken = clipboard.substr(0, end);
    const std::string_view rest = clipboard.substr(end);
    const auto refused = [](const char* why) { return ClipboardPaste{{}, UserMessage{why, {}}}; };
    if (!rest.empty() && isLineBreak(rest.front()) && !onlyLineEnd(rest))
        return refused(
            OMBREL_TEXT("ombrel", "The clipboard text has several lines and was not pasted: a cell holds one line"));
    if (!EditableCellText(column, taken))
        return refused(OMBREL_TEXT("ombrel", "The clipboard text was not pasted: only a description may hold spaces"));
    if (taken.empty() && !rest.empty() && !isLineBreak(rest.front()))
        return refused(OMBREL_TEXT("ombrel", "The clipboard text was not pasted: the cell is full"));
    ClipboardPaste paste{std::string(taken), std::nullopt};
    if (!rest.empty() && !isLineBreak(rest.front()))
        paste.report = firstCharacters(room);
    return paste;
}

size_t ClipboardBytesFor(size_t characters)
{
    constexpr size_t kLongestCharacter = 4;
    return (characters + 3) * kLongestCharacter;
}

size_t WholeCharacters(std::string_view bytes)
{
    // The last byte that starts a character: a sequence is four bytes at most.
    for (size_t back = 1; back <= std::min<size_t>(4, bytes.size()); ++back) {
        const size_t start = bytes.size() - back;
        if (startsCharacter(bytes[start]))
            return bytesOf(bytes[start]) > back ? start : bytes.size();
    }
    // Empty, or no UTF-8: left as it is.
    return bytes.size();
}

std::string Latin1ToUtf8(std::string_view latin1)
{
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | code >> 6);
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
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
