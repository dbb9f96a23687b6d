#pragma once

#include "settings/app_settings.h"

#include <vector>

namespace ombrel {

// A rectangle in screen pixels: the part of a screen that windows may use,
// or a window's frame (title bar and borders included).
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// How much of a window's top edge, where its title bar is, must lie on a
// screen for the user to reach it.
inline constexpr int kReachableEdge = 40;

// Where a window of the given size goes. A stored place where the user can
// reach it is kept as it is, even partly off the screens; any other place
// (another screen layout, a hostile value) moves to the nearest screen,
// wholly on it when the window fits.
WindowPosition PlaceOnScreens(WindowPosition stored, int width, int height, const std::vector<ScreenRect>& screens);

// Where a window of the given size (its frame) goes when it has no stored
// place: beside the main window, on the screen that holds most of it, so
// that neither hides the other. Right of the main window if it fits there,
// else left of it, each with its top at the main window's top (moved down
// or up to stay on the screen); otherwise the spot on that screen that
// covers least of the main window: at the screen's right or left edge, or
// below or above the main window, in that order of preference.
WindowPosition PlaceBeside(ScreenRect main, int width, int height, const std::vector<ScreenRect>& screens);

} // namespace ombrel
