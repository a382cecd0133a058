// Contrast: the tone adjustment of the adjustment dialog that weighs each channel against the
// other two.
#include <algorithm>
#include <cfloat>
#include <cstdint>

#include "adjust/adjustments.h"

namespace veltrane {

// The contrast weights are evaluated in long double, the x87 80-bit format on the x86 targets
// this program is built for.
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended format");

namespace {

bool processes(ChannelChoice choice, ChannelChoice channel) {
    return choice == ChannelChoice::All || choice == channel;
}

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

// trunc(v) limited to 0..255. For slider positions the weighted sums stay within ±800, so the
// conversion to int is defined; the limits are then integer minimum and maximum.
inline std::uint8_t contrastByte(double v) {
    const int i = static_cast<int>(v);
    return static_cast<std::uint8_t>(std::min(std::max(i, 0), 255));
}

// The sum of the channel at index `own` (0 red, 1 green, 2 blue), evaluated left to right in
// red, green, blue order as written: a·R + b·G + b·B, b·R + a·G + b·B, b·R + b·G + a·B.
inline double weightedSum(ContrastWeights w, int own, double r, double g, double b) {
    return (own == 0 ? w.a : w.b) * r + (own == 1 ? w.a : w.b) * g + (own == 2 ? w.a : w.b) * b;
}

// The final pass evaluates the sums as written, in doubles, for every pixel: a whole-number
// sum ((70 + p)·own + (70 − 2p)·(other two) a multiple of 70) may land just below the whole
// number, and which ones do depends on the rounding of each product and sum, not on the exact
// value alone. At p = 30 one channel in seven has a whole-number sum, so no exact integer
// shortcut with a double fallback pays (see bench/README.md). The loop vectorises; the widest
// registers do the most: GCC builds AVX2 and AVX-512 (x86-64-v4) copies and the loader picks
// the best one the processor has.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define VELTRANE_WIDE_LOOP __attribute__((target_clones("default", "avx2", "arch=x86-64-v4")))
#else
#define VELTRANE_WIDE_LOOP
#endif

// One row of the final pass, in place: red first, then green from the new red, then blue from
// the new red and green.
VELTRANE_WIDE_LOOP void contrastRowInPlace(std::uint8_t* __restrict R, std::uint8_t* __restrict G,
                                           std::uint8_t* __restrict B, int width, ContrastWeights w,
                                           ChannelChoice choice) {
    switch (choice) {
        case ChannelChoice::All:
            for (int x = 0; x < width; ++x) {
                const double r = R[x], g = G[x], b = B[x];
                const std::uint8_t nr = contrastByte(weightedSum(w, 0, r, g, b));
                const std::uint8_t ng = contrastByte(weightedSum(w, 1, nr, g, b));
                const std::uint8_t nb = contrastByte(weightedSum(w, 2, nr, ng, b));
                R[x] = nr;
                G[x] = ng;
                B[x] = nb;
            }
            break;
        case ChannelChoice::Red:
            for (int x = 0; x < width; ++x) R[x] = contrastByte(weightedSum(w, 0, R[x], G[x], B[x]));
            break;
        case ChannelChoice::Green:
            for (int x = 0; x < width; ++x) G[x] = contrastByte(weightedSum(w, 1, R[x], G[x], B[x]));
            break;
        case ChannelChoice::Blue:
            for (int x = 0; x < width; ++x) B[x] = contrastByte(weightedSum(w, 2, R[x], G[x], B[x]));
            break;
    }
}

}  // namespace

void contrastPreview(const ColorPlanes& source, ColorPlanes& result, const PictureArea& area, int p,
                     ChannelChoice choice) {
    const ContrastWeights w = contrastWeights(p);
    for (int y = area.rowBegin; y < area.rowEnd; ++y) {
        const std::uint8_t* sr = source.R[y];
        const std::uint8_t* sg = source.G[y];
        const std::uint8_t* sb = source.B[y];
        for (int x = area.colBegin; x < area.colEnd; ++x) {
            const double r = sr[x], g = sg[x], bl = sb[x];
            if (processes(choice, ChannelChoice::Red)) result.R[y][x] = contrastByte(weightedSum(w, 0, r, g, bl));
            if (processes(choice, ChannelChoice::Green)) result.G[y][x] = contrastByte(weightedSum(w, 1, r, g, bl));
            if (processes(choice, ChannelChoice::Blue)) result.B[y][x] = contrastByte(weightedSum(w, 2, r, g, bl));
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

}  // namespace veltrane
