#include "documents/edl_reader.h"

#include "documents/text_encoding.h"

#include <charconv>
#include <cstdio>
#include <span>
#include <tuple>

namespace ombrel {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The blank-separated words of a line, as many as `words` holds; the count
// of all the line has.
size_t wordsOf(std::string_view line, std::span<std::string_view> words)
{
    size_t count = 0;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        const size_t start = pos;
        while (pos < line.size() && !isBlank(line[pos]))
            ++pos;
        if (pos > start) {
            if (count < words.size())
                words[count] = line.substr(start, pos - start);
            ++count;
        }
    }
    return count;
}

bool readNumber(std::string_view word, int64_t& value)
{
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return !word.empty() && error == std::errc() && end == word.data() + word.size() && value >= 0;
}

// "hh:mm:ss:ff" with ":" or ";" (or "." before the frames), two digits a part.
bool readTimecode(std::string_view word, TimecodeParts& parts)
{
    if (word.size() != 11)
        return false;
    int32_t values[4] = {};
    for (int part = 0; part < 4; ++part) {
        const char tens = word[size_t(part) * 3];
        const char units = word[size_t(part) * 3 + 1];
        if (tens < '0' || tens > '9' || units < '0' || units > '9')
            return false;
        if (part > 0) {
            const char separator = word[size_t(part) * 3 - 1];
            if (separator != ':' && separator != ';' && !(part == 3 && separator == '.'))
                return false;
        }
        values[part] = (tens - '0') * 10 + (units - '0');
    }
    parts = {values[0], values[1], values[2], values[3]};
    return parts.minutes <= 59 && parts.seconds <= 59;
}

// Blanks are few and the lines short: a plain loop outruns a search.
std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isTransition(std::string_view word)
{
    return word == "C" || word == "D" || word == "W" || word == "K" || (word.size() == 4 && word[0] == 'W') ||
           (word.size() >= 2 && word[0] == 'K');
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNotAnEdl =
    "this is not an edit decision list (no TITLE:, FCM: or event in its first lines)";

// The next line of `bytes`, without its line end; `bytes` keeps the rest.
std::string_view nextLine(std::string_view& bytes)
{
    const size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

bool startsEvent(std::string_view text)
{
    size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    return digits > 0 && (digits == text.size() || isBlank(text[digits]));
}

// Timecode labels count up the day: a later label is a later frame in any
// frame count mode.
bool before(const TimecodeParts& a, const TimecodeParts& b)
{
    return std::tie(a.hours, a.minutes, a.seconds, a.frames) < std::tie(b.hours, b.minutes, b.seconds, b.frames);
}

std::string labelText(const TimecodeParts& p)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", p.hours, p.minutes, p.seconds, p.frames);
    return text;
}

void readAsWindows1252(EdlContents& contents)
{
    contents.title = Windows1252ToUtf8(contents.title);
    for (EdlEvent& event : contents.events) {
        event.reel = Windows1252ToUtf8(event.reel);
        event.track = Windows1252ToUtf8(event.track);
        event.clipName = Windows1252ToUtf8(event.clipName);
    }
}

} // namespace

std::optional<std::string> EdlHeadError(std::string_view head)
{
    if (head.starts_with(kByteOrderMark))
        head.remove_prefix(kByteOrderMark.size());
    for (int lineNumber = 1; lineNumber <= kEdlHeadLines && !head.empty(); ++lineNumber) {
        const std::string_view text = trimmed(nextLine(head));
        if (text.empty() || text.front() == '*')
            continue;
        if (text.starts_with("TITLE:") || text.starts_with("FCM:") || startsEvent(text))
            return std::nullopt;
        return "line " + std::to_string(lineNumber) + ": " + std::string(kNotAnEdl);
    }
    return std::string(kNotAnEdl);
}

EdlContents ReadEdl(std::string_view bytes)
{
    EdlContents contents;
    if (std::optional<std::string> headError = EdlHeadError(bytes.substr(0, kEdlHeadSize))) {
        contents.error = std::move(*headError);
        return contents;
    }
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    const bool utf8 = IsValidUtf8(bytes);
    // Room for as many events as the bytes could hold at the length of a
    // usual event line, so that a long list is not moved as it grows; only
    // the room used is ever touched.
    contents.events.reserve(bytes.size() / 64 + 16);
    bool dropFrame = false;
    int64_t lineNumber = 0;
    const auto refuse = [&](std::string_view why) {
        contents.error = "line " + std::to_string(lineNumber) + ": " + std::string(why);
        contents.events.clear();
        return contents;
    };
    while (!bytes.empty()) {
        const std::string_view line = nextLine(bytes);
        ++lineNumber;
        if (line.size() > kLongestEdlLine)
            return refuse("the line is longer than " + std::to_string(kLongestEdlLine) + " bytes");
        const std::string_view text = trimmed(line);
        if (text.empty())
            continue;
        // Most lines are events: they go straight to the event reader.
        if (!isDigit(text.front())) {
            if (text.starts_with("TITLE:")) {
                contents.title = std::string(trimmed(text.substr(6)));
                continue;
            }
            if (text.starts_with("FCM:")) {
                const std::string_view mode = trimmed(text.substr(4));
                if (mode == "DROP FRAME")
                    dropFrame = true;
                else if (mode == "NON-DROP FRAME" || mode == "NON DROP FRAME")
                    dropFrame = false;
                else
                    return refuse("'" + std::string(mode) +
                                  "' is not a frame count mode (DROP FRAME or NON-DROP FRAME)");
                continue;
            }
            // Comments, and the notes some systems write without their "*".
            if (text.front() == '*' || text.starts_with("FROM CLIP NAME:") || text.starts_with("TO CLIP NAME:")) {
                if (contents.events.empty())
                    continue;
                const std::string_view note = trimmed(text.front() == '*' ? text.substr(1) : text);
                EdlEvent& event = contents.events.back();
                if (note.starts_with("FROM CLIP NAME:") && event.transitionFrames == 0)
                    event.clipName = std::string(trimmed(note.substr(15)));
                else if (note.starts_with("TO CLIP NAME:"))
                    event.clipName = std::string(trimmed(note.substr(13)));
                continue;
            }
            if (text.starts_with("M2 ") || text.starts_with("SPLIT:") || text.starts_with(">>>") ||
                text.starts_with("EFFECTS NAME IS") || text.starts_with("AUD "))
                continue;
        }
        // number reel track transition [frames] srcIn srcOut recIn recOut
        std::string_view words[9];
        const size_t count = wordsOf(text, words);
        EdlEvent event;
        if (!readNumber(words[0], event.number))
            return refuse("'" + std::string(words[0]) + "' is not an event number");
        if (count != 8 && count != 9)
            return refuse("an event line holds its number, reel, track, transition and four timecodes");
        event.line = lineNumber;
        event.reel = std::string(words[1]);
        event.track = std::string(words[2]);
        event.transition = std::string(words[3]);
        if (!isTransition(words[3]))
            return refuse("'" + std::string(words[3]) + "' is not a transition (C, D, W or K)");
        size_t next = 4;
        if (count == 9) {
            if (!readNumber(words[4], event.transitionFrames) || event.transitionFrames > 999)
                return refuse("'" + std::string(words[4]) + "' is not a transition length");
            next = 5;
        }
        TimecodeParts* const times[] = {&event.sourceIn, &event.sourceOut, &event.recordIn, &event.recordOut};
        for (TimecodeParts* time : times) {
            if (!readTimecode(words[next], *time))
                return refuse("'" + std::string(words[next]) + "' is not a timecode (hh:mm:ss:ff)");
            ++next;
        }
        if (before(event.recordOut, event.recordIn))
            return refuse("the record out " + labelText(event.recordOut) + " comes before the record in " +
                          labelText(event.recordIn));
        event.dropFrame = dropFrame;
        contents.events.push_back(std::move(event));
    }
    if (!utf8)
        readAsWindows1252(contents);
    return contents;
}

} // namespace ombrel
