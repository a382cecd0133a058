// The player's scales: volume and balance against their dB rules, frames against time.
#include "player/media_units.h"

#include <gtest/gtest.h>

#include <utility>

namespace veltrane {
namespace {

TEST(MediaUnits, VolumeIsDecibelsTimesOneHundred) {
    const struct {
        int volume;
        double gain;
    } cases[] = {
        {0, 1.0},         {1000, 1.0},        {-2000, 0.1},   {-4000, 0.01},       {-600, 0.501187234},
        {-4522, 0.005482770}, {-9999, 1.0012e-5}, {-10000, 0.0},  {-30000, 0.0},
    };
    for (const auto& c : cases) EXPECT_NEAR(volumeToGain(c.volume), c.gain, c.gain * 1e-3 + 1e-12) << c.volume;
}

TEST(MediaUnits, BalanceAttenuatesTheOppositeChannel) {
    const struct {
        int balance;
        double panorama;
    } cases[] = {
        {0, 0.0},      {2000, 0.9},         {-2000, -0.9},      {600, 0.498812766}, {-600, -0.498812766},
        {10000, 0.99999}, {-10000, -0.99999}, {25000, 0.99999}, {-25000, -0.99999},
    };
    for (const auto& c : cases) EXPECT_NEAR(balanceToPanorama(c.balance), c.panorama, 1e-9) << c.balance;
}

TEST(MediaUnits, FramesAndNanosecondsRoundToTheNearest) {
    EXPECT_EQ(framesToNanoseconds(7, 10, 1), 700'000'000);
    EXPECT_EQ(framesToNanoseconds(1, 30000, 1001), 33'366'667);  // 33 366 666.67
    EXPECT_EQ(framesToNanoseconds(30, 30000, 1001), 1'001'000'000);
    EXPECT_EQ(framesToNanoseconds(5, 0, 1), 0);  // no frame rate
    EXPECT_EQ(framesToNanoseconds(-3, 25, 1), 0);
    EXPECT_EQ(nanosecondsToFrames(33'366'666, 30000, 1001), 1);
    EXPECT_EQ(nanosecondsToFrames(16'683'333, 30000, 1001), 0);  // just under half a frame
    EXPECT_EQ(nanosecondsToFrames(16'683'334, 30000, 1001), 1);
    EXPECT_EQ(nanosecondsToFrames(-5, 25, 1), 0);
    EXPECT_EQ(nanosecondsToFrames(1'000'000'000, 25, 0), 0);
    // Ten hours of 29.97 frames a second: no overflow on the way.
    EXPECT_EQ(framesToNanoseconds(1'078'921, 30000, 1001), 35'999'997'366'667);  // ...366.67
    for (const auto& [num, den] : {std::pair{25, 1}, std::pair{30000, 1001}, std::pair{24000, 1001}})
        for (std::int64_t n = 0; n < 200'000; n += 997)
            ASSERT_EQ(nanosecondsToFrames(framesToNanoseconds(n, num, den), num, den), n) << num << "/" << den;
}

TEST(MediaUnits, HundredNanosecondUnits) {
    EXPECT_EQ(unitsToNanoseconds(12'345'678), 1'234'567'800);
    EXPECT_EQ(unitsToNanoseconds(-1), 0);
    EXPECT_EQ(nanosecondsToUnits(1'234'567'899), 12'345'678);  // truncated
}

}  // namespace
}  // namespace veltrane
