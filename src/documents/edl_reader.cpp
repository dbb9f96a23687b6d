#include "documents/edl_reader.h"

#include <charconv>

namespace ombrel {

namespace {

// The blank-separated words of a line.
std::vector<std::string_view> wordsOf(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        const size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t')
            ++pos;
        if (pos > start)
            words.push_back(line.substr(start, pos - start));
    }
    return words;
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

std::string_view trimmed(std::string_view text)
{
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

bool isTransition(std::string_view word)
{
    return word == "C" || word == "D" || word == "W" || word == "K" || (word.size() == 4 && word[0] == 'W') ||
           (word.size() >= 2 && word[0] == 'K');
}

} // namespace

EdlContents ReadEdl(std::string_view bytes)
{
    EdlContents contents;
    bool dropFrame = false;
    bool recognised = false;
    int64_t lineNumber = 0;
    const auto refuse = [&](std::string_view why) {
        contents.error = "line " + std::to_string(lineNumber) + ": " + std::string(why);
        contents.events.clear();
        return contents;
    };
    while (!bytes.empty()) {
        const size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > kLongestEdlLine)
            return refuse("the line is longer than " + std::to_string(kLongestEdlLine) + " bytes");
        if (!recognised && lineNumber > kEdlHeadLines)
            return refuse("this is not an edit decision list (no TITLE:, FCM: or event in its first lines)");
        const std::string_view text = trimmed(line);
        if (text.empty())
            continue;
        if (text.starts_with("TITLE:")) {
            contents.title = std::string(trimmed(text.substr(6)));
            recognised = true;
            continue;
        }
        if (text.starts_with("FCM:")) {
            const std::string_view mode = trimmed(text.substr(4));
            if (mode == "DROP FRAME")
                dropFrame = true;
            else if (mode == "NON-DROP FRAME" || mode == "NON DROP FRAME")
                dropFrame = false;
            else
                return refuse("'" + std::string(mode) + "' is not a frame count mode (DROP FRAME or NON-DROP FRAME)");
            recognised = true;
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
        const std::vector<std::string_view> words = wordsOf(text);
        EdlEvent event;
        if (!readNumber(words[0], event.number)) {
            if (!recognised)
                return refuse("this is not an edit decision list (no TITLE:, FCM: or event in its first lines)");
            return refuse("'" + std::string(words[0]) + "' is not an event number");
        }
        // number reel track transition [frames] srcIn srcOut recIn recOut
        if (words.size() != 8 && words.size() != 9)
            return refuse("an event line holds its number, reel, track, transition and four timecodes");
        event.line = lineNumber;
        event.reel = std::string(words[1]);
        event.track = std::string(words[2]);
        event.transition = std::string(words[3]);
        if (!isTransition(words[3]))
            return refuse("'" + std::string(words[3]) + "' is not a transition (C, D, W or K)");
        size_t next = 4;
        if (words.size() == 9) {
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
        event.dropFrame = dropFrame;
        recognised = true;
        contents.events.push_back(std::move(event));
    }
    if (!recognised)
        return refuse("this is not an edit decision list (no TITLE:, FCM: or event in its first lines)");
    return contents;
}

} // namespace ombrel
