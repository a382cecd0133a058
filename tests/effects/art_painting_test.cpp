// Painting against a plain reference that counts each window afresh, in the planes as they are
// being rewritten, and scans every bin.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "effects/art_effects.h"
#include "effects/art_test_pictures.h"
#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::randomPicture;
using test::samePlanes;
using test::sizeName;
using test::uniform;

void PaintingReference(ColorPlanes& p, PaintBrush brush) {
    const int b = brush.size, n = brush.levels, q = 256 / n;
    for (int y = b / 2; y < p.height - b / 2; ++y)
        for (int x = b / 2; x < p.width - b / 2; ++x) {
            std::vector<int> counts(static_cast<std::size_t>(n * n * n), 0);
            for (int yy = y - b / 2; yy <= y + b / 2; ++yy)
                for (int xx = x - b / 2; xx <= x + b / 2; ++xx)
                    ++counts[(p.R[yy][xx] / q * n + p.G[yy][xx] / q) * n + p.B[yy][xx] / q];
            int best = -1, br = 0, bg = 0, bb = 0;
            for (int r = 0; r < n; ++r)
                for (int g = 0; g < n; ++g)
                    for (int bl = 0; bl < n; ++bl)
                        if (counts[(r * n + g) * n + bl] > best) {
                            best = counts[(r * n + g) * n + bl];
                            br = r, bg = g, bb = bl;
                        }
            auto paint = [&](int index) {
                const double v = index * q + q / 2;
                return static_cast<std::uint8_t>(std::trunc(255.0 * std::pow(v / 255.0, 0.33)));
            };
            p.R[y][x] = paint(br);
            p.G[y][x] = paint(bg);
            p.B[y][x] = paint(bb);
        }
}

TEST(ArtPainting, Uniform100Gives184InsideAndKeepsTheBorder) {
    // Bin 1 of 4 levels, centre 96, brightened: trunc(255 × (96 / 255)^0.33) = 184.
    ColorPlanes planes = uniform(6, 5, {100, 100, 100});
    Painting(planes, {3, 4});
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = y >= 1 && y <= 3 && x >= 1 && x <= 4;
            ASSERT_EQ(planes.R[y][x], inside ? 184 : 100) << y << "," << x;
            ASSERT_EQ(planes.B[y][x], inside ? 184 : 100) << y << "," << x;
        }
}

TEST(ArtPainting, BrightenedCentresOfEveryBin) {
    // A uniform picture shows the brightened centre of its own bin in the middle pixel.
    struct Case {
        int levels, value, painted;
    } const cases[] = {
        {4, 0, 128},    // centre 32
        {4, 255, 244},  // centre 224
        {8, 0, 102},    // centre 16
        {8, 128, 211},  // centre 144
        {8, 255, 249},  // centre 240
    };
    for (const Case& c : cases) {
        const std::uint8_t v = static_cast<std::uint8_t>(c.value);
        ColorPlanes planes = uniform(3, 3, {v, v, v});
        Painting(planes, {3, c.levels});
        EXPECT_EQ(planes.G[1][1], c.painted) << c.levels << " levels, value " << c.value;
    }
}

TEST(ArtPainting, TiesGoToTheLowestBin) {
    // 3 × 3: four corners green (0, 200, 0), four edges red (200, 0, 0), a black centre. Green's
    // bin (index 0·16 + 3·4) comes before red's (3·16) and wins the 4 : 4 tie.
    ColorPlanes planes = uniform(3, 3, {200, 0, 0});
    for (int i : {0, 2, 6, 8}) planes.R[i / 3][i % 3] = 0, planes.G[i / 3][i % 3] = 200;
    planes.R[1][1] = 0;
    Painting(planes, {3, 4});
    EXPECT_EQ(planes.R[1][1], 128);  // bin 0's centre 32, brightened
    EXPECT_EQ(planes.G[1][1], 244);  // bin 3's centre 224, brightened
    EXPECT_EQ(planes.B[1][1], 128);
}

TEST(ArtPainting, EqualsTheReferenceForEveryBrush) {
    const std::vector<std::vector<std::uint8_t>> palettes{{}, {0, 70, 130, 200}, {10, 100}};
    for (PaintBrush brush : kPaintBrushes)
        for (std::size_t p = 0; p < palettes.size(); ++p)
            for (test::Size s : {test::Size{1, 1}, test::Size{2, 2}, test::Size{3, 3}, test::Size{9, 1}, test::Size{1, 9},
                                 test::Size{7, 8}, test::Size{17, 13}, test::Size{193, 67}}) {
                const ColorPlanes in = randomPicture(s.w, s.h, 100u + s.w + 7u * s.h + 13u * p, palettes[p]);
                ColorPlanes planes = in;
                ColorPlanes expected = in;
                Painting(planes, brush);
                PaintingReference(expected, brush);
                ASSERT_TRUE(samePlanes(planes, expected))
                    << sizeName(s.w, s.h) << " brush " << brush.size << "," << brush.levels << " palette " << p;
            }
}

TEST(ArtPainting, RejectsBrushesItCannotPaintWith) {
    for (PaintBrush brush : {PaintBrush{4, 4}, PaintBrush{0, 4}, PaintBrush{3, 3}, PaintBrush{3, 16}, PaintBrush{3, 0}}) {
        ColorPlanes planes = uniform(5, 5, {1, 2, 3});
        EXPECT_THROW(Painting(planes, brush), std::invalid_argument) << brush.size << "," << brush.levels;
        EXPECT_TRUE(samePlanes(planes, uniform(5, 5, {1, 2, 3})));
    }
}

}  // namespace
}  // namespace veltrane
