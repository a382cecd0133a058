// The "Mekoマスク": hues turned half a circle, then 2 × 2 blocks rotated.
#include "effects/mask_patterns.h"
#include "image/color_model.h"
#include "image/converted_colour_cache.h"

namespace veltrane {

namespace {

// Half of the program's turn of 6.283.
constexpr double kHalfTurn = 3.1415;

inline std::uint8_t byteOf(double v) { return static_cast<std::uint8_t>(static_cast<int>(v)); }

// Where HsiToRgb gives no colour (a turned hue of 6.283) the pixel keeps its bytes; no byte
// colour turns there today, but the colour model leaves the outputs unset in that case.
void turnHue(const void*, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
    const HsiColor c = RgbBytesToHsi(r, g, b);
    const double hue = c.H > kHalfTurn ? c.H - kHalfTurn : c.H + kHalfTurn;
    double nr, ng, nb;
    if (!HsiToRgb(hue, c.S, c.I, nr, ng, nb)) return;
    r = byteOf(nr);
    g = byteOf(ng);
    b = byteOf(nb);
}

// Every complete block (a b / c d) from (0, 0) becomes (c d / b a).
void rotateBlocks(Plane& plane, int height, int width) {
    for (int y = 0; y + 1 < height; y += 2) {
        std::uint8_t* upper = plane[y];
        std::uint8_t* lower = plane[y + 1];
        for (int x = 0; x + 1 < width; x += 2) {
            const std::uint8_t a = upper[x], b = upper[x + 1], c = lower[x], d = lower[x + 1];
            upper[x] = c;
            upper[x + 1] = d;
            lower[x] = b;
            lower[x + 1] = a;
        }
    }
}

}  // namespace

void MekoMask(ColorPlanes& planes) {
    ConvertedColourCache turned(turnHue, nullptr);
    for (int y = 0; y < planes.height; ++y) turned.convertRow(planes.R[y], planes.G[y], planes.B[y], planes.width);
    for (Plane* plane : {&planes.R, &planes.G, &planes.B}) rotateBlocks(*plane, planes.height, planes.width);
}

}  // namespace veltrane
