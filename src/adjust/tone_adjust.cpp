// Binarise, gamma and posterise: the tone adjustments of the adjustment dialog that work per value
// or per mean (contrast, which weighs the three channels, is in contrast_adjust.cpp).
#include <algorithm>
#include <charconv>
#include <cmath>

#include "adjust/adjustments.h"
#include "image/byte_table.h"

namespace veltrane {

namespace {

bool processes(ChannelChoice choice, ChannelChoice channel) {
    return choice == ChannelChoice::All || choice == channel;
}

// Applies a 256-entry table to the chosen planes of one row segment.
void applyTable(std::uint8_t* v, int begin, int end, const std::uint8_t* table) {
    mapBytes(v, v, begin, end, table);
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
