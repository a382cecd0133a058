#pragma once
// The colours of the fractal pictures: an escape count through a ramp of n entries that runs
// blue, cyan, green, yellow, red, magenta.
#include <cstdint>

namespace veltrane {

struct FractalColor {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const FractalColor&, const FractalColor&) = default;
};

// Ramp sizes of the two pictures.
constexpr int kMandelbrotRamp = 32;
constexpr int kJuliaRamp = 8;

// The colour of escape count j (0 to 256) on a ramp of n entries (1 to 256); a point that does
// not escape (any negative count, the drawings use −1) is dark grey 32, 32, 32.
FractalColor fractalPaletteColor(int j, int n);

}  // namespace veltrane
