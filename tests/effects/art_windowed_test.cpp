// Shake and emboss against literal references: whole bordered 32-bit working planes built as
// the effects describe them, the kernel run over them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "effects/art_effects.h"
#include "effects/art_test_pictures.h"
#include "image/padded_rows.h"
#include "support/plane_fixtures.h"

namespace veltrane {
namespace {

using test::comparisonSizes;
using test::randomPicture;
using test::samePlanes;
using test::sizeName;
using test::uniform;

using Grid = std::vector<std::vector<int>>;

// (H + 4) × (W + 4), picture at (2, 2); columns −1, −2 ← 0, 1 and W, W + 1 ← W − 1, W − 2 on
// every real row, then rows likewise from the bordered rows; indexes clamped into the picture.
Grid ShakeBordered(const Plane& plane, int w, int h) {
    Grid g(static_cast<std::size_t>(h + 4), std::vector<int>(static_cast<std::size_t>(w + 4)));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) g[y + 2][x + 2] = plane[y][x];
        g[y + 2][1] = plane[y][0];
        g[y + 2][0] = plane[y][std::min(1, w - 1)];
        g[y + 2][w + 2] = plane[y][w - 1];
        g[y + 2][w + 3] = plane[y][std::max(w - 2, 0)];
    }
    g[1] = g[2];
    g[0] = g[2 + std::min(1, h - 1)];
    g[h + 2] = g[h + 1];
    g[h + 3] = g[2 + std::max(h - 2, 0)];
    return g;
}

ColorPlanes ShakeReference(const ColorPlanes& in) {
    ColorPlanes out = in;
    const int w = in.width, h = in.height;
    for (auto [src, dst] : {std::pair{&in.R, &out.R}, std::pair{&in.G, &out.G}, std::pair{&in.B, &out.B}}) {
        const Grid g = ShakeBordered(*src, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // Kernel 5 × 5: 1 at the top-left corner, the centre and the bottom-right corner.
                const int sum = g[y][x] + g[y + 2][x + 2] + g[y + 4][x + 4];
                (*dst)[y][x] = static_cast<std::uint8_t>(std::clamp(sum / 3, 0, 255));
            }
    }
    return out;
}

// (H + 2) × (W + 2): filled first, then column 0 ← 1, W + 1 ← W on real rows, then row 0 ← 1,
// row H + 1 ← H.
Grid EmbossBordered(const std::vector<std::vector<int>>& values, int w, int h) {
    Grid g(static_cast<std::size_t>(h + 2), std::vector<int>(static_cast<std::size_t>(w + 2)));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) g[y + 1][x + 1] = values[y][x];
    for (int y = 1; y <= h; ++y) {
        g[y][0] = g[y][1];
        g[y][w + 1] = g[y][w];
    }
    g[0] = g[1];
    g[h + 1] = g[h];
    return g;
}

std::vector<std::vector<int>> EmbossValues(const Grid& g, int w, int h) {
    static const int kernel[3][3] = {{-2, -1, 0}, {-1, 0, 1}, {0, 1, 2}};
    std::vector<std::vector<int>> out(static_cast<std::size_t>(h), std::vector<int>(static_cast<std::size_t>(w)));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) sum += kernel[i][j] * g[y + i][x + j];
            out[y][x] = std::clamp(sum + 128, 0, 255);
        }
    return out;
}

ColorPlanes EmbossReference(const ColorPlanes& in, EmbossTone tone) {
    ColorPlanes out = in;
    const int w = in.width, h = in.height;
    auto values = [&](auto pixel) {
        std::vector<std::vector<int>> v(static_cast<std::size_t>(h), std::vector<int>(static_cast<std::size_t>(w)));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) v[y][x] = pixel(y, x);
        return EmbossValues(EmbossBordered(v, w, h), w, h);
    };
    if (tone == EmbossTone::Grey) {
        const auto grey =
            values([&](int y, int x) { return (30 * in.R[y][x] + 59 * in.G[y][x] + 11 * in.B[y][x]) / 100; });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) out.R[y][x] = out.G[y][x] = out.B[y][x] = static_cast<std::uint8_t>(grey[y][x]);
        return out;
    }
    for (auto [src, dst] : {std::pair{&in.R, &out.R}, std::pair{&in.G, &out.G}, std::pair{&in.B, &out.B}}) {
        const auto v = values([&](int y, int x) { return int((*src)[y][x]); });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) (*dst)[y][x] = static_cast<std::uint8_t>(v[y][x]);
    }
    return out;
}

TEST(ArtBorderIndex, ReflectsNearestFirstAndRepeatsTheEdge) {
    struct Case {
        int i, n, reflect, repeat;
    } const cases[] = {
        {-1, 5, 0, 0}, {-2, 5, 1, 0}, {5, 5, 4, 4}, {6, 5, 3, 4}, {2, 5, 2, 2},
        {-2, 1, 0, 0}, {1, 1, 0, 0},  {2, 1, 0, 0}, {-2, 2, 1, 0}, {3, 2, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReflectIndex(c.i, c.n), c.reflect) << c.i << " of " << c.n;
        EXPECT_EQ(RepeatIndex(c.i, c.n), c.repeat) << c.i << " of " << c.n;
    }
}

TEST(ArtShake, SingleWhitePixelGivesThreeDiagonalImagesOf85) {
    ColorPlanes planes = uniform(9, 9, {0, 0, 0});
    planes.R[4][4] = planes.G[4][4] = planes.B[4][4] = 255;
    Shake(planes);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool image = (y == 2 && x == 2) || (y == 4 && x == 4) || (y == 6 && x == 6);
            ASSERT_EQ(planes.R[y][x], image ? 85 : 0) << y << "," << x;
            ASSERT_EQ(planes.B[y][x], image ? 85 : 0) << y << "," << x;
        }
}

TEST(ArtShake, BorderReflectsNearestFirst) {
    // One row 10 20 30 40: padded columns read 20 10 | 10 20 30 40 | 40 30; every row is the same
    // row after reflection. Pixel 0: (20 + 10 + 30) / 3, pixel 3: (20 + 40 + 30) / 3.
    ColorPlanes planes = test::picture(4, 1, {{10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}});
    Shake(planes);
    EXPECT_EQ(test::bytes(planes.R), (std::vector<std::uint8_t>{20, 23, 26, 30}));
}

TEST(ArtShake, EqualsTheBorderedReferenceOnEverySize) {
    for (const test::Size s : comparisonSizes()) {
        const ColorPlanes in = randomPicture(s.w, s.h, 11u + s.w * 31u + s.h);
        ColorPlanes planes = in;
        Shake(planes);
        ASSERT_TRUE(samePlanes(planes, ShakeReference(in))) << sizeName(s.w, s.h);
    }
}

TEST(ArtEmboss, UniformPictureGives128InBothTones) {
    for (EmbossTone tone : {EmbossTone::Grey, EmbossTone::Colour}) {
        ColorPlanes planes = uniform(7, 5, {200, 30, 90});
        Emboss(planes, tone);
        EXPECT_TRUE(samePlanes(planes, uniform(7, 5, {128, 128, 128})));
    }
}

TEST(ArtEmboss, KernelIsNotFlipped) {
    // A lone 10 in the middle of a 3 × 3: the pixel above-left of it sees it through the kernel's
    // bottom-right 2, the one below-right through the top-left −2.
    ColorPlanes planes = uniform(3, 3, {0, 0, 0});
    planes.R[1][1] = 10;
    Emboss(planes, EmbossTone::Colour);
    EXPECT_EQ(test::bytes(planes.R), (std::vector<std::uint8_t>{148, 138, 128, 138, 128, 118, 128, 118, 108}));
    EXPECT_EQ(test::bytes(planes.G), std::vector<std::uint8_t>(9, 128));
}

TEST(ArtEmboss, EdgeRepeatsAndValuesClamp) {
    // On one row the repeated edge makes every row the same, and each pixel becomes
    // 128 + 3 × (right − left), the edge repeated at both ends.
    struct Case {
        std::vector<test::Rgb> row;
        EmbossTone tone;
        std::vector<std::uint8_t> expected;
    } const cases[] = {
        {{{0, 0, 0}, {10, 0, 0}, {40, 0, 0}}, EmbossTone::Colour, {158, 248, 218}},
        // Grey: luminances 0, 3, 12 (30 × 10 / 100, 30 × 40 / 100).
        {{{0, 0, 0}, {10, 0, 0}, {40, 0, 0}}, EmbossTone::Grey, {137, 164, 155}},
        {{{255, 0, 0}, {0, 0, 0}, {0, 0, 0}}, EmbossTone::Colour, {0, 0, 128}},
        {{{0, 0, 0}, {0, 0, 0}, {255, 0, 0}}, EmbossTone::Colour, {128, 255, 255}},
        {{{77, 0, 0}}, EmbossTone::Colour, {128}},
    };
    for (const Case& c : cases) {
        ColorPlanes planes = test::picture(static_cast<int>(c.row.size()), 1, c.row);
        Emboss(planes, c.tone);
        EXPECT_EQ(test::bytes(planes.R), c.expected);
        if (c.tone == EmbossTone::Grey) {
            EXPECT_EQ(test::bytes(planes.B), c.expected);
        }
    }
}

TEST(ArtEmboss, EqualsTheBorderedReferenceOnEverySize) {
    for (EmbossTone tone : {EmbossTone::Grey, EmbossTone::Colour})
        for (const test::Size s : comparisonSizes()) {
            const ColorPlanes in = randomPicture(s.w, s.h, 7u + s.w * 13u + s.h);
            ColorPlanes planes = in;
            Emboss(planes, tone);
            ASSERT_TRUE(samePlanes(planes, EmbossReference(in, tone)))
                << sizeName(s.w, s.h) << (tone == EmbossTone::Grey ? " grey" : " colour");
        }
}

}  // namespace
}  // namespace veltrane
