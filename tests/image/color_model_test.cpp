#include "image/color_model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace veltrane {
namespace {

std::string hsiText(int r, int g, int b) {
    double h, s, i;
    RgbToHsi(r, g, b, h, s, i);
    return formatHsi(h, s, i);
}

struct RgbCase {
    int r, g, b;
    const char* expected;
};

TEST(RgbToHsi, ReadsAsTheStatusBarShowsIt) {
    const RgbCase cases[] = {
        {255, 0, 0, "6.283, 1.000, 1.000"},  // a hue of exactly 0 becomes a full turn
        {0, 255, 0, "2.094, 1.000, 1.000"},
        {0, 0, 255, "4.189, 1.000, 1.000"},
        {255, 255, 0, "1.047, 1.000, 1.000"},
        {0, 255, 255, "3.142, 1.000, 1.000"},
        {255, 0, 255, "5.236, 1.000, 1.000"},
        {128, 128, 128, "0.000, 0.000, 0.502"},
        {0, 0, 0, "0.000, 0.000, 0.000"},
        {255, 255, 255, "0.000, 0.000, 1.000"},
        {10, 20, 30, "3.665, 0.667, 0.118"},  // (4 + 0.5 − 1) × 1.0471666…
        {255, 100, 255, "5.236, 0.608, 1.000"},  // two equal maxima
        {200, 50, 100, "5.934, 0.750, 0.784"},   // red largest, blue above green
    };
    for (const RgbCase& c : cases)
        EXPECT_EQ(hsiText(c.r, c.g, c.b), c.expected) << c.r << ", " << c.g << ", " << c.b;
}

TEST(RgbToHsi, GreysHaveZeroHueAndSaturationExactly) {
    for (int v : {0, 1, 77, 254, 255}) {
        double h = -1, s = -1, i = -1;
        RgbToHsi(v, v, v, h, s, i);
        EXPECT_EQ(h, 0.0) << v;
        EXPECT_EQ(s, 0.0) << v;
        EXPECT_EQ(i, v / 255.0) << v;
    }
}

TEST(RgbToHsi, PureRedIsExactlyOneTurn) {
    double h, s, i;
    RgbToHsi(255, 0, 0, h, s, i);
    EXPECT_EQ(h, 6.283);
}

struct Bytes {
    int r, g, b;
};

Bytes truncated(double r, double g, double b) {
    return {static_cast<int>(r), static_cast<int>(g), static_cast<int>(b)};
}

TEST(RgbBytesToHsi, MatchesRgbToHsiBitForBitOnEveryColour) {
    // All 16.7 million colours; bit patterns are compared, so even the sign of a zero counts.
    const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                double h, s, i;
                RgbToHsi(r, g, b, h, s, i);
                const HsiColor fast =
                    RgbBytesToHsi(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
                if (bits(fast.H) != bits(h) || bits(fast.S) != bits(s) || bits(fast.I) != bits(i)) {
                    FAIL() << r << "," << g << "," << b << ": " << fast.H << " " << fast.S << " " << fast.I
                           << " instead of " << h << " " << s << " " << i;
                }
            }
}

TEST(HsiToRgb, RoundTripsOfTheWorkedColours) {
    const struct {
        Bytes in, out;
    } cases[] = {
        {{0, 255, 0}, {0, 255, 24}},  // sector 2: the fraction is H − 2 in radians
        {{0, 0, 255}, {48, 0, 255}},  // sector 4
        {{128, 128, 128}, {128, 128, 128}},
        {{0, 0, 0}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        double h, s, i;
        RgbToHsi(c.in.r, c.in.g, c.in.b, h, s, i);
        double r = -1, g = -1, b = -1;
        ASSERT_TRUE(HsiToRgb(h, s, i, r, g, b)) << c.in.r << ", " << c.in.g << ", " << c.in.b;
        const Bytes got = truncated(r, g, b);
        EXPECT_EQ(got.r, c.out.r);
        EXPECT_EQ(got.g, c.out.g);
        EXPECT_EQ(got.b, c.out.b);
    }
}

TEST(HsiToRgb, EachSectorAndTheClamps) {
    const struct {
        double h;
        Bytes out;
    } cases[] = {
        {0.5, {255, 127, 0}},    // sector 0: t = 0.5
        {1.5, {127, 255, 0}},    // sector 1: q = 0.5
        {2.5, {0, 255, 127}},    // sector 2
        {3.5, {0, 127, 255}},    // sector 3
        {4.5, {127, 0, 255}},    // sector 4
        {5.5, {255, 0, 127}},    // sector 5
        {1.04, {255, 255, 0}},   // t = 1.04 clamped to 1
        {2.05, {0, 255, 0}},     // q = −0.05 clamped to 0
        {6.3, {255, 255, 0}},    // at or above 6.293: sector 0 with a fraction of 6.3
        {100.0, {255, 255, 0}},  // far above the turn is sector 0 too
        {-1.0, {255, 0, 182}},   // brought up to 5.283: sector 5, q = 1 − 0.283
    };
    for (const auto& c : cases) {
        double r = -1, g = -1, b = -1;
        ASSERT_TRUE(HsiToRgb(c.h, 1, 1, r, g, b)) << c.h;
        const Bytes got = truncated(r, g, b);
        EXPECT_EQ(got.r, c.out.r) << c.h;
        EXPECT_EQ(got.g, c.out.g) << c.h;
        EXPECT_EQ(got.b, c.out.b) << c.h;
    }
}

TEST(HsiToRgb, NegativeHueIsComputedOneTurnUp) {
    double r1, g1, b1, r2, g2, b2;
    ASSERT_TRUE(HsiToRgb(-1.0, 0.6, 0.8, r1, g1, b1));
    ASSERT_TRUE(HsiToRgb(-1.0 + 6.283, 0.6, 0.8, r2, g2, b2));
    EXPECT_EQ(r1, r2);
    EXPECT_EQ(g1, g2);
    EXPECT_EQ(b1, b2);
}

TEST(HsiToRgb, NoColourLeavesTheOutputsUntouched) {
    double redHue, s, i;
    RgbToHsi(255, 0, 0, redHue, s, i);
    const double hues[] = {redHue, 6.283, 6.29, 6.2929, -10.0, -1e300,
                           std::numeric_limits<double>::quiet_NaN()};
    for (double h : hues) {
        double r = 11, g = 22, b = 33;
        EXPECT_FALSE(HsiToRgb(h, 1, 1, r, g, b)) << h;
        EXPECT_EQ(r, 11) << h;
        EXPECT_EQ(g, 22) << h;
        EXPECT_EQ(b, 33) << h;
    }
}

TEST(HsiToRgb, ZeroSaturationIsGreyForAnyHue) {
    for (double h : {0.0, 6.283, 6.29, -10.0, 1e300}) {
        double r = -1, g = -1, b = -1;
        ASSERT_TRUE(HsiToRgb(h, 0, 0.5, r, g, b)) << h;
        EXPECT_EQ(r, 127.5);
        EXPECT_EQ(g, 127.5);
        EXPECT_EQ(b, 127.5);
    }
}

TEST(FormatHsi, ThreeDecimalsRoundedLikePrintf) {
    EXPECT_EQ(formatHsi(0, 0, 0), "0.000, 0.000, 0.000");
    EXPECT_EQ(formatHsi(1.0005, 0.12345, 2.0), "1.000, 0.123, 2.000");  // 1.0005 is below the tie
    EXPECT_EQ(formatHsi(0.0015, 0.9996, 12.25), "0.002, 1.000, 12.250");
}

}  // namespace
}  // namespace veltrane

namespace veltrane {
namespace {

// Worked values: grey 128 lands just below 128 in double, so its truncation is 127.
TEST(FloatLuminance, SumsLeftToRightInDouble) {
    EXPECT_EQ(FloatLuminance(128, 128, 128), 127.99999999999999);
    EXPECT_EQ(static_cast<int>(FloatLuminance(128, 128, 128)), 127);
    EXPECT_EQ(static_cast<int>(FloatLuminance(255, 255, 255)), 255);
    EXPECT_EQ(FloatLuminance(100, 0, 0), 30.0);
    EXPECT_EQ(static_cast<int>(FloatLuminance(0, 0, 0)), 0);
}

}  // namespace
}  // namespace veltrane
