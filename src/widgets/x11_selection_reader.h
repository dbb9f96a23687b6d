#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace ombrel {

// The two X selections a paste reads: the clipboard (Ctrl+V, Paste) and the
// primary selection (a middle click).
enum class X11Selection { Clipboard, Primary };

// How long the owner of a selection may take to answer, and to hand over
// each part of a long text: as long as Qt waits for the clipboard.
inline constexpr std::chrono::milliseconds kSelectionTimeout{5000};

// The start of the selection's text as UTF-8, at most `maxBytes` bytes (a
// character the end cuts may be incomplete), read by a connection of its
// own to the X server $DISPLAY names, apart from the program's event loop.
// The owner is asked for UTF8_STRING, then "text/plain;charset=utf-8",
// then Latin-1 STRING (given in UTF-8); a long text handed over in parts
// (INCR) is read only until `maxBytes` have come; its other parts are
// then let go by unread in the background, so that an owner waiting for
// the transfer to end is free again. Empty when no program owns the selection,
// it offers no text or it does not answer in time; nothing when the server
// cannot be reached. The selection must not be the calling program's own:
// it could not answer while it waits here.
std::optional<std::string> ReadX11SelectionText(X11Selection selection, size_t maxBytes,
                                                std::chrono::milliseconds timeout = kSelectionTimeout);

} // namespace ombrel
