#include "fractal/fractal_draw.h"

#include <array>
#include <cmath>

#include "fractal/fractal_palette.h"
#include "image/image_document.h"

namespace veltrane {
namespace {

constexpr int kMaxIterations = 256;

// The colours of counts −1 to 256 on one ramp, looked up by count + 1.
using PaletteTable = std::array<FractalColor, kMaxIterations + 2>;

PaletteTable paletteTable(int ramp) {
    PaletteTable table;
    for (int j = -1; j <= kMaxIterations; ++j) table[static_cast<std::size_t>(j + 1)] = fractalPaletteColor(j, ramp);
    return table;
}

template <class EscapeCount>
ColorPlanes drawPicture(const FractalView& view, int ramp, EscapeCount escapeCount, const ColumnProgress& progress) {
    const PaletteTable palette = paletteTable(ramp);
    ColorPlanes planes = ColorPlanes::forOverwrite(kFractalSide, kFractalSide);
    for (int x = 0; x < kFractalSide; ++x) {
        const double re = view.pointRe(x);
        for (int y = 0; y < kFractalSide; ++y) {
            const FractalColor colour = palette[static_cast<std::size_t>(escapeCount(re, view.pointIm(y)) + 1)];
            planes.R[y][x] = colour.r;
            planes.G[y][x] = colour.g;
            planes.B[y][x] = colour.b;
        }
        if (progress) progress(x);
    }
    return planes;
}

}  // namespace

int mandelbrotEscapeCount(double re, double im) {
    double zRe = 0, zIm = 0;
    int j = 0;
    while (std::sqrt(zRe * zRe + zIm * zIm) < 1.65) {
        // Both new parts from the old pair.
        const double nextRe = zRe * zRe - zIm * zIm + re;
        zIm = 2 * zRe * zIm + im;
        zRe = nextRe;
        if (++j > kMaxIterations) return -1;
    }
    return j;
}

int juliaEscapeCount(double re, double im) {
    double zRe = re, zIm = im;
    int j = 0;
    while (zRe * zRe + zIm * zIm < 4) {
        const double nextRe = (zRe + zIm) * (zRe - zIm) + kJuliaRe;
        zIm = 2 * zRe * zIm + kJuliaIm;
        zRe = nextRe;
        if (++j > kMaxIterations) return -1;
    }
    return j;
}

ColorPlanes DrawMandelbrot(const FractalView& view, const ColumnProgress& progress) {
    return drawPicture(view, kMandelbrotRamp, mandelbrotEscapeCount, progress);
}

ColorPlanes DrawJulia(const FractalView& view, const ColumnProgress& progress) {
    return drawPicture(view, kJuliaRamp, juliaEscapeCount, progress);
}

ColorPlanes DrawFractal(FractalKind kind, const FractalView& view, const ColumnProgress& progress) {
    return kind == FractalKind::Mandelbrot ? DrawMandelbrot(view, progress) : DrawJulia(view, progress);
}

Bitmap24 fractalBitmap(const ColorPlanes& planes) {
    Bitmap24 bitmap = Bitmap24::forOverwrite(planes.width, planes.height);
    writePlanes(planes, bitmap);
    return bitmap;
}

}  // namespace veltrane
