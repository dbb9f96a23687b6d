#include "documents/edl_sheet.h"

#include "engine/calculation.h"
#include "engine/drop_frame.h"

namespace ombrel {

namespace {

EdlSheet refused(UserMessage message)
{
    EdlSheet refusal;
    refusal.error = std::move(message);
    return refusal;
}

std::string tabName(TimecodeFormat format)
{
    return std::string(FormatInfoOf(format).tabCaption);
}

// Why the list's frame count mode is not the active tab's, if it is not.
std::optional<UserMessage> modeMismatch(const EdlContents& edl, const FormatInfo& active)
{
    const bool dropFrame = edl.events.front().dropFrame;
    for (const EdlEvent& event : edl.events)
        if (event.dropFrame != dropFrame)
            return UserMessage{OMBREL_TEXT("ombrel", "This edit decision list changes between drop frame and "
                                                     "non-drop frame (line %1): no one tab shows both."),
                               {std::to_string(event.line)}};
    if (dropFrame && !active.dropFrame)
        return UserMessage{OMBREL_TEXT("ombrel", "This edit decision list counts in drop frame (FCM: DROP FRAME): "
                                                 "open it with the %1 tab shown."),
                           {tabName(TimecodeFormat::DropFrm)},
                           1};
    if (!dropFrame && active.dropFrame)
        return UserMessage{OMBREL_TEXT("ombrel", "This edit decision list counts in non-drop frame: open it with "
                                                 "the %1 tab shown, or the tab of its rate."),
                           {tabName(TimecodeFormat::NonDrop)},
                           1};
    return std::nullopt;
}

// Why a record timecode is not a label of the active tab, if it is not.
std::optional<UserMessage> labelRefusal(const EdlEvent& event, const TimecodeParts& label, const FormatInfo& active,
                                        const Rates& rates)
{
    const std::string text = FormatTimecodeText(label, active.separator);
    const std::string number = std::to_string(event.number);
    const std::string line = std::to_string(event.line);
    if (!WithinRange(label, active, rates))
        return UserMessage{OMBREL_TEXT("ombrel", "Event %1 (line %2): %3 is not a timecode of the %4 tab, whose "
                                                 "frames run to %5. Open the list with the tab of its rate shown."),
                           {number, line, text, std::string(active.name), std::to_string(LargestFrame(active, rates))}};
    if (active.dropFrame && IsDroppedLabel(label, active.nominalRate))
        return UserMessage{OMBREL_TEXT("ombrel", "Event %1 (line %2): %3 is a label drop frame skips."),
                           {number, line, text}};
    return std::nullopt;
}

} // namespace

std::optional<EdlSheet> EdlToSheet(const EdlContents& edl, TimecodeFormat activeFormat, LabelStyle labels,
                                   const Rates& rates, const std::function<bool(int permille)>& progress)
{
    if (edl.events.empty())
        return refused({OMBREL_TEXT("ombrel", "There is no event in this edit decision list."), {}});
    const FormatInfo& active = FormatInfoOf(activeFormat);
    if (std::optional<UserMessage> mismatch = modeMismatch(edl, active))
        return refused(std::move(*mismatch));

    // "In - Out - Duration" shows the record in first, and the difference
    // of the two is the duration; the other sets show out - in.
    const bool inFirst = labels == LabelStyle::InOutDuration;
    CalculationRequest request;
    request.op = inFirst ? Operator::Difference : Operator::Minus;
    request.activeFormat = activeFormat;
    CalcState state;
    state.rates = rates;
    EdlSheet imported;
    const auto count = static_cast<int64_t>(edl.events.size());
    for (int64_t e = 0; e < count; ++e) {
        if (progress && e % 4096 == 0 && !progress(static_cast<int>(1000 * e / count)))
            return std::nullopt;
        const EdlEvent& event = edl.events[static_cast<size_t>(e)];
        for (const TimecodeParts& label : {TimecodeParts(event.recordIn), TimecodeParts(event.recordOut)})
            if (std::optional<UserMessage> refusal = labelRefusal(event, label, active, rates))
                return refused(std::move(*refusal));
        const std::string in = FormatTimecodeText(event.recordIn, active.separator);
        const std::string out = FormatTimecodeText(event.recordOut, active.separator);
        request.inText = inFirst ? in : out;
        request.outText = inFirst ? out : in;
        Calculation calculation = ComputeCalculations(request, state);
        for (RowCells& row : calculation.rows)
            row[DescriptionColumn] = event.clipName;
        imported.sheet.appendCalculation(calculation.rows);
    }
    return imported;
}

} // namespace ombrel
