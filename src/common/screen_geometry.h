#pragma once
// Screens and window sizes in desktop coordinates, for the checks that keep windows where the
// user can see them.
#include <vector>

namespace veltrane {

// A screen's rectangle (or its available area) in desktop coordinates.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
};
struct WindowSize {
    int width = 0, height = 0;
};

// Whether a window of this size at (left, top) shares at least one pixel with a screen.
bool meetsAScreen(int left, int top, WindowSize size, const std::vector<ScreenRect>& screens);

}  // namespace veltrane
