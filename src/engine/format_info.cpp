#include "engine/format_info.h"

#include "engine/drop_frame.h"

#include <cmath>

namespace ombrel {

bool WithinRange(const TimecodeParts& parts, const FormatInfo& format, const Rates& rates)
{
    return parts.hours <= 23 && parts.minutes <= 59 && parts.seconds <= 59 &&
           parts.frames <= LargestFrame(format, rates);
}

int64_t LabelToFrames(TimecodeParts label, const FormatInfo& format, const Rates& rates)
{
    if (!format.dropFrame)
        return PartsToFrames(label, WholeRate(format, rates));
    AdjustDropFrameParts(label, format.nominalRate);
    return DropFrameNumberAt(label, format.nominalRate);
}

TimecodeParts FramesToLabel(int64_t count, const FormatInfo& format, const Rates& rates)
{
    return format.dropFrame ? DropFrameLabelAt(count, format.nominalRate) : GenericTC(count, WholeRate(format, rates));
}

double DropCompensate(double count, TimecodeFormat activeFormat)
{
    const FormatInfo& format = FormatInfoOf(activeFormat);
    if (!format.dropFrame)
        return count;
    const double perMinute = 60.0 * double(format.nominalRate);
    const double minutes = count >= perMinute ? std::trunc(count / perMinute) : 0;
    const double tenMinutes = count >= 10 * perMinute ? std::trunc(count / (10 * perMinute)) : 0;
    const auto dropped = double(DroppedLabelsPerMinute(format.nominalRate));
    return count + dropped * minutes - dropped * tenMinutes;
}

} // namespace ombrel
