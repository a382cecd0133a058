#include "effects/filter_kernels.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "common/wide_loops.h"
#include "image/color_model.h"

namespace veltrane {
namespace {

// The 3 × 3 neighbourhood of one pixel, by compass position; c is the pixel itself.
struct Neighbourhood {
    std::uint8_t nw, n, ne, w, c, e, sw, s, se;
};

// Writes rule(neighbourhood of x) to out[x] for every column. Each kernel below keeps its sums
// in 16-bit lanes (they never exceed ±2550), so one vector holds 16 pixels, 32 with AVX2.
template <class Rule>
[[gnu::always_inline]] inline void forEachPixel(const std::uint8_t* __restrict above,
                                                const std::uint8_t* __restrict here,
                                                const std::uint8_t* __restrict below, std::uint8_t* __restrict out,
                                                int width, Rule rule) {
    for (int x = 0; x < width; ++x)
        out[x] = rule(Neighbourhood{above[x], above[x + 1], above[x + 2], here[x], here[x + 1], here[x + 2], below[x],
                                    below[x + 1], below[x + 2]});
}

std::uint8_t clampToByte(std::int16_t v) { return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Weighted columns and rows shared by the edge and Sobel kernels.
std::int16_t leftMinusRight(const Neighbourhood& p) {
    return static_cast<std::int16_t>((p.nw + 2 * p.w + p.sw) - (p.ne + 2 * p.e + p.se));
}
std::int16_t topMinusBottom(const Neighbourhood& p) {
    return static_cast<std::int16_t>((p.nw + 2 * p.n + p.ne) - (p.sw + 2 * p.s + p.se));
}

std::uint16_t sumOfNine(const Neighbourhood& p) {
    return static_cast<std::uint16_t>(p.nw + p.n + p.ne + p.w + p.c + p.e + p.sw + p.s + p.se);
}

[[gnu::always_inline]] inline std::uint8_t min3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return std::min(std::min(a, b), c);
}
[[gnu::always_inline]] inline std::uint8_t max3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return std::max(std::max(a, b), c);
}
[[gnu::always_inline]] inline std::uint8_t median3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// Sorts three values so that a ≤ b ≤ c.
[[gnu::always_inline]] inline void sort3(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c) {
    const std::uint8_t lo = std::min(a, b), hi = std::max(a, b);
    const std::uint8_t top = std::max(hi, c), mid = std::min(hi, c);
    a = std::min(lo, mid);
    b = std::max(lo, mid);
    c = top;
}

// The Sobel magnitude goes through float: each component is held at 255 (one of 255 or more
// already gives 255), so a² + b² ≤ 130050 is exact, and the correctly rounded float root of a
// non-square s there stays more than 1 / 722 below the next integer while a float step is at
// most 2⁻¹⁵: it truncates to the integer root, as the double root does. The compiler vectorises
// the loops but not a square root that may set errno, so the roots are taken four at a time with
// the x86-64 baseline's square-root instruction.
constexpr int kSobelChunk = 256;

// gx² + gy² with each component held at 255; each square fits 16 bits, their sum needs 17.
[[gnu::always_inline]] inline float heldSquares(std::int16_t gx, std::int16_t gy) {
    const std::int16_t a = std::min<std::int16_t>(static_cast<std::int16_t>(gx < 0 ? -gx : gx), 255);
    const std::int16_t b = std::min<std::int16_t>(static_cast<std::int16_t>(gy < 0 ? -gy : gy), 255);
    const auto aa = static_cast<std::uint16_t>(a * a), bb = static_cast<std::uint16_t>(b * b);
    return static_cast<float>(static_cast<std::int32_t>(aa) + bb);
}

// Writes trunc(min(255, sqrt(v))) of n ≤ kSobelChunk values; `values` has room for kSobelChunk.
[[gnu::always_inline]] inline void rootsToBytes(float* __restrict values, std::uint8_t* __restrict out, int n) {
#if defined(__SSE2__)
    const int padded = (n + 3) & ~3;
    for (int i = n; i < padded; ++i) values[i] = 0.0f;
    for (int i = 0; i < padded; i += 4) _mm_store_ps(values + i, _mm_sqrt_ps(_mm_load_ps(values + i)));
#else
    for (int i = 0; i < n; ++i) values[i] = std::sqrt(values[i]);
#endif
    for (int i = 0; i < n; ++i) {
        const int m = static_cast<int>(values[i]);
        out[i] = static_cast<std::uint8_t>(m < 255 ? m : 255);
    }
}

}  // namespace

VELTRANE_WIDE_LOOP void LowPassLargeRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                        std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) {
        const auto s =
            static_cast<std::uint16_t>(p.nw + 2 * p.n + p.ne + 2 * p.w + 4 * p.c + 2 * p.e + p.sw + 2 * p.s + p.se);
        return static_cast<std::uint8_t>(s / 16);
    });
}

VELTRANE_WIDE_LOOP void LowPassSmallRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                        std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) {
        const auto s = static_cast<std::uint16_t>(p.n + p.w + 2 * p.c + p.e + p.s);
        return static_cast<std::uint8_t>(std::min<std::uint16_t>(s / 5, 255));
    });
}

VELTRANE_WIDE_LOOP void HighPassLargeRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                         std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) {
        return clampToByte(static_cast<std::int16_t>(10 * p.c - sumOfNine(p)));
    });
}

VELTRANE_WIDE_LOOP void HighPassSmallRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                         std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) {
        return clampToByte(static_cast<std::int16_t>(5 * p.c - p.n - p.w - p.e - p.s));
    });
}

VELTRANE_WIDE_LOOP void EdgeVerticalRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                        std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) { return clampToByte(leftMinusRight(p)); });
}

VELTRANE_WIDE_LOOP void EdgeHorizontalRow(const std::uint8_t* above, const std::uint8_t* here,
                                          const std::uint8_t* below, std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) { return clampToByte(topMinusBottom(p)); });
}

VELTRANE_WIDE_LOOP void SobelMagnitudeRow(const std::int16_t* gx, const std::int16_t* gy, std::uint8_t* out, int n) {
    alignas(32) float values[kSobelChunk];
    for (int start = 0; start < n; start += kSobelChunk) {
        const int count = std::min(kSobelChunk, n - start);
        for (int i = 0; i < count; ++i) values[i] = heldSquares(gx[start + i], gy[start + i]);
        rootsToBytes(values, out + start, count);
    }
}

VELTRANE_WIDE_LOOP void SobelRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                 std::uint8_t* out, int width) {
    alignas(32) float values[kSobelChunk];
    for (int start = 0; start < width; start += kSobelChunk) {
        const int count = std::min(kSobelChunk, width - start);
        const std::uint8_t* const a = above + start;
        const std::uint8_t* const h = here + start;
        const std::uint8_t* const b = below + start;
        for (int x = 0; x < count; ++x) {
            const Neighbourhood p{a[x], a[x + 1], a[x + 2], h[x], h[x + 1], h[x + 2], b[x], b[x + 1], b[x + 2]};
            // leftMinusRight is gy negated; the sign vanishes in the square.
            values[x] = heldSquares(topMinusBottom(p), leftMinusRight(p));
        }
        rootsToBytes(values, out + start, count);
    }
}

VELTRANE_WIDE_LOOP void MaxRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                               std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) {
        return max3(max3(p.nw, p.n, p.ne), max3(p.w, p.c, p.e), max3(p.sw, p.s, p.se));
    });
}

VELTRANE_WIDE_LOOP void MinRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                               std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width, [](const Neighbourhood& p) {
        return min3(min3(p.nw, p.n, p.ne), min3(p.w, p.c, p.e), min3(p.sw, p.s, p.se));
    });
}

// The median of nine with min and max only: each column of three is sorted; the largest of the
// column minima, the median of the column medians and the smallest of the column maxima bracket
// the median, which is the median of these three. Neighbouring pixels share two of their three
// columns, so the columns are sorted once, a chunk of the row at a time.
VELTRANE_WIDE_LOOP void MedianRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                  std::uint8_t* out, int width) {
    constexpr int kChunk = 256;
    alignas(32) std::uint8_t lo[kChunk + 2], mid[kChunk + 2], hi[kChunk + 2];
    for (int start = 0; start < width; start += kChunk) {
        const int n = std::min(kChunk, width - start);
        for (int x = 0; x < n + 2; ++x) {
            std::uint8_t a = above[start + x], b = here[start + x], c = below[start + x];
            sort3(a, b, c);
            lo[x] = a;
            mid[x] = b;
            hi[x] = c;
        }
        std::uint8_t* const o = out + start;
        for (int x = 0; x < n; ++x)
            o[x] = median3(max3(lo[x], lo[x + 1], lo[x + 2]), median3(mid[x], mid[x + 1], mid[x + 2]),
                           min3(hi[x], hi[x + 1], hi[x + 2]));
    }
}

VELTRANE_WIDE_LOOP void AverageRow(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                                   std::uint8_t* out, int width) {
    forEachPixel(above, here, below, out, width,
                 [](const Neighbourhood& p) { return static_cast<std::uint8_t>(sumOfNine(p) / 9); });
}

VELTRANE_WIDE_LOOP void FloatGreyRow(const std::uint8_t* __restrict r, const std::uint8_t* __restrict g,
                                     const std::uint8_t* __restrict b, std::uint8_t* __restrict grey, int n) {
    for (int x = 0; x < n; ++x) grey[x] = static_cast<std::uint8_t>(FloatLuminance(r[x], g[x], b[x]));
}

}  // namespace veltrane
