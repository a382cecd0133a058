#include "image/morphology.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/wide_loops.h"
#include "image/histogram.h"

namespace veltrane {
namespace {

// R = G = B = 255 where the luminance is above k, 0 elsewhere.
VELTRANE_WIDE_LOOP_NOINLINE void binarizeRow(const std::uint8_t* __restrict luma, std::uint8_t k, std::uint8_t* __restrict r,
                                    std::uint8_t* __restrict g, std::uint8_t* __restrict b, int w) {
    for (int x = 0; x < w; ++x) {
        const std::uint8_t v = luma[x] > k ? 255 : 0;
        r[x] = v;
        g[x] = v;
        b[x] = v;
    }
}

// row = Y × factor / 255; Y × factor ≤ 255 × 255 = 65025 fits 16 bits, and a 16-bit division
// by a constant vectorises as a multiply-high.
VELTRANE_WIDE_LOOP_NOINLINE void tintRow(const std::uint8_t* __restrict luma, std::uint16_t factor, std::uint8_t* __restrict row,
                                int w) {
    for (int x = 0; x < w; ++x) row[x] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(luma[x] * factor) / 255);
}

// The two 3 × 3 rules as byte flags (0xFF true, 0x00 false). `seed` marks the red values a
// neighbour looks for; `result` gives the output from the pixel's own red and whether any of
// its in-picture neighbours (itself included) is a seed.
struct DilateRule {
    static std::uint8_t seed(std::uint8_t red) { return red == 255 ? 0xFF : 0x00; }
    // Red 255 is a seed itself, so its `near` is always set; red 0 turns white next to a
    // seed; red 1..254 is black.
    static std::uint8_t result(std::uint8_t red, std::uint8_t near) {
        const std::uint8_t binary = static_cast<std::uint8_t>((red == 0 ? 0xFF : 0x00) | (red == 255 ? 0xFF : 0x00));
        return static_cast<std::uint8_t>(near & binary);
    }
};

struct ErodeRule {
    static std::uint8_t seed(std::uint8_t red) { return red == 0 ? 0xFF : 0x00; }
    static std::uint8_t result(std::uint8_t red, std::uint8_t near) {
        return static_cast<std::uint8_t>((red == 255 ? 0xFF : 0x00) & ~near);
    }
};

// One pass over the picture that reads only unchanged red values: the seed flags of the row
// above (already overwritten) and of this row are kept in row buffers, those of the row below
// are made while its red is still intact. Their column-wise OR goes into a buffer padded with a
// clear flag at each end, so the 3-wide OR along the row needs no test at the picture's left and
// right edges; the rows above the first and below the last are all clear. Pixels outside the
// picture never count.
template <class Rule>
[[gnu::always_inline]] inline void squareRow(const std::uint8_t* __restrict above, const std::uint8_t* __restrict here,
                                             const std::uint8_t* __restrict redBelow, std::uint8_t* __restrict below,
                                             std::uint8_t* __restrict column, std::uint8_t* __restrict r,
                                             std::uint8_t* __restrict g, std::uint8_t* __restrict b, int w) {
    if (redBelow != nullptr) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t seed = Rule::seed(redBelow[x]);
            below[x] = seed;
            column[x + 1] = static_cast<std::uint8_t>(above[x] | here[x] | seed);
        }
    } else {
        for (int x = 0; x < w; ++x) column[x + 1] = static_cast<std::uint8_t>(above[x] | here[x]);
    }
    for (int x = 0; x < w; ++x) {
        const std::uint8_t v = Rule::result(r[x], static_cast<std::uint8_t>(column[x] | column[x + 1] | column[x + 2]));
        r[x] = v;
        g[x] = v;
        b[x] = v;
    }
}

using SquareRow = void (*)(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, std::uint8_t*, std::uint8_t*,
                           std::uint8_t*, std::uint8_t*, std::uint8_t*, int);

VELTRANE_WIDE_LOOP_NOINLINE void dilateRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* redBelow,
                                  std::uint8_t* below, std::uint8_t* column, std::uint8_t* r, std::uint8_t* g,
                                  std::uint8_t* b, int w) {
    squareRow<DilateRule>(above, here, redBelow, below, column, r, g, b, w);
}

VELTRANE_WIDE_LOOP_NOINLINE void erodeRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* redBelow,
                                 std::uint8_t* below, std::uint8_t* column, std::uint8_t* r, std::uint8_t* g,
                                 std::uint8_t* b, int w) {
    squareRow<ErodeRule>(above, here, redBelow, below, column, r, g, b, w);
}

template <class Rule>
void squarePass(ColorPlanes& planes, SquareRow rowPass, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    if (w <= 0 || h <= 0) return;
    const std::size_t n = static_cast<std::size_t>(w);
    std::vector<std::uint8_t> buffers(4 * n + 2, 0);
    std::uint8_t* above = buffers.data();  // starts clear: no row above the first
    std::uint8_t* here = above + n;
    std::uint8_t* below = here + n;
    std::uint8_t* const column = below + n;  // column[x + 1] belongs to column x; both ends stay 0

    for (int x = 0; x < w; ++x) here[x] = Rule::seed(planes.R[0][x]);
    for (int y = 0; y < h; ++y) {
        rowPass(above, here, y + 1 < h ? planes.R[y + 1] : nullptr, below, column, planes.R[y], planes.G[y], planes.B[y], w);
        std::uint8_t* const spare = above;
        above = here;
        here = below;
        below = spare;
        if (progress) progress(y);
    }
}

}  // namespace

void ThresholdBinarize(ColorPlanes& planes, const RowProgress& progress) {
    const int w = planes.width;
    const int h = planes.height;
    if (w <= 0 || h <= 0) return;
    std::vector<std::uint8_t> luma(static_cast<std::size_t>(w));
    ByteCounts counter;
    for (int y = 0; y < h; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luma.data(), w);
        counter.addRow(luma.data(), w);
    }
    std::array<std::int64_t, 256> counts{};
    counter.addTo(counts);

    // Share of each level and the total mean.
    const double pixels = static_cast<double>(static_cast<std::int64_t>(w) * h);
    std::array<double, 256> p{};
    double totalMean = 0.0;
    for (int i = 0; i < 256; ++i) {
        p[i] = static_cast<double>(counts[i]) / pixels;
        totalMean = totalMean + i * p[i];
    }
    // Between-class variance of a split after level i; the first strict maximum wins.
    double weight = 0.0;
    double mean = 0.0;
    double best = 0.0;
    int threshold = 0;
    for (int i = 0; i < 256; ++i) {
        weight = weight + p[i];
        mean = mean + i * p[i];
        const double spread = totalMean * weight - mean;
        double score = spread * spread;
        if (weight != 0.0 && weight != 1.0) score = score / (weight * (1.0 - weight));
        if (score > best) {
            best = score;
            threshold = i;
        }
    }

    const std::uint8_t k = static_cast<std::uint8_t>(threshold);
    for (int y = 0; y < h; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luma.data(), w);
        binarizeRow(luma.data(), k, planes.R[y], planes.G[y], planes.B[y], w);
        if (progress) progress(y);
    }
}

void Dilate(ColorPlanes& planes, const RowProgress& progress) { squarePass<DilateRule>(planes, dilateRow, progress); }

void Erode(ColorPlanes& planes, const RowProgress& progress) { squarePass<ErodeRule>(planes, erodeRow, progress); }

void MonoTint(ColorPlanes& planes, std::uint8_t r, std::uint8_t g, std::uint8_t b, const RowProgress& progress) {
    const int w = planes.width;
    std::vector<std::uint8_t> luma(static_cast<std::size_t>(std::max(w, 0)));
    for (int y = 0; y < planes.height; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luma.data(), w);
        tintRow(luma.data(), r, planes.R[y], w);
        tintRow(luma.data(), g, planes.G[y], w);
        tintRow(luma.data(), b, planes.B[y], w);
        if (progress) progress(y);
    }
}

}  // namespace veltrane
