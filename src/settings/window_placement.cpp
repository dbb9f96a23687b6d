#include "settings/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace ombrel {

namespace {

// Wide enough for sums of any two ints.
struct Span {
    int64_t first;
    int64_t last; // one past
};

int64_t overlap(Span a, Span b)
{
    return std::max<int64_t>(0, std::min(a.last, b.last) - std::max(a.first, b.first));
}

int64_t distance(int64_t value, Span span)
{
    return value < span.first ? span.first - value : value >= span.last ? value - span.last + 1 : 0;
}

// The nearest start for a length within a span, or the span's start when it
// does not fit.
int64_t inside(int64_t start, int64_t length, Span span)
{
    return std::max(span.first, std::min(start, span.last - length));
}

} // namespace

WindowPosition PlaceOnScreens(WindowPosition stored, int width, int height, const std::vector<ScreenArea>& screens)
{
    const Span across{stored.left, int64_t(stored.left) + std::max(width, 1)};
    const ScreenArea* nearest = nullptr;
    int64_t nearestDistance = std::numeric_limits<int64_t>::max();
    for (const ScreenArea& screen : screens) {
        const Span columns{screen.left, int64_t(screen.left) + screen.width};
        const Span rows{screen.top, int64_t(screen.top) + screen.height};
        const bool edgeOnScreen = stored.top >= rows.first && stored.top <= rows.last - kReachableEdge;
        if (edgeOnScreen && overlap(across, columns) >= std::min<int64_t>(kReachableEdge, across.last - across.first))
            return stored;
        const int64_t away = distance(stored.left, columns) + distance(stored.top, rows);
        if (away < nearestDistance) {
            nearestDistance = away;
            nearest = &screen;
        }
    }
    if (!nearest)
        return stored;
    const Span columns{nearest->left, int64_t(nearest->left) + nearest->width};
    const Span rows{nearest->top, int64_t(nearest->top) + nearest->height};
    // Both results lie within the screen, so they fit an int.
    return {int(inside(stored.left, width, columns)), int(inside(stored.top, height, rows))};
}

} // namespace ombrel
