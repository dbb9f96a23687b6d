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

// Room left between two windows placed side by side.
constexpr int kBesideGap = 8;

Span columnsOf(const ScreenRect& screen)
{
    return {screen.left, int64_t(screen.left) + screen.width};
}

Span rowsOf(const ScreenRect& screen)
{
    return {screen.top, int64_t(screen.top) + screen.height};
}

} // namespace

WindowPosition PlaceOnScreens(WindowPosition stored, int width, int height, const std::vector<ScreenRect>& screens)
{
    const Span across{stored.left, int64_t(stored.left) + std::max(width, 1)};
    const ScreenRect* nearest = nullptr;
    int64_t nearestDistance = std::numeric_limits<int64_t>::max();
    for (const ScreenRect& screen : screens) {
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

WindowPosition PlaceBeside(ScreenRect main, int width, int height, const std::vector<ScreenRect>& screens)
{
    const Span mainColumns{main.left, int64_t(main.left) + std::max(main.width, 1)};
    const Span mainRows{main.top, int64_t(main.top) + std::max(main.height, 1)};
    // The screen that holds most of the main window, or the nearest one.
    const ScreenRect* home = nullptr;
    int64_t mostShared = 0;
    int64_t nearestDistance = std::numeric_limits<int64_t>::max();
    for (const ScreenRect& screen : screens) {
        const int64_t shared = overlap(mainColumns, columnsOf(screen)) * overlap(mainRows, rowsOf(screen));
        const int64_t away = distance(main.left, columnsOf(screen)) + distance(main.top, rowsOf(screen));
        if (shared > mostShared || (mostShared == 0 && shared == 0 && away < nearestDistance)) {
            mostShared = shared;
            nearestDistance = away;
            home = &screen;
        }
    }
    const int64_t right = mainColumns.last + kBesideGap;
    const int64_t left = mainColumns.first - kBesideGap - width;
    if (!home)
        return {int(std::min<int64_t>(right, std::numeric_limits<int>::max())), main.top};
    const Span columns = columnsOf(*home);
    const Span rows = rowsOf(*home);
    const int64_t top = inside(main.top, height, rows);
    const auto fits = [&](int64_t start) { return start >= columns.first && start + width <= columns.last; };
    if (fits(right))
        return {int(right), int(top)};
    if (fits(left))
        return {int(left), int(top)};
    const int64_t under = inside(mainColumns.first, width, columns);
    const std::pair<int64_t, int64_t> spots[] = {
        {inside(columns.last - width, width, columns), top},
        {columns.first, top},
        {under, inside(mainRows.last + kBesideGap, height, rows)},
        {under, inside(mainRows.first - kBesideGap - height, height, rows)},
    };
    const auto covered = [&](std::pair<int64_t, int64_t> spot) {
        return overlap(mainColumns, {spot.first, spot.first + width}) *
               overlap(mainRows, {spot.second, spot.second + height});
    };
    const auto* best =
        std::min_element(std::begin(spots), std::end(spots), [&](auto a, auto b) { return covered(a) < covered(b); });
    // Every spot lies within the screen, so it fits an int.
    return {int(best->first), int(best->second)};
}

} // namespace ombrel
