#pragma once

#include "list/drag_state.h"

#include <QString>

#include <optional>

class QMimeData;

namespace ombrel {

// The one drag format of the program: a drag from a list, as every drop
// target (lists, entry fields, Copy button, trash, function keys, Mini
// Calc) receives it. The text also travels as plain text for other
// programs.
inline const QString kTimecodeDragMimeType = QStringLiteral("application/x-ombrel-timecode-drag");

QMimeData* encodeTimecodeDrag(const TimecodeDrag& drag);

// The drag the data brings when it comes from a list of this run of the
// program; a drag from anywhere else is none.
std::optional<TimecodeDrag> decodeTimecodeDrag(const QMimeData* data);

// The drag a target takes: present when the data is a drag from a list and
// the target's rule accepts it.
std::optional<TimecodeDrag> acceptedDrag(const QMimeData* data, DropTarget target, int64_t calcCount);

} // namespace ombrel
