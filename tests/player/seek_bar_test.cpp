#include "player/seek_bar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace veltrane {
namespace {

constexpr std::int64_t kSecond = 10'000'000;

TEST(PlayerColour, LowestEightBitsOfEachChannel) {
    EXPECT_EQ(playerColour(121, 121, 243), 0x00F37979u);
    EXPECT_EQ(playerColour(300, -1, 256), 0x0000FF2Cu);  // 300 -> 44, -1 -> 255, 256 -> 0
    EXPECT_EQ(redOf(0x00332211u), 0x11);
    EXPECT_EQ(greenOf(0x00332211u), 0x22);
    EXPECT_EQ(blueOf(0x00332211u), 0x33);
}

// The inner rows of a 26 × 4 bar as one letter per column: K black frame, P played (plain
// start colour), R rest, T tinted rest, G grid. Rows 0 and 3 are all frame.
TEST(DrawSeekBar, WhichRuleEveryPixelFollows) {
    SeekBarStyle style;
    style.barStart = playerColour(10, 20, 30);
    style.useMiddle = style.useEnd = false;
    style.barRest = playerColour(40, 50, 60);
    style.gridColour = playerColour(1, 2, 3);
    const PlayerColour tint = playerColour(196, 221, 245);  // r < 64: trunc(c × 2.422 + 100)

    const struct {
        const char* name;
        double fraction;
        int markA, markB;
        bool grid;
        std::string row;
    } cases[] = {
        {"start", 0.0, 255, 255, true, "KRRRRRRRRGGGGRRRRRRRRGGGGK"},
        {"end", 1.0, 255, 255, false, "KPPPPPPPPPPPPPPPPPPPPPPPPK"},
        {"past the end", 2.0, 255, 255, false, "KPPPPPPPPPPPPPPPPPPPPPPPPK"},
        {"before the start", -0.5, 255, 255, false, "KRRRRRRRRRRRRRRRRRRRRRRRRK"},
        {"p = 7.8", 0.3, 255, 255, false, "KPPPPPPPRRRRRRRRRRRRRRRRRK"},
        {"p = 13 exactly", 0.5, 255, 255, false, "KPPPPPPPPPPPPRRRRRRRRRRRRK"},
        {"range right of the position", 0.3, 5, 15, false, "KPPPPPPPTTTTTTTTRRRRRRRRRK"},
        {"range under the grid", 0.3, 5, 15, true, "KPPPPPPPTGGGGTTTRRRRRGGGGK"},
        {"only A set: tinted to the end", 0.0, 18, 255, false, "KRRRRRRRRRRRRRRRRRTTTTTTTK"},
        {"one-column range", 0.0, 3, 3, false, "KRRTRRRRRRRRRRRRRRRRRRRRRK"},
        {"marks the wrong way round", 0.0, 15, 5, false, "KRRRRRRRRRRRRRRRRRRRRRRRRK"},
    };
    for (const auto& c : cases) {
        style.useGrid = c.grid;
        const SeekBarImage bar = drawSeekBar(26, 4, c.fraction, style, c.markA, c.markB);
        ASSERT_EQ(bar.width, 26);
        ASSERT_EQ(bar.height, 4);
        ASSERT_EQ(bar.bgr.size(), 26u * 4 * 3);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 26; ++x) {
                const char rule = (y == 0 || y == 3) ? 'K' : c.row[static_cast<std::size_t>(x)];
                const PlayerColour expected = rule == 'K'   ? playerColour(0, 0, 0)
                                              : rule == 'P' ? style.barStart
                                              : rule == 'R' ? style.barRest
                                              : rule == 'T' ? tint
                                                            : style.gridColour;
                EXPECT_EQ(bar.pixel(x, y), expected) << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(DrawSeekBar, GradientThroughTheMiddle) {
    SeekBarStyle style;
    style.useGrid = false;
    style.barStart = playerColour(0, 0, 0);
    style.barMiddle = playerColour(100, 200, 50);
    style.barEnd = playerColour(255, 0, 255);
    const SeekBarImage bar = drawSeekBar(142, 3, 1.0, style, 255, 255);
    // half = 71. Left: trunc(diff × x / 71 + start); right: trunc(diff × (x − 71) / 71 + middle).
    EXPECT_EQ(bar.pixel(1, 1), playerColour(1, 2, 0));        // 1.41, 2.82, 0.70
    EXPECT_EQ(bar.pixel(70, 1), playerColour(98, 197, 49));   // 98.59, 197.18, 49.30
    EXPECT_EQ(bar.pixel(71, 1), playerColour(100, 200, 50));
    // green: −200 × 69 / 71 + 200 = 5.63 -> 5 (an integer division would give 6)
    EXPECT_EQ(bar.pixel(140, 1), playerColour(250, 5, 249));
}

TEST(DrawSeekBar, GradientToTheEndAndPlainStart) {
    SeekBarStyle style;
    style.useGrid = false;
    style.barStart = playerColour(200, 0, 0);
    style.barMiddle = playerColour(7, 7, 7);
    style.barEnd = playerColour(0, 71, 255);
    const struct {
        bool useMiddle, useEnd;
        int x;
        PlayerColour expected;
    } cases[] = {
        // trunc(diff × x / 142 + start): red −200 × 1 / 142 + 200 = 198.59
        {false, true, 1, playerColour(198, 0, 1)},
        {false, true, 100, playerColour(59, 50, 179)},
        {false, true, 140, playerColour(2, 70, 251)},
        // the middle colour counts only together with the end colour
        {true, false, 1, playerColour(200, 0, 0)},
        {true, false, 140, playerColour(200, 0, 0)},
        {false, false, 70, playerColour(200, 0, 0)},
    };
    for (const auto& c : cases) {
        style.useMiddle = c.useMiddle;
        style.useEnd = c.useEnd;
        EXPECT_EQ(drawSeekBar(142, 3, 1.0, style, 255, 255).pixel(c.x, 1), c.expected)
            << c.useMiddle << c.useEnd << " x=" << c.x;
    }
}

TEST(DrawSeekBar, OddWidthGradient) {
    SeekBarStyle style;
    style.useGrid = false;
    style.barStart = playerColour(0, 0, 0);
    style.barMiddle = playerColour(90, 90, 90);
    style.barEnd = playerColour(0, 0, 0);
    const SeekBarImage bar = drawSeekBar(7, 3, 1.0, style, 255, 255);  // half = 3
    const int expected[] = {0, 30, 60, 90, 60, 30, 0};                 // columns 0 and 6 are frame
    for (int x = 0; x < 7; ++x) EXPECT_EQ(bar.pixel(x, 1), playerColour(expected[x], expected[x], expected[x])) << x;
}

TEST(DrawSeekBar, DefaultColoursAndFrameOverGrid) {
    SeekBarStyle style;  // the defaults of the settings
    style.gridColour = playerColour(9, 9, 9);
    const SeekBarImage bar = drawSeekBar(kSeekBarWidth, kSeekBarHeight, 0.5, style, 255, 255);
    const PlayerColour played = playerColour(121, 121, 243), grey = playerColour(128, 128, 128),
                       grid = playerColour(9, 9, 9), black = 0;
    const struct {
        int x, y;
        PlayerColour expected;
    } cases[] = {
        {1, 1, played},  {68, 6, played}, {69, 6, grid},  {71, 6, grid},   {72, 11, grid}, {73, 6, grey},  {140, 6, grey},
        {132, 6, grid},  {141, 6, black}, {0, 6, black},   {70, 0, black}, {70, 12, black}, {9, 0, black},
    };
    for (const auto& c : cases) EXPECT_EQ(bar.pixel(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(DrawSeekBar, BytesAreBlueGreenRedAndTinySizesAreAllFrame) {
    SeekBarStyle style;
    style.barStart = playerColour(10, 20, 30);
    style.useMiddle = style.useEnd = style.useGrid = false;
    const SeekBarImage three = drawSeekBar(3, 3, 1.0, style, 255, 255);
    ASSERT_EQ(three.bgr.size(), 27u);
    for (std::size_t i = 0; i < three.bgr.size(); ++i) {
        const std::uint8_t expected = i == 12 ? 30 : i == 13 ? 20 : i == 14 ? 10 : 0;
        EXPECT_EQ(three.bgr[i], expected) << i;
    }
    for (int side : {1, 2}) {
        const SeekBarImage tiny = drawSeekBar(side, side, 1.0, style, 0, 255);
        ASSERT_EQ(tiny.bgr.size(), static_cast<std::size_t>(side * side * 3));
        for (std::uint8_t byte : tiny.bgr) EXPECT_EQ(byte, 0) << side;
    }
    EXPECT_TRUE(drawSeekBar(0, 13, 1.0, style, 255, 255).bgr.empty());
}

TEST(TintedRestColour, SlopeAndOffsetByRed) {
    const struct {
        int r, g, b;
        int er, eg, eb;
    } cases[] = {
        {0, 0, 0, 100, 100, 100},       // r < 64: 2.422, 100
        {63, 255, 0, 252, 205, 100},    // 717.61 -> 717, stored as 205
        {64, 0, 100, 254, 154, 167},    // 64 ≤ r < 128: −2.422, 410
        {128, 128, 128, 100, 100, 100}, // 128 ≤ r < 192: 2.422, −210
        {128, 10, 0, 100, 71, 46},      // −185.78 -> −185 (toward zero), stored as 71; −210 as 46
        {191, 0, 0, 252, 46, 46},
        {192, 0, 0, 251, 205, 205},     // r ≥ 192: −2.422, 717
        {255, 0, 0, 99, 205, 205},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tintedRestColour(playerColour(c.r, c.g, c.b)), playerColour(c.er, c.eg, c.eb))
            << c.r << "," << c.g << "," << c.b;
}

TEST(SeekBarClick, FractionAndPosition) {
    EXPECT_DOUBLE_EQ(seekBarFraction(71, 142), 0.5);
    EXPECT_DOUBLE_EQ(seekBarFraction(0, 142), 0.0);
    EXPECT_DOUBLE_EQ(seekBarFraction(-3, 142), 0.0);
    EXPECT_DOUBLE_EQ(seekBarFraction(150, 142), 1.0);
    EXPECT_DOUBLE_EQ(seekBarFraction(5, 0), 0.0);

    const std::int64_t duration = 205 * kSecond;
    EXPECT_EQ(seekPosition(duration, 0.5), 1'025'000'000);
    EXPECT_EQ(seekPosition(duration, seekBarFraction(1, 142)), 14'436'619);  // 14436619.7
    EXPECT_EQ(seekPosition(10, 1.0 / 3.0), 3);
    EXPECT_EQ(seekPosition(duration, 1.0), duration);
    EXPECT_EQ(seekPosition(INT64_MAX, 1.0), INT64_MAX);
    EXPECT_EQ(seekPosition(duration, -0.1), 0);
    EXPECT_EQ(seekPosition(duration, std::nan("")), 0);
}

TEST(SeekBarMark, ColumnOfAPositionKeptOnTheBar) {
    const std::int64_t d = 100 * kSecond;
    const struct {
        std::int64_t position, duration;
        int mark;
    } cases[] = {
        {30 * kSecond, d, 42}, {d / 2, d, 71}, {0, d, 0}, {-5, d, 0}, {d, d, 141}, {2 * d, d, 141},
        {5, 0, 0},             {INT64_MAX - 1, INT64_MAX, 141},
    };
    for (const auto& c : cases) EXPECT_EQ(seekBarMark(c.position, c.duration, 142), c.mark) << c.position;
}

}  // namespace
}  // namespace veltrane
