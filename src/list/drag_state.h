#pragma once

#include "list/calc_sheet.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ombrel {

// What a drag from a list carries to its drop target.
struct TimecodeDrag {
    // The text dropped: the value cell the drag started on, or the text of
    // the last drag that had one.
    std::string DragText;
    // The text is a number (a percentage or a value of the Frames list)
    // rather than a timecode.
    bool DragIsNumber = false;
    // The drag started on an In, Out or Duration cell.
    bool DragFromValueCell = false;
    // The drag started on a cell of a calculation.
    bool DragFromCell = false;
    TimecodeFormat source = TimecodeFormat::NonDrop;

    friend bool operator==(const TimecodeDrag&, const TimecodeDrag&) = default;
};

// The lists' drag state: the last drag, and the row it started on until a
// drop, a calculation or an opened file forgets it.
struct DragState {
    TimecodeDrag last;
    std::optional<int64_t> DragRow;
};

// Records a drag that starts on cell (row, column) of one list and returns
// what it carries. Row or column -1, or a row past the calculations (the
// empty row of an empty list), is outside the cells. The row recorded is
// the pressed row whatever the column, so the trash deletes the row the
// user took.
TimecodeDrag GenericStartDrag(DragState& state, const CalcSheet& sheet, TimecodeFormat list, int64_t row, int column);

// Everything that takes a drop from a list.
enum class DropTarget {
    TimecodeField, // the In and Out fields, the Mini Calc's display
    FunctionKey,   // F1Btn to F12Btn
    NumberField,   // the frame fields and the percentage field
    CopyButton,
    Trash
};

bool DropAccepted(DropTarget target, const TimecodeDrag& drag, int64_t calcCount);

} // namespace ombrel
