// The snapshot series' frames, progress, format, quality and file names.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "frames/snapshot_series.h"

using namespace veltrane;

namespace {

std::vector<std::pair<int, int>> framesAndProgress(const SeriesPlan& plan) {
    std::vector<std::pair<int, int>> out;
    for (const SeriesFrame& f : plan.frames) out.emplace_back(f.frame, f.progress);
    return out;
}

using Steps = std::vector<std::pair<int, int>>;

}  // namespace

TEST(SnapshotSeries, PlansTheFramesBelowTheEndAndTheProgressAfterEach) {
    struct Case {
        const char* what;
        int start, end, step, maximum;
        Steps frames;
    };
    const Case cases[] = {
        {"0 to 20 step 5: not 20; the bar 4, 8, 12, 16 of 20", 0, 20, 5, 20, {{0, 4}, {5, 8}, {10, 12}, {15, 16}}},
        {"start = end: the one frame, the bar at 0 of 0", 30, 30, 5, 0, {{30, 0}}},
        {"an end before the start: the first frame only", 50, 20, 5, 0, {{50, 0}}},
        {"a span shorter than the step", 10, 13, 5, 3, {{10, 0}}},
        {"step 30", 0, 61, 30, 61, {{0, 2}, {30, 4}, {60, 6}}},
        {"not from 0", 7, 27, 10, 20, {{7, 2}, {17, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SeriesPlan plan = planSeries(c.start, c.end, c.step);
        EXPECT_EQ(plan.maximum, c.maximum);
        EXPECT_EQ(framesAndProgress(plan), c.frames);
    }
}

TEST(SnapshotSeries, TheBarHoldsAtItsMaximumWhenTheIncrementsAddUpBeyondIt) {
    // 0..100 at step 5: twenty frames, each adding 20.
    const SeriesPlan plan = planSeries(0, 100, 5);
    ASSERT_EQ(plan.frames.size(), 20u);
    EXPECT_EQ(plan.maximum, 100);
    const int expected[] = {20, 40, 60, 80, 100};
    for (std::size_t i = 0; i < plan.frames.size(); ++i) {
        EXPECT_EQ(plan.frames[i].frame, static_cast<int>(5 * i));
        EXPECT_EQ(plan.frames[i].progress, i < 5 ? expected[i] : 100) << "frame " << i;
    }
}

TEST(SnapshotSeries, FramesNearTheTopOfTheRangeDoNotWrapAround) {
    const int top = 2147483600;
    const SeriesPlan plan = planSeries(top, 2147483647, 30);
    EXPECT_EQ(framesAndProgress(plan), (Steps{{top, 1}, {top + 30, 2}}));
}

TEST(SnapshotSeries, BoxesChooseStepFormatAndQuality) {
    const int steps[] = {5, 10, 15, 20, 30};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(seriesStep(i), steps[i]);
    EXPECT_EQ(seriesStep(-1), 5);

    EXPECT_EQ(seriesFormat(-1), SnapshotFormat::Jpeg);
    EXPECT_EQ(seriesFormat(0), SnapshotFormat::Jpeg);
    EXPECT_EQ(seriesFormat(1), SnapshotFormat::Bmp);

    EXPECT_EQ(seriesQuality(-1), 50);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(seriesQuality(i), 10 * (i + 1));
    EXPECT_EQ(seriesQuality(7), 80);
}

TEST(SnapshotSeries, NamesAppendTheFrameNumberAndTheExtensionToTheMediaPath) {
    EXPECT_EQ(seriesFileName("/v/clip.avi", 150, SnapshotFormat::Jpeg), "/v/clip.avi150.jpg");
    EXPECT_EQ(seriesFileName("/v/clip.avi", 0, SnapshotFormat::Bmp), "/v/clip.avi0.bmp");
    EXPECT_EQ(seriesFileName("/v/映像.wmv", 46341, SnapshotFormat::Jpeg), "/v/映像.wmv46341.jpg");
}
