// Contrast: the tone adjustment of the adjustment dialog that weighs each channel against the
// other two.
#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstring>

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

// The final pass works on 70 × the exact sum, an integer: N = (70 + p)·own + (70 − 2p)·(the
// other two). Where N is not a multiple of 70 the double sum truncates to N div 70 (its rounding
// errors are far below 1/70), and a negative N gives 0 after the limit, so the integer decides
// alone and sixteen-bit lanes hold it. Where N is 70·k with k in 1..255 the double sum may fall
// just below k: those pixels ("ambiguous") are evaluated in doubles as written. For positions
// 0..70 the positive part of N is at most 53550 and the negative part at most 35700, so both
// fit sixteen bits; other positions (not reachable from the slider) are evaluated in doubles.
struct IntegerWeights {
    bool usable;
    std::uint16_t own;    // 70 + p
    std::uint16_t plus;   // 70 − 2p where that is positive, else 0
    std::uint16_t minus;  // 2p − 70 where that is positive, else 0
};

IntegerWeights integerWeights(int p) {
    if (p < 0 || p > 70) return {false, 0, 0, 0};
    const int other = 70 - 2 * p;
    return {true, static_cast<std::uint16_t>(70 + p), static_cast<std::uint16_t>(std::max(other, 0)),
            static_cast<std::uint16_t>(std::max(-other, 0))};
}

constexpr ChannelChoice kChannels[3] = {ChannelChoice::Red, ChannelChoice::Green, ChannelChoice::Blue};

// Pixels are taken in blocks small enough to stay in the first-level cache between the steps.
constexpr int kBlock = 64;

// Integer results of one channel for n ≤ kBlock pixels, with a byte per pixel that is 1 where
// the double sum has to decide and 0 elsewhere (n .. kBlock − 1 included).
inline void integerSums(const std::uint8_t* __restrict own, const std::uint8_t* __restrict other1,
                        const std::uint8_t* __restrict other2, int n, IntegerWeights w, std::uint8_t* __restrict out,
                        std::uint8_t* __restrict ambiguous) {
    for (int i = 0; i < n; ++i) {
        const std::uint16_t others = static_cast<std::uint16_t>(other1[i] + other2[i]);
        const std::uint16_t positive = static_cast<std::uint16_t>(w.own * own[i] + w.plus * others);
        const std::uint16_t negative = static_cast<std::uint16_t>(w.minus * others);
        const std::uint16_t sum = static_cast<std::uint16_t>(std::max(positive, negative) - negative);
        const std::uint16_t k = sum / 70;
        const std::uint16_t rest = static_cast<std::uint16_t>(sum - k * 70);
        out[i] = static_cast<std::uint8_t>(std::min<std::uint16_t>(k, 255));
        ambiguous[i] = (rest == 0) & (static_cast<std::uint16_t>(k - 1) < 255);
    }
    std::fill(ambiguous + n, ambiguous + kBlock, 0);
}

// One channel of a block: `in` are the red, green and blue inputs of the formula, `own` the
// channel's index among them.
inline void contrastChannel(const std::uint8_t* const in[3], int own, int n, ContrastWeights w, IntegerWeights iw,
                            std::uint8_t* out) {
    const auto evaluate = [&](int i) { out[i] = contrastByte(weightedSum(w, own, in[0][i], in[1][i], in[2][i])); };
    if (!iw.usable) {
        for (int i = 0; i < n; ++i) evaluate(i);
        return;
    }
    alignas(8) std::uint8_t ambiguous[kBlock];
    integerSums(in[own], in[(own + 1) % 3], in[(own + 2) % 3], n, iw, out, ambiguous);
    for (int i = 0; i < kBlock; i += 8) {
        std::uint64_t lanes;
        std::memcpy(&lanes, ambiguous + i, 8);
        for (; lanes != 0; lanes &= lanes - 1) evaluate(i + std::countr_zero(lanes) / 8);
    }
}

// The integer loop is vectorised at the x86-64 baseline (eight lanes); GCC also builds an AVX2
// copy (sixteen lanes) and the loader picks it on processors that have it.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define VELTRANE_WIDE_LOOP __attribute__((target_clones("default", "avx2")))
#else
#define VELTRANE_WIDE_LOOP
#endif

// One row of the final pass, in place: red first, then green from the new red, then blue from
// the new red and green.
VELTRANE_WIDE_LOOP void contrastRowInPlace(std::uint8_t* R, std::uint8_t* G, std::uint8_t* B, int width,
                                           ContrastWeights w, IntegerWeights iw, ChannelChoice choice) {
    for (int x = 0; x < width; x += kBlock) {
        const int n = std::min(kBlock, width - x);
        std::uint8_t r[kBlock], g[kBlock], b[kBlock];
        std::memcpy(r, R + x, n);
        std::memcpy(g, G + x, n);
        std::memcpy(b, B + x, n);
        std::uint8_t* const channels[3] = {r, g, b};
        for (int own = 0; own < 3; ++own) {
            if (!processes(choice, kChannels[own])) continue;
            const std::uint8_t* const in[3] = {r, g, b};
            std::uint8_t result[kBlock];
            contrastChannel(in, own, n, w, iw, result);
            std::memcpy(channels[own], result, n);
        }
        std::memcpy(R + x, r, n);
        std::memcpy(G + x, g, n);
        std::memcpy(B + x, b, n);
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
    const IntegerWeights iw = integerWeights(p);
    for (int y = 0; y < planes.height; ++y) {
        contrastRowInPlace(planes.R[y], planes.G[y], planes.B[y], planes.width, w, iw, choice);
        if (progress) progress(y);
    }
}

}  // namespace veltrane
