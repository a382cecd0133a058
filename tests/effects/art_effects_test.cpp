// Pencil levels, the one entry point with its options, progress, and every kind on every small
// size.
#include "effects/art_effects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "effects/art_test_pictures.h"
#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::randomPicture;
using test::samePlanes;
using test::sizeName;
using test::uniform;

TEST(ArtPencil, LevelsByHowManyThresholdsTheLuminanceExceeds) {
    struct Case {
        test::Rgb in;
        std::uint8_t level;
    } const cases[] = {
        {{0, 0, 0}, 255},     {{51, 51, 51}, 255},  {{52, 52, 52}, 204},    {{102, 102, 102}, 204},
        {{103, 103, 103}, 153}, {{153, 153, 153}, 153}, {{154, 154, 154}, 102}, {{204, 204, 204}, 102},
        {{205, 205, 205}, 51}, {{255, 255, 255}, 51},
        {{255, 0, 0}, 204},   // Y = 76
        {{0, 255, 0}, 153},   // Y = 150
        {{0, 0, 255}, 255},   // Y = 28
        {{173, 0, 0}, 255},   // 30 × 173 = 5190, Y = 51: not above
        {{174, 0, 0}, 204},   // 5220, Y = 52
    };
    std::vector<test::Rgb> row;
    for (const Case& c : cases) row.push_back(c.in);
    ColorPlanes planes = test::picture(static_cast<int>(row.size()), 1, row);
    PencilLevels(planes);
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(planes.R[0][i], cases[i].level) << i;
        EXPECT_EQ(planes.G[0][i], cases[i].level) << i;
        EXPECT_EQ(planes.B[0][i], cases[i].level) << i;
    }
}

TEST(ArtEffect, EachKindRunsItsRoutineWithItsOption) {
    const ColorPlanes in = randomPicture(23, 19, 77, {0, 60, 120, 250});
    ArtOptions options;
    options.emboss = EmbossTone::Colour;
    options.mosaicCell = 7;
    options.offset = OffsetDirection::Horizontal;
    options.brick = kBrickSizes[5];
    options.brush = kPaintBrushes[3];
    options.diffusionRadius = 5;
    struct Case {
        int kind;
        void (*routine)(ColorPlanes&, const ArtOptions&);
    } const cases[] = {
        {0, [](ColorPlanes& p, const ArtOptions&) { Shake(p); }},
        {1, [](ColorPlanes& p, const ArtOptions& o) { Emboss(p, o.emboss); }},
        {2, [](ColorPlanes& p, const ArtOptions& o) { Mosaic(p, o.mosaicCell); }},
        {3, [](ColorPlanes& p, const ArtOptions& o) { Offset3D(p, o.offset); }},
        {4, [](ColorPlanes& p, const ArtOptions& o) { Bricks(p, o.brick); }},
        {5, [](ColorPlanes& p, const ArtOptions&) { Beads(p); }},
        {6, [](ColorPlanes& p, const ArtOptions& o) { Painting(p, o.brush); }},
        {7, [](ColorPlanes& p, const ArtOptions&) { PencilLevels(p); }},
    };
    for (const Case& c : cases) {
        ColorPlanes viaKind = in, direct = in;
        RandomGenerator random;
        ArtEffect(viaKind, c.kind, options, random);
        c.routine(direct, options);
        EXPECT_TRUE(samePlanes(viaKind, direct)) << "kind " << c.kind;
        EXPECT_FALSE(samePlanes(viaKind, in)) << "kind " << c.kind;
        EXPECT_EQ(random.state(), 1u) << "kind " << c.kind << " drew";
    }
    ColorPlanes viaKind = in, direct = in;
    RandomGenerator random, same;
    ArtEffect(viaKind, 8, options, random);
    Diffusion(direct, 5, same);
    EXPECT_TRUE(samePlanes(viaKind, direct));
    EXPECT_EQ(random.state(), same.state());
}

TEST(ArtEffect, DefaultOptionsAreEachKindsFirstButton) {
    const ArtOptions options;
    EXPECT_EQ(options.emboss, EmbossTone::Grey);
    EXPECT_EQ(options.mosaicCell, 3);
    EXPECT_EQ(options.offset, OffsetDirection::Vertical);
    EXPECT_EQ(options.brick.height, 2);
    EXPECT_EQ(options.brick.width, 4);
    EXPECT_EQ(options.brush.size, 3);
    EXPECT_EQ(options.brush.levels, 4);
    EXPECT_EQ(options.diffusionRadius, 3);
}

TEST(ArtEffect, RejectsUnknownKindsAndBadOptionsBeforeChangingAnything) {
    const ColorPlanes in = randomPicture(12, 12, 4);
    RandomGenerator random;
    auto rejects = [&](int kind, ArtOptions options, bool withGenerator) {
        ColorPlanes planes = in;
        if (withGenerator) {
            EXPECT_THROW(ArtEffect(planes, kind, options, random), std::invalid_argument) << kind;
        } else {
            EXPECT_THROW(ArtEffect(planes, kind, options), std::invalid_argument) << kind;
        }
        EXPECT_TRUE(samePlanes(planes, in)) << kind;
    };
    rejects(-1, {}, true);
    rejects(9, {}, true);
    rejects(8, {}, false);  // diffusion needs the generator
    ArtOptions bad;
    bad.mosaicCell = 0;
    rejects(2, bad, false);
    bad = {};
    bad.brick = {0, 4};
    rejects(4, bad, false);
    bad = {};
    bad.brick = {2, -1};
    rejects(4, bad, false);
    bad = {};
    bad.brush = {2, 4};
    rejects(6, bad, false);
    bad = {};
    bad.diffusionRadius = 0;
    rejects(8, bad, true);
    EXPECT_EQ(random.state(), 1u);
}

// The progress each kind reports on a 10 × 11 picture with the default options.
TEST(ArtEffect, ProgressReportsRowsBandsOrTheBricksTotal) {
    std::vector<int> everyRow;
    for (int y = 0; y < 11; ++y) everyRow.push_back(y);
    struct Case {
        int kind;
        std::vector<int> expected;
    } const cases[] = {
        {0, everyRow},
        {1, everyRow},
        {2, {0, 3, 6}},  // bands of 3 while the start is below 11 − 3
        {3, everyRow},
        // "2,4": 0 at the start, then the running sum of y / 3 over courses at rows 0, 2, 4, 6, 8,
        // 10, then 1, 3, 5, 7, 9, then the half course at row 0.
        {4, {0, 0, 0, 1, 3, 5, 8, 8, 9, 10, 12, 15, 15}},
        {5, {0, 3}},  // the second band moved back to row 11 − 8
        {6, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {7, everyRow},
        {8, everyRow},
    };
    for (const Case& c : cases) {
        ColorPlanes planes = randomPicture(10, 11, 2);
        RandomGenerator random;
        std::vector<int> reported;
        ArtEffect(planes, c.kind, {}, random, [&](int row) { reported.push_back(row); });
        EXPECT_EQ(reported, c.expected) << "kind " << c.kind;
    }
}

// A uniform grey of 100 gives each kind's own flat result, on extreme shapes as well: 1 × 1, a
// row or column 40,000 long, and a square. Bricks and beads draw patterns and are checked by
// their own tests; here only where they must leave the picture alone.
TEST(ArtEffect, UniformGreyGivesEachKindsFlatResultOnEveryShape) {
    struct Case {
        int kind;
        // The expected byte at (y, x) of a w × h picture, or −1 where any is right.
        int (*expected)(int y, int x, int w, int h);
    } const cases[] = {
        {0, [](int, int, int, int) { return 100; }},
        {1, [](int, int, int, int) { return 128; }},
        {2, [](int, int, int, int) { return 100; }},
        {3, [](int, int, int, int) { return 100; }},
        {4, [](int y, int x, int w, int h) { return y == h - 1 || x == w - 1 ? 100 : -1; }},
        {5, [](int, int, int w, int h) { return w < 8 || h < 8 ? 100 : -1; }},
        {6, [](int y, int x, int w, int h) { return y >= 1 && y < h - 1 && x >= 1 && x < w - 1 ? 184 : 100; }},
        {7, [](int, int, int, int) { return 204; }},  // Y = 100 exceeds only 51
        {8, [](int, int, int, int) { return 100; }},
    };
    for (test::Size s : {test::Size{1, 1}, test::Size{40000, 3}, test::Size{3, 40000}, test::Size{20, 20}})
        for (const Case& c : cases) {
            ColorPlanes planes = uniform(s.w, s.h, {100, 100, 100});
            RandomGenerator random;
            ArtEffect(planes, c.kind, {}, random);
            for (int y = 0; y < s.h; ++y)
                for (int x = 0; x < s.w; ++x) {
                    const int want = c.expected(y, x, s.w, s.h);
                    if (want < 0) continue;
                    ASSERT_EQ(planes.R[y][x], want) << sizeName(s.w, s.h) << " kind " << c.kind << " at " << y << "," << x;
                    ASSERT_EQ(planes.B[y][x], want) << sizeName(s.w, s.h) << " kind " << c.kind << " at " << y << "," << x;
                }
        }
}

// Run under AddressSanitizer, this is the check that no kind reads or writes outside the planes
// on any small picture, empty ones included; in every build, only diffusion draws, one number
// per pixel.
TEST(ArtEffect, EveryKindAndOptionRunsOnEverySmallSize) {
    std::vector<ArtOptions> variants(6);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        variants[i].emboss = i % 2 ? EmbossTone::Colour : EmbossTone::Grey;
        variants[i].mosaicCell = kMosaicCells[i % 2];
        variants[i].offset = i % 2 ? OffsetDirection::Horizontal : OffsetDirection::Vertical;
        variants[i].brick = kBrickSizes[i];
        variants[i].brush = kPaintBrushes[i];
        variants[i].diffusionRadius = kDiffusionRadii[i % 2];
    }
    for (int h = 0; h <= 10; ++h)
        for (int w = 0; w <= 10; ++w)
            for (int kind = 0; kind <= 8; ++kind)
                for (const ArtOptions& options : variants) {
                    ColorPlanes planes = randomPicture(w, h, 1u + w + h);
                    RandomGenerator random, expected;
                    if (kind == 8)
                        for (int i = 0; i < w * h; ++i) expected.next();
                    ArtEffect(planes, kind, options, random);
                    ASSERT_EQ(random.state(), expected.state()) << sizeName(w, h) << " kind " << kind;
                }
}

}  // namespace
}  // namespace veltrane
