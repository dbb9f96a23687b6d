#pragma once

#include "engine/calculation.h"
#include "entry/recall.h"
#include "entry/timecode_field.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ombrel {

// The fields and controls a key procedure can act on, and the two result
// fields, which only commands change.
enum class EntryField {
    None,
    In,           // MaskEdit1
    Out,          // MaskEdit2
    OperandCombo, // the operator list
    Percent,      // MaskEdit4
    FrameIn,
    FrameOut,
    Duration, // MaskEdit3
    FrameDur,
    MiniDisplay, // the Mini Calc's timecode display
    MiniFrame,   // the Mini Calc's FrameMini
};

enum class RecallSource {
    ActiveList, // the list of the active tab
    FramesList, // StringGrid6, whatever tab is active
};

// One thing the window does after a key, in the order given.
enum class EntryAction {
    ZeroDuration,          // LoadEdit "00000000" into MaskEdit3 (and so the mini display)
    LoadField,             // the keyed field takes KeyOutcome::field (text, caret, selection);
                           // its text is mirrored into the mini display, as LoadEdit does
    PlaceCaret,            // the keyed field takes KeyOutcome::field's caret and selection only
    ZeroFrameDur,          // FrameDur := "0"
    SelectOperator,        // the operator list selects `op`
    Calculate,             // CalculateBtnClick; if it is refused or fails, skip the rest
    CopyDurationToIn,      // MaskEdit1 := MaskEdit3's text (the result is the next In operand)
    FrameInFromLastResult, // FrameIn := column 4 of the Frames list's last row
    ShowPercentField,      // MaskEdit4 visible
    HidePercentField,      // MaskEdit4 hidden
    Recall,                // `field` := the cell (`source` list, last row, `column`)
    Focus,                 // `field` receives the focus with its whole text selected
};

struct EntryStep {
    EntryAction action;
    Operator op = Operator::Plus;                   // SelectOperator
    EntryField field = EntryField::None;            // Recall, Focus
    RecallSource source = RecallSource::ActiveList; // Recall
    int column = -1;                                // Recall

    friend bool operator==(const EntryStep&, const EntryStep&) = default;
};

// What the window knows when a key arrives.
struct EntryContext {
    char separator = kColonSeparator; // EntrySeparator of the active tab
    LabelStyle labelStyle = LabelStyle::InOutDuration;
    int64_t calcCount = 0;
    bool framesTabActive = false;
    std::string lastOperator;         // column 1 of StringGrid1's last row; only read for recall keys
    bool percentFieldVisible = false; // MaskEdit4, only read by the operator list
};

// The answer of a key procedure.
struct KeyOutcome {
    // The keyed field's new state (timecode fields only; applied by the
    // LoadField or PlaceCaret step).
    FieldState field;
    // The key does not reach the control's own editing. The timecode
    // fields and the operator list consume every key; the frame fields
    // let digits and Backspace through (and "." for the percentage field).
    bool consumed = true;
    std::vector<EntryStep> steps;
};

// The In (MaskEdit1) and Out (MaskEdit2) timecode fields. Every key first
// zeroes the Duration; "." enters two zeros.
KeyOutcome MaskEdit1KeyPress(const FieldState& field, char key, const EntryContext& context);
KeyOutcome MaskEdit2KeyPress(const FieldState& field, char key, const EntryContext& context);

// The operator list.
KeyOutcome OperandComboKeyPress(char key, const EntryContext& context);

// The frame-count fields and the percentage field (MaskEdit4).
KeyOutcome FrameInKeyPress(char key, const EntryContext& context);
KeyOutcome FrameOutKeyPress(char key, const EntryContext& context);
KeyOutcome MaskEdit4KeyPress(char key, const EntryContext& context);

} // namespace ombrel
