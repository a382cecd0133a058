#include "scene/scene_search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace veltrane {
namespace {

constexpr std::int64_t kSecond = 10'000'000;

TEST(SceneStart, SixteenthsOfTheDurationIn64BitIntegers) {
    const struct {
        std::int64_t duration;
        int scene;
        std::int64_t start;
    } cases[] = {
        {960 * kSecond, 0, 0},
        {960 * kSecond, 1, 60 * kSecond},
        {960 * kSecond, 15, 900 * kSecond},
        {1, 15, 0},                          // the controller's stand-in for an unknown length
        {100, 3, 18},                        // 300 div 16 = 18.75 truncated
        {17, 15, 15},                        // 255 div 16
        {(INT64_C(1) << 59) + 1, 15, INT64_C(15) << 55},  // no overflow: 15 × 2^59 fits in 64 bits
    };
    for (const auto& c : cases) EXPECT_EQ(sceneStart(c.duration, c.scene), c.start) << c.duration << " " << c.scene;
}

TEST(SceneLabels, SixteenMinuteVideoReadsWholeMinutes) {
    const std::int64_t duration = 16 * 60 * kSecond;
    for (int scene = 0; scene < kSceneCount; ++scene) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "0:%.2d:00", scene);
        EXPECT_EQ(sceneTimeText(duration, scene), expected) << scene;
        EXPECT_EQ(sceneLabel(scene), "scene " + std::to_string(scene + 1));
    }
    // Page 3 shows scenes 12 to 15.
    EXPECT_EQ(sceneTimeText(duration, 12), "0:12:00");
    EXPECT_EQ(sceneTimeText(duration, 15), "0:15:00");
}

TEST(SceneLabels, WholeSecondsAsHoursMinutesSeconds) {
    const struct {
        std::int64_t duration;
        int scene;
        const char* text;
    } cases[] = {
        {16 * 750 * kSecond, 1, "0:12:30"},
        {16 * 3725 * kSecond, 1, "1:02:05"},
        {16 * kSecond - 1, 1, "0:00:00"},            // just under 1 s: truncated
        {205 * kSecond, 3, "0:00:38"},               // 3/16 of 3:25 = 38.4375 s
        {16 * 36000 * kSecond, 1, "9:59:59"},        // 10 hours: the hour digit cannot grow
        {1, 15, "0:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(sceneTimeText(c.duration, c.scene), c.text) << c.duration << " " << c.scene;
}

TEST(SceneJump, FractionOfTheDurationInDouble) {
    const std::int64_t duration = 16 * 60 * kSecond;
    // Panel 3 on page 2 is scene 11 (index 10): 10/16 of the duration.
    EXPECT_EQ(sceneJumpPosition(duration, 2 * kScenesPerPage + 3 - 1), duration * 10 / 16);
    EXPECT_EQ(sceneJumpPosition(duration, 0), 0);
    EXPECT_EQ(sceneJumpPosition(100, 3), 18);   // 18.75 truncated
    EXPECT_EQ(sceneJumpPosition(1, 15), 0);
    // Beyond 2^53 the double product is rounded before the truncation: the jump may differ from
    // the integer start, as the rule says.
    const std::int64_t huge = (INT64_C(1) << 60) + 31;
    EXPECT_EQ(sceneJumpPosition(huge, 1), INT64_C(1) << 56);
    EXPECT_EQ(sceneStart(huge, 1), (INT64_C(1) << 56) + 1);
}

TEST(ScenePages, NextAndPreviousStopAtTheEnds) {
    EXPECT_EQ(nextScenePage(0), 1);
    EXPECT_EQ(nextScenePage(2), 3);
    EXPECT_EQ(nextScenePage(3), std::nullopt);
    EXPECT_EQ(previousScenePage(0), std::nullopt);
    EXPECT_EQ(previousScenePage(1), 0);
    EXPECT_EQ(previousScenePage(3), 2);
}

TEST(ScenePages, EachPageTouchesOneButton) {
    const struct {
        int page;
        PageButton button;
        bool enabled;
    } cases[] = {
        {0, PageButton::Previous, false},
        {1, PageButton::Previous, true},
        {2, PageButton::Next, true},
        {3, PageButton::Next, false},
    };
    for (const auto& c : cases) {
        const PageButtonChange change = pageButtonChange(c.page);
        EXPECT_EQ(change.button, c.button) << c.page;
        EXPECT_EQ(change.enabled, c.enabled) << c.page;
    }
}

}  // namespace
}  // namespace veltrane
