#include "fractal/fractal_draw.h"

#include <array>
#include <cmath>

#include "common/wide_loops.h"
#include "fractal/fractal_palette.h"
#include "image/image_document.h"

namespace veltrane {
namespace {

constexpr int kMaxIterations = 256;

// Points are iterated eight at a time, eight rows of one column side by side, so that their
// independent iterations overlap. Every lane runs the arithmetic of mandelbrotEscapeCount or
// juliaEscapeCount; a lane that has escaped keeps computing (its values may overflow to
// infinity or NaN, which traps nothing) but its count is final.
constexpr int kLanes = 8;

template <FractalKind kind>
VELTRANE_WIDE_LOOP_NOINLINE void escapeCounts(const double* __restrict re, const double* __restrict im,
                                              int* __restrict counts) {
    double zRe[kLanes], zIm[kLanes];
    for (int l = 0; l < kLanes; ++l) {
        zRe[l] = kind == FractalKind::Mandelbrot ? 0.0 : re[l];
        zIm[l] = kind == FractalKind::Mandelbrot ? 0.0 : im[l];
        counts[l] = -1;
    }
    // Test k decides the count: the first failing test k is the count, 257 passing ones give −1.
    for (int k = 0; k <= kMaxIterations; ++k) {
        int running = 0;
        for (int l = 0; l < kLanes; ++l) {
            const double m = zRe[l] * zRe[l] + zIm[l] * zIm[l];
            const bool inside = kind == FractalKind::Mandelbrot ? m < kMandelbrotSquaredLimit : m < 4;
            counts[l] = counts[l] < 0 && !inside ? k : counts[l];
            running |= counts[l] < 0;
            const double nextRe = kind == FractalKind::Mandelbrot ? zRe[l] * zRe[l] - zIm[l] * zIm[l] + re[l]
                                                         : (zRe[l] + zIm[l]) * (zRe[l] - zIm[l]) + kJuliaRe;
            zIm[l] = 2 * zRe[l] * zIm[l] + (kind == FractalKind::Mandelbrot ? im[l] : kJuliaIm);
            zRe[l] = nextRe;
        }
        if (!running) break;
    }
}

// The colours of counts −1 to 256 on one ramp, looked up by count + 1.
using PaletteTable = std::array<FractalColor, kMaxIterations + 2>;

PaletteTable paletteTable(int ramp) {
    PaletteTable table;
    for (int j = -1; j <= kMaxIterations; ++j) table[static_cast<std::size_t>(j + 1)] = fractalPaletteColor(j, ramp);
    return table;
}

template <FractalKind kind>
ColorPlanes drawPicture(const FractalView& view, int ramp, const ColumnProgress& progress) {
    const PaletteTable palette = paletteTable(ramp);
    ColorPlanes planes = ColorPlanes::forOverwrite(kFractalSide, kFractalSide);
    double re[kLanes], im[kLanes];
    int counts[kLanes];
    for (int x = 0; x < kFractalSide; ++x) {
        for (int y0 = 0; y0 < kFractalSide; y0 += kLanes) {
            for (int l = 0; l < kLanes; ++l) {
                re[l] = view.pointRe(x);
                im[l] = view.pointIm(y0 + l);
            }
            escapeCounts<kind>(re, im, counts);
            for (int l = 0; l < kLanes; ++l) {
                const FractalColor colour = palette[static_cast<std::size_t>(counts[l] + 1)];
                planes.R[y0 + l][x] = colour.r;
                planes.G[y0 + l][x] = colour.g;
                planes.B[y0 + l][x] = colour.b;
            }
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
    return drawPicture<FractalKind::Mandelbrot>(view, kMandelbrotRamp, progress);
}

ColorPlanes DrawJulia(const FractalView& view, const ColumnProgress& progress) {
    return drawPicture<FractalKind::Julia>(view, kJuliaRamp, progress);
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
