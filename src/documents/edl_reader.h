#pragma once

#include "engine/timecode.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// A timecode label as a list writes it, two digits a part; a long list
// holds four for each event, so it is kept small.
struct EdlLabel {
    uint8_t hours = 0, minutes = 0, seconds = 0, frames = 0;

    operator TimecodeParts() const { return {hours, minutes, seconds, frames}; }
};

// One event line of a CMX 3600 edit decision list, with what the comment
// lines after it say. It is about the size of its lines, as a list of many
// events is read whole: the texts are views of the list's text
// (EdlContents::text), the numbers as small as their values.
struct EdlEvent {
    int64_t number = 0;
    std::string_view reel;
    // V, A, A2, AA, B, ...
    std::string_view track;
    // C, D, W001, K, ...
    std::string_view transition;
    // "* FROM CLIP NAME:" (or "* TO CLIP NAME:" of a dissolve's second line).
    std::string_view clipName;
    EdlLabel sourceIn, sourceOut, recordIn, recordOut;
    // The line it was read from, counting from 1 (a list is at most
    // kEdlSizeLimit bytes).
    int32_t line = 0;
    // The transition's length in frames (a dissolve's "D 030"); 0 for a cut.
    int16_t transitionFrames = 0;
    // The FCM: line in force: whether its timecodes count in drop frame.
    bool dropFrame = false;
};

struct EdlContents {
    // Empty when the list was read; else why not, naming the line.
    std::string error;
    // The list's text in UTF-8, which the title and the events view; copies
    // of the contents share it.
    std::shared_ptr<const std::string> text;
    std::string_view title;
    std::vector<EdlEvent> events;

    bool ok() const { return error.empty(); }
};

// Reads an edit decision list: TITLE: and FCM: lines (an FCM: may change
// between events), event lines, the comment lines after them, ":" or ";"
// between the parts of a timecode, LF or CR LF line ends, a byte-order mark.
// A list whose head (EdlHeadError) holds no TITLE:, FCM: or event is not an
// EDL and is refused before the rest is looked at; so is any line it cannot
// read, with its number, and an event whose record out comes before its
// record in. The texts (title, reel, track, clip names) come out as UTF-8: a
// list that is not valid UTF-8 is read as Windows-1252.
EdlContents ReadEdl(std::string bytes);

// The head of a list is its first kEdlHeadSize bytes (all of a shorter
// one), and in them its first kEdlHeadLines lines: the first of those that
// is not blank or a comment must be a TITLE:, an FCM: or an event. The
// reason to refuse a head that is not an EDL's, naming the line where there
// is one; else nothing.
inline constexpr size_t kEdlHeadSize = 1024;
inline constexpr int kEdlHeadLines = 8;
std::optional<std::string> EdlHeadError(std::string_view head);

// No line of an EDL is longer than this. Editing systems write lists of a
// few thousand events at most; a list larger than kEdlSizeLimit (some
// half a million events) is not read, as the events it holds would take
// many times its size in memory.
inline constexpr size_t kLongestEdlLine = 4096;
inline constexpr int64_t kEdlSizeLimit = int64_t{64} << 20;

} // namespace ombrel
