#pragma once

#include "engine/frame_rate.h"
#include "list/calc_sheet.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ombrel {

class OutputBuffer;

// Writes the rows of one list of a sheet, cells as the list shows them:
// as CSV with a header line "in,op,out,duration,description" (fields quoted
// as RFC 4180 says), or as one JSON object a line with those keys.
void WriteSheetRows(const CalcSheet& sheet, TimecodeFormat list, bool json, OutputBuffer& out);

// The rate a timecode list's cells are labels of; the user list's rate is
// the one given. Nothing for the frames list, which holds frame counts.
std::optional<FrameRate> ListRate(TimecodeFormat list, int64_t userRate);

// The durations of one list added up, as a frame count. Throws
// ConversionError naming the first cell that is not a duration of the list.
int64_t SumDurations(const CalcSheet& sheet, TimecodeFormat list, int64_t userRate);

// A sum as the list writes it: a label whose hours go on past a day, or a
// frame count for the frames list.
std::string SumText(int64_t count, TimecodeFormat list, int64_t userRate);

} // namespace ombrel
