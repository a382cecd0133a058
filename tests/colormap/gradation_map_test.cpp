// The gradation map's lookup table (entry, exchange, inversion), the preview with its floating
// luminance, the colour bar and the final pass with the integer luminance.
#include <gtest/gtest.h>

#include <memory>

#include "colormap/gradation_map.h"
#include "support/plane_fixtures.h"

using namespace veltrane;
using veltrane::test::Rgb;

namespace {

// A gradient whose channels differ at every entry: R = e, G = 2e mod 256, B = 255 − e.
GradientTable distinctGradient() {
    GradientTable t;
    for (int e = 0; e < 256; ++e) {
        t.R[e] = static_cast<std::uint8_t>(e);
        t.G[e] = static_cast<std::uint8_t>(2 * e);
        t.B[e] = static_cast<std::uint8_t>(255 - e);
    }
    return t;
}

std::unique_ptr<GradientCatalogue> catalogue() {
    auto c = std::make_unique<GradientCatalogue>();
    RandomGenerator random;
    BuildGradientCatalogue(*c, random);
    return c;
}

Rgb lookupAt(const GradientTable& t, int L) { return {t.R[L], t.G[L], t.B[L]}; }

}  // namespace

TEST(GradationMapTest, LookupFoldsEntryExchangeAndInversion) {
    const GradientTable gradient = distinctGradient();
    struct Case {
        const char* what;
        GradationOptions options;
        int L;
        Rgb colour;
    };
    const Case cases[] = {
        // Entry 255 − 10 = 245: (245, 234, 10).
        {"plain", {false, 0, false}, 10, {245, 234, 10}},
        {"plain, luminance 255 takes entry 0", {false, 0, false}, 255, {0, 0, 255}},
        {"reverse", {true, 0, false}, 10, {10, 20, 245}},
        {"RGB⇔RBG", {true, 1, false}, 10, {10, 245, 20}},
        {"RGB⇔GRB", {true, 2, false}, 10, {20, 10, 245}},
        {"RGB⇔GBR", {true, 3, false}, 10, {20, 245, 10}},
        {"RGB⇔BRG", {true, 4, false}, 10, {245, 10, 20}},
        {"RGB⇔BGR", {true, 5, false}, 10, {245, 20, 10}},
        {"invert", {true, 0, true}, 10, {245, 235, 10}},
        // Inversion applies to the exchanged channels.
        {"all three", {false, 3, true}, 10, {21, 245, 10}},
    };
    for (const Case& c : cases) {
        const Rgb got = lookupAt(gradationLookup(gradient, c.options), c.L);
        EXPECT_EQ(got.r, c.colour.r) << c.what;
        EXPECT_EQ(got.g, c.colour.g) << c.what;
        EXPECT_EQ(got.b, c.colour.b) << c.what;
    }
}

// The worked cases of the window on a white, a black and a mid pixel, through the final pass.
TEST(GradationMapTest, FinalPassOnTheWorkedCases) {
    const auto c = catalogue();
    const GradientTable& black = c->table(0, 0);
    const GradientTable& red = c->table(0, 1);
    // (30 × 200 + 59 × 100 + 11 × 50) / 100 = 124.5 → 124.
    const ColorPlanes input = test::picture(3, 1, {{255, 255, 255}, {0, 0, 0}, {200, 100, 50}});
    struct Case {
        const char* what;
        const GradientTable& gradient;
        GradationOptions options;
        std::vector<Rgb> out;
    };
    const Case cases[] = {
        {"黒: grey negative", black, {}, {{0, 0, 0}, {255, 255, 255}, {131, 131, 131}}},
        {"黒 with 逆: grey version", black, {true, 0, false}, {{255, 255, 255}, {0, 0, 0}, {124, 124, 124}}},
        {"黒 with 反転: grey version", black, {false, 0, true}, {{255, 255, 255}, {0, 0, 0}, {124, 124, 124}}},
        // "赤" entry 131: (255, 131, 131).
        {"赤: white to red, black to white", red, {}, {{255, 0, 0}, {255, 255, 255}, {255, 131, 131}}},
        {"赤 with RGB⇔BGR", red, {false, 5, false}, {{0, 0, 255}, {255, 255, 255}, {131, 131, 255}}},
    };
    for (const Case& k : cases) {
        ColorPlanes planes = input;
        applyGradationMap(planes, gradationLookup(k.gradient, k.options));
        test::expectSamePlanes(planes, test::picture(3, 1, k.out), k.what);
    }
}

// Against a pixel-by-pixel reference on odd sizes, 1 × 1 included, with a gradient whose
// channels all differ.
TEST(GradationMapTest, FinalPassMatchesAPixelByPixelReference) {
    const GradientTable lookup = gradationLookup(distinctGradient(), {false, 4, true});
    for (const auto& [w, h] : {std::pair{1, 1}, {1, 7}, {9, 1}, {17, 5}}) {
        ColorPlanes planes(w, h), expected(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int r = (37 * x + 11 * y) & 255, g = (91 * x * y + 5) & 255, b = (255 - 13 * x - 29 * y) & 255;
                planes.R[y][x] = static_cast<std::uint8_t>(r);
                planes.G[y][x] = static_cast<std::uint8_t>(g);
                planes.B[y][x] = static_cast<std::uint8_t>(b);
                const int L = (30 * r + 59 * g + 11 * b) / 100;
                expected.R[y][x] = lookup.R[L];
                expected.G[y][x] = lookup.G[L];
                expected.B[y][x] = lookup.B[L];
            }
        applyGradationMap(planes, lookup);
        test::expectSamePlanes(planes, expected, std::to_string(w) + " x " + std::to_string(h));
    }
}

// The preview takes trunc(0.3 R + 0.59 G + 0.11 B) in double: grey 128 gives 127.99999999999999,
// one entry below the final pass. Black bands have luminance 0 and are mapped too.
TEST(GradationMapTest, PreviewUsesTheFloatingLuminanceOverTheWholeBox) {
    const GradientTable lookup = gradationLookup(catalogue()->table(0, 0), {true, 0, false});
    struct Case {
        Rgb in;
        int previewLevel, finalLevel;
    };
    const Case cases[] = {
        {{128, 128, 128}, 127, 128},
        {{255, 255, 255}, 255, 255},
        {{0, 0, 0}, 0, 0},
        {{200, 100, 50}, 124, 124},  // 124.5 both ways
        {{1, 1, 1}, 0, 1},           // 0.99999999999999989
    };
    for (const Case& c : cases) {
        const ColorPlanes source = test::picture(2, 1, {c.in, {0, 0, 0}});
        ColorPlanes result(2, 1);
        renderGradationPreview(source, result, lookup);
        ColorPlanes final = source;
        applyGradationMap(final, lookup);
        const auto level = static_cast<std::uint8_t>(c.previewLevel);
        test::expectSamePlanes(result, test::picture(2, 1, {{level, level, level}, {0, 0, 0}}));
        EXPECT_EQ(final.R[0][0], c.finalLevel) << int(c.in.r);
    }
    // With "逆" unchecked the bands come out as entry 255: white.
    const ColorPlanes band(3, 2);
    ColorPlanes result(3, 2);
    renderGradationPreview(band, result, gradationLookup(catalogue()->table(0, 0), {}));
    test::expectSamePlanes(result, test::uniform(3, 2, {255, 255, 255}));
}

TEST(GradationMapTest, BarShowsTheColourOfEachLuminanceLeftToRight) {
    const GradientTable lookup = gradationLookup(distinctGradient(), {false, 2, false});
    ColorPlanes bar(kGradationBarWidth, kGradationBarHeight);
    renderGradationBar(bar, lookup);
    for (int y = 0; y < kGradationBarHeight; ++y)
        for (int c = 0; c < kGradationBarWidth; ++c) {
            ASSERT_EQ(bar.R[y][c], lookup.R[c]) << c << "," << y;
            ASSERT_EQ(bar.G[y][c], lookup.G[c]) << c << "," << y;
            ASSERT_EQ(bar.B[y][c], lookup.B[c]) << c << "," << y;
        }
    // Column 0 is luminance 0: entry 255 of the gradient, (255, 254, 0), exchanged G, R, B.
    EXPECT_EQ(bar.R[0][0], 254);
    EXPECT_EQ(bar.G[0][0], 255);
    EXPECT_EQ(bar.B[32][0], 0);
}
