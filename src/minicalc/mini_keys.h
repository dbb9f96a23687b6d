#pragma once

#include "entry/entry_fields.h"

#include <optional>
#include <string>

namespace ombrel {

// FrameMini takes at most this many typed characters.
inline constexpr int kMiniFrameTypedLength = 9;

// The Mini Calc's keys. They change the entry fields as the main window's
// keys do and run the main window's Calculate command (around.calculate);
// the Mini Calc computes nothing itself.

// FormKeyPress: a key typed into the display, or a keypad button. Digits
// shift in at the end of the display or overwrite at its caret, and the
// display feeds the main field its state names; an operator key moves on to
// the second operand, or, while that is entered, calculates and carries the
// result on; Enter and "=" calculate; "." enters "00"; "I", "O", "P" and "D"
// recall.
void MiniKeyPress(EntryFields& fields, char key, const EntrySurroundings& around);

// FrameMiniKeyPress: a key typed into FrameMini. Returns the character the
// field then types itself (digits and Backspace, and "." turned into "0"
// when "00" would not fit), or nothing when the key was used up here.
std::optional<char> MiniFrameKeyPress(EntryFields& fields, char key, const EntrySurroundings& around);

// CalculateClick: the shown operand goes to the main field its state
// names, the main window calculates, and the Mini Calc shows the result.
// A refused calculation leaves the Mini Calc on the Duration as it stands.
// Returns whether the calculation was accepted.
bool MiniCalculate(EntryFields& fields, const EntrySurroundings& around);

// ClearBtnClick, after the main window's Clear: a new first operand of zero.
void MiniClear(EntryFields& fields, char separator);

// FormActivate: the percentage field gives way to "+" and the display of
// the mode (FrameMini in frame mode) takes the focus.
void MiniActivate(EntryFields& fields, bool frameMode);

// Panel1Click: the first and the second operand change places; a result
// stays.
void MiniSwitchOperand(EntryFields& fields);

// Panel1's caption: the name the label style gives the state's field.
std::string MiniCaption(MiniEntryState state, LabelStyle style);

} // namespace ombrel
