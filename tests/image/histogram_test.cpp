#include "image/histogram.h"

#include <gtest/gtest.h>

#include "support/plane_fixtures.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using test::bytes;
using test::picture;
using test::Rgb;
using test::uniform;

TEST(HistogramSizeLine, ReadsHeightThenWidthThenPixelCount) {
    struct Case {
        int w, h;
        const char* expected;
    } const cases[] = {
        {200, 100, "縦×横：100×200　ピクセル総数：20000"},
        {640, 480, "縦×横：480×640　ピクセル総数：307200"},
        {1, 1, "縦×横：1×1　ピクセル総数：1"},
        {100000, 50000, "縦×横：50000×100000　ピクセル総数：5000000000"},  // beyond 32 bits
    };
    for (const Case& c : cases) EXPECT_EQ(histogramSizeLine(c.w, c.h), c.expected) << c.w << "x" << c.h;
}

TEST(ComputeHistograms, GreyPictureGivesOneBarInEveryHistogram) {
    const Histograms counts = ComputeHistograms(uniform(7, 5, {128, 128, 128}));
    for (const auto* histogram : {&counts.red, &counts.green, &counts.blue, &counts.luminance})
        for (int v = 0; v < 256; ++v) EXPECT_EQ((*histogram)[v], v == 128 ? 35 : 0) << v;
}

TEST(ComputeHistograms, CountsEachChannelAndTheTruncatedLuminance) {
    // Luminance: red 7650 / 100 = 76, green 15045 / 100 = 150, blue 2805 / 100 = 28,
    // (0, 0, 9): 99 / 100 = 0 (not rounded up), (0, 2, 0): 118 / 100 = 1, white 255.
    const ColorPlanes planes = picture(3, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 0, 9}, {0, 2, 0}, {255, 255, 255}});
    const Histograms counts = ComputeHistograms(planes);
    auto expectOnly = [](const std::array<std::int64_t, 256>& histogram, std::vector<std::pair<int, int>> bars,
                         const char* name) {
        std::array<std::int64_t, 256> expected{};
        for (auto [value, count] : bars) expected[value] = count;
        EXPECT_EQ(histogram, expected) << name;
    };
    expectOnly(counts.red, {{255, 2}, {0, 4}}, "red");
    expectOnly(counts.green, {{255, 2}, {0, 3}, {2, 1}}, "green");
    expectOnly(counts.blue, {{255, 2}, {0, 3}, {9, 1}}, "blue");
    expectOnly(counts.luminance, {{76, 1}, {150, 1}, {28, 1}, {0, 1}, {1, 1}, {255, 1}}, "luminance");
}

TEST(ComputeHistograms, MatchesAPlainCountOnOddSizes) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 9}, std::pair{9, 1}, std::pair{5, 3}, std::pair{37, 23}}) {
        ColorPlanes planes(w, h);
        std::uint32_t state = 7u;
        std::array<std::int64_t, 256> red{}, green{}, blue{}, luminance{};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                state = state * 1664525u + 1013904223u;
                // Few distinct values, so runs of equal values are common.
                const int r = (state >> 24) & 7, g = 250 + ((state >> 16) & 3), b = (state >> 8) & 255;
                planes.R[y][x] = static_cast<std::uint8_t>(r);
                planes.G[y][x] = static_cast<std::uint8_t>(g);
                planes.B[y][x] = static_cast<std::uint8_t>(b);
                ++red[r];
                ++green[g];
                ++blue[b];
                ++luminance[(30 * r + 59 * g + 11 * b) / 100];
            }
        const Histograms counts = ComputeHistograms(planes);
        EXPECT_EQ(counts.red, red) << w << "x" << h;
        EXPECT_EQ(counts.green, green) << w << "x" << h;
        EXPECT_EQ(counts.blue, blue) << w << "x" << h;
        EXPECT_EQ(counts.luminance, luminance) << w << "x" << h;
    }
}

TEST(StretchChannels, StretchesEachChannelWithItsOwnRange) {
    // Red 50..150: 50 → 0, 100 → 50 × 255 / 100 = 127, 150 → 255, 51 → 255 / 100 = 2.
    // Green holds one value: 0 throughout. Blue 0..20: 10 → 127, 19 → 4845 / 20 = 242.
    ColorPlanes planes = picture(5, 1, {{100, 9, 10}, {50, 9, 0}, {150, 9, 20}, {51, 9, 19}, {100, 9, 0}});
    StretchChannels(planes, {});
    EXPECT_EQ(bytes(planes.R), (std::vector<std::uint8_t>{127, 0, 255, 2, 127}));
    EXPECT_EQ(bytes(planes.G), (std::vector<std::uint8_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(planes.B), (std::vector<std::uint8_t>{127, 0, 255, 242, 0}));
}

TEST(StretchChannels, SinglePixelAndSingleValueBecomeZero) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 5}}) {
        ColorPlanes planes = uniform(w, h, {255, 128, 1});
        StretchChannels(planes, {});
        const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(w) * h, 0);
        EXPECT_EQ(bytes(planes.R), zeros);
        EXPECT_EQ(bytes(planes.G), zeros);
        EXPECT_EQ(bytes(planes.B), zeros);
    }
}

TEST(StretchChannels, MinimumAndMaximumAnywhereInThePicture) {
    // The extremes sit in the last row and the last column of an odd-sized picture.
    ColorPlanes planes = uniform(3, 3, {100, 100, 100});
    planes.R[2][2] = 200;
    planes.R[2][1] = 40;
    planes.G[0][2] = 0;
    StretchChannels(planes, {});
    // Red 40..200: 100 → 60 × 255 / 160 = 95.
    EXPECT_EQ(bytes(planes.R), (std::vector<std::uint8_t>{95, 95, 95, 95, 95, 95, 95, 0, 255}));
    // Green 0..100: 100 → 255.
    EXPECT_EQ(bytes(planes.G), (std::vector<std::uint8_t>{255, 255, 0, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(bytes(planes.B), std::vector<std::uint8_t>(9, 0));
}

struct EqualizeCase {
    const char* name;
    int w, h;
    std::uint8_t value;
    std::uint8_t expected;
};

TEST(EqualizeChannels, SingleValuePictureTakesTheLevelOfItsPixelCount) {
    const EqualizeCase cases[] = {
        {"320 x 240: 76800 / 301 = 255", 320, 240, 100, 255},
        {"100 x 100: 10000 / 301 = 33", 100, 100, 7, 33},
        {"1 x 1", 1, 1, 200, 0},
        {"7 x 43 = 301 pixels: first level", 7, 43, 0, 1},
        {"3 x 100 = 300 pixels: still 0", 3, 100, 255, 0},
        {"640 x 480: 1020 held at 255", 640, 480, 9, 255},
    };
    for (const EqualizeCase& c : cases) {
        ColorPlanes planes = uniform(c.w, c.h, {c.value, c.value, c.value});
        EqualizeChannels(planes, {});
        const std::vector<std::uint8_t> expected(static_cast<std::size_t>(c.w) * c.h, c.expected);
        EXPECT_EQ(bytes(planes.R), expected) << c.name;
        EXPECT_EQ(bytes(planes.G), expected) << c.name;
        EXPECT_EQ(bytes(planes.B), expected) << c.name;
    }
}

TEST(EqualizeChannels, LevelsAboveTheTopAreHeldAt255) {
    // 640 × 480 = 307200 red values, in row-major order:
    //   0   × 300     at or below: 300    → 0
    //   1   × 1       301                 → 1
    //   2   × 76754   77055 = 301 × 256 − 1 → 255
    //   3   × 1       77056 = 301 × 256   → 256, held at 255 (its low byte would be 0)
    //   250 × 230144  307200              → 1020, held at 255 (its low byte would be 252)
    // Green is 100 and blue 0 everywhere: 307200 / 301 = 1020, held at 255.
    const int w = 640, h = 480;
    std::vector<Rgb> pixels;
    for (auto [value, count] : {std::pair{0, 300}, {1, 1}, {2, 76754}, {3, 1}, {250, 230144}})
        pixels.insert(pixels.end(), static_cast<std::size_t>(count), Rgb{static_cast<std::uint8_t>(value), 100, 0});
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(w) * h);
    ColorPlanes planes = picture(w, h, pixels);
    EqualizeChannels(planes, {});
    const std::pair<int, int> redMap[] = {{0, 0}, {1, 1}, {2, 255}, {3, 255}, {250, 255}};
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        int expected = -1;
        for (auto [from, to] : redMap)
            if (pixels[i].r == from) expected = to;
        ASSERT_EQ(planes.R.data()[i], expected) << "pixel " << i << " red " << int(pixels[i].r);
        ASSERT_EQ(planes.G.data()[i], 255) << "pixel " << i;
        ASSERT_EQ(planes.B.data()[i], 255) << "pixel " << i;
    }
}

TEST(EqualizeChannels, SmallPictureMapsByCumulativeCount) {
    // 3 × 301 = 903 pixels: a third each of 10, 20 and 30 in red → levels 1, 2, 3; green 5
    // everywhere → 903 / 301 = 3.
    const int w = 43, h = 21;
    std::vector<Rgb> pixels;
    for (int i = 0; i < w * h; ++i) pixels.push_back({static_cast<std::uint8_t>(10 + 10 * (i / 301)), 5, 5});
    ColorPlanes planes = picture(w, h, pixels);
    EqualizeChannels(planes, {});
    for (int i = 0; i < w * h; ++i) {
        ASSERT_EQ(planes.R.data()[i], 1 + i / 301) << i;
        ASSERT_EQ(planes.G.data()[i], 3) << i;
    }
}

TEST(HistogramOperations, ReportEveryRowOnceInOrder) {
    void (*const operations[])(ColorPlanes&, const RowProgress&) = {StretchChannels, EqualizeChannels};
    for (auto op : operations)
        for (auto [w, h] : {std::pair{1, 1}, std::pair{4, 7}, std::pair{9, 2}}) {
            ColorPlanes planes = uniform(w, h, {10, 20, 30});
            planes.R[0][0] = 99;
            std::vector<int> rows;
            op(planes, [&](int row) { rows.push_back(row); });
            std::vector<int> expected;
            for (int y = 0; y < h; ++y) expected.push_back(y);
            EXPECT_EQ(rows, expected) << w << "x" << h;
        }
}

}  // namespace
}  // namespace veltrane
