// Ordered dither: worked tiles, every channel value and grey triple against the rule, and a
// plain reference written straight from the rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "effects/dither_effects.h"
#include "effects/dither_fixtures.h"

namespace veltrane {
namespace {

using test::bytes;
using test::expectSamePlanes;
using test::randomPicture;
using test::Rgb;
using test::shape;
using test::uniform;

// The matrices as the dither's description lists them: Bayer, volute, mesh.
const int kMatrix[3][4][4] = {
    {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}},
    {{6, 7, 8, 9}, {5, 0, 1, 10}, {4, 3, 2, 11}, {15, 14, 13, 12}},
    {{11, 4, 6, 9}, {12, 0, 2, 14}, {7, 8, 10, 5}, {3, 15, 13, 1}},
};

// The plain rule, per pixel in double.
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

// Every grey triple meets every matrix entry: for each red, a picture of 4 × 4 blocks, block
// (g, b) filled with (red, g, b), so its sixteen pixels cover the sixteen entries of a tile. The
// integer shortcut of the grey kinds must equal the double rule everywhere, ties included.
TEST(OrderedDither, GreyKindsMatchTheRuleForEveryTripleAndCell) {
    ColorPlanes blocks(1024, 1024);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            blocks.G[y][x] = static_cast<std::uint8_t>(y / 4);
            blocks.B[y][x] = static_cast<std::uint8_t>(x / 4);
        }
    std::vector<int> levels(256 * 256);
    int mismatches = 0;
    for (int r = 0; r < 256 && mismatches < 10; ++r) {
        ColorPlanes p = blocks;
        std::fill(p.R.data(), p.R.data() + p.R.size(), static_cast<std::uint8_t>(r));
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) levels[g * 256 + b] = referenceLevel(0.3 * r + 0.59 * g + 0.11 * b);
        OrderedDither(p, 0);
        for (int y = 0; y < 1024; ++y)
            for (int x = 0; x < 1024; ++x) {
                const int level = levels[(y / 4) * 256 + x / 4];
                const std::uint8_t expected = kMatrix[0][y % 4][x % 4] < level ? 255 : 0;
                if (p.R[y][x] != expected || p.G[y][x] != expected || p.B[y][x] != expected) {
                    if (++mismatches <= 10)
                        ADD_FAILURE() << "(" << r << ", " << y / 4 << ", " << x / 4 << ") at entry "
                                      << kMatrix[0][y % 4][x % 4] << ": level " << level;
                }
            }
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

// Every kind on every size from 1 × 1 to 10 × 10 gives the plain rule's bytes (and, in a
// sanitizer build, reads and writes nothing outside the planes).
TEST(OrderedDither, EverySizeUpToTenByTen) {
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) {
            const ColorPlanes source = randomPicture(w, h, static_cast<std::uint32_t>(w * 16 + h));
            for (int kind = 0; kind < 6; ++kind) {
                ColorPlanes actual = source, expected = source;
                OrderedDither(actual, kind);
                referenceOrderedDither(expected, kind);
                expectSamePlanes(actual, expected,
                                 "kind " + std::to_string(kind) + " " + std::to_string(w) + "x" + std::to_string(h));
            }
        }
}

}  // namespace
}  // namespace veltrane
