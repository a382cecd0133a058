#pragma once
// Where the main window goes: its rectangle when it is sized to its picture, kept on the
// screen, and its start position from the settings.
#include <vector>

#include "common/screen_geometry.h"

namespace veltrane {

// A window's outer rectangle (frame included) in desktop coordinates.
struct WindowRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

// What sizing the window to its picture needs to know of the desktop.
struct PictureWindowDesktop {
    int maximizedHeight = 0;        // height of a maximised window
    int fullScreenClientWidth = 0;  // width of a full-screen client area
    ScreenRect available;           // the usable area of the screen the window is on
};

// The window-fits-image rectangle for a W × H picture, from the window's current position:
// H + tool bar + 78 high; 485 wide below W = 485, W + 12 from there. A picture at least as
// high as a maximised window takes that height with the top edge at 0, one at least as wide
// as a full-screen client area takes that width with the left edge at 0. The result is then
// kept inside the available area.
WindowRect windowFittingPicture(int W, int H, int toolBarHeight, int left, int top,
                                const PictureWindowDesktop& desktop);

// Keeps a window inside an area: a side longer than the area's is cut to it (the picture
// area then scrolls), and a window sticking out past an edge moves back in. An empty area
// leaves the window as it is.
WindowRect keepInside(WindowRect window, const ScreenRect& area);

struct WindowPosition {
    int left = 0, top = 0;
    bool operator==(const WindowPosition&) const = default;
};

// The main window's default position, used when the settings hold none.
inline constexpr WindowPosition kDefaultMainPosition{200, 200};

// The stored position, or the default when a window of this size there would meet none of
// the screens (with no screens known, the stored position is kept).
WindowPosition mainWindowStartPosition(WindowPosition stored, WindowSize size, const std::vector<ScreenRect>& screens);

}  // namespace veltrane
