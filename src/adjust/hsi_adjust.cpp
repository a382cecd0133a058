// HSI offsets: the colour adjustment of the adjustment dialog that works in the program's
// hue–saturation–intensity model.
#include <cfloat>
#include <cstdint>

#include "adjust/adjustments.h"
#include "image/converted_colour_cache.h"

namespace veltrane {

// The preview's hue step is evaluated in long double, which on the x86 targets this program is
// built for is the x87 80-bit format the rules are stated in.
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended format");

namespace {

constexpr double kFullTurn = 6.283;
constexpr double kUnitStep = 0.0078125;  // 1/128

inline std::uint8_t byteOf(double v) { return static_cast<std::uint8_t>(static_cast<int>(v)); }

struct HsiOffsets {
    double dH, dS, dI;
};

// The final pass's conversion of one colour, remembered by ConvertedColourCache.
void shiftColour(const void* context, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
    const HsiOffsets& offsets = *static_cast<const HsiOffsets*>(context);
    const HsiColor c = shiftHsi(RgbBytesToHsi(r, g, b), offsets.dH, offsets.dS, offsets.dI);
    HsiToRgbBytes(c.H, c.S, c.I, r, g, b);
}

}  // namespace

double hsiPreviewHueOffset(int position) {
    // position × (1/180) × 2 × 3.1415 in extended precision, kept as a double: for 86 of the
    // 361 positions the all-double product differs in its last bit.
    constexpr long double kOne180th = 1.0L / 180;
    return static_cast<double>(position * kOne180th * 2 * 3.1415);
}

double hsiFinalHueOffset(int position) { return position * 0.034883; }

double hsiUnitOffset(int position) { return position * kUnitStep; }

HsiColor shiftHsi(const HsiColor& hsi, double dH, double dS, double dI) {
    HsiColor out;
    double t = hsi.H + dH;
    if (t > kFullTurn || t < 0) t = t >= kFullTurn ? t - kFullTurn : t + kFullTurn;
    out.H = t;
    t = hsi.S + dS;
    if (t > 1 || t < 0) t = t >= 1 ? 1 : 0;
    out.S = t;
    t = hsi.I + dI;
    if (t > 1 || t < 0) t = t >= 1 ? 1 : 0;
    out.I = t;
    return out;
}

void HsiToRgbBytes(double H, double S, double I, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
    // The colour model's HsiToRgb, storing trunc(255 × value) into the pixel; where it gives
    // no colour the pixel keeps its bytes.
    double r = 0, g = 0, b = 0;
    if (!HsiToRgb(H, S, I, r, g, b)) return;
    R = byteOf(r);
    G = byteOf(g);
    B = byteOf(b);
}

void hsiPreview(ColorPlanes& result, const PictureArea& area, int huePosition, int saturationPosition,
                int intensityPosition) {
    const double dH = hsiPreviewHueOffset(huePosition);
    const double dS = hsiUnitOffset(saturationPosition);
    const double dI = hsiUnitOffset(intensityPosition);
    for (int y = area.rowBegin; y < area.rowEnd; ++y) {
        std::uint8_t* R = result.R[y];
        std::uint8_t* G = result.G[y];
        std::uint8_t* B = result.B[y];
        for (int x = area.colBegin; x < area.colEnd; ++x) {
            const HsiColor c = shiftHsi(RgbBytesToHsi(R[x], G[x], B[x]), dH, dS, dI);
            double r, g, b;
            if (HsiToRgb(c.H, c.S, c.I, r, g, b)) {
                R[x] = byteOf(r);
                G[x] = byteOf(g);
                B[x] = byteOf(b);
            }
        }
    }
}

void hsiFinal(ColorPlanes& planes, int huePosition, int saturationPosition, int intensityPosition,
              const RowProgress& progress) {
    const HsiOffsets offsets{hsiFinalHueOffset(huePosition), hsiUnitOffset(saturationPosition),
                             hsiUnitOffset(intensityPosition)};
    ConvertedColourCache cache(shiftColour, &offsets);
    for (int y = 0; y < planes.height; ++y) {
        cache.convertRow(planes.R[y], planes.G[y], planes.B[y], planes.width);
        if (progress) progress(y);
    }
}

}  // namespace veltrane
