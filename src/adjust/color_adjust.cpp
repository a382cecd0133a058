// RGB offsets and noise: colour adjustments of the adjustment dialog (HSI offsets are in
// hsi_adjust.cpp).
#include <algorithm>
#include <cfloat>

#include "adjust/adjustments.h"
#include "image/byte_table.h"

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
    mapBytes(in, out, begin, end, table);
}

void mapRowInPlace(std::uint8_t* v, int width, const std::uint8_t* table) {
    mapBytes(v, v, 0, width, table);
}

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
