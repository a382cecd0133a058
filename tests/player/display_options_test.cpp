// The display window's sizes, aspect heights, transparency alphas and colour presets.
#include <gtest/gtest.h>

#include "player/display_options.h"

using namespace veltrane;

namespace {

// A window at (100, 100) with 4-pixel side and bottom frames and a 24-pixel caption around a
// client area of 320 × 240.
constexpr EdgeRect kOuter{100, 100, 100 + 4 + 320 + 4, 100 + 28 + 240 + 4};
constexpr EdgeRect kInner{104, 128, 104 + 320, 128 + 240};

}  // namespace

TEST(DisplayOptionsTest, FrameMetricsCountTheCaptionWithoutTheBottomFrame) {
    const FrameMetrics m = frameMetricsOf(kOuter, kInner);
    EXPECT_EQ(m.fx, 4);
    EXPECT_EQ(m.fy, 4);
    EXPECT_EQ(m.cy, 24);
    const FrameMetrics none = frameMetricsOf({5, 6, 50, 60}, {5, 6, 50, 60});
    EXPECT_EQ(none.fx, 0);
    EXPECT_EQ(none.fy, 0);
    EXPECT_EQ(none.cy, 0);
}

TEST(DisplayOptionsTest, SizesFollowTheVideoAndCountOneFrameHeight) {
    const FrameMetrics framed{4, 4, 24};
    const FrameMetrics bare{};
    const struct {
        DisplaySize size;
        FrameMetrics frame;
        int w, h;
        OuterSize expected;
    } cases[] = {
        {DisplaySize::Full, framed, 320, 240, {328, 268}},
        {DisplaySize::Half, framed, 320, 240, {164, 134}},
        {DisplaySize::Double, framed, 320, 240, {656, 536}},
        {DisplaySize::Full, bare, 320, 240, {320, 240}},
        // Halves round down.
        {DisplaySize::Half, bare, 321, 241, {160, 120}},
        {DisplaySize::Half, FrameMetrics{3, 3, 20}, 101, 75, {53, 49}},
        {DisplaySize::Double, bare, 64, 48, {128, 96}},
    };
    for (const auto& c : cases) {
        const OuterSize got = displayOuterSize(c.size, c.frame, c.w, c.h);
        EXPECT_EQ(got.width, c.expected.width) << static_cast<int>(c.size) << " " << c.w << "×" << c.h;
        EXPECT_EQ(got.height, c.expected.height) << static_cast<int>(c.size) << " " << c.w << "×" << c.h;
    }
}

TEST(DisplayOptionsTest, AspectHeightsTruncateTheFrameAndPanelWidth) {
    EXPECT_EQ(aspectOuterHeight(AspectRatio::FourThree, {4, 4, 24}, 400), 303);   // 404 × 0.75
    EXPECT_EQ(aspectOuterHeight(AspectRatio::SixteenNine, {4, 4, 24}, 400), 227); // 227.25
    EXPECT_EQ(aspectOuterHeight(AspectRatio::FourThree, {}, 401), 300);           // 300.75
    EXPECT_EQ(aspectOuterHeight(AspectRatio::SixteenNine, {}, 401), 225);         // 225.5625
    EXPECT_EQ(aspectOuterHeight(AspectRatio::FourThree, {}, 1), 0);
}

TEST(DisplayOptionsTest, TransparencyLevelsGiveTheirAlphas) {
    const int levels[] = {20, 40, 60, 80, 100};
    const int alphas[] = {51, 102, 153, 204, 255};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(transparencyAlpha(levels[i]), alphas[i]) << levels[i];
}

TEST(DisplayOptionsTest, PresetsSetTheirColoursAndTheCommonOnes) {
    const struct {
        ColourPreset preset;
        int icon;
        PlayerColour listText, displayText, bar;
    } cases[] = {
        {ColourPreset::Red, 0, playerColour(204, 0, 0), playerColour(255, 0, 255), playerColour(241, 118, 155)},
        {ColourPreset::Yellow, 1, playerColour(204, 204, 0), playerColour(255, 255, 0), playerColour(236, 227, 123)},
        {ColourPreset::Blue, 2, playerColour(0, 0, 204), playerColour(0, 255, 255), playerColour(121, 121, 243)},
        {ColourPreset::Green, 3, playerColour(0, 204, 0), playerColour(0, 255, 0), playerColour(125, 234, 125)},
        {ColourPreset::White, 4, playerColour(0, 0, 0), playerColour(255, 255, 255), playerColour(0, 0, 0)},
    };
    for (const auto& c : cases) {
        PlayerSettings s;
        s.iconColour = 9;
        s.listBack = s.displayBack = s.bar.barRest = s.bar.gridColour = playerColour(1, 2, 3);
        s.bar.useGrid = false;
        s.bar.useMiddle = false;  // the two gradient switches stay as they were
        s.bar.useEnd = true;
        s.volumePosition = 77;
        applyColourPreset(s, c.preset);
        const int at = static_cast<int>(c.preset);
        EXPECT_EQ(s.iconColour, c.icon) << at;
        EXPECT_EQ(s.listText, c.listText) << at;
        EXPECT_EQ(s.displayText, c.displayText) << at;
        EXPECT_EQ(s.bar.barStart, c.bar) << at;
        EXPECT_EQ(s.bar.barMiddle, c.bar) << at;
        EXPECT_EQ(s.bar.barEnd, c.bar) << at;
        EXPECT_EQ(s.listBack, playerColour(255, 255, 255)) << at;
        EXPECT_EQ(s.bar.barRest, playerColour(128, 128, 128)) << at;
        EXPECT_EQ(s.bar.gridColour, playerColour(0, 0, 0)) << at;
        EXPECT_EQ(s.displayBack, playerColour(0, 0, 0)) << at;
        EXPECT_TRUE(s.bar.useGrid) << at;
        EXPECT_FALSE(s.bar.useMiddle) << at;
        EXPECT_TRUE(s.bar.useEnd) << at;
        EXPECT_EQ(s.volumePosition, 77) << at;
    }
}

TEST(DisplayOptionsTest, TheNineDialogColoursMapToTheirSettingsAndNothingElse) {
    PlayerSettings s;
    s.bar.useMiddle = false;
    s.iconColour = 3;
    DisplayColours colours{};
    for (int i = 0; i < kDisplayColourCount; ++i) colours[i] = playerColour(i + 1, 0, 0);
    applyDisplayColours(s, colours);
    EXPECT_EQ(s.displayText, playerColour(1, 0, 0));
    EXPECT_EQ(s.displayBack, playerColour(2, 0, 0));
    EXPECT_EQ(s.bar.barStart, playerColour(3, 0, 0));
    EXPECT_EQ(s.bar.barMiddle, playerColour(4, 0, 0));
    EXPECT_EQ(s.bar.barEnd, playerColour(5, 0, 0));
    EXPECT_EQ(s.bar.barRest, playerColour(6, 0, 0));
    EXPECT_EQ(s.bar.gridColour, playerColour(7, 0, 0));
    EXPECT_EQ(s.listText, playerColour(8, 0, 0));
    EXPECT_EQ(s.listBack, playerColour(9, 0, 0));
    EXPECT_FALSE(s.bar.useMiddle);
    EXPECT_EQ(s.iconColour, 3);
    EXPECT_EQ(displayColoursOf(s), colours);
}
