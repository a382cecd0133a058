#include "pcnn/pcnn_progress.h"
#include "pcnn/pcnn_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

TEST(PcnnSettings, ChangeButtonsGiveBetaAndThresholdStep) {
    struct Case {
        PcnnChange change;
        double beta, step;
    };
    for (const Case& c : std::vector<Case>{{PcnnChange::Large, 0.5, 1.5},
                                           {PcnnChange::Medium, 0.3, 2.0},
                                           {PcnnChange::Small, 0.2, 2.5}}) {
        const PcnnStrength s = pcnnStrength(c.change);
        EXPECT_EQ(s.beta, c.beta);
        EXPECT_EQ(s.thresholdStep, c.step);
    }
}

TEST(PcnnSettings, ComboIndexesOutsideTheItemsReadAsNoSelection) {
    struct Case {
        int index, passes, pair;
    };
    for (const Case& c : std::vector<Case>{
             {-1, 20, 0}, {0, 10, 0}, {1, 15, 1}, {2, 20, 2}, {4, 30, 4}, {5, 20, 5}, {6, 20, 6}, {7, 20, 0}, {1000, 20, 0}}) {
        EXPECT_EQ(pcnnPassesForIndex(c.index), c.passes) << c.index;
        EXPECT_EQ(pcnnColourPairForIndex(c.index), c.pair) << c.index;
    }
    EXPECT_EQ(pcnnPassesForIndex(kPcnnDefaultPassIndex), 20);
}

TEST(PcnnSettings, ColourPairTableEnds) {
    EXPECT_STREQ(kPcnnColourPairs[0].item, "白⇔黒");
    EXPECT_STREQ(kPcnnColourPairs[6].item, "黄⇔緑");
    const PcnnColourPair& yellowGreen = kPcnnColourPairs[6];
    EXPECT_EQ(std::vector<int>({yellowGreen.fired.r, yellowGreen.fired.g, yellowGreen.fired.b}),
              std::vector<int>({255, 255, 0}));
    EXPECT_EQ(std::vector<int>({yellowGreen.notFired.r, yellowGreen.notFired.g, yellowGreen.notFired.b}),
              std::vector<int>({0, 255, 0}));
}

TEST(PcnnProgress, TenPassesTruncateTowardZero) {
    std::vector<int> shown;
    for (int k = 0; k < 10; ++k) shown.push_back(pcnnProgress(k, 10));
    EXPECT_EQ(shown, std::vector<int>({0, 11, 22, 33, 44, 55, 66, 77, 88, 100}));
    EXPECT_EQ(pcnnProgress(1, 20), 5);  // 100 / 19 = 5.26…
    EXPECT_EQ(pcnnProgress(18, 20), 94);
    EXPECT_EQ(pcnnProgress(19, 20), 100);
    EXPECT_EQ(pcnnProgress(0, 1), 100);
}

TEST(PcnnProgress, LabelCountsPassesDone) {
    EXPECT_EQ(pcnnPassLabel(3, 20), "処理回数3/20");
    EXPECT_EQ(pcnnPassLabel(20, 20), "処理回数20/20");
    EXPECT_EQ(pcnnPassLabel(1, 10), "処理回数1/10");
}

}  // namespace
}  // namespace veltrane
