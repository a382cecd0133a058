// From an effect code to its routines: each code runs what the catalogue lists, with the
// option the checked button means, and a code outside the catalogue changes nothing.
#include "effects/effect_dispatch.h"

#include <gtest/gtest.h>

#include <functional>

#include "effects/art_effects.h"
#include "effects/color_effects.h"
#include "effects/dither_effects.h"
#include "effects/filter_effects.h"
#include "effects/mask_effects.h"

namespace veltrane {
namespace {

ColorPlanes randomPicture(int width, int height, unsigned seed) {
    ColorPlanes p(width, height);
    unsigned s = seed;
    for (Plane* plane : {&p.R, &p.G, &p.B})
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                s = s * 1103515245u + 12345u;
                (*plane)[y][x] = static_cast<std::uint8_t>(s >> 16);
            }
    return p;
}

bool samePlanes(const ColorPlanes& a, const ColorPlanes& b) {
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.R[y][x] != b.R[y][x] || a.G[y][x] != b.G[y][x] || a.B[y][x] != b.B[y][x]) return false;
    return true;
}

struct PictureSize {
    int width, height;
};

using Steps = std::function<void(ColorPlanes&, RandomGenerator&)>;

ArtOptions brush(int index) {
    ArtOptions o;
    o.brush = kPaintBrushes[static_cast<std::size_t>(index)];
    return o;
}

TEST(EffectDispatch, EachCodeRunsItsCatalogueSteps) {
    const struct {
        int code, checked;
        Steps steps;
    } cases[] = {
        {0, 0, [](ColorPlanes& p, RandomGenerator&) { ToGray(p); }},
        {1, 0, [](ColorPlanes& p, RandomGenerator&) { ColorTint(p, 0); }},
        {12, 0, [](ColorPlanes& p, RandomGenerator&) { ColorTint(p, 11); }},
        {13, 0, [](ColorPlanes& p, RandomGenerator&) { Negate(p); }},
        {14, 0, [](ColorPlanes& p, RandomGenerator&) { ColorTint(p, 12); }},
        {16, 0, [](ColorPlanes& p, RandomGenerator&) { ColorTint(p, 14); }},
        {20, 1, [](ColorPlanes& p, RandomGenerator&) { ConvolveFilter(p, 0, ConvolveChoice::First); }},
        {20, 2, [](ColorPlanes& p, RandomGenerator&) { ConvolveFilter(p, 0, ConvolveChoice::Second); }},
        {23, 2, [](ColorPlanes& p, RandomGenerator&) { ConvolveFilter(p, 3, ConvolveChoice::Second); }},
        {24, 0, [](ColorPlanes& p, RandomGenerator&) { NeighbourFilter(p, 0); }},
        {28, 0, [](ColorPlanes& p, RandomGenerator&) { NeighbourFilter(p, 4); }},
        {29, 1, [](ColorPlanes& p, RandomGenerator&) { ErrorDiffuse(p, true); }},
        {29, 2, [](ColorPlanes& p, RandomGenerator&) { ErrorDiffuse(p, false); }},
        {29, 0, [](ColorPlanes& p, RandomGenerator&) { ErrorDiffuse(p, false); }},
        {42, 0, [](ColorPlanes& p, RandomGenerator&) { GlassStrips(p, 0), GlassStrips(p, 1); }},
        {43, 0, [](ColorPlanes& p, RandomGenerator&) { PatternMask(p, 0); }},
        {44, 0, [](ColorPlanes& p, RandomGenerator&) { PatternMask(p, 2); }},
        {45, 0, [](ColorPlanes& p, RandomGenerator&) { PatternMask(p, 1); }},
        {46, 0, [](ColorPlanes& p, RandomGenerator&) { PatternMask(p, 3); }},
        {49, 0, [](ColorPlanes& p, RandomGenerator&) { XorMask(p, 2); }},
        {65, 0, [](ColorPlanes& p, RandomGenerator&) { OrderedDither(p, 5); }},
        {80, 0, [](ColorPlanes& p, RandomGenerator&) { Shake(p); }},
        {81, 2, [](ColorPlanes& p, RandomGenerator&) { Emboss(p, EmbossTone::Colour); }},
        {82, 2, [](ColorPlanes& p, RandomGenerator&) { Mosaic(p, 7); }},
        {83, 1, [](ColorPlanes& p, RandomGenerator&) { Offset3D(p, OffsetDirection::Vertical); }},
        {83, 0, [](ColorPlanes& p, RandomGenerator&) { Offset3D(p, OffsetDirection::Horizontal); }},
        {84, 6, [](ColorPlanes& p, RandomGenerator&) { Painting(p, kPaintBrushes[5]); }},
        {85, 3, [](ColorPlanes& p, RandomGenerator&) { Bricks(p, kBrickSizes[2]); }},
        {86, 0, [](ColorPlanes& p, RandomGenerator&) { Beads(p); }},
        {87, 0, [](ColorPlanes& p, RandomGenerator&) { ArtEffect(p, 6, brush(0)), ConvolveFilter(p, 1, ConvolveChoice::First); }},
        {87, 2, [](ColorPlanes& p, RandomGenerator&) { ArtEffect(p, 6, brush(1)), ConvolveFilter(p, 1, ConvolveChoice::Second); }},
        {88, 0, [](ColorPlanes& p, RandomGenerator&) { NeighbourFilter(p, 0), PencilLevels(p); }},
        {89, 4, [](ColorPlanes& p, RandomGenerator&) { ConvolveFilter(p, 1, ConvolveChoice::First), NeighbourFilter(p, 3); }},
        {90, 1, [](ColorPlanes& p, RandomGenerator& r) { Diffusion(p, 3, r); }},
        {90, 0, [](ColorPlanes& p, RandomGenerator& r) { Diffusion(p, 5, r); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << ", button " << c.checked);
        const ColorPlanes picture = randomPicture(23, 19, static_cast<unsigned>(c.code * 7 + c.checked));
        ColorPlanes expected = picture, actual = picture;
        RandomGenerator expectedRandom, actualRandom;
        c.steps(expected, expectedRandom);
        ASSERT_TRUE(RunEffect(c.code, actual, c.checked, actualRandom));
        EXPECT_TRUE(samePlanes(actual, expected));
        EXPECT_EQ(actualRandom.state(), expectedRandom.state());
    }
}

TEST(EffectDispatch, CodesOutsideTheCatalogueChangeNothing) {
    for (int code : {-20, -1, 17, 19, 30, 51, 66, 79, 91, 99, 100}) {
        const ColorPlanes picture = randomPicture(5, 4, 3);
        ColorPlanes planes = picture;
        RandomGenerator random;
        EXPECT_FALSE(RunEffect(code, planes, 1, random)) << code;
        EXPECT_TRUE(samePlanes(planes, picture)) << code;
        EXPECT_EQ(random.state(), 1u);
    }
}

// Every code of the catalogue, with every option button, on every size from 1 × 1 to 10 × 10
// and a few odd larger ones: each completes (the sanitizer builds check the reads and writes).
TEST(EffectDispatch, EveryCodeRunsOnEverySmallSize) {
    std::vector<PictureSize> sizes;
    for (int h = 1; h <= 10; ++h)
        for (int w = 1; w <= 10; ++w) sizes.push_back({w, h});
    for (const PictureSize s : {PictureSize{17, 1}, PictureSize{1, 17}, PictureSize{33, 9}, PictureSize{9, 33}}) sizes.push_back(s);
    for (int code = 0; code < 100; ++code) {
        for (const PictureSize size : sizes) {
            for (int checked = 0; checked <= 6; checked += 2) {
                ColorPlanes planes = randomPicture(size.width, size.height, static_cast<unsigned>(code + size.width));
                RandomGenerator random;
                RunEffect(code, planes, checked, random);
                ASSERT_EQ(planes.width, size.width) << code;
                ASSERT_EQ(planes.height, size.height) << code;
            }
        }
    }
}

}  // namespace
}  // namespace veltrane
