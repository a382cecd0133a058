#include "effects/mask_fl_walk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effects/mask_effects.h"
#include "effects/mask_fixtures.h"

namespace veltrane {
namespace {

// The FL mask on one channel as its rules read: the loops with their carried-over variables,
// every read and write checked against the cropped picture.
void flReferenceChannel(Plane& channel, int height, int width) {
    const int h8 = height - height % 8, w8 = width - width % 8;
    if (h8 == 0 || w8 == 0) return;
    const std::int64_t total = std::int64_t{h8} * w8;
    std::vector<int> s;
    for (int y = 0; y < h8; ++y)
        for (int x = 0; x < w8; ++x) s.push_back(channel[y][x]);
    std::int64_t n = 0;
    const auto write = [&](int row, int column) {
        if (row >= 0 && row < h8 && column >= 0 && column < w8 && n < total)
            channel[row][column] = static_cast<std::uint8_t>(s[static_cast<std::size_t>(n)]);
        ++n;
    };
    int top = 0, left = 0, bottom = h8, right = w8;
    do {
        int i = top;
        for (; i < bottom; ++i) write(i, left);
        const int r = i - 1;
        int j = left;
        for (; j < right; ++j) write(r, j);
        i = i - 1;
        while (i > top) {
            write(i, j - 1);
            i = i - 1;
        }
        while (j > left) {
            write(i, j - 1);
            j = j - 1;
        }
        top += 8;
        left += 8;
        bottom -= 8;
        right -= 8;
    } while (bottom >= 8 || right >= 8);
}

ColorPlanes flReference(const ColorPlanes& input) {
    ColorPlanes out = input;
    for (Plane* channel : {&out.R, &out.G, &out.B}) flReferenceChannel(*channel, out.height, out.width);
    return out;
}

TEST(MaskEffectsFl, EightByEightLaysTheFirstRowsAroundTheBorder) {
    ColorPlanes planes(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            planes.R[y][x] = static_cast<std::uint8_t>(8 * y + x);
            planes.G[y][x] = static_cast<std::uint8_t>(100 + 8 * y + x);
        }
    PatternMask(planes, 2);
    // Column 0 takes row 0 (its ends rewritten), the bottom row row 1 (the corner its first
    // value), column 7 upwards the first seven of row 2, the top row leftwards the last of row 2
    // and the first seven of row 3; the inner 6 × 6 stays.
    const std::vector<std::vector<int>> expected = {
        {30, 29, 28, 27, 26, 25, 24, 23}, {1, 9, 10, 11, 12, 13, 14, 22}, {2, 17, 18, 19, 20, 21, 22, 21},
        {3, 25, 26, 27, 28, 29, 30, 20},  {4, 33, 34, 35, 36, 37, 38, 19}, {5, 41, 42, 43, 44, 45, 46, 18},
        {6, 49, 50, 51, 52, 53, 54, 17},  {8, 9, 10, 11, 12, 13, 14, 16},
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(planes.R[y][x], expected[y][x]) << "R at row " << y << ", column " << x;
            EXPECT_EQ(planes.G[y][x], 100 + expected[y][x]) << "G at row " << y << ", column " << x;
            EXPECT_EQ(planes.B[y][x], 0) << "B at row " << y << ", column " << x;
        }
}

TEST(MaskEffectsFl, ChannelUnchangedWhenTheCropIsEmpty) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{7, 100}, {100, 7}, {1, 1}, {7, 7}}) {
        const ColorPlanes original = test::randomPicture(w, h, 4u * w + h);
        ColorPlanes planes = original;
        PatternMask(planes, 2);
        test::expectSamePlanes(planes, original);
    }
}

TEST(MaskEffectsFl, EqualsTheWalkAsWrittenOnEverySize) {
    // Square, odd, and very wide or tall crops whose later walks leave the picture and read past
    // the end of the sequence.
    std::vector<std::pair<int, int>> sizes;
    for (int h = 1; h <= 41; h += 4)
        for (int w = 1; w <= 41; w += 3) sizes.emplace_back(w, h);
    for (const auto& size : std::vector<std::pair<int, int>>{
             {8, 200}, {200, 8}, {16, 1000}, {1000, 16}, {24, 49}, {49, 24}, {17, 13}, {193, 67}, {64, 64}, {63, 65}})
        sizes.push_back(size);
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const ColorPlanes original = test::randomPicture(w, h, 7u * w + h);
        ColorPlanes planes = original;
        PatternMask(planes, 2);
        test::expectSamePlanes(planes, flReference(original));
    }
}

TEST(MaskEffectsFl, RunsStayInsideTheCropAndTheSequence) {
    for (const auto& [h8, w8] : std::vector<std::pair<int, int>>{{8, 8}, {8, 30000}, {30000, 8}, {24, 800}, {64, 64}}) {
        SCOPED_TRACE(std::to_string(h8) + " x " + std::to_string(w8));
        const std::vector<FlRun> runs = FlWalkRuns(h8, w8);
        ASSERT_FALSE(runs.empty());
        for (const FlRun& run : runs) {
            ASSERT_GT(run.count, 0);
            const std::int64_t lastRow = run.row + (run.count - 1) * run.rowStep;
            const std::int64_t lastColumn = run.column + (run.count - 1) * run.columnStep;
            for (const std::int64_t row : {std::int64_t{run.row}, lastRow}) ASSERT_TRUE(row >= 0 && row < h8);
            for (const std::int64_t column : {std::int64_t{run.column}, lastColumn})
                ASSERT_TRUE(column >= 0 && column < w8);
        }
        EXPECT_LE(FlSequenceLength(runs), std::int64_t{h8} * w8);
    }
    // The 8 × 8 walk reads S[0] .. S[30].
    EXPECT_EQ(FlSequenceLength(FlWalkRuns(8, 8)), 31);
    EXPECT_TRUE(FlWalkRuns(0, 8).empty());
}

}  // namespace
}  // namespace veltrane
