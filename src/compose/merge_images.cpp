#include "compose/merge_images.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "common/wide_loops.h"

namespace veltrane {

namespace {

// A byte rule over one overlap row of n bytes; the plain loops let the compiler vectorise.
template <typename Rule>
VELTRANE_WIDE_LOOP void mergeRow(std::uint8_t* m, const std::uint8_t* s, std::size_t n, Rule rule) {
    for (std::size_t i = 0; i < n; ++i) m[i] = rule(m[i], s[i]);
}

template <typename Rule>
void mergeOverlap(Bitmap24& working, const Bitmap24& second, Rule rule) {
    const int rows = std::min(working.height(), second.height());
    const std::size_t bytes = static_cast<std::size_t>(std::min(working.width(), second.width())) * 3;
    for (int y = 0; y < rows; ++y) mergeRow(working.row(y), second.row(y), bytes, rule);
}

// The transparency rule for one t as a 256 × 256 table indexed [m][s], filled by the exact
// double formula: the same bytes as computing each pixel, at the cost of one look-up.
using TransparencyTable = std::array<std::uint8_t, 256 * 256>;

void fillTransparencyTable(TransparencyTable& table, int t) {
    std::uint8_t* entry = table.data();
    for (int m = 0; m < 256; ++m)
        for (int s = 0; s < 256; ++s) *entry++ = transparentByte(m, s, t);
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
        case MergeRule::Transparent: {
            static thread_local TransparencyTable table;
            fillTransparencyTable(table, t);
            const Byte* entries = table.data();
            mergeOverlap(working, second,
                         [entries](Byte m, Byte s) { return entries[static_cast<std::size_t>(m) * 256 + s]; });
            break;
        }
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
