#include "engine/drop_frame.h"

namespace ombrel {

int64_t DroppedLabelsPerMinute(int64_t nominalRate)
{
    return nominalRate / 15;
}

namespace {

// Frames in ten minutes of labels: the first minute keeps every label, the
// nine others each lose the dropped ones.
int64_t tenMinuteFrames(int64_t nominalRate)
{
    return 600 * nominalRate - 9 * DroppedLabelsPerMinute(nominalRate);
}

} // namespace

int64_t DropFrameDay(int64_t nominalRate)
{
    return 144 * tenMinuteFrames(nominalRate);
}

bool IsDroppedLabel(const TimecodeParts& label, int64_t nominalRate)
{
    return IsDropMinute(label.minutes) && label.seconds == 0 && label.frames < DroppedLabelsPerMinute(nominalRate);
}

void AdjustDropFrameParts(TimecodeParts& parts, int64_t nominalRate)
{
    if (IsDroppedLabel(parts, nominalRate))
        parts.frames = static_cast<int32_t>(DroppedLabelsPerMinute(nominalRate));
}

int64_t DropFrameNumberAt(const TimecodeParts& label, int64_t nominalRate)
{
    const int64_t totalMinutes = int64_t{label.hours} * 60 + label.minutes;
    return (totalMinutes * 60 + label.seconds) * nominalRate + label.frames -
           DroppedLabelsPerMinute(nominalRate) * (totalMinutes - totalMinutes / 10);
}

TimecodeParts DropFrameLabelAt(int64_t frameNumber, int64_t nominalRate)
{
    // Each frame is pushed past the labels dropped before it: all those of
    // the whole ten-minute blocks, then those of the minutes begun in its own
    // block after the first.
    const int64_t dropped = DroppedLabelsPerMinute(nominalRate);
    const int64_t block = tenMinuteFrames(nominalRate);
    const int64_t dropMinute = 60 * nominalRate - dropped;
    const int64_t n = detail::wrapInto(frameNumber, DropFrameDay(nominalRate));
    const int64_t inBlock = n % block;
    const int64_t label =
        n + 9 * dropped * (n / block) + (inBlock >= dropped ? dropped * ((inBlock - dropped) / dropMinute) : 0);
    const int64_t seconds = label / nominalRate;
    return {static_cast<int32_t>(seconds / 3600), static_cast<int32_t>(seconds / 60 % 60),
            static_cast<int32_t>(seconds % 60), static_cast<int32_t>(label % nominalRate)};
}

} // namespace ombrel
