#include "effects/mask_effects.h"

#include <algorithm>
#include <cstdint>

#include "effects/mask_patterns.h"

namespace veltrane {

namespace {

constexpr int kGlassStrip = 6;

void mirrorColumnStrips(Plane& plane, int height, int width) {
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = plane[y];
        for (int s = 0; s + kGlassStrip <= width; s += kGlassStrip) {
            // Three fixed swaps: about half the time std::reverse takes on six bytes.
            std::uint8_t* strip = row + s;
            std::swap(strip[0], strip[5]);
            std::swap(strip[1], strip[4]);
            std::swap(strip[2], strip[3]);
        }
    }
}

void mirrorRowStrips(Plane& plane, int height, int width) {
    for (int s = 0; s + kGlassStrip <= height; s += kGlassStrip)
        for (int k = 0; k < kGlassStrip / 2; ++k)
            std::swap_ranges(plane[s + k], plane[s + k] + width, plane[s + kGlassStrip - 1 - k]);
}

void flipTopBits(Plane& plane) {
    std::uint8_t* bytes = plane.data();
    const std::size_t size = plane.size();
    for (std::size_t i = 0; i < size; ++i) bytes[i] ^= 0x80;
}

}  // namespace

void GlassStrips(ColorPlanes& planes, int kind) {
    if (kind != 0 && kind != 1) return;
    for (Plane* plane : {&planes.R, &planes.G, &planes.B}) {
        if (kind == 0) mirrorColumnStrips(*plane, planes.height, planes.width);
        else mirrorRowStrips(*plane, planes.height, planes.width);
    }
}

void PatternMask(ColorPlanes& planes, int kind) {
    switch (kind) {
        case 0: WinMask(planes); break;
        case 1: MekoMask(planes); break;
        case 2: FlMask(planes); break;
        case 3: RainbowMask(planes); break;
        default: break;
    }
}

void XorMask(ColorPlanes& planes, int kind) {
    if (kind == 0 || kind == 1) flipTopBits(planes.R);
    if (kind == 0 || kind == 2) flipTopBits(planes.G);
    if (kind == 0 || kind == 3) flipTopBits(planes.B);
}

}  // namespace veltrane
