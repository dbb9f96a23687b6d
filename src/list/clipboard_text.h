#pragma once

#include "engine/user_text.h"

#include <string>
#include <string_view>

namespace ombrel {

// Clipboard text as the entry fields take it: the first line, at most 11
// characters (UTF-8 characters, never a byte of one).
std::string ClipStoreText(std::string_view clipboard);

// Pasted text as a timecode field takes it: exactly 11 characters with
// digits at the eight digit positions and ":" or ";" between the pairs, the
// separators then given as the active tab writes them. Anything else is
// the zero timecode. Values are not range checked.
std::string PastedTimecode(std::string_view text, char separator);

// The status text after a copy: "<text> - copied to clipboard".
UserMessage CopyConfirmation(std::string_view copied);

} // namespace ombrel
