// The frame a track-bar position and a jump stand for, on short and very long videos.
#include <gtest/gtest.h>

#include "frames/frame_numbers.h"

using namespace veltrane;

TEST(FrameNumbers, ATrackPositionIsTheFrameOnceTheMaximumIsTheFrameCount) {
    struct Case {
        int position, totalFrames, maximum, n;
    };
    const Case cases[] = {
        {0, 300, 300, 0},
        {150, 300, 300, 150},
        {300, 300, 300, 300},
        // The classic bar's range before it is set up (0..10).
        {5, 300, 10, 150},
        // Beyond 46,340 frames the 32-bit product would overflow.
        {46341, 46341, 46341, 46341},
        {99999, 100000, 100000, 99999},
        {2000000000, 2000000000, 2000000000, 2000000000},
        // No frames, or no range: the position itself, no division by zero.
        {7, 0, 0, 7},
        {7, 0, 10, 7},
        {7, 300, 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.position << " of " << c.maximum << ", " << c.totalFrames << " frames");
        EXPECT_EQ(frameAtTrackPosition(c.position, c.totalFrames, c.maximum), c.n);
    }
}

TEST(FrameNumbers, AJumpShowsTheFrameAtThePointsTimeCountedAtThirtyASecond) {
    struct Case {
        int totalSeconds, point, totalFrames, m;
    };
    const Case cases[] = {
        // 30 frames a second: the point itself.
        {10, 0, 300, 0},
        {10, 150, 300, 150},
        {10, 300, 300, 300},
        // 25 frames a second: 10 s hold 250 frames; frame 100 (4 s) shows frame 120, held at 250.
        {10, 100, 250, 120},
        {10, 250, 250, 250},
        // 16-bit and 32-bit products of long clips: 30 minutes at 30 frames a second.
        {1800, 54000, 54000, 54000},
        {1800, 46341, 54000, 46341},
        // Ten hours at 60 frames a second: 36000 × 2,160,000 × 30 overflows 32 bits many times.
        {36000, 2160000, 2160000, 1080000},
        // No frames: the point.
        {0, 12, 0, 12},
        {10, 12, 0, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.totalSeconds << " s, point " << c.point << ", " << c.totalFrames);
        EXPECT_EQ(jumpFrame(c.totalSeconds, c.point, c.totalFrames), c.m);
    }
}
