#pragma once

#include "engine/timecode.h"

#include <string>
#include <string_view>

namespace ombrel {

// What a key procedure sees of an entry field: its text, the caret (the
// selection start, 0 = before the first character) and the selection length.
struct FieldState {
    std::string text;
    int caret = 0;
    int selectionLength = 0;

    friend bool operator==(const FieldState&, const FieldState&) = default;
};

inline constexpr char kColonSeparator = ':';
inline constexpr char kDropSeparator = ';';
inline constexpr std::string_view kZeroDigits = "00000000";

// The separator of the active tab's format: ";" on DropFrm, ":" elsewhere.
char EntrySeparator(TimecodeFormat activeFormat);

// The eight digit characters of a timecode field, hours first. An
// 11-character text is read at its digit positions, so a stray separator
// of the other form cannot shift the digits; any other text (a field that
// was emptied or cut short) gives its last eight non-separator characters,
// with "0" filling in front.
std::string EntryDigits(std::string_view text, char separator);

// The 11-character field text of eight digits: d0 d1 s d2 d3 s d4 d5 s d6 d7.
// Missing digits read as "0", extra ones are ignored.
std::string LoadEditText(std::string_view digits, char separator);

// The field made safe to edit: an 11-character text, the caret within 0..11
// and the selection within the text.
FieldState NormalizedTimecodeField(FieldState field, char separator);

struct TimecodeFieldEdit {
    FieldState field;
    bool loaded = false; // the text was rebuilt from digits (LoadEdit ran)
};

// What one key does to the text and caret of the In or Out timecode field:
// digit entry (shift in at the end, overwrite inside), Backspace, and the
// caret step that follows every key, leaving the character at the caret
// selected. Other keys change only the caret. "." is not special here.
TimecodeFieldEdit EditTimecodeField(const FieldState& field, char key, char separator);

} // namespace ombrel
