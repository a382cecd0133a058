// Error diffusion: worked bytes, edge cases and a plain reference that keeps one grey plane of
// doubles over the whole picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effects/dither_effects.h"
#include "effects/dither_fixtures.h"

namespace veltrane {
namespace {

using test::bytes;
using test::expectSamePlanes;
using test::picture;
using test::randomPicture;
using test::Rgb;
using test::shape;
using test::smoothPicture;
using test::uniform;

// The plain rule over one whole grey plane.
struct Weight {
    int dy, dx;
    double w;
};
const std::vector<Weight> kFloyd = {{0, 1, 0.4375}, {1, -1, 0.1875}, {1, 0, 0.3125}, {1, 1, 0.0625}};
const std::vector<Weight> kJarvis = {
    {0, 1, 7.0 / 48}, {0, 2, 5.0 / 48}, {1, -2, 0.0625}, {1, -1, 5.0 / 48},  {1, 0, 7.0 / 48},
    {1, 1, 5.0 / 48}, {1, 2, 0.0625},   {2, -2, 1.0 / 48}, {2, -1, 0.0625}, {2, 0, 5.0 / 48},
    {2, 1, 0.0625},   {2, 2, 1.0 / 48},
};

void referenceErrorDiffuse(ColorPlanes& p, bool floyd) {
    const int H = p.height, W = p.width, border = floyd ? 1 : 2;
    std::vector<std::vector<double>> g(H, std::vector<double>(W));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) g[y][x] = 0.3 * p.R[y][x] + 0.59 * p.G[y][x] + 0.11 * p.B[y][x];
    for (int y = border; y < H - border; ++y)
        for (int x = border; x < W - border; ++x) {
            const double e = g[y][x] - (g[y][x] > 127 ? 255 : 0);
            for (const Weight& n : floyd ? kFloyd : kJarvis) g[y + n.dy][x + n.dx] += e * n.w;
        }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) p.R[y][x] = p.G[y][x] = p.B[y][x] = g[y][x] > 127 ? 255 : 0;
}

TEST(ErrorDiffuse, UniformWhiteAndBlackStayAsTheyAre) {
    for (bool floyd : {true, false})
        for (Rgb colour : {Rgb{255, 255, 255}, Rgb{0, 0, 0}}) {
            ColorPlanes p = uniform(11, 8, colour);
            const ColorPlanes source = p;
            ErrorDiffuse(p, floyd);
            expectSamePlanes(p, source, floyd ? "Floyd" : "Jarvis");
        }
}

// A uniform 127 is black at the first visited pixel (127 is not above 127), which passes its
// whole value on: on the smallest picture that visits a pixel, exactly its neighbours turn white.
TEST(ErrorDiffuse, Uniform127PassesItsWholeValueOn) {
    ColorPlanes floyd = uniform(3, 3, {127, 127, 127});
    ErrorDiffuse(floyd, true);
    EXPECT_EQ(shape(floyd.R, 3, 3), "...\n..#\n###\n");
    ColorPlanes jarvis = uniform(5, 5, {127, 127, 127});
    ErrorDiffuse(jarvis, false);
    EXPECT_EQ(shape(jarvis.R, 5, 5), ".....\n.....\n...##\n#####\n#####\n");
    EXPECT_EQ(bytes(jarvis.G), bytes(jarvis.R));
    EXPECT_EQ(bytes(jarvis.B), bytes(jarvis.R));
}

// One visited pixel of 100 (error +100) among 118s: the neighbours that get 5/48 or 7/48 (at
// least 10.4) pass 127, those that get 3/48 (6.25) or 1/48 do not.
TEST(ErrorDiffuse, JarvisWeightsReachTheirOwnNeighbours) {
    ColorPlanes p = uniform(5, 5, {118, 118, 118});
    p.R[2][2] = p.G[2][2] = p.B[2][2] = 100;
    ErrorDiffuse(p, false);
    EXPECT_EQ(shape(p.R, 5, 5), ".....\n.....\n...##\n.###.\n..#..\n");
}

// One visited pixel of 200 (error −55) pushes its neighbours just above 127 back below:
// right 150 − 24.0625, below left 130 − 10.3125, below 140 − 17.1875, below right
// 129 − 3.4375; untouched border pixels of 128 stay white.
TEST(ErrorDiffuse, FloydWeightsReachTheirOwnNeighbours) {
    ColorPlanes p = picture(3, 3,
                            {{128, 128, 128}, {128, 128, 128}, {128, 128, 128},  //
                             {128, 128, 128}, {200, 200, 200}, {150, 150, 150},  //
                             {130, 130, 130}, {140, 140, 140}, {129, 129, 129}});
    ErrorDiffuse(p, true);
    EXPECT_EQ(shape(p.R, 3, 3), "###\n##.\n...\n");
    // A visited 130 stays white and sends −125: right 160 − 54.6875, below left 142 − 23.4375
    // and below 150 − 39.0625 drop under 127, below right 136 − 7.8125 stays above.
    ColorPlanes q = picture(3, 3,
                            {{0, 0, 0}, {0, 0, 0}, {0, 0, 0},  //
                             {0, 0, 0}, {130, 130, 130}, {160, 160, 160},  //
                             {142, 142, 142}, {150, 150, 150}, {136, 136, 136}});
    ErrorDiffuse(q, true);
    EXPECT_EQ(shape(q.R, 3, 3), "...\n.#.\n..#\n");
}

// The grey is kept unrounded: 127.3 is above 127 where its truncation would not be.
TEST(ErrorDiffuse, GreyIsKeptAsADouble) {
    for (bool floyd : {true, false}) {
        ColorPlanes p = uniform(1, 1, {128, 127, 127});
        ErrorDiffuse(p, floyd);
        EXPECT_EQ(p.R[0][0], 255) << floyd;
    }
}

// Under 3 (Floyd) or 5 (Jarvis) pixels in either direction no pixel is visited: a threshold.
TEST(ErrorDiffuse, SmallPicturesAreAPlainThreshold) {
    const int sizes[][3] = {{2, 9, 1}, {9, 2, 1}, {1, 1, 1}, {4, 9, 0}, {9, 4, 0}, {4, 4, 0}};
    for (const auto& size : sizes) {
        ColorPlanes p = smoothPicture(size[0], size[1], 5);
        ColorPlanes expected = p;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const double g = 0.3 * p.R[y][x] + 0.59 * p.G[y][x] + 0.11 * p.B[y][x];
                expected.R[y][x] = expected.G[y][x] = expected.B[y][x] = g > 127 ? 255 : 0;
            }
        ErrorDiffuse(p, size[2] == 1);
        expectSamePlanes(p, expected, std::to_string(size[0]) + "x" + std::to_string(size[1]));
    }
}

TEST(ErrorDiffuse, EqualsOneWholeGreyPlaneOnRandomPictures) {
    const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 3}, {5, 5}, {6, 7}, {17, 13}, {193, 67}};
    for (bool floyd : {true, false})
        for (const auto& size : sizes)
            for (std::uint32_t seed : {1u, 2u}) {
                const ColorPlanes source = seed == 1 ? randomPicture(size[0], size[1], seed)
                                                     : smoothPicture(size[0], size[1], seed);
                ColorPlanes actual = source, expected = source;
                ErrorDiffuse(actual, floyd);
                referenceErrorDiffuse(expected, floyd);
                expectSamePlanes(actual, expected,
                                 std::string(floyd ? "Floyd " : "Jarvis ") + std::to_string(size[0]) + "x" +
                                     std::to_string(size[1]) + " seed " + std::to_string(seed));
            }
}

TEST(ErrorDiffuse, ReportsEachRowOfTheDiffusionPass) {
    struct Case {
        int w, h;
        bool floyd;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {6, 5, true, {1, 2, 3}},     {6, 7, false, {2, 3, 4}},  {1, 4, true, {1, 2}},  // no column visited
        {6, 2, true, {}},            {6, 4, false, {}},         {1, 1, true, {}},
    };
    for (const Case& c : cases) {
        ColorPlanes p = smoothPicture(c.w, c.h, 9);
        std::vector<int> rows;
        // Rows 0 .. row are final when reported: only 0 and 255 (the mid greys turned into them).
        bool rowsFinal = true;
        ErrorDiffuse(p, c.floyd, [&](int row) {
            rows.push_back(row);
            for (int y = 0; y <= row; ++y)
                for (int x = 0; x < c.w; ++x) rowsFinal = rowsFinal && (p.R[y][x] == 0 || p.R[y][x] == 255);
        });
        EXPECT_TRUE(rowsFinal) << c.w << "x" << c.h;
        EXPECT_EQ(rows, c.rows) << c.w << "x" << c.h << (c.floyd ? " Floyd" : " Jarvis");
    }
}

// Both methods on every size from 1 × 1 to 10 × 10 give the whole-plane bytes (and, in a
// sanitizer build, read and write nothing outside the planes).
TEST(ErrorDiffuse, EverySizeUpToTenByTen) {
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) {
            const ColorPlanes source = smoothPicture(w, h, static_cast<std::uint32_t>(w * 16 + h));
            for (bool floyd : {true, false}) {
                ColorPlanes actual = source, expected = source;
                ErrorDiffuse(actual, floyd);
                referenceErrorDiffuse(expected, floyd);
                expectSamePlanes(actual, expected,
                                 std::string(floyd ? "Floyd " : "Jarvis ") + std::to_string(w) + "x" + std::to_string(h));
            }
        }
}

}  // namespace
}  // namespace veltrane
