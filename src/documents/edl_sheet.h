#pragma once

#include "documents/edl_reader.h"
#include "engine/format_info.h"
#include "engine/user_text.h"
#include "entry/recall.h"
#include "list/calc_sheet.h"

#include <functional>
#include <optional>
#include <string>

namespace ombrel {

struct EdlSheet {
    // The message to show when the list cannot become rows; empty when it
    // did.
    UserMessage error;
    CalcSheet sheet;

    bool ok() const { return error.text.empty(); }
};

// The events of an edit decision list as a sheet, one calculation each,
// computed as if typed on the active tab: record out - record in = record
// duration, the operands laid out as the label style shows them (record in
// ~ record out under "In - Out - Duration"), the clip name as the
// description of every list. A list is refused, with the message and no
// sheet, when it has no event, when its drop-frame mode (FCM:) is not the
// active tab's (the message names the tab to use), when it changes between
// the two, and when a record timecode is not a label of the active tab.
// `progress` hears how far it came in thousandths, and stops it by
// answering false: then nothing.
std::optional<EdlSheet> EdlToSheet(const EdlContents& edl, TimecodeFormat activeFormat, LabelStyle labels,
                                   const Rates& rates, const std::function<bool(int permille)>& progress = {});

} // namespace ombrel
