// The channel orders shared by the gradation map and the colour exchange.
#include <gtest/gtest.h>

#include <string>

#include "colormap/channel_orders.h"

using namespace veltrane;

TEST(ChannelOrdersTest, EachOrderRearrangesADistinctColourAsItsNameSays) {
    struct Case {
        const char* name;
        std::array<std::uint8_t, 3> out;
    };
    const Case cases[] = {
        {"RGB⇔RGB", {10, 20, 30}}, {"RGB⇔RBG", {10, 30, 20}}, {"RGB⇔GRB", {20, 10, 30}},
        {"RGB⇔GBR", {20, 30, 10}}, {"RGB⇔BRG", {30, 10, 20}}, {"RGB⇔BGR", {30, 20, 10}},
    };
    for (int mode = 0; mode < kChannelOrderCount; ++mode) {
        EXPECT_EQ(std::string(kChannelOrders[mode].name), cases[mode].name);
        EXPECT_EQ(exchangeChannels(mode, 10, 20, 30), cases[mode].out) << cases[mode].name;
    }
    EXPECT_EQ(exchangeChannels(5, 255, 0, 0), (std::array<std::uint8_t, 3>{0, 0, 255}));
}
