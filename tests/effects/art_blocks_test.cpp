// Mosaic, bricks and beads: worked pictures, the edge cases of the items and the mends for
// small pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/art_effects.h"
#include "effects/art_test_pictures.h"
#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::bytes;
using test::randomPicture;
using test::samePlanes;
using test::sizeName;
using test::uniform;

using Bytes = std::vector<std::uint8_t>;

// Sum of a square of a plane.
int SquareSum(const Plane& plane, int top, int left, int side) {
    int sum = 0;
    for (int y = top; y < top + side; ++y)
        for (int x = left; x < left + side; ++x) sum += plane[y][x];
    return sum;
}

TEST(ArtMosaic, CellsStopBeforeTheLastCellSizeOfA192Side) {
    for (int cell : kMosaicCells) {
        const ColorPlanes in = randomPicture(192, 192, 5u + cell);
        ColorPlanes expected = in;
        int cells = 0;
        for (int top = 0; top + cell <= 189; top += cell)
            for (int left = 0; left + cell <= 189; left += cell, ++cells)
                for (auto [src, dst] : {std::pair{&in.R, &expected.R}, std::pair{&in.G, &expected.G},
                                        std::pair{&in.B, &expected.B}}) {
                    const int average = SquareSum(*src, top, left, cell) / (cell * cell);
                    for (int y = top; y < top + cell; ++y)
                        for (int x = left; x < left + cell; ++x) (*dst)[y][x] = static_cast<std::uint8_t>(average);
                }
        EXPECT_EQ(cells, (189 / cell) * (189 / cell)) << cell;
        ColorPlanes planes = in;
        Mosaic(planes, cell);
        EXPECT_TRUE(samePlanes(planes, expected)) << "cell " << cell;
        // Rows and columns 189 to 191 keep their values.
        for (int i = 0; i < 192; ++i)
            for (int k = 189; k < 192; ++k) {
                ASSERT_EQ(planes.G[k][i], in.G[k][i]);
                ASSERT_EQ(planes.G[i][k], in.G[i][k]);
            }
    }
}

TEST(ArtMosaic, SmallPicturesHandComputed) {
    // 4 × 4 with red 0..15 row by row: one 3 × 3 cell (start 0 < 4 − 3), average 45 / 9 = 5;
    // a 3 × 3 picture has no cell (0 < 3 − 3 fails), nor has a 1 × 1 one.
    std::vector<test::Rgb> pixels;
    for (int i = 0; i < 16; ++i) pixels.push_back({static_cast<std::uint8_t>(i), 9, static_cast<std::uint8_t>(i % 2)});
    ColorPlanes planes = test::picture(4, 4, pixels);
    Mosaic(planes, 3);
    EXPECT_EQ(bytes(planes.R), (Bytes{5, 5, 5, 3, 5, 5, 5, 7, 5, 5, 5, 11, 12, 13, 14, 15}));
    EXPECT_EQ(bytes(planes.G), Bytes(16, 9));
    // Blue 0 1 0 / 0 1 0 / 0 1 0 in the cell: 3 / 9 truncates to 0.
    EXPECT_EQ(bytes(planes.B), (Bytes{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1}));
    for (test::Size s : {test::Size{3, 3}, test::Size{1, 1}, test::Size{7, 9}, test::Size{9, 7}}) {
        const ColorPlanes in = randomPicture(s.w, s.h, 3);
        ColorPlanes small = in;
        Mosaic(small, s.w == 3 ? 3 : 7);
        EXPECT_TRUE(samePlanes(small, in)) << sizeName(s.w, s.h);
    }
}

TEST(ArtBricks, UniformWallHandComputed) {
    // "2,4" on 10 × 5 of 100: course 1 at rows 0, 2 (row 4 clips to nothing), columns 0 and 8
    // (width clipped to 1); course 2 at rows 1, 3 (row 3 clipped to one row), column 4; the
    // half bricks on row 0, column 4. The last row and column stay 100.
    ColorPlanes planes = uniform(10, 5, {100, 100, 100});
    Bricks(planes, {2, 4});
    const Bytes expected{
        120, 120, 120, 120, 120, 120, 120, 120, 120, 100,  //
        120, 100, 100, 100, 120, 120, 120, 120, 120, 100,  //
        120, 120, 120, 120, 120, 100, 100, 100, 120, 100,  //
        120, 100, 100, 100, 120, 120, 120, 120, 120, 100,  //
        100, 100, 100, 100, 100, 100, 100, 100, 100, 100,
    };
    EXPECT_EQ(bytes(planes.R), expected);
    EXPECT_EQ(bytes(planes.B), expected);
}

TEST(ArtBricks, AveragesTruncateAndHighlightsClamp) {
    // 4 × 3, "2,2": the brick at (0, 0) averages 10, 20, 50, 61 to 35 and lights its top row and
    // left column to 55; course 2's brick at (1, 2) is clipped to one pixel, 240 + 20 clamped to
    // 255; the half brick at (0, 2) is one pixel, 30 + 20. Row 2 and column 3 are never written.
    ColorPlanes planes = test::picture(4, 3, {{10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0},
                                              {50, 0, 0}, {61, 0, 0}, {240, 0, 0}, {80, 0, 0},
                                              {90, 0, 0}, {100, 0, 0}, {110, 0, 0}, {120, 0, 0}});
    Bricks(planes, {2, 2});
    EXPECT_EQ(bytes(planes.R), (Bytes{55, 55, 50, 40, 55, 35, 255, 80, 90, 100, 110, 120}));
    EXPECT_EQ(bytes(planes.G), (Bytes{20, 20, 20, 0, 20, 0, 20, 0, 0, 0, 0, 0}));
}

TEST(ArtBricks, UniformPictureOnlyGainsEdgesAndNeverWritesTheLastRowOrColumn) {
    for (BrickSize brick : kBrickSizes) {
        ColorPlanes planes = uniform(61, 47, {100, 100, 100});
        Bricks(planes, brick);
        for (int y = 0; y < 47; ++y)
            for (int x = 0; x < 61; ++x) {
                const int v = planes.R[y][x];
                if (y == 46 || x == 60) {
                    ASSERT_EQ(v, 100) << y << "," << x;
                }
                else ASSERT_TRUE(v == 100 || v == 120) << y << "," << x;
            }
        // Every brick's top-left corner is lit: the corners of course 1.
        EXPECT_EQ(planes.R[0][0], 120);
        EXPECT_EQ(planes.R[brick.height][0], 120);
    }
}

TEST(ArtBricks, SmallPicturesKeepTheirLastRowAndColumn) {
    for (BrickSize brick : kBrickSizes)
        for (int h = 1; h <= 10; ++h)
            for (int w = 1; w <= 10; ++w) {
                const ColorPlanes in = randomPicture(w, h, 17u * w + h);
                ColorPlanes planes = in;
                Bricks(planes, brick);
                for (int x = 0; x < w; ++x) ASSERT_EQ(planes.R[h - 1][x], in.R[h - 1][x]) << sizeName(w, h);
                for (int y = 0; y < h; ++y) ASSERT_EQ(planes.B[y][w - 1], in.B[y][w - 1]) << sizeName(w, h);
                if (h == 1 || w == 1) {
                    ASSERT_TRUE(samePlanes(planes, in)) << sizeName(w, h);
                }
            }
}

// Bricks laid one by one as the wall is described: clip, average, fill, top row, left column.
void LayBrickReference(ColorPlanes& p, int y, int x, int height, int width, bool halfHeight) {
    int hh = y + height > p.height - 1 ? p.height - y - 1 : height;
    const int ww = x + width > p.width - 1 ? p.width - x - 1 : width;
    if (halfHeight) hh /= 2;
    if (hh <= 0 || ww <= 0) return;
    for (Plane* plane : {&p.R, &p.G, &p.B}) {
        int sum = 0;
        for (int yy = y; yy < y + hh; ++yy)
            for (int xx = x; xx < x + ww; ++xx) sum += (*plane)[yy][xx];
        const int average = sum / (hh * ww);
        for (int yy = y; yy < y + hh; ++yy)
            for (int xx = x; xx < x + ww; ++xx) (*plane)[yy][xx] = static_cast<std::uint8_t>(average);
        for (int xx = x; xx < x + ww; ++xx) (*plane)[y][xx] = static_cast<std::uint8_t>(std::min(255, average + 20));
        for (int yy = y; yy < y + hh; ++yy) (*plane)[yy][x] = static_cast<std::uint8_t>(std::min(255, average + 20));
    }
}

void BricksReference(ColorPlanes& p, BrickSize b) {
    for (int y = 0; y < p.height; y += b.height)
        for (int x = 0; x < p.width; x += 2 * b.width) LayBrickReference(p, y, x, b.height, b.width, false);
    for (int y = b.height / 2; y < p.height; y += b.height)
        for (int x = b.width; x < p.width; x += 2 * b.width) LayBrickReference(p, y, x, b.height, b.width, false);
    for (int x = b.width; x < p.width; x += 2 * b.width) LayBrickReference(p, 0, x, b.height, b.width, true);
}

TEST(ArtBricks, EqualsBricksLaidOneByOne) {
    for (BrickSize brick : kBrickSizes)
        for (test::Size s : test::comparisonSizes()) {
            const ColorPlanes in = randomPicture(s.w, s.h, 41u * s.w + s.h);
            ColorPlanes planes = in, expected = in;
            Bricks(planes, brick);
            BricksReference(expected, brick);
            ASSERT_TRUE(samePlanes(planes, expected)) << sizeName(s.w, s.h) << " brick " << brick.height << "," << brick.width;
        }
}

// One bead over a cell of `average`: left column, rest of the top row, 3 × 3 centre, rest.
Bytes Bead(int average) {
    Bytes cell(64, static_cast<std::uint8_t>(average));
    for (int y = 3; y <= 5; ++y)
        for (int x = 3; x <= 5; ++x) cell[y * 8 + x] = static_cast<std::uint8_t>(std::max(0, average - 50));
    for (int x = 0; x < 8; ++x) cell[x] = static_cast<std::uint8_t>(std::min(255, average + 20));
    for (int y = 0; y < 8; ++y) cell[y * 8] = static_cast<std::uint8_t>(std::min(255, average + 50));
    return cell;
}

TEST(ArtBeads, UniformPictureGivesTheSameBeadInEveryCell) {
    ColorPlanes planes = uniform(16, 24, {100, 100, 100});
    Beads(planes);
    const Bytes bead = Bead(100);
    EXPECT_EQ(bead[0], 150);
    EXPECT_EQ(bead[1], 120);
    EXPECT_EQ(bead[4 * 8 + 4], 50);
    EXPECT_EQ(bead[7 * 8 + 7], 100);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(planes.G[y][x], bead[(y % 8) * 8 + x % 8]) << y << "," << x;
}

TEST(ArtBeads, OneCellAveragesTruncateAndClamp) {
    struct Case {
        unsigned seed;
        std::vector<std::uint8_t> palette;
    } const cases[] = {{1, {}}, {2, {250, 255}}, {3, {0, 30}}};
    for (const Case& c : cases) {
        const ColorPlanes in = randomPicture(8, 8, c.seed, c.palette);
        ColorPlanes planes = in;
        Beads(planes);
        EXPECT_EQ(bytes(planes.R), Bead(SquareSum(in.R, 0, 0, 8) / 64)) << c.seed;
        EXPECT_EQ(bytes(planes.B), Bead(SquareSum(in.B, 0, 0, 8) / 64)) << c.seed;
    }
}

TEST(ArtBeads, LastCellMovesBackAndAveragesTheBeadsBeforeIt) {
    // 10 × 8 of 100: the second cell starts at column 2 and averages the first bead's columns 2
    // to 7 with two plain columns: 6400 + 6 × 20 − 9 × 50 = 6070, / 64 = 94.
    ColorPlanes planes = uniform(10, 8, {100, 100, 100});
    Beads(planes);
    const Bytes top{150, 120, 144, 114, 114, 114, 114, 114, 114, 114};
    const Bytes plain{150, 100, 144, 94, 94, 94, 94, 94, 94, 94};
    const Bytes centre{150, 100, 144, 94, 94, 44, 44, 44, 94, 94};
    Bytes expected = top;
    for (int y = 1; y < 8; ++y) {
        const Bytes& row = y >= 3 && y <= 5 ? centre : plain;
        expected.insert(expected.end(), row.begin(), row.end());
    }
    EXPECT_EQ(bytes(planes.R), expected);
}

TEST(ArtBeads, PicturesUnderEightPixelsStayAsTheyAre) {
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) {
            const ColorPlanes in = randomPicture(w, h, 3u * w + h);
            ColorPlanes planes = in;
            Beads(planes);
            if (w < 8 || h < 8) {
                ASSERT_TRUE(samePlanes(planes, in)) << sizeName(w, h);
            }
            else ASSERT_FALSE(samePlanes(planes, in)) << sizeName(w, h);
        }
}

}  // namespace
}  // namespace veltrane
