#pragma once

#include "settings/app_settings.h"

#include <vector>

namespace ombrel {

// The part of a screen that windows may use, in screen pixels.
struct ScreenArea {
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
WindowPosition PlaceOnScreens(WindowPosition stored, int width, int height, const std::vector<ScreenArea>& screens);

} // namespace ombrel
