#pragma once

#include "entry/entry_fields.h"

#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// Copy: the focused one of the In, Out, Duration, percentage, FrameIn,
// FrameOut and FrameDur fields gets its whole text selected, and that text
// is what goes to the clipboard (a timecode with its separators as shown).
// Nothing when none of them has the focus.
std::optional<std::string> CopyField(EntryFields& fields, EntryField focused);

// Paste into the focused field of the clipboard text as the ClipStore
// holds it (ClipStoreText). The frame and percentage fields and FrameMini
// take the text as it is; the In and Out fields and the Mini Calc's display
// take it as a timecode in the active tab's form (PastedTimecode). The
// field's whole text ends selected. Returns whether a field took the text.
bool PasteIntoField(EntryFields& fields, EntryField focused, std::string_view text, char separator);

} // namespace ombrel
