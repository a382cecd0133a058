#include "effects/filter_kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace veltrane {
namespace {

// The float shortcut gives the byte of the double-precision rule for every pair of sums the
// Sobel kernels can reach (each lies in −1020..1020); one row per gx, so the vector loops, their
// tails and the chunk boundaries all take part.
TEST(FilterKernels, SobelMagnitudeEqualsTheDoubleRuleForEveryReachableSum) {
    const int n = 2041;
    std::vector<std::int16_t> gx(n), gy(n);
    std::vector<std::uint8_t> out(n);
    for (int i = 0; i < n; ++i) gy[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i - 1020);
    int mismatches = 0;
    for (int x = -1020; x <= 1020; ++x) {
        std::fill(gx.begin(), gx.end(), static_cast<std::int16_t>(x));
        SobelMagnitudeRow(gx.data(), gy.data(), out.data(), n);
        for (int i = 0; i < n; ++i) {
            const int y = i - 1020;
            const double m = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
            const auto expected = static_cast<std::uint8_t>(std::min(m, 255.0));
            if (out[static_cast<std::size_t>(i)] != expected && ++mismatches <= 5)
                ADD_FAILURE() << "gx " << x << " gy " << y << ": " << int(out[static_cast<std::size_t>(i)]) << " not "
                              << int(expected);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// The median row is a network of minima and maxima, so choosing the fifth smallest of every
// 0/1 neighbourhood proves it for all values. The 512 neighbourhoods sit side by side in one
// row of pixels spaced three apart, so the vector loop and its tail both take part.
TEST(FilterKernels, MedianRowPicksTheFifthOfEveryZeroOneNeighbourhood) {
    const int width = 3 * 512;
    std::array<std::vector<std::uint8_t>, 3> rows;
    for (auto& row : rows) row.assign(static_cast<std::size_t>(width) + 2, 0);
    for (int pattern = 0; pattern < 512; ++pattern)
        for (int i = 0; i < 9; ++i)
            rows[static_cast<std::size_t>(i / 3)][static_cast<std::size_t>(3 * pattern + i % 3)] =
                (pattern >> i) & 1 ? 255 : 0;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width));
    MedianRow(rows[0].data(), rows[1].data(), rows[2].data(), out.data(), width);
    for (int pattern = 0; pattern < 512; ++pattern) {
        const int ones = __builtin_popcount(static_cast<unsigned>(pattern));
        EXPECT_EQ(out[static_cast<std::size_t>(3 * pattern)], ones >= 5 ? 255 : 0) << "pattern " << pattern;
    }
}

// The grey row gives trunc((0.3 R + 0.59 G) + 0.11 B) in double for all 2²⁴ colours; the
// vector copies must neither fuse the products nor keep more precision than a double.
TEST(FilterKernels, FloatGreyRowEqualsTheDoubleRuleForEveryColour) {
    std::vector<std::uint8_t> r(256), g(256), b(256), grey(256);
    for (int i = 0; i < 256; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    int mismatches = 0;
    for (int red = 0; red < 256; ++red)
        for (int green = 0; green < 256; ++green) {
            std::fill(r.begin(), r.end(), static_cast<std::uint8_t>(red));
            std::fill(g.begin(), g.end(), static_cast<std::uint8_t>(green));
            FloatGreyRow(r.data(), g.data(), b.data(), grey.data(), 256);
            for (int blue = 0; blue < 256; ++blue) {
                const auto expected = static_cast<std::uint8_t>((0.3 * red + 0.59 * green) + 0.11 * blue);
                if (grey[static_cast<std::size_t>(blue)] != expected && ++mismatches <= 5)
                    ADD_FAILURE() << red << "," << green << "," << blue;
            }
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(FilterKernels, FloatGreyOfMidGreyIsOneBelow) {
    const std::uint8_t grey128 = 128, grey100 = 100;
    std::uint8_t out = 0;
    FloatGreyRow(&grey128, &grey128, &grey128, &out, 1);
    EXPECT_EQ(out, 127);  // 127.99999999999999
    FloatGreyRow(&grey100, &grey100, &grey100, &out, 1);
    EXPECT_EQ(out, 100);
}

}  // namespace
}  // namespace veltrane
