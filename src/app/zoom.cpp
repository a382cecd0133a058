#include "app/zoom.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace veltrane {

namespace {

int saturate(double v) {
    if (v >= INT_MAX) return INT_MAX;
    if (v <= INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int saturate(std::int64_t v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

int zoomedSide(ZoomLevel level, int base) {
    const std::int64_t b = base;
    switch (level) {
        case ZoomLevel::Percent25: return saturate(b / 4);
        case ZoomLevel::Percent50: return saturate(b / 2);
        case ZoomLevel::Percent66: return saturate(b * 2 / 3);
        case ZoomLevel::Percent75: return saturate(b * 3 / 4);
        case ZoomLevel::Percent100: return base;
        case ZoomLevel::Percent150: return saturate(std::trunc(base * 1.5));
        case ZoomLevel::Percent200: return saturate(b * 2);
        case ZoomLevel::Percent300: return saturate(b * 3);
        case ZoomLevel::Percent400: return saturate(b * 4);
    }
    return base;
}

int stepZoomSide(int current, bool zoomIn) {
    return saturate(std::trunc(current * (zoomIn ? 1.25 : 0.75)));
}

bool canZoomIn(int imageHeight, int currentHeight) {
    return !(static_cast<std::int64_t>(imageHeight) * 10 < currentHeight);
}

bool canZoomOut(int imageHeight, int currentWidth, int currentHeight) {
    if (stepZoomSide(currentWidth, false) < 1 || stepZoomSide(currentHeight, false) < 1) return false;
    // Double agrees with the extended-precision comparison for every height up to 3,000,000,
    // including the exact tenths (10 of 100 is still allowed).
    return !(currentHeight < imageHeight * 0.1);
}

std::string imageCaption(const std::string& fileNameNoDir, int W, int H) {
    return fileNameNoDir + "(" + std::to_string(W) + "\u00D7" + std::to_string(H) + ")";
}

std::string zoomCaption(const std::string& fileNameNoDir, int W, int H, int zoomW, int zoomH) {
    return fileNameNoDir + "(" + std::to_string(W) + "\u00D7" + std::to_string(H) + "\u2192Zoom:" +
           std::to_string(zoomW) + "\u00D7" + std::to_string(zoomH) + ")";
}

}  // namespace veltrane
