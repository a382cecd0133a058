// A video frame, whatever its stride and row order, becomes the working bitmap: top row first,
// rows padded with zero bytes.
#include "player/frame_bitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrane {
namespace {

// Byte i of picture row y (top row 0).
std::uint8_t pattern(int y, int i) { return static_cast<std::uint8_t>((y * 31 + i) & 0xFF); }

TEST(FrameToBitmap, RowsLandTopFirstWithZeroPaddingWhateverTheSourceLayout) {
    const struct {
        int width, height, stride;
        RowOrder order;
    } cases[] = {
        {1, 1, 3, RowOrder::TopFirst},     {1, 3, 4, RowOrder::TopFirst},  {2, 2, 6, RowOrder::TopFirst},
        {3, 2, 12, RowOrder::TopFirst},    {4, 3, 12, RowOrder::TopFirst}, {63, 4, 192, RowOrder::TopFirst},
        {63, 2, 200, RowOrder::TopFirst},  {1, 1, 3, RowOrder::BottomFirst}, {3, 2, 9, RowOrder::BottomFirst},
        {5, 3, 16, RowOrder::BottomFirst},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " stride " << c.stride
                                        << (c.order == RowOrder::TopFirst ? " top first" : " bottom first"));
        std::vector<std::uint8_t> source(static_cast<std::size_t>(c.stride) * c.height, 0xEE);
        for (int y = 0; y < c.height; ++y) {
            const int memoryRow = c.order == RowOrder::TopFirst ? y : c.height - 1 - y;
            for (int i = 0; i < 3 * c.width; ++i) source[static_cast<std::size_t>(memoryRow) * c.stride + i] = pattern(y, i);
        }
        // The last row in memory needs only its pixels: the buffer may end right after them.
        const std::size_t size = static_cast<std::size_t>(c.stride) * (c.height - 1) + 3 * c.width;
        const Bitmap24 bitmap = frameToBitmap(source.data(), size, c.width, c.height, c.stride, c.order);
        ASSERT_EQ(bitmap.width(), c.width);
        ASSERT_EQ(bitmap.height(), c.height);
        const std::size_t rowBytes = (3 * c.width + 3) / 4 * 4;
        ASSERT_EQ(bitmap.stride(), rowBytes);
        for (int y = 0; y < c.height; ++y)
            for (std::size_t i = 0; i < rowBytes; ++i) {
                const int expected = i < 3u * c.width ? pattern(y, static_cast<int>(i)) : 0;
                ASSERT_EQ(bitmap.row(y)[i], expected) << "row " << y << " byte " << i;
            }
    }
}

TEST(FrameToBitmap, AFrameItCannotReadWholeGivesAnEmptyBitmap) {
    std::vector<std::uint8_t> source(64, 1);
    const std::vector<std::uint8_t> wide(3 * 30001, 1);  // one row, a pixel wider than a picture may be
    const struct {
        const char* why;
        const std::uint8_t* data;
        std::size_t size;
        int width, height, stride;
    } cases[] = {
        {"no width", source.data(), 64, 0, 4, 12},
        {"no height", source.data(), 64, 4, 0, 12},
        {"negative height", source.data(), 64, 4, -2, 12},
        {"stride shorter than a row", source.data(), 64, 4, 2, 11},
        {"one byte short of the last row", source.data(), 23, 4, 2, 12},
        {"no buffer", nullptr, 64, 4, 2, 12},
        {"wider than a picture may be", wide.data(), wide.size(), 30001, 1, 90003},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(frameToBitmap(c.data, c.size, c.width, c.height, c.stride).empty()) << c.why;
}

TEST(FrameToBitmap, TakesTheEnginesFrameAsItIs) {
    // 2 × 2 with a stride of 8: two padding bytes per row that must not show.
    const std::vector<std::uint8_t> bytes{1, 2, 3, 4, 5, 6, 0xAA, 0xAA, 7, 8, 9, 10, 11, 12, 0xAA, 0xAA};
    VideoFrame frame;
    frame.bits = bytes.data();
    frame.size = bytes.size();
    frame.width = 2;
    frame.height = 2;
    frame.stride = 8;
    const Bitmap24 bitmap = frameToBitmap(frame);
    ASSERT_EQ(bitmap.stride(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(bitmap.data(), bitmap.data() + 16),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
    EXPECT_TRUE(frameToBitmap(VideoFrame()).empty());
}

}  // namespace
}  // namespace veltrane
