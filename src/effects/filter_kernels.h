#pragma once
// The row kernels of the 3 × 3 filter effects. Each computes one output row of `width` bytes
// from three source rows: the row above, the row itself and the row below, each padded to
// width + 2 values (index 0 holds the left neighbour of column 0, index x + 1 column x, index
// width + 1 the right neighbour of column width − 1). The output row must not overlap them.
// Kernels are written as three rows of weights, top to bottom, applied as written (not
// flipped); quotients truncate toward zero and are then clamped to 0..255.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace veltrane {

using FilterRowKernel = void (*)(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                 std::uint8_t* out, int width);

// 1 2 1 / 2 4 2 / 1 2 1, divided by 16.
void LowPassLargeRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                     std::uint8_t* out, int width);
// 0 1 0 / 1 2 1 / 0 1 0, divided by 5 (not 6: the result is a fifth brighter before clamping).
void LowPassSmallRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                     std::uint8_t* out, int width);
// −1 −1 −1 / −1 9 −1 / −1 −1 −1.
void HighPassLargeRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                      std::uint8_t* out, int width);
// 0 −1 0 / −1 5 −1 / 0 −1 0.
void HighPassSmallRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                      std::uint8_t* out, int width);
// 1 0 −1 / 2 0 −2 / 1 0 −1: lights up where the left column is brighter than the right.
void EdgeVerticalRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                     std::uint8_t* out, int width);
// 1 2 1 / 0 0 0 / −1 −2 −1: lights up where the row above is brighter than the row below.
void EdgeHorizontalRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                       std::uint8_t* out, int width);

// trunc(min(255, sqrt(gx² + gy²))) with gx from 1 2 1 / 0 0 0 / −1 −2 −1 and gy from
// −1 0 1 / −2 0 2 / −1 0 1.
void SobelRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
              int width);
// The largest, the smallest and the median (fifth smallest) of the nine values.
void MaxRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
            int width);
void MinRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
            int width);
void MedianRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
               int width);
// The sum of the nine values divided by 9.
void AverageRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
                int width);

// The grey value trunc(0.3 R + 0.59 G + 0.11 B) of n pixels, in double precision.
void FloatGreyRow(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, std::uint8_t* grey, int n);

// The Sobel byte trunc(min(255, sqrt(gx² + gy²))) in 16-bit integers: the largest root of
// 0..255 whose square does not exceed a² + b², found bit by bit, with a and b the magnitudes held
// at 255 (a component of 255 or more already gives 255). A tried root t qualifies when t ≤ a, or
// when t² − a², then positive and below 2¹⁶, is at most b²; so nothing leaves 16 bits.
inline std::uint8_t SobelByte(int gx, int gy) {
    const auto a = static_cast<std::uint16_t>(std::min(std::max(gx, -gx), 255));
    const auto b = static_cast<std::uint16_t>(std::min(std::max(gy, -gy), 255));
    const auto bSquared = static_cast<std::uint16_t>(b * b);
    std::uint16_t root = 0;
#pragma GCC unroll 8
    for (std::uint16_t bit = 128; bit != 0; bit >>= 1) {
        const auto tried = static_cast<std::uint16_t>(root | bit);
        const auto excess = static_cast<std::uint16_t>(tried * tried - a * a);
        const auto qualifies = static_cast<std::uint16_t>((tried <= a) | (excess <= bSquared));
        root = static_cast<std::uint16_t>(root | (bit & -qualifies));  // the bit stays where tried qualifies
    }
    return static_cast<std::uint8_t>(root);
}

}  // namespace veltrane
