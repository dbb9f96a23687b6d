#pragma once

#include "list/drag_state.h"

#include <functional>

class QWidget;

namespace ombrel {

struct DropHandlers {
    // The calculations in the lists when the drag arrives.
    std::function<int64_t()> calcCount;
    // An accepted drop.
    std::function<void(const TimecodeDrag&)> dropped;
    // An accepted drag comes over the widget (true) or leaves it (false).
    std::function<void(bool over)> hovered = {};
};

// Makes a widget a drop target of drags from the lists. What the target's
// rule refuses shows the no-drop cursor and changes nothing; every drag
// event of the widget is handled here, so a text field never inserts a
// dropped text by itself.
void makeDropTarget(QWidget* widget, DropTarget target, DropHandlers handlers);

} // namespace ombrel
