#include "compose/join_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {
namespace {

// A byte every picture, column, row and channel gives a different value below 255, so a pixel
// from the wrong picture or place, or a white one where a copy belongs, shows.
std::uint8_t patternByte(int tag, int x, int y, int c) { return static_cast<std::uint8_t>(tag + 3 * x + 11 * y + c); }

Bitmap24 patterned(int w, int h, int tag) {
    Bitmap24 bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) bitmap.row(y)[x * 3 + c] = patternByte(tag, x, y, c);
    return bitmap;
}

constexpr int kCurrentTag = 1;
constexpr int kSecondTag = 120;

// Where a joined pixel must come from: picture tag and its own coordinates, or white.
struct Source {
    int tag;  // 0: white padding
    int x, y;
};

// The joined picture's layout by direction, written out independently of the code under test.
Source expectedSource(JoinDirection d, int x, int y, int w1, int h1, int w2, int h2) {
    auto from = [](int tag, int px, int py, int w, int h) {
        return (px < w && py < h) ? Source{tag, px, py} : Source{0, 0, 0};
    };
    switch (d) {
        case JoinDirection::Up:
            return y < h2 ? from(kSecondTag, x, y, w2, h2) : from(kCurrentTag, x, y - h2, w1, h1);
        case JoinDirection::Down:
            return y < h1 ? from(kCurrentTag, x, y, w1, h1) : from(kSecondTag, x, y - h1, w2, h2);
        case JoinDirection::Left:
            return x < w2 ? from(kSecondTag, x, y, w2, h2) : from(kCurrentTag, x - w2, y, w1, h1);
        case JoinDirection::Right:
            return x < w1 ? from(kCurrentTag, x, y, w1, h1) : from(kSecondTag, x - w1, y, w2, h2);
    }
    return {};
}

struct JoinCase {
    const char* name;
    JoinDirection direction;
    int w1, h1, w2, h2;
    std::int64_t width, height, secondWidth, secondHeight;
};

class JoinImagesTable : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinImagesTable, PlacesBothPicturesAndPadsWithWhite) {
    const JoinCase& c = GetParam();
    const Bitmap24 current = patterned(c.w1, c.h1, kCurrentTag);
    const Bitmap24 second = patterned(c.w2, c.h2, kSecondTag);
    const Bitmap24 currentBefore = current;

    const JoinResult result = JoinImages(current, second, c.direction);

    ASSERT_TRUE(result.fits);
    EXPECT_EQ(result.size.width, c.width);
    EXPECT_EQ(result.size.height, c.height);
    EXPECT_EQ(result.size.secondWidth, c.secondWidth);
    EXPECT_EQ(result.size.secondHeight, c.secondHeight);
    ASSERT_EQ(result.picture.width(), c.width);
    ASSERT_EQ(result.picture.height(), c.height);
    for (int y = 0; y < result.picture.height(); ++y)
        for (int x = 0; x < result.picture.width(); ++x) {
            const Source s = expectedSource(c.direction, x, y, c.w1, c.h1, c.w2, c.h2);
            for (int ch = 0; ch < 3; ++ch) {
                const int expected = s.tag == 0 ? 255 : patternByte(s.tag, s.x, s.y, ch);
                ASSERT_EQ(result.picture.row(y)[x * 3 + ch], expected) << "x=" << x << " y=" << y << " c=" << ch;
            }
        }
    // The row padding of the joined bitmap is cleared, as in every bitmap the program makes.
    const std::size_t used = static_cast<std::size_t>(c.width) * 3;
    for (int y = 0; y < result.picture.height(); ++y)
        for (std::size_t i = used; i < result.picture.stride(); ++i) ASSERT_EQ(result.picture.row(y)[i], 0);
    // The current picture is left as it was.
    ASSERT_EQ(current.stride() * current.height(), currentBefore.stride() * currentBefore.height());
    EXPECT_TRUE(std::equal(current.data(), current.data() + current.stride() * current.height(), currentBefore.data()));
}

INSTANTIATE_TEST_SUITE_P(
    Directions, JoinImagesTable,
    ::testing::Values(
        // A 100 × 50 second picture above a 200 × 80 one: 200 × 130, white strip right of it.
        JoinCase{"UpNarrowerSecond", JoinDirection::Up, 200, 80, 100, 50, 200, 130, 200, 50},
        JoinCase{"UpWiderSecond", JoinDirection::Up, 3, 2, 5, 1, 5, 3, 5, 1},
        JoinCase{"DownNarrowerSecond", JoinDirection::Down, 5, 2, 2, 3, 5, 5, 5, 3},
        JoinCase{"DownWiderSecond", JoinDirection::Down, 2, 3, 7, 2, 7, 5, 7, 2},
        // "左" with a taller second picture pads the current one at its bottom.
        JoinCase{"LeftTallerSecond", JoinDirection::Left, 3, 2, 2, 5, 5, 5, 2, 5},
        JoinCase{"LeftLowerSecond", JoinDirection::Left, 2, 4, 3, 1, 5, 4, 3, 4},
        JoinCase{"RightTallerSecond", JoinDirection::Right, 4, 1, 1, 3, 5, 3, 1, 3},
        JoinCase{"RightLowerSecond", JoinDirection::Right, 1, 3, 2, 2, 3, 3, 2, 3},
        JoinCase{"OnePixelEach", JoinDirection::Right, 1, 1, 1, 1, 2, 1, 1, 1},
        JoinCase{"SameSize", JoinDirection::Down, 3, 3, 3, 3, 3, 6, 3, 3},
        // An empty second picture (no file loaded) adds nothing and is named W1 × 0.
        JoinCase{"EmptySecondUp", JoinDirection::Up, 3, 2, 0, 0, 3, 2, 3, 0},
        JoinCase{"EmptySecondLeft", JoinDirection::Left, 3, 2, 0, 0, 3, 2, 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// The caption's example: a 640 × 200 file joined "下" a 640 × 480 picture is named 640 × 200.
TEST(JoinImages, CaptionSizeIsTheSecondPicturesPaddedSize) {
    const JoinSize size = joinSize(640, 480, 640, 200, JoinDirection::Down);
    EXPECT_EQ(size.width, 640);
    EXPECT_EQ(size.height, 680);
    EXPECT_EQ(size.secondWidth, 640);
    EXPECT_EQ(size.secondHeight, 200);
}

TEST(JoinImages, RefusesAJoinWiderThanTheDocumentHolds) {
    const Bitmap24 current = patterned(30000, 2, kCurrentTag);
    const Bitmap24 second = patterned(1, 1, kSecondTag);

    const JoinResult result = JoinImages(current, second, JoinDirection::Right);

    EXPECT_FALSE(result.fits);
    EXPECT_TRUE(result.picture.empty());
    EXPECT_EQ(result.size.width, 30001);
    EXPECT_EQ(result.size.height, 2);
    EXPECT_EQ(joinTooLargeMessage(result.size), "連結後の画像が大きすぎます（幅 30001 × 高さ 2）");
    // One pixel narrower fits.
    EXPECT_TRUE(JoinImages(patterned(29999, 2, kCurrentTag), second, JoinDirection::Right).fits);
}

TEST(JoinImages, SizesDoNotOverflowBeforeTheCheck) {
    const JoinSize across = joinSize(INT_MAX, 1, INT_MAX, 1, JoinDirection::Left);
    EXPECT_EQ(across.width, std::int64_t{INT_MAX} * 2);
    EXPECT_FALSE(isAllocatable(across.width, across.height));
    const JoinSize down = joinSize(1, INT_MAX, 1, INT_MAX, JoinDirection::Up);
    EXPECT_EQ(down.height, std::int64_t{INT_MAX} * 2);
    // Both sides within the limit, the pixel count beyond it: 20000 × 20001.
    const JoinSize big = joinSize(20000, 10000, 20000, 10001, JoinDirection::Down);
    EXPECT_EQ(big.height, 20001);
    EXPECT_FALSE(isAllocatable(big.width, big.height));
    EXPECT_EQ(joinTooLargeMessage(across), "連結後の画像が大きすぎます（幅 4294967294 × 高さ 1）");
}

}  // namespace
}  // namespace veltrane
