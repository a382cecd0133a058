#include "fractal/fractal_palette.h"

#include <gtest/gtest.h>

#include <array>

namespace veltrane {
namespace {

// The 32 Mandelbrot colours by j mod 32, as the window's colour ramp lists them.
constexpr std::array<FractalColor, 32> kMandelbrotColours{{
    {0, 0, 255},     {0, 48, 255},    {0, 96, 255},    {0, 144, 255},  {0, 192, 255},  {0, 240, 255},
    {0, 255, 225},   {0, 255, 177},   {0, 255, 129},   {0, 255, 81},   {0, 255, 33},   {12, 255, 0},
    {60, 255, 0},    {108, 255, 0},   {156, 255, 0},   {204, 255, 0},  {252, 255, 0},  {255, 207, 0},
    {255, 159, 0},   {255, 111, 0},   {255, 63, 0},    {255, 15, 0},   {255, 0, 30},   {255, 0, 78},
    {255, 0, 126},   {255, 0, 174},   {255, 0, 222},   {243, 0, 255},  {195, 0, 255},  {147, 0, 255},
    {99, 0, 255},    {51, 0, 255},
}};

TEST(FractalPalette, MandelbrotRampHasThe32ListedColoursRepeatingEvery32Counts) {
    for (int j = 0; j <= 256; ++j)
        EXPECT_EQ(fractalPaletteColor(j, kMandelbrotRamp), kMandelbrotColours[static_cast<std::size_t>(j % 32)])
            << "j = " << j;
}

TEST(FractalPalette, JuliaRampTakesEveryFourthMandelbrotColour) {
    for (int j = 0; j <= 256; ++j)
        EXPECT_EQ(fractalPaletteColor(j, kJuliaRamp), kMandelbrotColours[static_cast<std::size_t>(j % 8 * 4)])
            << "j = " << j;
}

TEST(FractalPalette, SectorBoundariesWrapAndStayBelowTheNextSector) {
    // t = 128 (j = 16) stays in sector 2: u = 0 and u − 4 wraps to 252 instead of giving
    // sector 3's (255, 255, 0). t = 64 is sector 1 with u = 128: 255 − 126.
    EXPECT_EQ(fractalPaletteColor(16, 32), (FractalColor{252, 255, 0}));
    EXPECT_EQ(fractalPaletteColor(8, 32), (FractalColor{0, 255, 129}));
    // On the Julia ramp j = 4 is t = 128 as well.
    EXPECT_EQ(fractalPaletteColor(4, 8), (FractalColor{252, 255, 0}));
}

TEST(FractalPalette, PointsThatDoNotEscapeAreDarkGrey) {
    EXPECT_EQ(fractalPaletteColor(-1, kMandelbrotRamp), (FractalColor{32, 32, 32}));
    EXPECT_EQ(fractalPaletteColor(-1, kJuliaRamp), (FractalColor{32, 32, 32}));
}

}  // namespace
}  // namespace veltrane
