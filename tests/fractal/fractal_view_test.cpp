#include "fractal/fractal_view.h"

#include <gtest/gtest.h>

#include <climits>

namespace veltrane {
namespace {

TEST(FractalView, StartViewsAndTheirPictureSpan) {
    EXPECT_EQ(startView(FractalKind::Mandelbrot), (FractalView{-0.75, 0.0, 0.01}));
    EXPECT_EQ(startView(FractalKind::Julia), (FractalView{0.0, 0.0, 0.012}));
    // The first Mandelbrot picture spans −2.03 to 0.52 and −1.28 to 1.27, imaginary downward.
    const FractalView view = kMandelbrotStartView;
    EXPECT_DOUBLE_EQ(view.pointRe(0), -2.03);
    EXPECT_DOUBLE_EQ(view.pointRe(255), 0.52);
    EXPECT_DOUBLE_EQ(view.pointIm(0), -1.28);
    EXPECT_DOUBLE_EQ(view.pointIm(255), 1.27);
    EXPECT_EQ(view.pointRe(128), -0.75);
    EXPECT_EQ(view.pointIm(128), 0.0);
}

TEST(FractalView, AppliedCaptionNamesTheKind) {
    EXPECT_EQ(fractalCaption(FractalKind::Mandelbrot), "Mandelbrot(256\u00D7256)");
    EXPECT_EQ(fractalCaption(FractalKind::Julia), "Julia(256\u00D7256)");
}

struct ZoomCase {
    const char* what;
    FractalView before;
    int button, x, y;
    FractalView after;
};

TEST(FractalView, ClickZoomTable) {
    const FractalView m = kMandelbrotStartView;
    const ZoomCase cases[] = {
        {"left at the centre keeps it", m, kLeftButton, 128, 128, {-0.75, 0.0, 0.0025}},
        {"left 64 columns right", m, kLeftButton, 192, 128, {-0.75 + 64 * 0.01, 0.0, 0.0025}},
        // b = 128 − Y is up positive and the imaginary part grows downward: Y = 0 is −1.28.
        {"left at the top edge", m, kLeftButton, 128, 0, {-0.75, 0.0 - 128 * 0.01, 0.0025}},
        {"right at the centre shrinks", m, kRightButton, 128, 128, {-0.75, 0.0, 0.04}},
        {"right mirrors the offset", m, kRightButton, 192, 64, {-0.75 - 64 * 0.01, 0.0 + 64 * 0.01, 0.04}},
        {"middle does nothing", m, 3, 10, 10, m},
        {"no button does nothing", m, 0, 10, 10, m},
        {"a click outside the picture is used as given", m, kLeftButton, 1128, -872, {-0.75 + 1000 * 0.01, 0.0 - 1000 * 0.01, 0.0025}},
    };
    for (const ZoomCase& c : cases) {
        const FractalView after = zoomView(c.before, c.button, c.x, c.y);
        EXPECT_EQ(after, c.after) << c.what;
    }
}

TEST(FractalView, CentreMovesWithTheOldStep) {
    const FractalView julia = zoomView(kJuliaStartView, kLeftButton, 35, 110);
    EXPECT_EQ(julia.centreRe, -93 * 0.012);
    EXPECT_EQ(julia.centreIm, -18 * 0.012);
    EXPECT_EQ(julia.step, 0.003);
}

TEST(FractalView, FourLeftClicksMakeTheStepExactlyOneTwoHundredFiftySixth) {
    FractalView view = kMandelbrotStartView;
    for (int i = 0; i < 4; ++i) view = zoomView(view, kLeftButton, 128, 128);
    EXPECT_EQ(view.step, 0.01 / 256);
    EXPECT_EQ(view.step, 0.0000390625);
    for (int i = 0; i < 4; ++i) view = zoomView(view, kRightButton, 128, 128);
    EXPECT_EQ(view, kMandelbrotStartView);
}

TEST(FractalView, ExtremeClicksDoNotOverflow) {
    const FractalView view{0.0, 0.0, 1.0};
    const FractalView far = zoomView(view, kLeftButton, INT_MIN, INT_MAX);
    EXPECT_EQ(far.centreRe, static_cast<double>(INT_MIN) - 128);
    EXPECT_EQ(far.centreIm, static_cast<double>(INT_MAX) - 128);
}

}  // namespace
}  // namespace veltrane
