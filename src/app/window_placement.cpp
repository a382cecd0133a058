#include "app/window_placement.h"

#include <algorithm>

namespace veltrane {

namespace {
constexpr int kMinWindowWidth = 485;
constexpr int kWindowWidthExtra = 12;
constexpr int kWindowHeightExtra = 78;

// One axis of keepInside. The window keeps its place and is cut to what the area leaves after
// it; it moves only when it starts outside the area, or when what is left would be less than
// half the area while more of the window would fit.
void fitSpan(int& start, int& length, int areaStart, int areaLength) {
    const int areaEnd = areaStart + areaLength;
    start = std::clamp(start, areaStart, areaEnd - 1);
    const int left = areaEnd - start;
    if (length <= left) return;
    if (left >= std::min(length, areaLength / 2)) {
        length = left;
        return;
    }
    length = std::min(length, areaLength);
    start = areaEnd - length;
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
