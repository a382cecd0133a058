// Large pixel buffers: released ones are handed to the next request of the same size.
#include "image/pixel_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace veltrane {
namespace {

// Sizes no other test asks for, so buffers kept by other tests do not interfere.
constexpr std::size_t kOddLarge = 3 * PixelBuffer::kLargeSize + 12345;  // four huge pages
constexpr std::size_t kOtherLarge = 5 * PixelBuffer::kLargeSize + 1;    // six huge pages

TEST(PixelBuffer, ReleasedLargeBufferIsReusedBySameSizedRequest) {
    const std::uint8_t* first;
    {
        PixelBuffer a(kOddLarge, 0x5A);
        first = a.data();
    }
    // A size rounding to the same whole huge pages takes it back; its size is the new one.
    PixelBuffer b(kOddLarge - 1000);
    EXPECT_EQ(b.data(), first);
    EXPECT_EQ(b.size(), kOddLarge - 1000);
}

TEST(PixelBuffer, ReusedBufferHonoursTheFillAndCopiesStayApart) {
    { PixelBuffer a(kOddLarge, 0x11); }
    PixelBuffer filled(kOddLarge, 0xC3);
    EXPECT_TRUE(std::all_of(filled.data(), filled.data() + filled.size(), [](std::uint8_t v) { return v == 0xC3; }));

    PixelBuffer copy = filled;
    ASSERT_NE(copy.data(), filled.data());
    copy.data()[0] = 1;
    EXPECT_EQ(filled.data()[0], 0xC3);
    EXPECT_EQ(std::memcmp(copy.data() + 1, filled.data() + 1, filled.size() - 1), 0);
}

TEST(PixelBuffer, OtherSizesAndSmallBuffersAreNotHandedAKeptBuffer) {
    const std::uint8_t* kept;
    {
        PixelBuffer a(kOddLarge);
        kept = a.data();
    }
    PixelBuffer other(kOtherLarge);
    EXPECT_NE(other.data(), kept);
    PixelBuffer same(kOddLarge);
    EXPECT_EQ(same.data(), kept);
}

TEST(PixelBuffer, KeepsOnlyTheNewestReleasedBuffers) {
    std::vector<const std::uint8_t*> released;
    {
        std::vector<PixelBuffer> buffers;
        for (std::size_t i = 0; i <= PixelBuffer::kKeptBuffers; ++i) buffers.emplace_back(kOddLarge);
        for (const PixelBuffer& b : buffers) released.push_back(b.data());
        // Destroyed front to back: the first one released is the oldest and is given back.
    }
    const std::set<const std::uint8_t*> newest(released.begin() + 1, released.end());
    std::vector<PixelBuffer> again;
    for (std::size_t i = 0; i < PixelBuffer::kKeptBuffers; ++i) {
        again.emplace_back(kOddLarge);
        EXPECT_TRUE(newest.count(again.back().data())) << i;
    }
}

}  // namespace
}  // namespace veltrane
