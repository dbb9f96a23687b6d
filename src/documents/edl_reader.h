#pragma once

#include "engine/timecode.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// One event line of a CMX 3600 edit decision list, with what the comment
// lines after it say.
struct EdlEvent {
    int64_t number = 0;
    // The line it was read from, counting from 1.
    int64_t line = 0;
    std::string reel;
    // V, A, A2, AA, B, ...
    std::string track;
    // C, D, W001, K, ...
    std::string transition;
    // The transition's length in frames (a dissolve's "D 030"); 0 for a cut.
    int64_t transitionFrames = 0;
    TimecodeParts sourceIn, sourceOut, recordIn, recordOut;
    // The FCM: line in force: whether its timecodes count in drop frame.
    bool dropFrame = false;
    // "* FROM CLIP NAME:" (or "* TO CLIP NAME:" of a dissolve's second line).
    std::string clipName;
};

struct EdlContents {
    // Empty when the list was read; else why not, naming the line.
    std::string error;
    std::string title;
    std::vector<EdlEvent> events;

    bool ok() const { return error.empty(); }
};

// Reads an edit decision list: TITLE: and FCM: lines (an FCM: may change
// between events), event lines, the comment lines after them, ":" or ";"
// between the parts of a timecode, LF or CR LF line ends. A list whose first
// lines hold no TITLE:, FCM: or event is not an EDL and is refused before the
// rest is looked at; so is any line it cannot read, with its number.
EdlContents ReadEdl(std::string_view bytes);

// An EDL is no larger than a calculation file may be, and no line longer
// than this.
inline constexpr size_t kLongestEdlLine = 4096;
// How many lines may come before the first TITLE:, FCM: or event.
inline constexpr int kEdlHeadLines = 8;

} // namespace ombrel
