#pragma once

#include "engine/user_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// What a paste takes of the clipboard text, and the status text that tells
// the user what it cut or refused (nothing when it took the whole text).
// Both look only as far into the clipboard as the target can hold, so a
// clipboard of hundreds of megabytes costs no more than a short one.
struct ClipboardPaste {
    std::string text;
    std::optional<UserMessage> report;
};

inline constexpr size_t kClipStoreLength = 11;

// Clipboard text as the entry fields take it: the first line, at most 11
// characters (UTF-8 characters, never a byte of one). A line break that
// ends the text is no cut.
ClipboardPaste ClipStoreText(std::string_view clipboard);

// Clipboard text as the editor of a list cell in `column` takes it, with
// room for `room` more characters (UTF-16 units, as the editor counts
// them): the text without a line break that ends it, cut to the room.
// Refused, nothing pasted, when what it would paste is more than one line
// or has a character the cell may not hold (EditableCellText).
ClipboardPaste CellPasteText(int column, std::string_view clipboard, size_t room);

// How much of the start of the clipboard text a paste of at most
// `characters` characters (ClipStoreText: 11; CellPasteText: its room)
// looks at: those characters, a line ending and one more character, each
// up to four bytes in UTF-8, and the bytes of a character the start cut.
// On that start, cut to whole characters (WholeCharacters), both decide
// as they do on the whole text; so a paste reads no more of the clipboard.
size_t ClipboardBytesFor(size_t characters);

// The length of the start of `bytes` that ends at a character boundary: an
// incomplete UTF-8 sequence at the end, left by a cut, is left out.
size_t WholeCharacters(std::string_view bytes);

// Latin-1 text (an X selection offered only as STRING) in UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

// Pasted text as a timecode field takes it: exactly 11 characters with
// digits at the eight digit positions and ":" or ";" between the pairs, the
// separators then given as the active tab writes them. Anything else is
// the zero timecode. Values are not range checked.
std::string PastedTimecode(std::string_view text, char separator);

// The status text after a copy: "<text> - copied to clipboard".
UserMessage CopyConfirmation(std::string_view copied);

} // namespace ombrel
