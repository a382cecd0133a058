#include "colormap/color_extraction.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/wide_loops.h"
#include "image/color_model.h"

namespace veltrane {

namespace {

// The sector bounds: multiples of a twelfth of the full turn of 6.283.
constexpr double kRedYellow = 0.5235833333333334;
constexpr double kYellowGreen = 1.57075;
constexpr double kGreenCyan = 2.617916666666667;
constexpr double kCyanBlue = 3.6650833333333335;
constexpr double kBluePurple = 4.71225;
constexpr double kPurpleRed = 5.759416666666667;

// The integer pass's mark for a pixel whose true hue lies on a bound: its double hue decides.
constexpr std::int8_t kOnBound = kHueSectorCount;

// RgbToHsi takes the hue from the last of red, green and blue that holds the maximum M, as
// centre ± (difference of the other two) / (M − min) sector widths, centre 0, 2 or 4 widths.
// The bounds lie half a width either side of each centre, so comparing twice the difference
// with the range places every pixel off a bound exactly; on a bound the double hue may
// round to either side, and the pixel is marked for it.
VELTRANE_WIDE_LOOP void sectorsByComparison(const std::uint8_t* __restrict r, const std::uint8_t* __restrict g,
                                            const std::uint8_t* __restrict b, std::int8_t* __restrict sectors,
                                            int count) {
    for (int x = 0; x < count; ++x) {
        const std::int16_t R = r[x], G = g[x], B = b[x];
        const std::int16_t max = std::max(R, std::max(G, B));
        const std::int16_t range = static_cast<std::int16_t>(max - std::min(R, std::min(G, B)));
        const bool blueMax = B == max, greenMax = G == max;
        const std::int16_t twice = static_cast<std::int16_t>(2 * (blueMax ? R - G : greenMax ? B - R : G - B));
        const std::int8_t centre = blueMax ? 4 : greenMax ? 2 : 0;
        std::int8_t sector = twice > range    ? static_cast<std::int8_t>(centre + 1)
                             : twice < -range ? static_cast<std::int8_t>(centre - 1)
                                              : centre;
        sector = sector < 0 ? 5 : sector;  // below red's centre: purple
        sector = twice == range || twice == -range ? kOnBound : sector;
        sectors[x] = range == 0 ? 0 : sector;  // a grey has hue 0: red
    }
}

void resolveOnBound(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, std::int8_t* sectors,
                    int count) {
    std::int8_t* const end = sectors + count;
    for (std::int8_t* p = sectors; p < end; ++p) {
        p = static_cast<std::int8_t*>(std::memchr(p, kOnBound, static_cast<std::size_t>(end - p)));
        if (!p) break;
        const std::ptrdiff_t x = p - sectors;
        *p = static_cast<std::int8_t>(hueSector(RgbBytesToHsi(r[x], g[x], b[x]).H));
    }
}

// Per sector 0xFF (kept) or 0 (blackened).
struct SectorMasks {
    std::uint8_t of[kHueSectorCount];
};

SectorMasks masksOf(const SectorChoice& chosen) {
    SectorMasks masks{};
    for (int s = 0; s < kHueSectorCount; ++s) masks.of[s] = chosen[s] ? 0xFF : 0;
    return masks;
}

VELTRANE_WIDE_LOOP void blackenUnchosen(std::uint8_t* __restrict r, std::uint8_t* __restrict g,
                                        std::uint8_t* __restrict b, const std::int8_t* __restrict sectors, int count,
                                        SectorMasks masks) {
    const std::uint8_t m0 = masks.of[0], m1 = masks.of[1], m2 = masks.of[2], m3 = masks.of[3], m4 = masks.of[4],
                       m5 = masks.of[5];
    // Masks and ors rather than a chain of choices, so that the loop has no branch to keep it
    // from running on whole vectors. A pixel in no sector (-1) is kept.
    for (int x = 0; x < count; ++x) {
        const std::int8_t s = sectors[x];
        const auto in = [s](int sector) { return -(s == sector); };  // all ones or 0
        const std::uint8_t keep = static_cast<std::uint8_t>((in(0) & m0) | (in(1) & m1) | (in(2) & m2) | (in(3) & m3) |
                                                            (in(4) & m4) | (in(5) & m5) | -(s < 0));
        r[x] &= keep;
        g[x] &= keep;
        b[x] &= keep;
    }
}

void extractRow(std::uint8_t* r, std::uint8_t* g, std::uint8_t* b, int count, std::int8_t* sectors,
                const SectorMasks& masks) {
    colourSectors(r, g, b, sectors, count);
    blackenUnchosen(r, g, b, sectors, count, masks);
}

}  // namespace

int hueSector(double hue) {
    if ((0 <= hue && hue <= kRedYellow) || hue >= kPurpleRed) return 0;
    if (kRedYellow <= hue && hue <= kYellowGreen) return 1;
    if (kYellowGreen <= hue && hue <= kGreenCyan) return 2;
    if (kGreenCyan <= hue && hue <= kCyanBlue) return 3;
    if (kCyanBlue <= hue && hue <= kBluePurple) return 4;
    if (kBluePurple <= hue && hue <= kPurpleRed) return 5;
    return -1;
}

void colourSectors(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, std::int8_t* sectors,
                   int count) {
    sectorsByComparison(r, g, b, sectors, count);
    resolveOnBound(r, g, b, sectors, count);
}

void extractColours(ColorPlanes& planes, const PictureArea& area, const SectorChoice& chosen) {
    const int count = area.colEnd - area.colBegin;
    if (count <= 0) return;
    std::vector<std::int8_t> sectors(static_cast<std::size_t>(count));
    const SectorMasks masks = masksOf(chosen);
    for (int y = area.rowBegin; y < area.rowEnd; ++y)
        extractRow(planes.R[y] + area.colBegin, planes.G[y] + area.colBegin, planes.B[y] + area.colBegin, count,
                   sectors.data(), masks);
}

void extractColours(ColorPlanes& planes, const SectorChoice& chosen, const RowProgress& progress) {
    // The row buffer exists before any pixel changes: without memory the planes stay whole.
    std::vector<std::int8_t> sectors(static_cast<std::size_t>(std::max(planes.width, 0)));
    const SectorMasks masks = masksOf(chosen);
    for (int y = 0; y < planes.height; ++y) {
        extractRow(planes.R[y], planes.G[y], planes.B[y], planes.width, sectors.data(), masks);
        if (progress) progress(y);
    }
}

}  // namespace veltrane
