// Error diffusion to black and white ("誤差分配"), Floyd–Steinberg or Jarvis–Judice–Ninke.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "effects/dither_effects.h"
#include "image/color_model.h"

namespace veltrane {

namespace {

// Floyd–Steinberg weights as the decimal constants: right 7/16; below left, below, below
// right 3/16, 5/16, 1/16.
constexpr double kFloydRight = 0.4375, kFloydBelowLeft = 0.1875, kFloydBelow = 0.3125,
                 kFloydBelowRight = 0.0625;
// Jarvis–Judice–Ninke weights in 48ths (3/48 is exactly 0.0625).
constexpr double kJarvis7 = 7.0 / 48.0, kJarvis5 = 5.0 / 48.0, kJarvis3 = 0.0625, kJarvis1 = 1.0 / 48.0;

// e = g − q with q = 255 when g > 127, else 0. The black-or-white decisions of a dither are
// close to random, so the choice is a compare mask rather than a branch; with SSE2 the mask
// stays in the vector unit, which keeps the chain from one pixel's g to the next one's short.
// (g − 0 is g, so every form gives the same double.)
inline double diffusionError(double g) {
#if defined(__SSE2__)
    const __m128d v = _mm_set_sd(g);
    const __m128d q = _mm_and_pd(_mm_cmpgt_sd(v, _mm_set_sd(127.0)), _mm_set_sd(255.0));
    return _mm_cvtsd_f64(_mm_sub_sd(v, q));
#else
    return g - (g > 127 ? 255.0 : 0.0);
#endif
}

// The running sums of the pixels still receiving error are held in registers instead of in
// memory: each pixel receives its contributions in the same order, so every sum is bit for bit
// the memory version's, and the chain from one pixel's error to the next pixel's decision never
// waits on a store. `g` is the sum of the pixel being visited, `right` (Jarvis) that of the
// pixel after it; `nearI` are those of the row below from column x − 1 (Floyd) or x − 2
// (Jarvis) on, `farI` those of the row two below. A pixel's sum is final when it is visited
// and is stored then for the output.
void diffuseFloydRow(double* __restrict row, double* __restrict below, int width) {
    if (width < 3) return;
    double g = row[1];
    double near0 = below[0], near1 = below[1];
    for (int x = 1; x <= width - 2; ++x) {
        const double e = diffusionError(g);
        row[x] = g;
        g = row[x + 1] + e * kFloydRight;
        below[x - 1] = near0 + e * kFloydBelowLeft;
        near0 = near1 + e * kFloydBelow;
        near1 = below[x + 1] + e * kFloydBelowRight;
    }
    row[width - 1] = g;
    below[width - 2] = near0;
    below[width - 1] = near1;
}

void diffuseJarvisRow(double* __restrict row, double* __restrict below, double* __restrict twoBelow, int width) {
    if (width < 5) return;
    double g = row[2], right = row[3];
    double near0 = below[0], near1 = below[1], near2 = below[2], near3 = below[3];
    double far0 = twoBelow[0], far1 = twoBelow[1], far2 = twoBelow[2], far3 = twoBelow[3];
    for (int x = 2; x <= width - 3; ++x) {
        const double e = diffusionError(g);
        row[x] = g;
        g = right + e * kJarvis7;
        right = row[x + 2] + e * kJarvis5;
        below[x - 2] = near0 + e * kJarvis3;
        near0 = near1 + e * kJarvis5;
        near1 = near2 + e * kJarvis7;
        near2 = near3 + e * kJarvis5;
        near3 = below[x + 2] + e * kJarvis3;
        twoBelow[x - 2] = far0 + e * kJarvis1;
        far0 = far1 + e * kJarvis3;
        far1 = far2 + e * kJarvis5;
        far2 = far3 + e * kJarvis3;
        far3 = twoBelow[x + 2] + e * kJarvis1;
    }
    row[width - 2] = g;
    row[width - 1] = right;
    below[width - 4] = near0;
    below[width - 3] = near1;
    below[width - 2] = near2;
    below[width - 1] = near3;
    twoBelow[width - 4] = far0;
    twoBelow[width - 3] = far1;
    twoBelow[width - 2] = far2;
    twoBelow[width - 1] = far3;
}

void loadGreyRow(const ColorPlanes& planes, int y, double* grey) {
    const std::uint8_t *R = planes.R[y], *G = planes.G[y], *B = planes.B[y];
    for (int x = 0; x < planes.width; ++x) grey[x] = FloatLuminance(R[x], G[x], B[x]);
}

void writeThresholdRow(const double* __restrict grey, std::uint8_t* __restrict R, std::uint8_t* __restrict G,
                       std::uint8_t* __restrict B, int width) {
    for (int x = 0; x < width; ++x) {
        const std::uint8_t v = grey[x] > 127 ? 255 : 0;
        R[x] = v;
        G[x] = v;
        B[x] = v;
    }
}

}  // namespace

// The error of a row reaches at most `reach` rows down (1 for Floyd, 2 for Jarvis), so a ring
// of reach + 1 grey rows holds everything still open: row y is final once it has been visited,
// is written out at once, and its slot takes row y + reach + 1 from the still untouched planes.
// The bytes equal those of one grey plane over the whole picture.
void ErrorDiffuse(ColorPlanes& planes, bool floyd, const RowProgress& progress) {
    const int H = planes.height, W = planes.width;
    const int reach = floyd ? 1 : 2;
    const int ringRows = reach + 1;
    std::vector<double> ring(static_cast<std::size_t>(ringRows) * static_cast<std::size_t>(W));
    const auto greyRow = [&](int y) { return ring.data() + static_cast<std::size_t>(y % ringRows) * W; };

    for (int y = 0; y < std::min(ringRows, H); ++y) loadGreyRow(planes, y, greyRow(y));
    for (int y = 0; y < H; ++y) {
        double* row = greyRow(y);
        const bool visited = y >= reach && y <= H - 1 - reach;
        if (visited && floyd) diffuseFloydRow(row, greyRow(y + 1), W);
        if (visited && !floyd) diffuseJarvisRow(row, greyRow(y + 1), greyRow(y + 2), W);
        writeThresholdRow(row, planes.R[y], planes.G[y], planes.B[y], W);
        if (visited && progress) progress(y);
        if (y + ringRows < H) loadGreyRow(planes, y + ringRows, row);
    }
}

}  // namespace veltrane
