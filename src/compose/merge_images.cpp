#include "compose/merge_images.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/wide_loops.h"

namespace veltrane {

namespace {

// A byte rule over one overlap row of n bytes; the plain loops let the compiler vectorise.
template <typename Rule>
VELTRANE_WIDE_LOOP void mergeRow(std::uint8_t* m, const std::uint8_t* s, std::size_t n, Rule rule) {
    for (std::size_t i = 0; i < n; ++i) m[i] = rule(m[i], s[i]);
}

template <typename RowPass>
void forEachOverlapRow(Bitmap24& working, const Bitmap24& second, RowPass pass) {
    const int rows = std::min(working.height(), second.height());
    const std::size_t bytes = static_cast<std::size_t>(std::min(working.width(), second.width())) * 3;
    if (bytes == 0) return;
    for (int y = 0; y < rows; ++y) pass(working.row(y), second.row(y), bytes);
}

template <typename Rule>
void mergeOverlap(Bitmap24& working, const Bitmap24& second, Rule rule) {
    forEachOverlapRow(working, second,
                      [rule](std::uint8_t* m, const std::uint8_t* s, std::size_t n) { mergeRow(m, s, n, rule); });
}

// The transparency rule is the integer weighting (m t + s (100 − t)) / 100 except where the
// double formula lands just below an exact integer. For one t those places are a few runs of s
// along a few differences m − s (none at all for most t). They are found by comparing both
// formulas over all 65,536 pairs, so the merge gives exactly the double formula's bytes.
struct TransparencyException {
    std::uint8_t difference;  // m − s modulo 256; with s inside the run it names one m
    std::uint8_t sLow;
    std::uint8_t sSpan;  // s runs over sLow .. sLow + sSpan
    std::uint8_t below;  // how far the double formula lies below the integer one (modulo 256)
};

int integerWeighting(int m, int s, int t) { return (m * t + s * (100 - t)) / 100; }

std::vector<TransparencyException> transparencyExceptions(int t) {
    std::vector<TransparencyException> exceptions;
    for (int d = -255; d <= 255; ++d) {
        const int sFirst = std::max(0, -d), sLast = std::min(255, 255 - d);
        int runStart = -1, runBelow = 0;
        for (int s = sFirst; s <= sLast + 1; ++s) {
            const int below = s <= sLast ? integerWeighting(s + d, s, t) - transparentByte(s + d, s, t) : 0;
            if (runStart >= 0 && below != runBelow) {
                exceptions.push_back({static_cast<std::uint8_t>(d), static_cast<std::uint8_t>(runStart),
                                      static_cast<std::uint8_t>(s - 1 - runStart), static_cast<std::uint8_t>(runBelow)});
                runStart = -1;
            }
            if (runStart < 0 && below != 0) {
                runStart = s;
                runBelow = below;
            }
        }
    }
    return exceptions;
}

VELTRANE_WIDE_LOOP_NOINLINE void weightRow(std::uint8_t* m, const std::uint8_t* s, std::size_t n, int t) {
    // At most 255 × 100: the sums fit 16 bits, which keeps more bytes per instruction.
    const std::uint16_t wm = static_cast<std::uint16_t>(t), ws = static_cast<std::uint16_t>(100 - t);
    for (std::size_t i = 0; i < n; ++i)
        m[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(m[i] * wm + s[i] * ws) / 100u);
}

// Adds the exceptions' steps to below[i] where (m, s) lies on one of them; run before m is
// overwritten. Four exceptions per sweep, so the row is read a quarter as often; a group is
// filled up with exceptions whose step is 0.
using ExceptionGroup = std::array<TransparencyException, 4>;

VELTRANE_WIDE_LOOP_NOINLINE void markExceptions(const std::uint8_t* m, const std::uint8_t* s, std::uint8_t* below,
                                                std::size_t n, ExceptionGroup group) {
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t difference = static_cast<std::uint8_t>(m[i] - s[i]);
        std::uint8_t step = 0;
        for (const TransparencyException& e : group) {
            const bool onRun = difference == e.difference && static_cast<std::uint8_t>(s[i] - e.sLow) <= e.sSpan;
            step = static_cast<std::uint8_t>(step + (onRun ? e.below : 0));
        }
        below[i] = static_cast<std::uint8_t>(below[i] + step);
    }
}

// The weighting and one group of exceptions in a single sweep: every t but 56 and 70 has at most
// four exception runs, so this is the whole merge for them.
VELTRANE_WIDE_LOOP_NOINLINE void weightRowWithExceptions(std::uint8_t* m, const std::uint8_t* s, std::size_t n,
                                                         int t, ExceptionGroup group) {
    const std::uint16_t wm = static_cast<std::uint16_t>(t), ws = static_cast<std::uint16_t>(100 - t);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t mi = m[i], si = s[i];
        const std::uint8_t difference = static_cast<std::uint8_t>(mi - si);
        std::uint8_t step = 0;
        for (const TransparencyException& e : group) {
            const bool onRun = difference == e.difference && static_cast<std::uint8_t>(si - e.sLow) <= e.sSpan;
            step = static_cast<std::uint8_t>(step + (onRun ? e.below : 0));
        }
        const auto weighted = static_cast<std::uint8_t>(static_cast<std::uint16_t>(mi * wm + si * ws) / 100u);
        m[i] = static_cast<std::uint8_t>(weighted - step);
    }
}

VELTRANE_WIDE_LOOP_NOINLINE void subtractRow(std::uint8_t* m, const std::uint8_t* below, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) m[i] = static_cast<std::uint8_t>(m[i] - below[i]);
}

void mergeTransparent(Bitmap24& working, const Bitmap24& second, int t) {
    t = std::clamp(t, 0, 100);
    const std::vector<TransparencyException> exceptions = transparencyExceptions(t);
    if (exceptions.empty()) {
        forEachOverlapRow(working, second, [t](std::uint8_t* m, const std::uint8_t* s, std::size_t n) {
            weightRow(m, s, n, t);
        });
        return;
    }
    std::vector<ExceptionGroup> groups((exceptions.size() + 3) / 4, ExceptionGroup{});
    for (std::size_t k = 0; k < exceptions.size(); ++k) groups[k / 4][k % 4] = exceptions[k];
    if (groups.size() == 1) {
        forEachOverlapRow(working, second, [&](std::uint8_t* m, const std::uint8_t* s, std::size_t n) {
            weightRowWithExceptions(m, s, n, t, groups[0]);
        });
        return;
    }
    std::vector<std::uint8_t> below(static_cast<std::size_t>(std::min(working.width(), second.width())) * 3);
    forEachOverlapRow(working, second, [&](std::uint8_t* m, const std::uint8_t* s, std::size_t n) {
        std::fill(below.begin(), below.end(), std::uint8_t{0});
        for (const ExceptionGroup& group : groups) markExceptions(m, s, below.data(), n, group);
        weightRow(m, s, n, t);
        subtractRow(m, below.data(), n);
    });
}

}  // namespace

std::uint8_t transparentByte(int m, int s, int t) {
    t = std::clamp(t, 0, 100);
    // With t in 0..100 the value lies between s and m, so it fits a byte.
    return static_cast<std::uint8_t>(std::trunc((m - s) * (t * 0.01) + s));
}

void MergeImages(Bitmap24& working, const Bitmap24& second, MergeRule rule, int t) {
    using Byte = std::uint8_t;
    switch (rule) {
        case MergeRule::Transparent: mergeTransparent(working, second, t); break;
        case MergeRule::Bright: mergeOverlap(working, second, [](Byte m, Byte s) { return std::max(m, s); }); break;
        case MergeRule::Dark: mergeOverlap(working, second, [](Byte m, Byte s) { return std::min(m, s); }); break;
        case MergeRule::Add: mergeOverlap(working, second, [](Byte m, Byte s) { return Byte(m & s); }); break;
        case MergeRule::Sub: mergeOverlap(working, second, [](Byte m, Byte s) { return Byte(m | s); }); break;
        // NOT on a byte promotes to int; the cast keeps the low 8 bits.
        case MergeRule::Xor1: mergeOverlap(working, second, [](Byte m, Byte s) { return Byte(~m | ~s); }); break;
        case MergeRule::Xor2: mergeOverlap(working, second, [](Byte m, Byte s) { return Byte(~m & ~s); }); break;
    }
}

}  // namespace veltrane
