#pragma once

#include "engine/timecode.h"

#include <cstdint>

namespace ombrel {

// Drop-frame counting at any nominal rate that is a multiple of 30: at the
// start of every minute but each tenth, the first nominal / 15 frame labels
// are skipped (2 at 30, 4 at 60), which keeps the labels in step with a
// clock running at 1000/1001 of the nominal rate.
int64_t DroppedLabelsPerMinute(int64_t nominalRate);
// Frames in one day of labels: 2,589,408 at 30, 5,178,816 at 60.
int64_t DropFrameDay(int64_t nominalRate);

// A label that does not exist (a dropped label at second 0 of a drop
// minute) moves on to the first one that does.
void AdjustDropFrameParts(TimecodeParts& parts, int64_t nominalRate);

// Whether the label is one of those skipped at the start of a drop minute.
bool IsDroppedLabel(const TimecodeParts& label, int64_t nominalRate);

// A legal label to its real frame number, and back; the label side wraps
// into one day.
int64_t DropFrameNumberAt(const TimecodeParts& label, int64_t nominalRate);
TimecodeParts DropFrameLabelAt(int64_t frameNumber, int64_t nominalRate);

} // namespace ombrel
