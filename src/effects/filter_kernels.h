#pragma once
// The row kernels of the 3 × 3 filter effects. Each computes one output row of `width` bytes
// from three source rows: the row above, the row itself and the row below, each padded to
// width + 2 values (index 0 holds the left neighbour of column 0, index x + 1 column x, index
// width + 1 the right neighbour of column width − 1). The output row must not overlap them.
// Kernels are written as three rows of weights, top to bottom, applied as written (not
// flipped); quotients truncate toward zero and are then clamped to 0..255.
#include <cstdint>

namespace veltrane {

using FilterRowKernel = void (*)(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                 std::uint8_t* out, int width);

// 1 2 1 / 2 4 2 / 1 2 1, divided by 16.
void LowPassLargeRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
                     int width);
// 0 1 0 / 1 2 1 / 0 1 0, divided by 5 (not 6: the result is a fifth brighter before clamping).
void LowPassSmallRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
                     int width);
// −1 −1 −1 / −1 9 −1 / −1 −1 −1.
void HighPassLargeRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
                      int width);
// 0 −1 0 / −1 5 −1 / 0 −1 0.
void HighPassSmallRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
                      int width);
// 1 0 −1 / 2 0 −2 / 1 0 −1: lights up where the left column is brighter than the right.
void EdgeVerticalRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, std::uint8_t* out,
                     int width);
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

// The Sobel bytes trunc(min(255, sqrt(gx² + gy²))) of n pairs of sums (each within ±1020), as
// SobelRow finishes each pixel.
void SobelMagnitudeRow(const std::int16_t* gx, const std::int16_t* gy, std::uint8_t* out, int n);

}  // namespace veltrane
