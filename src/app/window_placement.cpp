#include "app/window_placement.h"

#include <algorithm>

namespace veltrane {

namespace {
constexpr int kMinWindowWidth = 485;
constexpr int kWindowWidthExtra = 12;
constexpr int kWindowHeightExtra = 78;

// One axis of keepInside: the side cut to the area, the start moved back inside it.
void fitSpan(int& start, int& length, int areaStart, int areaLength) {
    length = std::min(length, areaLength);
    start = std::clamp(start, areaStart, areaStart + areaLength - length);
}
}  // namespace

WindowRect windowFittingPicture(int W, int H, int toolBarHeight, int left, int top,
                                const PictureWindowDesktop& desktop) {
    WindowRect window{left, top, W < kMinWindowWidth ? kMinWindowWidth : W + kWindowWidthExtra,
                      H + toolBarHeight + kWindowHeightExtra};
    if (H >= desktop.maximizedHeight) {
        window.height = desktop.maximizedHeight;
        window.top = 0;
    }
    if (W >= desktop.fullScreenClientWidth) {
        window.width = desktop.fullScreenClientWidth;
        window.left = 0;
    }
    return keepInside(window, desktop.available);
}

WindowRect keepInside(WindowRect window, const ScreenRect& area) {
    if (area.width <= 0 || area.height <= 0) return window;
    fitSpan(window.left, window.width, area.left, area.width);
    fitSpan(window.top, window.height, area.top, area.height);
    return window;
}

WindowPosition mainWindowStartPosition(WindowPosition stored, WindowSize size, const std::vector<ScreenRect>& screens) {
    if (screens.empty() || meetsAScreen(stored.left, stored.top, size, screens)) return stored;
    return kDefaultMainPosition;
}

}  // namespace veltrane
