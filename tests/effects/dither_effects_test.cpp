// Ordered dither and error diffusion: worked bytes, edge cases and a plain whole-picture
// reference written straight from the rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "effects/dither_effects.h"
#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::bytes;
using test::picture;
using test::Rgb;
using test::uniform;

// The matrices as the dither's description lists them: Bayer, volute, mesh.
const int kMatrix[3][4][4] = {
    {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}},
    {{6, 7, 8, 9}, {5, 0, 1, 10}, {4, 3, 2, 11}, {15, 14, 13, 12}},
    {{11, 4, 6, 9}, {12, 0, 2, 14}, {7, 8, 10, 5}, {3, 15, 13, 1}},
};

// ---- plain references, one working plane over the whole picture ------------------------------

int referenceLevel(double v) {
    const int level = static_cast<int>(v / 15.9375);
    return level > 15 ? 15 : level;
}

void referenceOrderedDither(ColorPlanes& p, int kind) {
    const auto& M = kMatrix[kind / 2];
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const int m = M[y % 4][x % 4];
            const auto dither = [&](double v) -> std::uint8_t { return m < referenceLevel(v) ? 255 : 0; };
            if (kind % 2 == 1) {
                p.R[y][x] = dither(p.R[y][x]);
                p.G[y][x] = dither(p.G[y][x]);
                p.B[y][x] = dither(p.B[y][x]);
            } else {
                const std::uint8_t v = dither(0.3 * p.R[y][x] + 0.59 * p.G[y][x] + 0.11 * p.B[y][x]);
                p.R[y][x] = p.G[y][x] = p.B[y][x] = v;
            }
        }
}

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

ColorPlanes randomPicture(int w, int h, std::uint32_t seed) {
    std::mt19937 random(seed);
    ColorPlanes p(w, h);
    for (Plane* plane : {&p.R, &p.G, &p.B})
        for (std::size_t i = 0; i < plane->size(); ++i) plane->data()[i] = static_cast<std::uint8_t>(random());
    return p;
}

// Mid greys with runs of similar values, where diffused errors decide most pixels.
ColorPlanes smoothPicture(int w, int h, std::uint32_t seed) {
    std::mt19937 random(seed);
    ColorPlanes p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int base = 96 + (x * 7 + y * 3) % 64;
            p.R[y][x] = static_cast<std::uint8_t>(base + random() % 5);
            p.G[y][x] = static_cast<std::uint8_t>(base + random() % 5);
            p.B[y][x] = static_cast<std::uint8_t>(base + random() % 5);
        }
    return p;
}

void expectSamePlanes(const ColorPlanes& actual, const ColorPlanes& expected, const std::string& what) {
    EXPECT_EQ(bytes(actual.R), bytes(expected.R)) << what << " R";
    EXPECT_EQ(bytes(actual.G), bytes(expected.G)) << what << " G";
    EXPECT_EQ(bytes(actual.B), bytes(expected.B)) << what << " B";
}

// One plane as rows of '#' (255) and '.' (0), for readable expectations.
std::string shape(const Plane& plane, int w, int h) {
    std::string s;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s += plane[y][x] == 255 ? '#' : plane[y][x] == 0 ? '.' : '?';
        s += '\n';
    }
    return s;
}

// ---- ordered dither ---------------------------------------------------------------------------

// A uniform picture of level L whitens exactly the cells whose entry is below L, in every
// tile (the 9 × 7 picture ends in part tiles).
TEST(OrderedDither, UniformLevelWhitensTheCellsBelowIt) {
    struct Case {
        Rgb colour;
        int level;
        const char* why;
    };
    const Case cases[] = {
        {{0, 0, 0}, 0, "black"},
        {{255, 255, 255}, 15, "white, held at 15"},
        {{128, 128, 128}, 8, "g = 127.99999999999999"},
        {{127, 127, 127}, 7, "127 / 15.9375 = 7.97"},
        {{0, 201, 81}, 7, "g is 127.5 in reals but 127.49999999999999 in double"},
        {{0, 179, 199}, 8, "g is 127.5 in reals and in double"},
        {{61, 61, 86}, 3, "63.74999999999999, below level 4"},
        {{255, 0, 0}, 4, "pure red: g = 76.5"},
    };
    for (int matrix = 0; matrix < 3; ++matrix)
        for (const Case& c : cases) {
            ColorPlanes p = uniform(9, 7, c.colour);
            OrderedDither(p, 2 * matrix);
            std::string expected;
            for (int y = 0; y < 7; ++y) {
                for (int x = 0; x < 9; ++x) expected += kMatrix[matrix][y % 4][x % 4] < c.level ? '#' : '.';
                expected += '\n';
            }
            const std::string what = "matrix " + std::to_string(matrix) + ", " + c.why;
            EXPECT_EQ(shape(p.R, 9, 7), expected) << what;
            EXPECT_EQ(bytes(p.G), bytes(p.R)) << what;
            EXPECT_EQ(bytes(p.B), bytes(p.R)) << what;
        }
}

TEST(OrderedDither, WorkedTilesOfTheDescription) {
    // White keeps one black pixel per tile, where the matrix holds 15.
    const char* whiteTiles[3] = {
        "####\n####\n####\n.###\n",  // Bayer: row 3, column 0
        "####\n####\n####\n.###\n",  // volute: row 3, column 0
        "####\n####\n####\n#.##\n",  // mesh: row 3, column 1
    };
    for (int kind = 0; kind < 6; ++kind) {
        ColorPlanes p = uniform(4, 4, {255, 255, 255});
        OrderedDither(p, kind);
        EXPECT_EQ(shape(p.R, 4, 4), whiteTiles[kind / 2]) << "kind " << kind;
        EXPECT_EQ(shape(p.B, 4, 4), whiteTiles[kind / 2]) << "kind " << kind;
    }
    // Grey 128 on Bayer: the entries 0..7 make a checkerboard.
    ColorPlanes grey = uniform(4, 4, {128, 128, 128});
    OrderedDither(grey, 0);
    EXPECT_EQ(shape(grey.G, 4, 4), "#.#.\n.#.#\n#.#.\n.#.#\n");
}

TEST(OrderedDither, ColourKindsDitherEachChannelOnItsOwn) {
    // Pure red: R as white would be, G and B black.
    for (int kind : {1, 3, 5}) {
        ColorPlanes p = uniform(5, 6, {255, 0, 0});
        ColorPlanes white = uniform(5, 6, {255, 255, 255});
        OrderedDither(p, kind);
        OrderedDither(white, kind);
        EXPECT_EQ(bytes(p.R), bytes(white.R)) << "kind " << kind;
        EXPECT_EQ(bytes(p.G), std::vector<std::uint8_t>(30, 0)) << "kind " << kind;
        EXPECT_EQ(bytes(p.B), std::vector<std::uint8_t>(30, 0)) << "kind " << kind;
    }
    // Bayer, one tile: R = 16 is level 1 (only the 0 cell), G = 15 level 0, B = 32 level 2.
    ColorPlanes p = uniform(4, 4, {16, 15, 32});
    OrderedDither(p, 1);
    EXPECT_EQ(shape(p.R, 4, 4), "#...\n....\n....\n....\n");
    EXPECT_EQ(shape(p.G, 4, 4), "....\n....\n....\n....\n");
    EXPECT_EQ(shape(p.B, 4, 4), "#...\n....\n..#.\n....\n");
}

// Every channel value meets every cell of every matrix: value v fills columns 4v .. 4v + 3 of
// four rows.
TEST(OrderedDither, ColourKindsMatchTheRuleForEveryValueAndCell) {
    ColorPlanes p(1024, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 1024; ++x) {
            p.R[y][x] = static_cast<std::uint8_t>(x / 4);
            p.G[y][x] = static_cast<std::uint8_t>(255 - x / 4);
            p.B[y][x] = static_cast<std::uint8_t>(x / 4);
        }
    for (int kind : {1, 3, 5}) {
        ColorPlanes actual = p, expected = p;
        OrderedDither(actual, kind);
        referenceOrderedDither(expected, kind);
        expectSamePlanes(actual, expected, "kind " + std::to_string(kind));
    }
}

TEST(OrderedDither, EqualsThePlainRuleOnRandomPictures) {
    const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 3}, {5, 4}, {17, 13}, {193, 67}};
    for (int kind = 0; kind < 6; ++kind)
        for (const auto& size : sizes) {
            const ColorPlanes source = randomPicture(size[0], size[1], 100u + static_cast<std::uint32_t>(kind));
            ColorPlanes actual = source, expected = source;
            OrderedDither(actual, kind);
            referenceOrderedDither(expected, kind);
            expectSamePlanes(actual, expected,
                             "kind " + std::to_string(kind) + " " + std::to_string(size[0]) + "x" + std::to_string(size[1]));
        }
}

TEST(OrderedDither, KindOutsideTheCatalogueChangesNothing) {
    for (int kind : {-1, 6, 100}) {
        const ColorPlanes source = randomPicture(6, 5, 3);
        ColorPlanes p = source;
        OrderedDither(p, kind);
        expectSamePlanes(p, source, "kind " + std::to_string(kind));
    }
}

// ---- error diffusion --------------------------------------------------------------------------

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
        ErrorDiffuse(p, c.floyd, [&](int row) { rows.push_back(row); });
        EXPECT_EQ(rows, c.rows) << c.w << "x" << c.h << (c.floyd ? " Floyd" : " Jarvis");
    }
}

// ---- every size -------------------------------------------------------------------------------

// Every routine on every size from 1 × 1 to 10 × 10 gives the plain rule's bytes (and, in a
// sanitizer build, reads and writes nothing outside the planes).
TEST(DitherEffects, EverySizeUpToTenByTen) {
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) {
            const ColorPlanes source = smoothPicture(w, h, static_cast<std::uint32_t>(w * 16 + h));
            const std::string size = std::to_string(w) + "x" + std::to_string(h);
            for (int kind = 0; kind < 6; ++kind) {
                ColorPlanes actual = source, expected = source;
                OrderedDither(actual, kind);
                referenceOrderedDither(expected, kind);
                expectSamePlanes(actual, expected, "kind " + std::to_string(kind) + " " + size);
            }
            for (bool floyd : {true, false}) {
                ColorPlanes actual = source, expected = source;
                ErrorDiffuse(actual, floyd);
                referenceErrorDiffuse(expected, floyd);
                expectSamePlanes(actual, expected, std::string(floyd ? "Floyd " : "Jarvis ") + size);
            }
        }
}

}  // namespace
}  // namespace veltrane
