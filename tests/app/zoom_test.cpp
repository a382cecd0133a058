#include "app/zoom.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace veltrane {
namespace {

TEST(Zoom, FixedLevels) {
    const struct {
        ZoomLevel level;
        int base, expected;
    } cases[] = {
        {ZoomLevel::Percent25, 101, 25},   {ZoomLevel::Percent50, 101, 50},
        {ZoomLevel::Percent66, 100, 66},   // 100 × 2 / 3, not 100 × 0.66
        {ZoomLevel::Percent66, 1, 0},      {ZoomLevel::Percent75, 101, 75},
        {ZoomLevel::Percent100, 101, 101}, {ZoomLevel::Percent150, 101, 151},
        {ZoomLevel::Percent150, 3, 4},     {ZoomLevel::Percent200, 101, 202},
        {ZoomLevel::Percent300, 101, 303}, {ZoomLevel::Percent400, 101, 404},
        // Multiplying first must not overflow a 32-bit product.
        {ZoomLevel::Percent66, INT_MAX, 1431655764}, {ZoomLevel::Percent75, INT_MAX, 1610612735},
        {ZoomLevel::Percent400, INT_MAX, INT_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zoomedSide(c.level, c.base), c.expected) << static_cast<int>(c.level) << " of " << c.base;
}

// Steps from 100 on a 100-pixel-high picture until the step is refused.
std::vector<int> stepChain(bool zoomIn) {
    std::vector<int> heights;
    int height = 100;
    while (zoomIn ? canZoomIn(100, height) : canZoomOut(100, height, height)) {
        height = stepZoomSide(height, zoomIn);
        heights.push_back(height);
        if (heights.size() > 50) break;
    }
    return heights;
}

TEST(Zoom, StepInCompoundsUntilTenTimesTheHeight) {
    EXPECT_EQ(stepChain(true), (std::vector<int>{125, 156, 195, 243, 303, 378, 472, 590, 737, 921, 1151}));
}

TEST(Zoom, StepOutCompoundsUntilATenthOfTheHeight) {
    EXPECT_EQ(stepChain(false), (std::vector<int>{75, 56, 42, 31, 23, 17, 12, 9}));
}

TEST(Zoom, LimitsAtTheirBoundaries) {
    EXPECT_TRUE(canZoomIn(100, 1000));   // exactly ten times is still allowed
    EXPECT_FALSE(canZoomIn(100, 1001));
    EXPECT_TRUE(canZoomOut(100, 10, 10));    // exactly a tenth is still allowed
    EXPECT_FALSE(canZoomOut(105, 10, 10));   // 10 < 10.5
    EXPECT_TRUE(canZoomIn(INT_MAX, INT_MAX));  // H × 10 is taken in 64 bits
}

TEST(Zoom, StepOutIsRefusedWhenASideWouldFallBelowOnePixel) {
    const struct {
        int imageHeight, width, height;
        bool allowed;
    } cases[] = {
        {300, 2, 225, true},   // 2 → 1: still a pixel wide
        {300, 1, 168, false},  // 1 → 0 on the narrow side of a 3 × 300 picture
        {300, 168, 1, false},  // 1 → 0 on the low side
        {1, 1, 1, false},      // a 1 × 1 picture at 100 %: the tenth alone would allow it
        {1, 2, 2, true},       // 2 → 1
        {300, 0, 300, false},  // a side already at 0 (a fixed level can give one) stays refused
    };
    for (const auto& c : cases)
        EXPECT_EQ(canZoomOut(c.imageHeight, c.width, c.height), c.allowed)
            << c.width << " x " << c.height << " of a picture " << c.imageHeight << " high";
}

TEST(Zoom, Captions) {
    // "×" and "→" in UTF-8.
    EXPECT_EQ(zoomCaption("photo.jpg", 640, 480, 320, 240), "photo.jpg(640\xC3\x97" "480\xE2\x86\x92Zoom:320\xC3\x97" "240)");
    EXPECT_EQ(imageCaption("photo.jpg", 640, 480), "photo.jpg(640\xC3\x97" "480)");
}

}  // namespace
}  // namespace veltrane
