#pragma once
// Drawing the Mandelbrot set and a Julia set into 256 × 256 planes.
#include <functional>

#include "fractal/fractal_view.h"
#include "image/bitmap24.h"
#include "image/color_planes.h"

namespace veltrane {

// Called after each column of a drawing with the column just finished (0 to 255).
using ColumnProgress = std::function<void(int column)>;

// The constant K = −0.75 − 0.09i of the Julia set drawn.
constexpr double kJuliaRe = -0.75;
constexpr double kJuliaIm = -0.09;

// Escape counts: the number of iterations until the test fails, 0 to 256, or −1 when the
// point is still inside after 256 iterations. The Mandelbrot set starts from z = 0 with
// C = (re, im) and tests |z| < 1.65 through a square root before each iteration; the Julia set
// starts from z = (re, im) with C = K and tests |z|² < 4. A NaN fails either test.
int mandelbrotEscapeCount(double re, double im);

// The drawings test the Mandelbrot modulus squared against this limit, which vectorises. sqrt
// is correctly rounded and never decreasing, so sqrt(m) < 1.65 holds exactly when m is below
// the smallest double whose root is not below 1.65, which is this one (1.65 × 1.65 rounded,
// 0x1.5c7ae147ae147p+1): the counts are those of the square-root test bit for bit.
constexpr double kMandelbrotSquaredLimit = 2.7224999999999997;
int juliaEscapeCount(double re, double im);

// The 256 × 256 picture of the view: planes.R[y][x] is the palette colour of the point of
// column x and row y. Columns are computed left to right, each top to bottom.
ColorPlanes DrawMandelbrot(const FractalView& view, const ColumnProgress& progress = {});
ColorPlanes DrawJulia(const FractalView& view, const ColumnProgress& progress = {});
ColorPlanes DrawFractal(FractalKind kind, const FractalView& view, const ColumnProgress& progress = {});

// The fractal bitmap shown and applied: the planes written into a new 24-bit bitmap.
Bitmap24 fractalBitmap(const ColorPlanes& planes);

}  // namespace veltrane
