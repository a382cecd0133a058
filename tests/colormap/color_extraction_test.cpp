// The colour extraction: the sector of a hue, the sector of every one of the 16,777,216
// colours against RgbToHsi, and the extraction passes on small pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "colormap/color_extraction.h"
#include "image/color_model.h"
#include "support/plane_fixtures.h"

using namespace veltrane;
using test::Rgb;

namespace {

double hueOf(int r, int g, int b) {
    double h, s, i;
    RgbToHsi(r, g, b, h, s, i);
    return h;
}

SectorChoice allBut(int sector) {
    SectorChoice chosen;
    chosen.fill(true);
    if (sector >= 0) chosen[sector] = false;
    return chosen;
}

}  // namespace

TEST(HueSectorTest, ABoundBelongsToTheEarlierSector) {
    struct Case {
        double hue;
        int sector;
    };
    const double above = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {0, 0},
        {0.5235833333333334, 0},
        {std::nextafter(0.5235833333333334, above), 1},
        {1.0471666666666668, 1},  // pure yellow
        {1.57075, 1},
        {std::nextafter(1.57075, above), 2},
        {2.617916666666667, 2},
        {std::nextafter(2.617916666666667, above), 3},
        {3.1415, 3},  // pure cyan
        {3.6650833333333335, 3},
        {std::nextafter(3.6650833333333335, above), 4},
        {4.71225, 4},
        {std::nextafter(4.71225, above), 5},
        {std::nextafter(5.759416666666667, 0.0), 5},
        {5.759416666666667, 0},  // red's second half is tested first
        {6.283, 0},              // pure red
        {-1e-300, -1},
        {-1, -1},
        {std::nan(""), -1},
    };
    for (const Case& c : cases) EXPECT_EQ(hueSector(c.hue), c.sector) << std::hexfloat << c.hue;
}

TEST(HueSectorTest, TheDoubleHueDecidesColoursWhoseTrueHueIsOnABound) {
    // Both true hues are a twelfth of the turn; the computed ones fall either side of it.
    EXPECT_EQ(hueOf(200, 150, 100), 0.5235833333333334);
    EXPECT_EQ(hueOf(34, 33, 32), 0.52358333333333529);
    const std::uint8_t r[] = {200, 34}, g[] = {150, 33}, b[] = {100, 32};
    std::int8_t sectors[2];
    colourSectors(r, g, b, sectors, 2);
    EXPECT_EQ(sectors[0], 0) << "赤";
    EXPECT_EQ(sectors[1], 1) << "黄色";
}

TEST(HueSectorTest, EveryColourFallsInTheSectorOfItsRgbToHsiHue) {
    // One row per red level: green and blue take all 65,536 pairs.
    constexpr int kRow = 256 * 256;
    std::vector<std::uint8_t> r(kRow), g(kRow), b(kRow);
    std::vector<std::int8_t> sectors(kRow);
    for (int i = 0; i < kRow; ++i) {
        g[i] = static_cast<std::uint8_t>(i >> 8);
        b[i] = static_cast<std::uint8_t>(i);
    }
    long long mismatches = 0;
    for (int red = 0; red < 256; ++red) {
        std::fill(r.begin(), r.end(), static_cast<std::uint8_t>(red));
        colourSectors(r.data(), g.data(), b.data(), sectors.data(), kRow);
        for (int i = 0; i < kRow; ++i) {
            const int expected = hueSector(hueOf(red, g[i], b[i]));
            if (sectors[i] != expected && ++mismatches <= 5)
                ADD_FAILURE() << "(" << red << ", " << int(g[i]) << ", " << int(b[i]) << "): " << int(sectors[i])
                              << " instead of " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(ColorExtractionTest, KeepsTheChosenSectorsAndBlackensTheRest) {
    const std::vector<Rgb> colours = {
        {255, 0, 0},      // hue 6.283: red
        {128, 128, 128},  // grey: hue 0, red
        {0, 0, 0},        // black: red
        {255, 255, 0},    // yellow
        {0, 255, 0},      // green
        {0, 255, 255},    // cyan, hue 3.1415
        {0, 0, 255},      // blue, hue 4.188…
        {255, 0, 255},    // purple
        {200, 150, 100},  // on the red/yellow bound, computes to red
    };
    const int sectorOf[] = {0, 0, 0, 1, 2, 3, 4, 5, 0};
    const int n = static_cast<int>(colours.size());
    struct Case {
        const char* what;
        SectorChoice chosen;
    };
    const Case cases[] = {
        {"all ticked", allBut(-1)},        {"red unticked", allBut(0)},    {"yellow unticked", allBut(1)},
        {"green unticked", allBut(2)},     {"cyan unticked", allBut(3)},   {"blue unticked", allBut(4)},
        {"purple unticked", allBut(5)},    {"none ticked", SectorChoice{}},
    };
    for (const Case& c : cases) {
        ColorPlanes planes = test::picture(n, 1, colours);
        std::vector<int> rows;
        extractColours(planes, c.chosen, [&](int row) { rows.push_back(row); });
        std::vector<Rgb> expected = colours;
        for (int i = 0; i < n; ++i)
            if (!c.chosen[sectorOf[i]]) expected[i] = {0, 0, 0};
        test::expectSamePlanes(planes, test::picture(n, 1, expected), c.what);
        EXPECT_EQ(rows, std::vector<int>{0}) << c.what;
    }
}

TEST(ColorExtractionTest, ThePreviewPassChangesOnlyTheArea) {
    ColorPlanes planes = test::uniform(4, 3, {0, 0, 255});
    extractColours(planes, PictureArea{1, 2, 1, 3}, allBut(4));
    ColorPlanes expected = test::uniform(4, 3, {0, 0, 255});
    for (int x = 1; x < 3; ++x) expected.R[1][x] = expected.G[1][x] = expected.B[1][x] = 0;
    test::expectSamePlanes(planes, expected);
}
