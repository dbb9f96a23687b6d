#include "list/drag_state.h"

namespace ombrel {

namespace {

bool isValueColumn(int column)
{
    return column == InColumn || column == OutColumn || column == ResultColumn;
}

} // namespace

TimecodeDrag GenericStartDrag(DragState& state, const CalcSheet& sheet, TimecodeFormat list, int64_t row, int column)
{
    const bool onCell = row >= 0 && row < sheet.rowCount() && column >= 0 && column < kColumnCount;
    TimecodeDrag& drag = state.last;
    drag.source = list;
    drag.DragFromCell = onCell;
    drag.DragFromValueCell = onCell && isValueColumn(column);
    drag.DragIsNumber = false;
    state.DragRow = onCell ? std::optional(row) : std::nullopt;
    if (!onCell)
        return drag;

    const std::string_view text = sheet.cell(list, row, column);
    if (drag.DragFromValueCell)
        drag.DragText = text;
    drag.DragIsNumber = column == InColumn && sheet.cell(list, row, OperatorColumn) == "%";
    if (list == TimecodeFormat::Frames && (drag.DragFromValueCell || column == DescriptionColumn)) {
        drag.DragIsNumber = true;
        drag.DragText = text;
    }
    return drag;
}

bool DropAccepted(DropTarget target, const TimecodeDrag& drag, int64_t calcCount)
{
    switch (target) {
    case DropTarget::TimecodeField:
    case DropTarget::FunctionKey:
        return drag.source != TimecodeFormat::Frames && !drag.DragIsNumber && drag.DragFromValueCell && calcCount > 0;
    case DropTarget::NumberField:
        return drag.DragIsNumber;
    case DropTarget::CopyButton:
        return true;
    case DropTarget::Trash:
        return calcCount > 0 && drag.DragFromCell;
    }
    return false;
}

} // namespace ombrel
