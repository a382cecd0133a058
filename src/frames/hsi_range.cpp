#include "frames/hsi_range.h"

#include <algorithm>
#include <array>

#include "common/wide_loops.h"
#include "image/color_model.h"

namespace veltrane {

namespace {

// v / 255.0 for every byte, as RgbToHsi scales it.
constexpr std::array<double, 256> kScaledBytes = [] {
    std::array<double, 256> table{};
    for (int v = 0; v < 256; ++v) table[v] = v / 255.0;
    return table;
}();

// Pixels converted at a time: small enough that the chunk's arrays stay in the first-level cache.
constexpr int kChunk = 128;

// RgbToHsi without branches. Comparing bytes decides what comparing the scaled bytes decides
// (distinct bytes scale to distinct doubles). (max − c) / (max − min) is exactly 0 for a channel
// at the maximum and exactly 1 for one at the minimum, so only the middle channel divides; the
// hue of the last channel test that holds is ((k + ta) − tb) × sector, where 0 + tb is tb.
struct Hsi {
    double H, S, I;
};

inline Hsi hsiOf(int r, int g, int b) {
    const int mx = std::max(r, std::max(g, b));
    const int mn = std::min(r, std::min(g, b));
    const int mid = r + g + b - mx - mn;
    const double max = kScaledBytes[mx], min = kScaledBytes[mn], middle = kScaledBytes[mid];
    const double range = max - min;
    Hsi out;
    out.I = max;
    out.S = range / (mx == 0 ? 1.0 : max);
    const double tMiddle = (max - middle) / (mx == mn ? 1.0 : range);
    const double tr = r == mx ? 0.0 : r == mn ? 1.0 : tMiddle;
    const double tg = g == mx ? 0.0 : g == mn ? 1.0 : tMiddle;
    const double tb = b == mx ? 0.0 : b == mn ? 1.0 : tMiddle;
    const bool blueMax = b == mx, greenMax = g == mx;
    const double k = blueMax ? 4.0 : greenMax ? 2.0 : 0.0;
    const double ta = blueMax ? tg : greenMax ? tr : tb;
    const double tb2 = blueMax ? tr : greenMax ? tb : tg;
    double hue = ((k + ta) - tb2) * kHsiSectorWidth;
    hue = hue > 0 ? hue : hue + kHsiFullTurn;
    out.H = mx == mn ? 0.0 : hue;
    return out;
}

// Bounds in ascending order: the either-order test is then lower ≤ v ≤ upper.
struct Ordered {
    double hLo, hHi, sLo, sHi, iLo, iHi;
};

// 0xFF for each pixel of the chunk the range keeps, 0 for the others.
VELTRANE_WIDE_LOOP_NOINLINE void keepMasks(const std::uint8_t* R, const std::uint8_t* G, const std::uint8_t* B, int n,
                                           const Ordered& o, std::uint8_t* mask) {
    for (int i = 0; i < n; ++i) {
        const Hsi c = hsiOf(R[i], G[i], B[i]);
        const bool keep = o.hLo <= c.H && c.H <= o.hHi && o.sLo <= c.S && c.S <= o.sHi && o.iLo <= c.I && c.I <= o.iHi;
        mask[i] = keep ? 0xFF : 0;
    }
}

}  // namespace

HsiRange hsiRangeFromPositions(int h1, int h2, int s1, int s2, int i1, int i2) {
    return {h1 * 0.01, h2 * 0.01, s1 * 0.01, s2 * 0.01, i1 * 0.01, i2 * 0.01};
}

bool keepsColour(const HsiRange& range, std::uint8_t R, std::uint8_t G, std::uint8_t B) {
    double H, S, I;
    RgbToHsi(R, G, B, H, S, I);
    return withinBounds(H, range.h1, range.h2) && withinBounds(S, range.s1, range.s2) &&
           withinBounds(I, range.i1, range.i2);
}

VELTRANE_WIDE_LOOP void hsiOfPixels(const std::uint8_t* R, const std::uint8_t* G, const std::uint8_t* B, std::size_t n,
                                    double* H, double* S, double* I) {
    for (std::size_t i = 0; i < n; ++i) {
        const Hsi c = hsiOf(R[i], G[i], B[i]);
        H[i] = c.H;
        S[i] = c.S;
        I[i] = c.I;
    }
}

void extractHsiRange(const Bitmap24& from, Bitmap24& into, const HsiRange& range) {
    const Ordered o{std::min(range.h1, range.h2), std::max(range.h1, range.h2), std::min(range.s1, range.s2),
                    std::max(range.s1, range.s2), std::min(range.i1, range.i2), std::max(range.i1, range.i2)};
    alignas(64) std::uint8_t R[kChunk], G[kChunk], B[kChunk], mask[kChunk];
    const int width = std::min(from.width(), into.width());
    const int height = std::min(from.height(), into.height());
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = from.row(y);
        std::uint8_t* out = into.row(y);
        for (int x0 = 0; x0 < width; x0 += kChunk) {
            const int n = std::min(kChunk, width - x0);
            const std::uint8_t* p = in + 3 * x0;
            for (int i = 0; i < n; ++i) {
                B[i] = p[3 * i];
                G[i] = p[3 * i + 1];
                R[i] = p[3 * i + 2];
            }
            keepMasks(R, G, B, n, o, mask);
            std::uint8_t* q = out + 3 * x0;
            for (int i = 0; i < n; ++i) {
                q[3 * i] = B[i] & mask[i];
                q[3 * i + 1] = G[i] & mask[i];
                q[3 * i + 2] = R[i] & mask[i];
            }
        }
    }
}

}  // namespace veltrane
