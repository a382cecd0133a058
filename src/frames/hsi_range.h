#pragma once
// The HSI range extraction of the frame-processing window: a pixel keeps its colour when its
// hue, saturation and intensity (the program's RgbToHsi) each lie between their two bounds,
// limits included and whichever bound is the larger; every other pixel turns black.
#include <cstddef>
#include <cstdint>

#include "image/bitmap24.h"

namespace veltrane {

// The six bounds: hue h1, h2 (radians, full turn 6.283), saturation s1, s2 and intensity i1,
// i2 (0..1), each in either order.
struct HsiRange {
    double h1, h2, s1, s2, i1, i2;
};

// The bounds the track bars give: each position × 0.01.
HsiRange hsiRangeFromPositions(int h1, int h2, int s1, int s2, int i1, int i2);

// lower ≤ value ≤ upper or upper ≤ value ≤ lower.
inline bool withinBounds(double value, double a, double b) { return (a <= value && value <= b) || (b <= value && value <= a); }

// The rule for one colour, through RgbToHsi itself.
bool keepsColour(const HsiRange& range, std::uint8_t R, std::uint8_t G, std::uint8_t B);

// RgbToHsi of n pixels, bit for bit, in a branch-free form the compiler vectorises.
void hsiOfPixels(const std::uint8_t* R, const std::uint8_t* G, const std::uint8_t* B, std::size_t n, double* H,
                 double* S, double* I);

// Writes `from` into `into` (the same size; it may be the same bitmap) with every pixel outside
// the range black. The row padding is left as it is.
void extractHsiRange(const Bitmap24& from, Bitmap24& into, const HsiRange& range);

}  // namespace veltrane
