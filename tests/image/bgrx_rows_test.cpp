// Packing 4-byte pixels into 3-byte ones: every width around the four-pixel step, and nothing
// written past the row.
#include <gtest/gtest.h>

#include <vector>

#include "image/bgrx_rows.h"

using namespace veltrane;

TEST(PackBgrxRow, KeepsBlueGreenRedOfEveryPixelForEachWidth) {
    for (int width : {0, 1, 3, 4, 5, 7, 8, 9, 33}) {
        std::vector<std::uint8_t> in(4 * width);
        for (int i = 0; i < 4 * width; ++i) in[i] = static_cast<std::uint8_t>(i * 7 + 1);
        std::vector<std::uint8_t> out(3 * width + 4, 0xEE);
        packBgrxRow(in.data(), out.data(), width);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) ASSERT_EQ(out[3 * x + c], in[4 * x + c]) << "width " << width << " x " << x;
        for (int i = 3 * width; i < 3 * width + 4; ++i) EXPECT_EQ(out[i], 0xEE) << "written past the row, width " << width;
    }
}
