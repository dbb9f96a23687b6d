#include "documents/edl_reader.h"

#include "documents/text_encoding.h"

#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <span>
#include <tuple>

namespace ombrel {

namespace {

// The steps of the line loop are marked inline: left as calls, which the
// compiler's size limits make of most of them, they cost a fifth of the
// reading of a long list.
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

inline bool isDigit(char c)
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

inline bool readNumber(std::string_view word, int64_t& value)
{
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return !word.empty() && error == std::errc() && end == word.data() + word.size() && value >= 0;
}

// Eight bytes of `text` from `at` as one number, the first in the lowest
// byte on any machine.
inline uint64_t eightBytes(std::string_view text, size_t at)
{
    uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}

// Whether the bytes `mask` picks from `word` are all digits: a digit's high
// half is 3, and stays 3 when 6 is added to it.
inline bool digitsAt(uint64_t word, uint64_t mask)
{
    constexpr uint64_t kHighHalves = 0xF0F0F0F0F0F0F0F0, kThrees = 0x3030303030303030, kSixes = 0x0606060606060606;
    return (word & kHighHalves & mask) == (kThrees & mask) &&
           ((word + kSixes) & kHighHalves & mask) == (kThrees & mask);
}

// A dissolve's or a wipe's length: at most three digits of frames.
inline bool readTransitionLength(std::string_view word, int16_t& frames)
{
    int64_t value = 0;
    if (!readNumber(word, value) || value > 999)
        return false;
    frames = static_cast<int16_t>(value);
    return true;
}

// "hh:mm:ss:ff" with ":" or ";" (or "." before the frames), two digits a
// part. Four of these make most of an event line: they are read eight
// bytes at a time, "hh:mm:ss" and "mm:ss:ff".
inline bool readTimecode(std::string_view word, EdlLabel& label)
{
    if (word.size() != 11)
        return false;
    const uint64_t head = eightBytes(word, 0);
    const uint64_t tail = eightBytes(word, 3);
    const auto byte = [](uint64_t w, int i) { return static_cast<char>(w >> (8 * i)); };
    const auto separates = [](char c) { return c == ':' || c == ';'; };
    if (!digitsAt(head, 0xFFFF) || !digitsAt(tail, 0xFFFF00FFFF00FFFF) || !separates(byte(head, 2)) ||
        !separates(byte(tail, 2)) || !(separates(byte(tail, 5)) || byte(tail, 5) == '.'))
        return false;
    const auto twoDigits = [](uint64_t w, int i) {
        return uint8_t(((w >> (8 * i)) & 15) * 10 + ((w >> (8 * i + 8)) & 15));
    };
    label = {twoDigits(head, 0), twoDigits(tail, 0), twoDigits(tail, 3), twoDigits(tail, 6)};
    return label.minutes <= 59 && label.seconds <= 59;
}

// Blanks are few and the lines short: a plain loop outruns a search.
inline std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

inline bool isTransition(std::string_view word)
{
    return word == "C" || word == "D" || word == "W" || word == "K" || (word.size() == 4 && word[0] == 'W') ||
           (word.size() >= 2 && word[0] == 'K');
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNotAnEdl =
    "this is not an edit decision list (no TITLE:, FCM: or event in its first lines)";

// The next line of `bytes`, without its line end; `bytes` keeps the rest.
inline std::string_view nextLine(std::string_view& bytes)
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
inline bool before(const EdlLabel& a, const EdlLabel& b)
{
    return std::tie(a.hours, a.minutes, a.seconds, a.frames) < std::tie(b.hours, b.minutes, b.seconds, b.frames);
}

std::string labelText(const TimecodeParts& p)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", p.hours, p.minutes, p.seconds, p.frames);
    return text;
}

// The next word of `text` after its blanks; `text` keeps what follows it.
inline std::string_view nextWord(std::string_view& text)
{
    size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    size_t end = start;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(start, end - start);
    text.remove_prefix(end);
    return word;
}

// The next word of `text` if it has a timecode's length, without looking
// at its characters; else nothing, and `text` stays as it was.
inline std::optional<std::string_view> nextTimecodeWord(std::string_view& text)
{
    size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const size_t end = start + 11;
    if (end > text.size() || (end < text.size() && !isBlank(text[end])))
        return std::nullopt;
    const std::string_view word = text.substr(start, 11);
    text.remove_prefix(end);
    return word;
}

// An event line as editing systems write it, in one pass and with no
// message: a line this does not take goes to readEvent's word by word
// reading, which says what is wrong with it.
inline bool readUsualEvent(std::string_view text, EdlEvent& event)
{
    if (!readNumber(nextWord(text), event.number))
        return false;
    event.reel = nextWord(text);
    event.track = nextWord(text);
    event.transition = nextWord(text);
    if (!isTransition(event.transition))
        return false;
    event.transitionFrames = 0;
    // A dissolve's or a wipe's length comes before the timecodes.
    if (std::string_view ahead = text;
        !nextTimecodeWord(ahead) && !readTransitionLength(nextWord(text), event.transitionFrames))
        return false;
    for (EdlLabel* label : {&event.sourceIn, &event.sourceOut, &event.recordIn, &event.recordOut}) {
        const std::optional<std::string_view> time = nextTimecodeWord(text);
        if (!time || !readTimecode(*time, *label))
            return false;
    }
    return text.empty();
}

// number reel track transition [frames] srcIn srcOut recIn recOut; why the
// line is not an event, or nothing once `event` holds it.
std::optional<std::string> readEvent(std::string_view text, EdlEvent& event)
{
    if (readUsualEvent(text, event))
        return std::nullopt;
    std::string_view words[9];
    const size_t count = wordsOf(text, words);
    if (!readNumber(words[0], event.number))
        return "'" + std::string(words[0]) + "' is not an event number";
    if (count != 8 && count != 9)
        return "an event line holds its number, reel, track, transition and four timecodes";
    event.reel = words[1];
    event.track = words[2];
    event.transition = words[3];
    if (!isTransition(words[3]))
        return "'" + std::string(words[3]) + "' is not a transition (C, D, W or K)";
    size_t next = 4;
    event.transitionFrames = 0;
    if (count == 9) {
        if (!readTransitionLength(words[4], event.transitionFrames))
            return "'" + std::string(words[4]) + "' is not a transition length";
        next = 5;
    }
    for (EdlLabel* label : {&event.sourceIn, &event.sourceOut, &event.recordIn, &event.recordOut}) {
        if (!readTimecode(words[next], *label))
            return "'" + std::string(words[next]) + "' is not a timecode (hh:mm:ss:ff)";
        ++next;
    }
    return std::nullopt;
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

EdlContents ReadEdl(std::string bytes)
{
    EdlContents contents;
    if (std::optional<std::string> headError = EdlHeadError(std::string_view(bytes).substr(0, kEdlHeadSize))) {
        contents.error = std::move(*headError);
        return contents;
    }
    const size_t bomSize = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    const std::string_view body = std::string_view(bytes).substr(bomSize);
    const bool utf8 = IsValidUtf8(body);
    contents.text = std::make_shared<const std::string>(utf8 ? std::move(bytes) : Windows1252ToUtf8(body));
    std::string_view rest = std::string_view(*contents.text).substr(utf8 ? bomSize : 0);
    // Room for as many events as the bytes could hold at the length of a
    // usual event line, so that a long list is not moved as it grows; only
    // the room used is ever touched.
    contents.events.reserve(rest.size() / 64 + 16);
    bool dropFrame = false;
    int64_t lineNumber = 0;
    const auto refuse = [&](std::string_view why) {
        contents.error = "line " + std::to_string(lineNumber) + ": " + std::string(why);
        contents.events.clear();
        return contents;
    };
    while (!rest.empty()) {
        const std::string_view line = nextLine(rest);
        ++lineNumber;
        if (line.size() > kLongestEdlLine)
            return refuse("the line is longer than " + std::to_string(kLongestEdlLine) + " bytes");
        const std::string_view text = trimmed(line);
        if (text.empty())
            continue;
        // Most lines are events: they go straight to the event reader.
        if (!isDigit(text.front())) {
            if (text.starts_with("TITLE:")) {
                contents.title = trimmed(text.substr(6));
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
                    event.clipName = trimmed(note.substr(15));
                else if (note.starts_with("TO CLIP NAME:"))
                    event.clipName = trimmed(note.substr(13));
                continue;
            }
            if (text.starts_with("M2 ") || text.starts_with("SPLIT:") || text.starts_with(">>>") ||
                text.starts_with("EFFECTS NAME IS") || text.starts_with("AUD "))
                continue;
        }
        EdlEvent& event = contents.events.emplace_back();
        if (std::optional<std::string> why = readEvent(text, event))
            return refuse(*why);
        if (before(event.recordOut, event.recordIn))
            return refuse("the record out " + labelText(event.recordOut) + " comes before the record in " +
                          labelText(event.recordIn));
        event.line = static_cast<int32_t>(lineNumber);
        event.dropFrame = dropFrame;
    }
    return contents;
}

} // namespace ombrel
