#include "fractal/fractal_draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <vector>

#include "fractal/fractal_palette.h"

namespace veltrane {
namespace {

FractalColor colourAt(const ColorPlanes& planes, int x, int y) { return {planes.R[y][x], planes.G[y][x], planes.B[y][x]}; }

// FNV-1a over the R, G and B planes in turn, each row-major. The expected values come from an
// independent reference run of the same rules in another language.
std::uint64_t fingerprint(const ColorPlanes& planes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const Plane* plane : {&planes.R, &planes.G, &planes.B})
        for (std::size_t i = 0; i < plane->size(); ++i) {
            hash ^= plane->data()[i];
            hash *= 0x100000001b3u;
        }
    return hash;
}

// A view reached by left clicks from another.
FractalView afterLeftClicks(FractalView view, std::initializer_list<std::pair<int, int>> clicks) {
    for (auto [x, y] : clicks) view = zoomView(view, kLeftButton, x, y);
    return view;
}

struct PointCase {
    const char* what;
    int x, y, count;
    FractalColor colour;
};

TEST(FractalDraw, FirstMandelbrotPictureCornersAndCentre) {
    const ColorPlanes planes = DrawMandelbrot(kMandelbrotStartView);
    ASSERT_EQ(planes.width, 256);
    ASSERT_EQ(planes.height, 256);
    // Only the left corners escape in the first iteration: at x = 255, re = 0.52 and |C| < 1.65.
    const PointCase cases[] = {
        {"top left", 0, 0, 1, {0, 48, 255}},      {"bottom left", 0, 255, 1, {0, 48, 255}},
        {"top right", 255, 0, 2, {0, 96, 255}},   {"bottom right", 255, 255, 2, {0, 96, 255}},
        {"centre, in the set", 128, 128, -1, {32, 32, 32}},
        {"64 columns right, in the set", 192, 128, -1, {32, 32, 32}},
        {"upper left quarter", 64, 64, 3, {0, 144, 255}},
    };
    for (const PointCase& c : cases) {
        EXPECT_EQ(mandelbrotEscapeCount(kMandelbrotStartView.pointRe(c.x), kMandelbrotStartView.pointIm(c.y)), c.count)
            << c.what;
        EXPECT_EQ(colourAt(planes, c.x, c.y), c.colour) << c.what;
    }
}

TEST(FractalDraw, FirstJuliaPictureCornersAndCentre) {
    const ColorPlanes planes = DrawJulia(kJuliaStartView);
    // The corners fail the test before the first iteration: count 0, palette entry 0.
    const PointCase cases[] = {
        {"top left", 0, 0, 0, {0, 0, 255}},      {"bottom left", 0, 255, 0, {0, 0, 255}},
        {"top right", 255, 0, 0, {0, 0, 255}},   {"bottom right", 255, 255, 0, {0, 0, 255}},
        {"centre", 128, 128, 36, {252, 255, 0}},
    };
    for (const PointCase& c : cases) {
        EXPECT_EQ(juliaEscapeCount(kJuliaStartView.pointRe(c.x), kJuliaStartView.pointIm(c.y)), c.count) << c.what;
        EXPECT_EQ(colourAt(planes, c.x, c.y), c.colour) << c.what;
    }
}

TEST(FractalDraw, WholePicturesMatchTheReference) {
    EXPECT_EQ(fingerprint(DrawMandelbrot(kMandelbrotStartView)), 0x1f12c95c03d5ec89u);
    EXPECT_EQ(fingerprint(DrawJulia(kJuliaStartView)), 0x16e14e2734b82a69u);
    const FractalView zoomed = afterLeftClicks(kMandelbrotStartView, {{78, 122}, {87, 130}, {199, 117}, {209, 135}, {3, 124}});
    EXPECT_EQ(fingerprint(DrawMandelbrot(zoomed)), 0x99aa488ffc729a41u);
    EXPECT_EQ(fingerprint(DrawFractal(FractalKind::Mandelbrot, zoomed)), 0x99aa488ffc729a41u);
    EXPECT_EQ(fingerprint(DrawFractal(FractalKind::Julia, kJuliaStartView)), 0x16e14e2734b82a69u);
}

// Points where the written forms of z² give other counts than the algebraically equal ones:
// the Mandelbrot set takes re × re − im × im, the Julia set (re + im)(re − im).
TEST(FractalDraw, SquareFormsAreTheWrittenOnes) {
    const FractalView mandelbrot =
        afterLeftClicks(kMandelbrotStartView, {{78, 122}, {87, 130}, {199, 117}, {209, 135}, {3, 124}});
    ASSERT_EQ(mandelbrot, (FractalView{-1.3003515625, -0.0609375, 9.765625e-06}));
    const PointCase mandelbrotCases[] = {
        {"(re + im)(re − im) would stay inside", 245, 129, 245, {}},
        {"(re + im)(re − im) would give 240", 90, 101, 242, {}},
        {"(re + im)(re − im) would give 253", 175, 23, 254, {}},
    };
    for (const PointCase& c : mandelbrotCases)
        EXPECT_EQ(mandelbrotEscapeCount(mandelbrot.pointRe(c.x), mandelbrot.pointIm(c.y)), c.count) << c.what;

    const FractalView julia = afterLeftClicks(kJuliaStartView, {{35, 110}});
    EXPECT_EQ(juliaEscapeCount(julia.pointRe(168), julia.pointIm(57)), 246) << "re × re − im × im would give 247";
}

// The Mandelbrot test takes the modulus through a square root; hypot rounds differently on
// these points just at the radius 1.65.
TEST(FractalDraw, MandelbrotModulusIsTheSquareRootOfTheSquares) {
    EXPECT_EQ(mandelbrotEscapeCount(1.6499999999991748, 1.6499999999997248e-06), 1);
    EXPECT_EQ(mandelbrotEscapeCount(1.6499999999867998, 6.599999999982399e-06), 2);
    EXPECT_EQ(mandelbrotEscapeCount(1.65, 0.0), 1);
    EXPECT_EQ(mandelbrotEscapeCount(0.0, 0.0), -1);
    EXPECT_EQ(juliaEscapeCount(2.0, 0.0), 0);
}

TEST(FractalDraw, SquaredLimitSplitsTheSquareRootTestExactly) {
    // With sqrt never decreasing, these two neighbours decide every m.
    EXPECT_TRUE(std::sqrt(std::nextafter(kMandelbrotSquaredLimit, 0.0)) < 1.65);
    EXPECT_FALSE(std::sqrt(kMandelbrotSquaredLimit) < 1.65);
}

// The drawings iterate several points side by side; each pixel must still be the palette colour
// of the one-point count, including points escaping at the last iteration and degenerate views.
TEST(FractalDraw, DrawnPixelsAreTheOnePointCounts) {
    const double inf = std::numeric_limits<double>::infinity();
    struct ViewCase {
        FractalKind kind;
        FractalView view;
    };
    const ViewCase cases[] = {
        {FractalKind::Mandelbrot, kMandelbrotStartView},
        {FractalKind::Mandelbrot, afterLeftClicks(kMandelbrotStartView, {{78, 122}, {87, 130}, {199, 117}, {209, 135}, {3, 124}})},
        {FractalKind::Mandelbrot, {-0.7436, 0.1318, 1e-6}},
        {FractalKind::Mandelbrot, {0.0, 0.0, inf}},
        {FractalKind::Julia, kJuliaStartView},
        {FractalKind::Julia, afterLeftClicks(kJuliaStartView, {{35, 110}})},
        {FractalKind::Julia, {1e300, -1e300, 1e300}},
    };
    for (const ViewCase& c : cases) {
        const ColorPlanes planes = DrawFractal(c.kind, c.view);
        const bool mandelbrot = c.kind == FractalKind::Mandelbrot;
        int mismatches = 0;
        for (int x = 0; x < 256; ++x)
            for (int y = 0; y < 256; ++y) {
                const double re = c.view.pointRe(x), im = c.view.pointIm(y);
                const int count = mandelbrot ? mandelbrotEscapeCount(re, im) : juliaEscapeCount(re, im);
                if (colourAt(planes, x, y) != fractalPaletteColor(count, mandelbrot ? kMandelbrotRamp : kJuliaRamp))
                    ++mismatches;
            }
        EXPECT_EQ(mismatches, 0) << (mandelbrot ? "Mandelbrot " : "Julia ") << c.view.centreRe << ", " << c.view.centreIm
                                 << " step " << c.view.step;
    }
}

TEST(FractalDraw, ProgressReportsEveryColumnInOrder) {
    std::vector<int> columns;
    DrawJulia(kJuliaStartView, [&](int column) { columns.push_back(column); });
    ASSERT_EQ(columns.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(columns[static_cast<std::size_t>(i)], i);
}

// Hundreds of clicks drive the step to infinity or zero: the pictures degenerate but are drawn.
TEST(FractalDraw, DegenerateViewsFinish) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(mandelbrotEscapeCount(nan, 0.0), 1);  // z = 0 passes the first test
    EXPECT_EQ(juliaEscapeCount(nan, nan), 0);
    EXPECT_EQ(mandelbrotEscapeCount(inf, 0.0), 1);

    FractalView out = kMandelbrotStartView;
    for (int i = 0; i < 600; ++i) out = zoomView(out, kRightButton, 0, 255);
    EXPECT_TRUE(std::isinf(out.step) || std::isnan(out.centreRe));
    const ColorPlanes wide = DrawMandelbrot(out);
    EXPECT_EQ(colourAt(wide, 128, 128), (FractalColor{0, 48, 255}));  // 0 × ∞ is NaN: out after one iteration

    FractalView in = kMandelbrotStartView;
    for (int i = 0; i < 600; ++i) in = zoomView(in, kLeftButton, 128, 128);
    EXPECT_EQ(in.step, 0.0);
    const ColorPlanes point = DrawMandelbrot(in);  // every pixel is −0.75: inside
    for (int y : {0, 128, 255})
        for (int x : {0, 128, 255}) EXPECT_EQ(colourAt(point, x, y), (FractalColor{32, 32, 32}));
}

TEST(FractalDraw, BitmapHoldsThePlanesAsBlueGreenRed) {
    const ColorPlanes planes = DrawMandelbrot(kMandelbrotStartView);
    const Bitmap24 bitmap = fractalBitmap(planes);
    ASSERT_EQ(bitmap.width(), 256);
    ASSERT_EQ(bitmap.height(), 256);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{255, 0}, std::pair{128, 128}, std::pair{3, 200}}) {
        const std::uint8_t* pixel = bitmap.row(y) + 3 * x;
        EXPECT_EQ((FractalColor{pixel[2], pixel[1], pixel[0]}), colourAt(planes, x, y)) << x << ", " << y;
    }
}

}  // namespace
}  // namespace veltrane
