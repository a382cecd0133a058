// The colour exchange: each order with every blanking against a per-pixel reference, the
// blanking applied to output channels, the area-only preview pass and the row reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colormap/channel_orders.h"
#include "colormap/color_exchange.h"
#include "support/plane_fixtures.h"

using namespace veltrane;
using test::Rgb;

namespace {

// Every pixel its own colour; 37 columns leave a tail after any vector width.
ColorPlanes distinctPicture(int w, int h) {
    std::vector<Rgb> pixels;
    for (int i = 0; i < w * h; ++i)
        pixels.push_back({static_cast<std::uint8_t>(7 * i + 1), static_cast<std::uint8_t>(255 - 3 * i),
                          static_cast<std::uint8_t>(11 * i + 128)});
    return test::picture(w, h, pixels);
}

// The rule pixel by pixel: the order's channels, then each output channel times its flag.
ColorPlanes reference(const ColorPlanes& in, int mode, ChannelKeep keep) {
    ColorPlanes out = in;
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            const auto c = exchangeChannels(mode, in.R[y][x], in.G[y][x], in.B[y][x]);
            out.R[y][x] = static_cast<std::uint8_t>(c[0] * keep.red);
            out.G[y][x] = static_cast<std::uint8_t>(c[1] * keep.green);
            out.B[y][x] = static_cast<std::uint8_t>(c[2] * keep.blue);
        }
    return out;
}

std::string describe(int mode, ChannelKeep keep) {
    return std::string(kChannelOrders[mode].name) + " keep " + std::to_string(keep.red) + std::to_string(keep.green) +
           std::to_string(keep.blue);
}

}  // namespace

TEST(ColorExchangeTest, EveryOrderWithEveryBlankingMatchesThePixelRule) {
    const std::pair<int, int> sizes[] = {{1, 1}, {37, 3}, {1, 5}};
    for (const auto& [w, h] : sizes)
        for (int mode = 0; mode < kChannelOrderCount; ++mode)
            for (int flags = 0; flags < 8; ++flags) {
                const ChannelKeep keep{(flags & 4) != 0, (flags & 2) != 0, (flags & 1) != 0};
                const ColorPlanes in = distinctPicture(w, h);
                ColorPlanes planes = in;
                exchangeColours(planes, mode, keep);
                test::expectSamePlanes(planes, reference(in, mode, keep),
                                       describe(mode, keep) + " on " + std::to_string(w) + "x" + std::to_string(h));
            }
}

TEST(ColorExchangeTest, TheWindowsWorkedCases) {
    struct Case {
        const char* what;
        Rgb in;
        int mode;
        ChannelKeep keep;
        Rgb out;
    };
    const Case cases[] = {
        {"BGR turns red blue", {255, 0, 0}, 5, {}, {0, 0, 255}},
        {"GBR", {10, 20, 30}, 3, {}, {20, 30, 10}},
        {"BRG", {10, 20, 30}, 4, {}, {30, 10, 20}},
        // The output red holds the input blue, and it is the output that is blanked.
        {"BGR with red blanked", {10, 20, 30}, 5, {false, true, true}, {0, 20, 10}},
        {"green blanked alone", {10, 20, 30}, 0, {true, false, true}, {10, 0, 30}},
        {"blue blanked after RBG", {10, 20, 30}, 1, {true, true, false}, {10, 30, 0}},
    };
    for (const Case& c : cases) {
        ColorPlanes planes = test::uniform(3, 2, c.in);
        exchangeColours(planes, c.mode, c.keep);
        test::expectSamePlanes(planes, test::uniform(3, 2, c.out), c.what);
    }
}

TEST(ColorExchangeTest, ThePreviewPassChangesOnlyTheArea) {
    const ColorPlanes in = distinctPicture(5, 4);
    ColorPlanes planes = in;
    const PictureArea area{1, 3, 2, 4};  // rows 1..2, columns 2..3
    exchangeColours(planes, area, 4, {true, false, true});
    const ColorPlanes exchanged = reference(in, 4, {true, false, true});
    ColorPlanes expected = in;
    for (int y = area.rowBegin; y < area.rowEnd; ++y)
        for (int x = area.colBegin; x < area.colEnd; ++x) {
            expected.R[y][x] = exchanged.R[y][x];
            expected.G[y][x] = exchanged.G[y][x];
            expected.B[y][x] = exchanged.B[y][x];
        }
    test::expectSamePlanes(planes, expected);
}

TEST(ColorExchangeTest, TheFinalPassReportsEachRowOnceItIsDone) {
    ColorPlanes planes = distinctPicture(4, 3);
    const ColorPlanes expected = reference(planes, 2, {});
    std::vector<int> rows;
    exchangeColours(planes, 2, {}, [&](int row) {
        rows.push_back(row);
        EXPECT_EQ(planes.R[row][3], expected.R[row][3]) << "row " << row << " is final when reported";
    });
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2}));
}
