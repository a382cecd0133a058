#include "compose/merge_images.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using Bgr = std::array<std::uint8_t, 3>;

Bitmap24 uniform(int w, int h, Bgr colour) {
    Bitmap24 bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) bitmap.row(y)[x * 3 + c] = colour[c];
    return bitmap;
}

Bgr pixelAt(const Bitmap24& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

struct RuleCase {
    const char* name;
    MergeRule rule;
    int t;
    Bgr m, s, expected;
};

class MergeRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(MergeRules, GivesTheWorkedValue) {
    const RuleCase& c = GetParam();
    Bitmap24 working = uniform(2, 2, c.m);
    MergeImages(working, uniform(2, 2, c.s), c.rule, c.t);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(pixelAt(working, x, y), c.expected) << "x=" << x << " y=" << y;
}

// Colours are written B, G, R.
INSTANTIATE_TEST_SUITE_P(
    Table, MergeRules,
    ::testing::Values(
        RuleCase{"TransparentHalf", MergeRule::Transparent, 50, {200, 200, 200}, {100, 100, 100}, {150, 150, 150}},
        RuleCase{"TransparentZeroTakesSecond", MergeRule::Transparent, 0, {200, 7, 0}, {100, 255, 33}, {100, 255, 33}},
        RuleCase{"TransparentHundredKeepsCurrent", MergeRule::Transparent, 100, {200, 7, 0}, {100, 255, 33}, {200, 7, 0}},
        // Double arithmetic in the written order: (100 − 0) × 0.29 is just below 29.
        RuleCase{"TransparentT29", MergeRule::Transparent, 29, {100, 0, 255}, {0, 100, 0}, {28, 71, 73}},
        // (0 − 100) × 0.55 + 100 is just below 45; m and s are not interchangeable.
        RuleCase{"TransparentT55", MergeRule::Transparent, 55, {0, 100, 57}, {100, 0, 57}, {44, 55, 57}},
        RuleCase{"TransparentBelowRangeTakesSecond", MergeRule::Transparent, -5, {200, 7, 0}, {100, 255, 33}, {100, 255, 33}},
        RuleCase{"TransparentAboveRangeKeepsCurrent", MergeRule::Transparent, 140, {200, 7, 0}, {100, 255, 33}, {200, 7, 0}},
        RuleCase{"Bright", MergeRule::Bright, 50, {30, 200, 10}, {100, 100, 100}, {100, 200, 100}},
        RuleCase{"Dark", MergeRule::Dark, 50, {30, 200, 10}, {100, 100, 100}, {30, 100, 10}},
        RuleCase{"AddIsAnd", MergeRule::Add, 50, {0xF0, 0xFF, 0x00}, {0x3C, 0x81, 0xFF}, {0x30, 0x81, 0x00}},
        RuleCase{"SubIsOr", MergeRule::Sub, 50, {0xF0, 0xFF, 0x00}, {0x3C, 0x81, 0x00}, {0xFC, 0xFF, 0x00}},
        RuleCase{"Xor1", MergeRule::Xor1, 50, {0xF0, 0xFF, 0x00}, {0x3C, 0xFF, 0xFF}, {0xCF, 0x00, 0xFF}},
        RuleCase{"Xor2", MergeRule::Xor2, 50, {0xF0, 0x00, 0x01}, {0x3C, 0x00, 0x00}, {0x03, 0xFF, 0xFE}}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the overlap min(W1, W2) × min(H1, H2) changes; the second picture is never written.
TEST(MergeImages, ChangesOnlyTheOverlap) {
    struct Sizes {
        int w1, h1, w2, h2;
    };
    for (const Sizes sz : {Sizes{5, 4, 2, 3}, Sizes{3, 4, 6, 2}, Sizes{4, 2, 2, 5}, Sizes{3, 3, 3, 3}, Sizes{1, 1, 9, 9}}) {
        Bitmap24 working = uniform(sz.w1, sz.h1, {0x0F, 0x33, 0xAA});
        const Bitmap24 second = uniform(sz.w2, sz.h2, {0xF0, 0x3C, 0x55});
        MergeImages(working, second, MergeRule::Sub, 50);
        for (int y = 0; y < sz.h1; ++y)
            for (int x = 0; x < sz.w1; ++x) {
                const bool inside = x < sz.w2 && y < sz.h2;
                const Bgr expected = inside ? Bgr{0xFF, 0x3F, 0xFF} : Bgr{0x0F, 0x33, 0xAA};
                ASSERT_EQ(pixelAt(working, x, y), expected)
                    << sz.w1 << "x" << sz.h1 << " with " << sz.w2 << "x" << sz.h2 << " at " << x << "," << y;
            }
        // The row padding stays cleared.
        for (int y = 0; y < sz.h1; ++y)
            for (std::size_t i = static_cast<std::size_t>(sz.w1) * 3; i < working.stride(); ++i)
                ASSERT_EQ(working.row(y)[i], 0);
        EXPECT_EQ(pixelAt(second, 0, 0), (Bgr{0xF0, 0x3C, 0x55}));
    }
}

TEST(MergeImages, EmptySecondChangesNothing) {
    Bitmap24 working = uniform(3, 2, {1, 2, 3});
    MergeImages(working, Bitmap24(), MergeRule::Xor1, 50);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(working, x, y), (Bgr{1, 2, 3}));
}

// Every (m, s, t) of the transparency rule through the whole merge: the double formula in its
// written order differs from exact integer arithmetic in exactly 2,039 triples.
TEST(MergeImages, TransparencyDiffersFromExactArithmeticIn2039Triples) {
    Bitmap24 second(256, 256);
    for (int m = 0; m < 256; ++m)
        for (int s = 0; s < 256; ++s)
            for (int c = 0; c < 3; ++c) second.row(m)[s * 3 + c] = static_cast<std::uint8_t>(s);
    int differing = 0;
    for (int t = 0; t <= 100; ++t) {
        Bitmap24 working(256, 256);
        for (int m = 0; m < 256; ++m)
            for (int s = 0; s < 256; ++s)
                for (int c = 0; c < 3; ++c) working.row(m)[s * 3 + c] = static_cast<std::uint8_t>(m);
        MergeImages(working, second, MergeRule::Transparent, t);
        for (int m = 0; m < 256; ++m)
            for (int s = 0; s < 256; ++s) {
                // m t + s (100 − t) is never negative, so integer division truncates as trunc does.
                const int exact = (m * t + s * (100 - t)) / 100;
                const int got = working.row(m)[s * 3];
                ASSERT_LE(std::abs(got - exact), 1) << "t=" << t << " m=" << m << " s=" << s;
                ASSERT_EQ(working.row(m)[s * 3 + 1], got);
                ASSERT_EQ(working.row(m)[s * 3 + 2], got);
                ASSERT_EQ(static_cast<int>(transparentByte(m, s, t)), got);
                if (got != exact) ++differing;
            }
    }
    EXPECT_EQ(differing, 2039);
}

}  // namespace
}  // namespace veltrane
