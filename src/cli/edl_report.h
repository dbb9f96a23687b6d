#pragma once

#include "documents/edl_reader.h"
#include "engine/frame_rate.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ombrel {

class OutputBuffer;

// An event with its timecodes counted: source in and out, record in and
// out, as frame numbers at its rate.
struct TimedEdlEvent {
    const EdlEvent* event = nullptr;
    FrameRate rate;
    int64_t frames[4] = {};

    int64_t recordIn() const { return frames[2]; }
    int64_t recordOut() const { return frames[3]; }
    int64_t duration() const { return recordOut() - recordIn(); }
};

// Counts the events' timecodes at the rate given, or at 30 frames a second
// in the drop-frame mode of each event's FCM: when none is given. Throws
// ConversionError naming the line: a rate that contradicts the FCM:, a
// label the rate does not have.
std::vector<TimedEdlEvent> TimeEdlEvents(const EdlContents& edl, const std::optional<FrameRate>& given);

// Time no event of a track covers, between two that do.
struct EdlGap {
    int64_t afterEvent = 0;  // the event whose end it follows
    int64_t beforeEvent = 0; // the event it ends with
    int64_t from = 0;        // record frame numbers
    int64_t to = 0;
};

// The record time a track's events cover together, each frame once however
// many events overlap on it, and the gaps between them in record order.
struct EdlCoverage {
    int64_t total = 0;
    std::vector<EdlGap> gaps;
};
EdlCoverage TrackCoverage(const std::vector<TimedEdlEvent>& events, std::string_view track);

// One line per event: CSV with a header line, or one JSON object a line.
void WriteEdlEvents(const std::vector<TimedEdlEvent>& events, bool json, OutputBuffer& out);

// The total of a track at the rate: a line, or a JSON object that also
// holds the gaps.
void WriteEdlSum(const EdlCoverage& coverage, std::string_view track, const FrameRate& rate, bool json,
                 OutputBuffer& out);
// A gap as a notice line: how long, between which events, from and to.
std::string EdlGapNotice(const EdlGap& gap, const FrameRate& rate);

} // namespace ombrel
