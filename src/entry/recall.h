#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ombrel {

// The label sets of the preferences, by their index there.
enum class LabelStyle { InOutDuration = 0, OutInDuration = 1, Tc1Tc2Total = 2 };

// The list column a recall key loads into a timecode field: the last row of
// the active tab's list. lastOperator is column 1 of the NonDrop list's last
// row. Nothing before the first calculation, on the Frames tab, for a key
// that is not a recall key, or for the In operand of a "%" calculation
// (that cell holds the percentage, not a timecode).
std::optional<int> RecallColumn(char key, LabelStyle style, std::string_view lastOperator, bool framesTabActive,
                                int64_t calcCount);

// The column a recall key loads into a frame-count field: the last row of
// the Frames list whatever tab is active, with no "%" exception.
std::optional<int> FrameRecallColumn(char key, LabelStyle style, int64_t calcCount);

} // namespace ombrel
