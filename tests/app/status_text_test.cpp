#include "app/status_text.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(StatusText, PositionAndColourPanelsEndWithASpace) {
    EXPECT_EQ(positionPanelText(12, 40), "(x, y)=(12, 40) ");
    EXPECT_EQ(positionPanelText(-3, 0), "(x, y)=(-3, 0) ");
    EXPECT_EQ(colorPanelText(1, 2, 3), "(R, G, B)=(1, 2, 3) ");
    EXPECT_EQ(colorPanelText(255, 0, 128), "(R, G, B)=(255, 0, 128) ");
}

TEST(StatusText, HsiPanel) {
    const struct {
        int r, g, b;
        const char* expected;
    } cases[] = {
        {255, 0, 0, "(H, S, I)=(6.283, 1.000, 1.000)"},
        {128, 128, 128, "(H, S, I)=(0.000, 0.000, 0.502)"},
        {255, 255, 255, "(H, S, I)=(0.000, 0.000, 1.000)"},  // what a point outside the picture reads as
        {0, 0, 255, "(H, S, I)=(4.189, 1.000, 1.000)"},
    };
    for (const auto& c : cases) EXPECT_EQ(hsiPanelText(c.r, c.g, c.b), c.expected);
}

}  // namespace
}  // namespace veltrane
