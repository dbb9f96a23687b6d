#include "cli/edl_report.h"

#include "cli/output_buffer.h"
#include "cli/report_fields.h"

#include <algorithm>
#include <string>

namespace ombrel {

namespace {

std::string labelAt(int64_t frames, const FrameRate& rate)
{
    char text[kLongestLabelPastDay];
    return std::string(text, WriteLabelPastDay(frames, rate, text));
}

std::string lineOf(const EdlEvent& event)
{
    return "line " + std::to_string(event.line) + ": ";
}

} // namespace

std::vector<TimedEdlEvent> TimeEdlEvents(const EdlContents& edl, const std::optional<FrameRate>& given)
{
    std::vector<TimedEdlEvent> timed;
    timed.reserve(edl.events.size());
    for (const EdlEvent& event : edl.events) {
        TimedEdlEvent& t = timed.emplace_back();
        t.event = &event;
        if (given && given->dropFrame != event.dropFrame)
            throw ConversionError(lineOf(event) + "--rate " + FrameRateName(*given) + " contradicts the list's FCM: (" +
                                  (event.dropFrame ? "DROP FRAME" : "NON-DROP FRAME") + ")");
        t.rate = given ? *given : event.dropFrame ? FrameRate{30, true, true} : FrameRate{30};
        const TimecodeParts times[] = {event.sourceIn, event.sourceOut, event.recordIn, event.recordOut};
        for (int i = 0; i < 4; ++i) {
            // Written and read again as a label of the rate, which checks it.
            char text[16];
            try {
                const std::string_view label(text, WriteLabel(times[i], FrameRate{t.rate.nominal}, text));
                t.frames[i] = LabelToFrame(ParseLabel(label, t.rate), t.rate);
            } catch (const ConversionError& bad) {
                throw ConversionError(lineOf(event) + bad.what());
            }
        }
    }
    return timed;
}

EdlCoverage TrackCoverage(const std::vector<TimedEdlEvent>& events, std::string_view track)
{
    std::vector<const TimedEdlEvent*> onTrack;
    for (const TimedEdlEvent& event : events)
        if (event.event->track == track)
            onTrack.push_back(&event);
    std::stable_sort(onTrack.begin(), onTrack.end(),
                     [](const TimedEdlEvent* a, const TimedEdlEvent* b) { return a->recordIn() < b->recordIn(); });
    EdlCoverage coverage;
    const TimedEdlEvent* last = nullptr; // the event that reaches furthest so far
    for (const TimedEdlEvent* event : onTrack) {
        if (!last) {
            coverage.total = event->duration();
            last = event;
            continue;
        }
        if (event->recordIn() > last->recordOut())
            coverage.gaps.push_back({last->event->number, event->event->number, last->recordOut(), event->recordIn()});
        if (event->recordOut() > last->recordOut()) {
            coverage.total += event->recordOut() - std::max(event->recordIn(), last->recordOut());
            last = event;
        }
    }
    return coverage;
}

void WriteEdlEvents(const std::vector<TimedEdlEvent>& events, bool json, OutputBuffer& out)
{
    static constexpr std::string_view kCsvHeader =
        "event,reel,track,source in,source out,record in,record out,duration,clip\n";
    static constexpr std::string_view kTimeKeys[] = {"source_in", "source_out", "record_in", "record_out"};
    if (!json)
        out.append(kCsvHeader);
    for (const TimedEdlEvent& timed : events) {
        const EdlEvent& event = *timed.event;
        const TimecodeParts times[] = {event.sourceIn, event.sourceOut, event.recordIn, event.recordOut};
        char text[16];
        if (json) {
            out.append("{\"event\":" + std::to_string(event.number) + ",\"reel\":");
            AppendJsonString(event.reel, out);
            out.append(",\"track\":");
            AppendJsonString(event.track, out);
            for (int i = 0; i < 4; ++i) {
                out.append(",\"" + std::string(kTimeKeys[i]) + "\":\"");
                out.append(std::string_view(text, WriteLabel(times[i], timed.rate, text)));
                out.append("\"");
            }
            out.append(",\"duration\":\"" + labelAt(timed.duration(), timed.rate) + "\",\"clip\":");
            AppendJsonString(event.clipName, out);
            out.append("}\n");
            continue;
        }
        out.append(std::to_string(event.number) + ",");
        AppendCsvField(event.reel, out);
        out.append(",");
        AppendCsvField(event.track, out);
        for (const TimecodeParts& time : times) {
            out.append(",");
            out.append(std::string_view(text, WriteLabel(time, timed.rate, text)));
        }
        out.append("," + labelAt(timed.duration(), timed.rate) + ",");
        AppendCsvField(event.clipName, out);
        out.append("\n");
    }
}

void WriteEdlSum(const EdlCoverage& coverage, std::string_view track, const FrameRate& rate, bool json,
                 OutputBuffer& out)
{
    if (!json) {
        out.append(labelAt(coverage.total, rate) + "\n");
        return;
    }
    out.append("{\"track\":");
    AppendJsonString(track, out);
    out.append(",\"sum\":\"" + labelAt(coverage.total, rate) + "\",\"gaps\":[");
    for (size_t g = 0; g < coverage.gaps.size(); ++g) {
        const EdlGap& gap = coverage.gaps[g];
        out.append(std::string(g > 0 ? "," : "") + "{\"after\":" + std::to_string(gap.afterEvent) + ",\"before\":" +
                   std::to_string(gap.beforeEvent) + ",\"from\":\"" + labelAt(gap.from, rate) + "\",\"to\":\"" +
                   labelAt(gap.to, rate) + "\",\"duration\":\"" + labelAt(gap.to - gap.from, rate) + "\"}");
    }
    out.append("]}\n");
}

std::string EdlGapNotice(const EdlGap& gap, const FrameRate& rate)
{
    return "a gap of " + labelAt(gap.to - gap.from, rate) + " between events " + std::to_string(gap.afterEvent) +
           " and " + std::to_string(gap.beforeEvent) + " (" + labelAt(gap.from, rate) + " to " + labelAt(gap.to, rate) +
           ")";
}

} // namespace ombrel
