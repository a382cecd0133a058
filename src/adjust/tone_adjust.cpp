// Binarise, contrast, gamma and posterise: the tone adjustments of the adjustment dialog.
#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

#include "adjust/adjustments.h"
#include "adjust/byte_table.h"

namespace veltrane {

// The contrast weights are evaluated in long double, the x87 80-bit format on the x86 targets
// this program is built for.
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended format");

namespace {

bool processes(ChannelChoice choice, ChannelChoice channel) {
    return choice == ChannelChoice::All || choice == channel;
}

// Applies a 256-entry table to the chosen planes of one row segment.
void applyTable(std::uint8_t* v, int begin, int end, const std::uint8_t* table) {
    adjust_detail::mapBytes(v, v, begin, end, table);
}

template <class Planes>
void applyTables(Planes& planes, int y, int begin, int end, ChannelChoice choice, const std::uint8_t* table) {
    if (processes(choice, ChannelChoice::Red)) applyTable(planes.R[y], begin, end, table);
    if (processes(choice, ChannelChoice::Green)) applyTable(planes.G[y], begin, end, table);
    if (processes(choice, ChannelChoice::Blue)) applyTable(planes.B[y], begin, end, table);
}

// ---- binarise ---------------------------------------------------------------------------------

// (a + b + c) div 3 > T  ⇔  a + b + c ≥ 3T + 3, and (a + b) div 2 > T  ⇔  a + b ≥ 2T + 2, for
// non-negative integers; the sums are compared directly so the loops need no division. Sums
// and limits fit 16 bits (at most 765 and 768), which lets the compiler work on eight or
// sixteen pixels at a time. A threshold outside 0..255 needs no special case: below 0 every
// pixel passes, above 255 none does.
inline std::uint16_t sumLimit(int threshold, int terms) {
    return static_cast<std::uint16_t>(std::clamp(terms * threshold + terms, 0, 1023));
}

void binariseRow(std::uint8_t* __restrict r, std::uint8_t* __restrict g, std::uint8_t* __restrict b, int begin,
                 int end, int threshold, ChannelChoice choice) {
    switch (choice) {
        case ChannelChoice::All: {
            const std::uint16_t limit = sumLimit(threshold, 3);
            for (int x = begin; x < end; ++x) {
                const std::uint16_t sum = static_cast<std::uint16_t>(r[x] + g[x] + b[x]);
                const std::uint8_t v = sum >= limit ? 255 : 0;
                r[x] = v;
                g[x] = v;
                b[x] = v;
            }
            break;
        }
        case ChannelChoice::Red: {
            const std::uint16_t limit = sumLimit(threshold, 2);
            for (int x = begin; x < end; ++x) {
                const std::uint8_t v = static_cast<std::uint16_t>(g[x] + b[x]) >= limit ? 255 : 0;
                g[x] = v;
                b[x] = v;
            }
            break;
        }
        case ChannelChoice::Green: {
            const std::uint16_t limit = sumLimit(threshold, 2);
            for (int x = begin; x < end; ++x) {
                const std::uint8_t v = static_cast<std::uint16_t>(r[x] + b[x]) >= limit ? 255 : 0;
                r[x] = v;
                b[x] = v;
            }
            break;
        }
        case ChannelChoice::Blue: {
            const std::uint16_t limit = sumLimit(threshold, 2);
            for (int x = begin; x < end; ++x) {
                const std::uint8_t v = static_cast<std::uint16_t>(r[x] + g[x]) >= limit ? 255 : 0;
                r[x] = v;
                g[x] = v;
            }
            break;
        }
    }
}

// ---- contrast ---------------------------------------------------------------------------------

// a = 1 + p × (1/70) and b = 1 − p × (2/70) with the two constants in extended precision: each
// weight is computed in 80-bit arithmetic and kept as a double; the weighted sums are doubles.
// The exact sum is ((70 + p)·R + (70 − 2p)·(G + B)) / 70, so when it is not a whole number it
// lies at least 1/70 from one and any evaluation truncates alike. Whole-number sums are where
// the rounding of the weights shows: for 36 of the 51 slider positions the extended weights
// differ from all-double ones in the last bit, and such sums then land just below or just
// above the whole number (p = 20 on (0, 1, 6): red 2, not 3).
struct ContrastWeights {
    double a, b;
};

ContrastWeights contrastWeights(int p) {
    constexpr long double kOneSeventieth = 1.0L / 70;
    constexpr long double kTwoSeventieths = 2.0L / 70;
    return {static_cast<double>(1 + p * kOneSeventieth), static_cast<double>(1 - p * kTwoSeventieths)};
}

// trunc(v) limited to 0..255. For slider positions the weighted sums stay within ±51000, so the
// conversion to int is defined; the limits are then integer minimum and maximum, free of branches.
inline std::uint8_t contrastByte(double v) {
    const int i = static_cast<int>(v);
    return static_cast<std::uint8_t>(std::min(std::max(i, 0), 255));
}

// One row of the final pass, in place: red first, then green from the new red, then blue from
// the new red and green. The weighted sums are evaluated left to right, as written.
void contrastRowInPlace(std::uint8_t* __restrict R, std::uint8_t* __restrict G, std::uint8_t* __restrict B, int width,
                        ContrastWeights w, ChannelChoice choice) {
    const double a = w.a, b = w.b;
    switch (choice) {
        case ChannelChoice::All:
            for (int x = 0; x < width; ++x) {
                const double r = R[x], g = G[x], bl = B[x];
                const std::uint8_t r2 = contrastByte(a * r + b * g + b * bl);
                const double nr = r2;
                const std::uint8_t g2 = contrastByte(b * nr + a * g + b * bl);
                const double ng = g2;
                const std::uint8_t b2 = contrastByte(b * nr + b * ng + a * bl);
                R[x] = r2;
                G[x] = g2;
                B[x] = b2;
            }
            break;
        case ChannelChoice::Red:
            for (int x = 0; x < width; ++x) {
                const double r = R[x], g = G[x], bl = B[x];
                R[x] = contrastByte(a * r + b * g + b * bl);
            }
            break;
        case ChannelChoice::Green:
            for (int x = 0; x < width; ++x) {
                const double r = R[x], g = G[x], bl = B[x];
                G[x] = contrastByte(b * r + a * g + b * bl);
            }
            break;
        case ChannelChoice::Blue:
            for (int x = 0; x < width; ++x) {
                const double r = R[x], g = G[x], bl = B[x];
                B[x] = contrastByte(b * r + b * g + a * bl);
            }
            break;
    }
}

}  // namespace

// ---- binarise ---------------------------------------------------------------------------------

void binarisePreview(ColorPlanes& result, const PictureArea& area, int threshold, ChannelChoice choice) {
    for (int y = area.rowBegin; y < area.rowEnd; ++y)
        binariseRow(result.R[y], result.G[y], result.B[y], area.colBegin, area.colEnd, threshold, choice);
}

void binariseFinal(ColorPlanes& planes, int threshold, ChannelChoice choice, const RowProgress& progress) {
    for (int y = 0; y < planes.height; ++y) {
        binariseRow(planes.R[y], planes.G[y], planes.B[y], 0, planes.width, threshold, choice);
        if (progress) progress(y);
    }
}

// ---- contrast ---------------------------------------------------------------------------------

void contrastPreview(const ColorPlanes& source, ColorPlanes& result, const PictureArea& area, int p,
                     ChannelChoice choice) {
    const auto [a, b] = contrastWeights(p);
    for (int y = area.rowBegin; y < area.rowEnd; ++y) {
        const std::uint8_t* sr = source.R[y];
        const std::uint8_t* sg = source.G[y];
        const std::uint8_t* sb = source.B[y];
        for (int x = area.colBegin; x < area.colEnd; ++x) {
            const double r = sr[x], g = sg[x], bl = sb[x];
            if (processes(choice, ChannelChoice::Red)) result.R[y][x] = contrastByte(a * r + b * g + b * bl);
            if (processes(choice, ChannelChoice::Green)) result.G[y][x] = contrastByte(b * r + a * g + b * bl);
            if (processes(choice, ChannelChoice::Blue)) result.B[y][x] = contrastByte(b * r + b * g + a * bl);
        }
    }
}

void contrastFinal(ColorPlanes& planes, int p, ChannelChoice choice, const RowProgress& progress) {
    const ContrastWeights w = contrastWeights(p);
    for (int y = 0; y < planes.height; ++y) {
        contrastRowInPlace(planes.R[y], planes.G[y], planes.B[y], planes.width, w, choice);
        if (progress) progress(y);
    }
}

// ---- gamma ------------------------------------------------------------------------------------

void gammaTable(int position, std::uint8_t table[256]) {
    // γ = position × 0.1 and 1/γ are plain doubles (the extended product of a small integer
    // and 0.1 rounds to the double product, and for every position 1..40 the extended
    // quotient 1/γ rounds to the double quotient). v × (1/255) is v / 255.0, which equals
    // the extended product rounded to double for every byte.
    const double exponent = 1.0 / (position * 0.1);
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<std::uint8_t>(static_cast<int>(255 * std::pow(v / 255.0, exponent)));
}

std::string gammaLabel(int position) {
    // Shortest general form at 15 significant digits, so 3 × 0.1 (0.30000000000000004)
    // shows as 0.3.
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, position * 0.1, std::chars_format::general, 15).ptr;
    return std::string(buf, end);
}

void gammaPreview(ColorPlanes& result, const PictureArea& area, int position) {
    std::uint8_t table[256];
    gammaTable(position, table);
    for (int y = area.rowBegin; y < area.rowEnd; ++y)
        applyTables(result, y, area.colBegin, area.colEnd, ChannelChoice::All, table);
}

void gammaFinal(ColorPlanes& planes, int position, const RowProgress& progress) {
    std::uint8_t table[256];
    gammaTable(position, table);
    for (int y = 0; y < planes.height; ++y) {
        applyTables(planes, y, 0, planes.width, ChannelChoice::All, table);
        if (progress) progress(y);
    }
}

// ---- posterise --------------------------------------------------------------------------------

void posteriseTable(int n, std::uint8_t table[256]) {
    // The slider never goes below 2; a count below 1 (no step to take) leaves every value.
    const int step = n >= 1 ? 255 / n : 0;
    for (int v = 0; v < 256; ++v) {
        int out = v;
        for (int k = 1; k <= n && step > 0; ++k) {
            if (v < step * k) {
                out = step * k;
                break;
            }
        }
        table[v] = static_cast<std::uint8_t>(out);
    }
}

void posterisePreview(ColorPlanes& result, const PictureArea& area, int n, ChannelChoice choice) {
    std::uint8_t table[256];
    posteriseTable(n, table);
    for (int y = area.rowBegin; y < area.rowEnd; ++y) applyTables(result, y, area.colBegin, area.colEnd, choice, table);
}

void posteriseFinal(ColorPlanes& planes, int n, ChannelChoice choice, const RowProgress& progress) {
    std::uint8_t table[256];
    posteriseTable(n, table);
    for (int y = 0; y < planes.height; ++y) {
        applyTables(planes, y, 0, planes.width, choice, table);
        if (progress) progress(y);
    }
}

}  // namespace veltrane
