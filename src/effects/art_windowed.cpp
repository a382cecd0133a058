// Kinds 0 (shake) and 1 (emboss): small windows over the original picture. The rows a window
// still needs are kept, bordered, in a ring of five or three rows, so each plane row can be
// rewritten as soon as it is computed.
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "common/wide_loops.h"
#include "effects/art_effects.h"
#include "image/histogram.h"
#include "image/padded_rows.h"

namespace veltrane {
namespace {

// above[x] is column x − 2 of the row two above, middle[x] column x, below[x] column x + 2 of
// the row two below. At most 3 × 255, so the quotient needs no clamp.
VELTRANE_WIDE_LOOP void ShakeRow(const std::uint8_t* __restrict above, const std::uint8_t* __restrict middle,
                                 const std::uint8_t* __restrict below, std::uint8_t* __restrict out, int n) {
    for (int x = 0; x < n; ++x)
        out[x] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(above[x] + middle[x] + below[x]) / 3);
}

// Rows bordered by one column: element x is column x − 1.
VELTRANE_WIDE_LOOP void EmbossRow(const std::uint8_t* __restrict above, const std::uint8_t* __restrict middle,
                                  const std::uint8_t* __restrict below, std::uint8_t* __restrict out, int n) {
    for (int x = 0; x < n; ++x) {
        const int sum = -2 * above[x] - above[x + 1] - middle[x] + middle[x + 2] + below[x + 1] + 2 * below[x + 2];
        out[x] = static_cast<std::uint8_t>(std::clamp(sum + 128, 0, 255));
    }
}

std::array<Plane*, 3> Channels(ColorPlanes& planes) { return {&planes.R, &planes.G, &planes.B}; }

}  // namespace

void Shake(ColorPlanes& planes, const RowProgress& progress) {
    const int h = planes.height;
    const int w = planes.width;
    if (h <= 0 || w <= 0) return;
    constexpr int kReach = 2;
    const auto channels = Channels(planes);
    std::vector<PaddedRows> kept(3, PaddedRows(w, kReach, 2 * kReach + 1, ReflectIndex));
    int nextToKeep = 0;
    for (int y = 0; y < h; ++y) {
        for (; nextToKeep < h && nextToKeep <= y + kReach; ++nextToKeep)
            for (int c = 0; c < 3; ++c) kept[c].keep(nextToKeep, (*channels[c])[nextToKeep]);
        const int above = ReflectIndex(y - kReach, h);
        const int below = ReflectIndex(y + kReach, h);
        for (int c = 0; c < 3; ++c)
            ShakeRow(kept[c].at(above), kept[c].at(y) + kReach, kept[c].at(below) + 2 * kReach, (*channels[c])[y],
                     w);
        if (progress) progress(y);
    }
}

void Emboss(ColorPlanes& planes, EmbossTone tone, const RowProgress& progress) {
    const int h = planes.height;
    const int w = planes.width;
    if (h <= 0 || w <= 0) return;
    const bool grey = tone == EmbossTone::Grey;
    const int planeCount = grey ? 1 : 3;
    const auto channels = Channels(planes);
    std::vector<PaddedRows> kept(static_cast<std::size_t>(planeCount), PaddedRows(w, 1, 3, RepeatIndex));
    std::vector<std::uint8_t> luminance(grey ? static_cast<std::size_t>(w) : 0);
    auto keepRow = [&](int row) {
        if (grey) {
            LuminanceRow(planes.R[row], planes.G[row], planes.B[row], luminance.data(), w);
            kept[0].keep(row, luminance.data());
        } else {
            for (int c = 0; c < 3; ++c) kept[c].keep(row, (*channels[c])[row]);
        }
    };
    int nextToKeep = 0;
    for (int y = 0; y < h; ++y) {
        for (; nextToKeep < h && nextToKeep <= y + 1; ++nextToKeep) keepRow(nextToKeep);
        const int above = RepeatIndex(y - 1, h);
        const int below = RepeatIndex(y + 1, h);
        for (int c = 0; c < planeCount; ++c)
            EmbossRow(kept[c].at(above), kept[c].at(y), kept[c].at(below), (*channels[c])[y], w);
        if (grey) {
            std::memcpy(planes.G[y], planes.R[y], static_cast<std::size_t>(w));
            std::memcpy(planes.B[y], planes.R[y], static_cast<std::size_t>(w));
        }
        if (progress) progress(y);
    }
}

}  // namespace veltrane
