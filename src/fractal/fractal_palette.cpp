#include "fractal/fractal_palette.h"

#include <cmath>

namespace veltrane {
namespace {

std::uint8_t byteOf(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

FractalColor fractalPaletteColor(int j, int n) {
    if (j < 0) return {32, 32, 32};
    const int t = (j % n) * (256 / n);
    // The factor is a little under 6/256, so t = 128 falls in sector 2, not 3.
    const int s = static_cast<int>(std::trunc(t * 0.02343748168946743));
    // u and every difference below wrap to a byte.
    const int u = (6 * t) & 0xFF;
    switch (s) {
        case 0: return {0, byteOf(u), 255};
        case 1: return {0, 255, byteOf(255 - (u - 2))};
        case 2: return {byteOf(u - 4), 255, 0};
        case 3: return {255, byteOf(255 - u), 0};
        case 4: return {255, 0, byteOf(u - 2)};
        default: return {byteOf(255 - (u - 4)), 0, 255};
    }
}

}  // namespace veltrane
