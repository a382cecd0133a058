// The "レインボーマスク": colour cells OR-ed into the picture in diagonal stripes.
#include <algorithm>
#include <array>
#include <cstdint>

#include "effects/mask_patterns.h"

namespace veltrane {

namespace {

constexpr int kCell = 8;
constexpr int kColours = 7;
constexpr int kPeriod = kCell * kColours;  // 56

struct CellColour {
    std::uint8_t r, g, b;
};
constexpr std::array<CellColour, kColours> kCellColours = {{
    {255, 0, 0}, {255, 200, 200}, {255, 255, 0}, {153, 204, 102}, {0, 128, 255}, {0, 0, 255}, {255, 0, 255},
}};

// Cell row u = (y mod 56) / 8 and cell column w = (x mod 56) / 8 take colour (w − u) mod 7,
// the non-negative remainder.
int colourIndex(int cellRow, int cellColumn) { return ((cellColumn - cellRow) % kColours + kColours) % kColours; }

// ORs one period of the pattern, repeated, into a row.
void orRow(std::uint8_t* row, int width, const std::uint8_t* period) {
    for (int start = 0; start < width; start += kPeriod) {
        const int n = std::min(kPeriod, width - start);
        for (int k = 0; k < n; ++k) row[start + k] |= period[k];
    }
}

}  // namespace

void RainbowMask(ColorPlanes& planes) {
    for (int y = 0; y < planes.height; ++y) {
        std::uint8_t r[kPeriod], g[kPeriod], b[kPeriod];
        const int cellRow = y % kPeriod / kCell;
        for (int x = 0; x < kPeriod; ++x) {
            const CellColour& c = kCellColours[colourIndex(cellRow, x / kCell)];
            r[x] = c.r;
            g[x] = c.g;
            b[x] = c.b;
        }
        orRow(planes.R[y], planes.width, r);
        orRow(planes.G[y], planes.width, g);
        orRow(planes.B[y], planes.width, b);
    }
}

}  // namespace veltrane
