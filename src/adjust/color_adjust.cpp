// RGB offsets, HSI offsets and noise: the colour adjustments of the adjustment dialog.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "adjust/adjustments.h"
#include "adjust/byte_table.h"

namespace veltrane {

// The extended-precision constants below are evaluated in long double, which on the x86
// targets this program is built for is the x87 80-bit format the rules are stated in.
static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended format");

namespace {

// ---- RGB --------------------------------------------------------------------------------------

void offsetTable(int d, std::uint8_t table[256]) {
    for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(std::clamp(v + d, 0, 255));
}

struct OffsetTables {
    OffsetTables(int dR, int dG, int dB) {
        offsetTable(dR, r);
        offsetTable(dG, g);
        offsetTable(dB, b);
    }
    std::uint8_t r[256], g[256], b[256];
};

void mapRow(const std::uint8_t* in, std::uint8_t* out, int begin, int end, const std::uint8_t* table) {
    adjust_detail::mapBytes(in, out, begin, end, table);
}

void mapRowInPlace(std::uint8_t* v, int width, const std::uint8_t* table) {
    adjust_detail::mapBytes(v, v, 0, width, table);
}

// ---- HSI --------------------------------------------------------------------------------------

constexpr double kFullTurn = 6.283;
constexpr double kUnitStep = 0.0078125;  // 1/128

inline std::uint8_t byteOf(double v) { return static_cast<std::uint8_t>(static_cast<int>(v)); }

// Converted colours of the final pass: 16384 slots of 8 bytes, chosen by a multiplicative hash
// of the colour. A key above 24 bits marks an empty slot.
class HsiColourCache {
public:
    struct Entry {
        std::uint32_t key = 0xFFFFFFFFu;
        std::uint8_t r = 0, g = 0, b = 0;
    };
    Entry& slot(std::uint32_t key) { return entries_[(key * 2654435761u) >> (32 - kBits)]; }

private:
    static constexpr int kBits = 14;
    std::vector<Entry> entries_ = std::vector<Entry>(std::size_t{1} << kBits);
};

// ---- noise ------------------------------------------------------------------------------------

// trunc(e × (1/32767) × n) − 1, raised to 0, with 1/32767 in extended precision. The exact
// value e·n/32767 lies at least 1/32767 away from a whole number unless e·n is a multiple of
// 32767, and the rounding error of the extended products is far smaller than that, so the
// integer quotient is the extended result everywhere except at those multiples. There the
// extended product may fall just below the whole number (e = 23405, n = 21: 14, not 15), so
// those few are computed in extended precision itself.
int dotIndex(int e, int n) {
    constexpr long double kInv32767 = 1.0L / 32767;
    const std::int64_t product = static_cast<std::int64_t>(e) * n;
    std::int64_t index = product / 32767;
    if (product % 32767 == 0) index = static_cast<std::int64_t>(e * kInv32767 * n);
    return index > 0 ? static_cast<int>(index - 1) : 0;
}

struct Dot {
    int row, col;
    NoiseColour colour;
};

// Three draws in this order: row, column, colour.
Dot drawDot(RandomGenerator& random, int rows, int cols, bool colour) {
    Dot dot;
    dot.row = dotIndex(random.next(), rows);
    dot.col = dotIndex(random.next(), cols);
    dot.colour = noiseColour(random.next(), colour);
    return dot;
}

void paint(ColorPlanes& planes, const Dot& dot) {
    planes.R[dot.row][dot.col] = dot.colour.R;
    planes.G[dot.row][dot.col] = dot.colour.G;
    planes.B[dot.row][dot.col] = dot.colour.B;
}

}  // namespace

// ---- RGB --------------------------------------------------------------------------------------

void rgbPreview(const ColorPlanes& source, ColorPlanes& result, const PictureArea& area, int dR, int dG, int dB) {
    const OffsetTables t(dR, dG, dB);
    for (int y = area.rowBegin; y < area.rowEnd; ++y) {
        mapRow(source.R[y], result.R[y], area.colBegin, area.colEnd, t.r);
        mapRow(source.G[y], result.G[y], area.colBegin, area.colEnd, t.g);
        mapRow(source.B[y], result.B[y], area.colBegin, area.colEnd, t.b);
    }
}

void rgbFinal(ColorPlanes& planes, int dR, int dG, int dB, const RowProgress& progress) {
    const OffsetTables t(dR, dG, dB);
    for (int y = 0; y < planes.height; ++y) {
        mapRowInPlace(planes.R[y], planes.width, t.r);
        mapRowInPlace(planes.G[y], planes.width, t.g);
        mapRowInPlace(planes.B[y], planes.width, t.b);
        if (progress) progress(y);
    }
}

// ---- HSI --------------------------------------------------------------------------------------

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
            HsiColor c;
            RgbToHsi(R[x], G[x], B[x], c.H, c.S, c.I);
            c = shiftHsi(c, dH, dS, dI);
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
    const double dH = hsiFinalHueOffset(huePosition);
    const double dS = hsiUnitOffset(saturationPosition);
    const double dI = hsiUnitOffset(intensityPosition);
    // The new bytes are a function of the old bytes alone, and a photograph repeats its colours
    // often (smooth areas, neighbouring rows), so converted colours are remembered in a small
    // direct-mapped table keyed by the 24-bit colour. A miss converts as usual.
    HsiColourCache cache;
    for (int y = 0; y < planes.height; ++y) {
        std::uint8_t* R = planes.R[y];
        std::uint8_t* G = planes.G[y];
        std::uint8_t* B = planes.B[y];
        for (int x = 0; x < planes.width; ++x) {
            const std::uint32_t key = (std::uint32_t{R[x]} << 16) | (std::uint32_t{G[x]} << 8) | B[x];
            HsiColourCache::Entry& e = cache.slot(key);
            if (e.key != key) {
                e.key = key;
                HsiColor c;
                RgbToHsi(R[x], G[x], B[x], c.H, c.S, c.I);
                c = shiftHsi(c, dH, dS, dI);
                e.r = R[x];
                e.g = G[x];
                e.b = B[x];
                HsiToRgbBytes(c.H, c.S, c.I, e.r, e.g, e.b);
            }
            R[x] = e.r;
            G[x] = e.g;
            B[x] = e.b;
        }
        if (progress) progress(y);
    }
}

// ---- noise ------------------------------------------------------------------------------------

NoiseColour noiseColour(int e, bool colour) {
    if (!colour) return e < 16384 ? NoiseColour{0, 0, 0} : NoiseColour{255, 255, 255};
    if (e >= 28665) return {255, 255, 255};
    if (e >= 24570) return {255, 255, 0};
    if (e >= 20475) return {255, 0, 255};
    if (e >= 16380) return {0, 255, 255};
    if (e >= 12285) return {255, 0, 0};
    if (e >= 8190) return {0, 0, 255};
    if (e >= 4095) return {0, 255, 0};
    return {0, 0, 0};
}

std::int64_t noiseDotCount(int rows, int cols, int q) {
    return static_cast<std::int64_t>(rows) * cols * q / 100;
}

void noisePreview(ColorPlanes& result, const PictureArea& area, bool wide, int q, bool colour,
                  RandomGenerator& random) {
    const int rows = result.height, cols = result.width;
    const std::int64_t count = noiseDotCount(rows, cols, q);
    for (std::int64_t i = 0; i < count; ++i) {
        Dot dot = drawDot(random, rows, cols, colour);
        if (wide) {
            if (dot.row < area.rowBegin) dot.row = area.rowBegin;
            else if (dot.row >= area.rowEnd) dot.row = area.rowEnd - 1;
        } else {
            if (dot.col < area.colBegin) dot.col = area.colBegin;
            else if (dot.col >= area.colEnd) dot.col = area.colEnd - 1;
        }
        paint(result, dot);
    }
}

void noiseFinal(ColorPlanes& planes, int q, bool colour, RandomGenerator& random, const RowProgress& progress) {
    const int rows = planes.height, cols = planes.width;
    const std::int64_t count = noiseDotCount(rows, cols, q);
    for (std::int64_t i = 0; i < count; ++i) paint(planes, drawDot(random, rows, cols, colour));
    if (progress)
        for (int y = 0; y < rows; ++y) progress(y);
}

}  // namespace veltrane
