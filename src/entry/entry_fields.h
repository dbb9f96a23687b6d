#pragma once

#include "engine/calculation.h"
#include "entry/key_procedures.h"
#include "list/calc_sheet.h"

#include <functional>
#include <string>

namespace ombrel {

// What the Mini Calc's display is entering: which main field it feeds.
enum class MiniEntryState {
    EnterFirst,  // In (MaskEdit1) and FrameIn
    EnterSecond, // Out (MaskEdit2) and FrameOut
    ShowResult,  // the Duration; the frame display feeds nothing
};

// The Mini Calc: a second view of the entry band with its own display.
struct MiniEntry {
    MiniEntryState state = MiniEntryState::EnterFirst;
    FieldState display{"00:00:00:00"};
    FieldState frame{"0"}; // FrameMini
    // Panel2: the pending operator, "=" after a result, or nothing.
    std::string sign;
    // The Out operand of the last calculation, as it was typed: the Frames
    // tab shows zero in the Out field afterwards, yet Enter on a result
    // repeats the last operation.
    std::string lastOut;
};

// The entry band as plain data: what the timecode fields, the frame-count
// fields, the percentage field and the operator list hold. Windows show it
// (see entry/entry_panel.h); keys and commands change it here.
struct EntryFields {
    FieldState in{"00:00:00:00"};       // MaskEdit1
    FieldState out{"00:00:00:00"};      // MaskEdit2
    FieldState duration{"00:00:00:00"}; // MaskEdit3
    FieldState frameIn{"0"};
    FieldState frameOut{"0"};
    FieldState frameDur{"0"};
    FieldState percent{"0"}; // MaskEdit4
    bool percentVisible = false;
    Operator op = Operator::Plus;
    MiniEntry mini;
    // The field that is to take the focus, its whole text selected; the
    // view that shows the fields carries it out and clears it.
    EntryField focusRequest = EntryField::None;

    // The field of that name; nullptr for the operator list.
    FieldState* field(EntryField which);
};

// What the steps read and run beyond the fields.
struct EntrySurroundings {
    const CalcSheet& sheet;
    TimecodeFormat activeFormat = TimecodeFormat::NonDrop;
    LabelStyle labelStyle = LabelStyle::InOutDuration;
    // The Calculate command on the fields as they stand; false when it was
    // refused or failed.
    std::function<bool()> calculate;
    bool frameMode = false;
};

// A key typed into `keyed` runs through its key procedure, whose steps
// then change the fields in order; a refused calculation ends the chain.
// Returns whether the key was consumed: one that was not is the field's own
// to edit (a digit in a frame-count field).
bool PressEntryKey(EntryFields& fields, EntryField keyed, char key, const EntrySurroundings& around);

// The key procedure of a field.
KeyOutcome EntryKeyPress(EntryField keyed, const FieldState& field, char key, const EntryContext& context);

// A text put into a field as a whole: the caret after it, nothing selected.
void SetFieldText(FieldState& field, std::string text);
// The field takes the focus with its whole text selected. A main field
// taking the focus moves the Mini Calc with it (FollowFocus).
void RequestFocus(EntryFields& fields, EntryField which);

// The Mini Calc follows the main field that took the focus: the In and
// percentage fields are entered first, the Out field second, the Duration
// is a result; the frame fields also show their text in FrameMini.
void FollowFocus(EntryFields& fields, EntryField focused);
// The Mini Calc shows a result: the display the given timecode, FrameMini
// the frame Duration.
void ShowResultInMini(EntryFields& fields, std::string resultTimecode);
// FrameIn or FrameOut changed its text: FrameMini shows it.
void FollowFrameField(EntryFields& fields, EntryField changed);
// A timecode put into the Mini Calc's display (paste, drop, function key):
// a result gives way to a new first operand, the main field the display
// feeds takes the timecode too, and the display takes the focus.
void LoadMiniDisplay(EntryFields& fields, const std::string& timecode);
// FrameMini's text changed (FrameMiniChange): the main frame field the
// display feeds follows; a result feeds nothing.
void MiniFrameChanged(EntryFields& fields);
// A number put into FrameMini, and so into the main frame field it feeds.
void LoadMiniFrame(EntryFields& fields, const std::string& frames);

// The three timecode fields take the separator, keeping their digits.
void ApplySeparator(EntryFields& fields, char separator);
// The three timecode fields show zero.
void ZeroTimecodeFields(EntryFields& fields, char separator);
// Clear: every field shows zero, the operator goes back to "+" unless it
// is "%", and the first field of the mode takes the focus.
void ClearEntryFields(EntryFields& fields, char separator, bool frameMode);
// The fields after a tab change: the active format's separator, then the
// last calculation as that format's list shows it, and its operator.
void LoadActiveTab(EntryFields& fields, const CalcSheet& sheet, TimecodeFormat activeFormat);

// What the Calculate command reads. Empty frame-count fields read, and from
// then on show, "0".
CalculationRequest TakeCalculationRequest(EntryFields& fields, bool frameMode, bool rangeCheck,
                                          TimecodeFormat activeFormat);

} // namespace ombrel
