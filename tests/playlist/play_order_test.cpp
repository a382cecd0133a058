#include "playlist/play_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

using Entries = std::vector<std::string>;

TEST(ApplyPlayOrder, NameAndReverseNameCompareBytes) {
    RandomGenerator random;
    // Upper case before lower case, a prefix before its extensions, bytes from 0x80 after
    // ASCII (they compare unsigned).
    const Entries start{"/m/b.avi", "/m/\xC3\xA9.avi", "/m/A.avi", "/m/a.avi", "/m/a.avi.mp3", "/m/B.avi"};
    Entries byName = start;
    applyPlayOrder(byName, PlayOrder::Name, random);
    EXPECT_EQ(byName, (Entries{"/m/A.avi", "/m/B.avi", "/m/a.avi", "/m/a.avi.mp3", "/m/b.avi", "/m/\xC3\xA9.avi"}));
    Entries reversed = start;
    applyPlayOrder(reversed, PlayOrder::ReverseName, random);
    EXPECT_EQ(reversed, (Entries{"/m/\xC3\xA9.avi", "/m/b.avi", "/m/a.avi.mp3", "/m/a.avi", "/m/B.avi", "/m/A.avi"}));
    EXPECT_EQ(random.state(), 1u);  // the sorts draw nothing
}

TEST(ApplyPlayOrder, UpperCaseSortsFirst) {
    RandomGenerator random;
    Entries entries{"b.avi", "A.avi", "a.avi"};
    applyPlayOrder(entries, PlayOrder::Name, random);
    EXPECT_EQ(entries, (Entries{"A.avi", "a.avi", "b.avi"}));
    applyPlayOrder(entries, PlayOrder::ReverseName, random);
    EXPECT_EQ(entries, (Entries{"b.avi", "a.avi", "A.avi"}));
}

// A fresh generator (state 1) yields 346, 130, 10982, 1090, 11656, ...:
// state 22695478 -> 346, then 130, and so on (state × 22695477 + 1 mod 2^32, bits 16-30).
TEST(ApplyPlayOrder, RandomExchangesEntryIWithDrawModIPlusOne) {
    RandomGenerator random;
    Entries entries{"e0", "e1", "e2", "e3", "e4"};
    applyPlayOrder(entries, PlayOrder::Random, random);
    // i=1: 346 mod 2 = 0 -> e1 e0 e2 e3 e4; i=2: 130 mod 3 = 1 -> e1 e2 e0 e3 e4;
    // i=3: 10982 mod 4 = 2 -> e1 e2 e3 e0 e4; i=4: 1090 mod 5 = 0 -> e4 e2 e3 e0 e1.
    EXPECT_EQ(entries, (Entries{"e4", "e2", "e3", "e0", "e1"}));
    EXPECT_EQ(random.next(), 11656);  // exactly count - 1 numbers were drawn
}

TEST(ApplyPlayOrder, RandomDependsOnWhatWasDrawnBefore) {
    RandomGenerator random;
    random.next();  // another feature drew 346
    Entries entries{"e0", "e1", "e2", "e3", "e4"};
    applyPlayOrder(entries, PlayOrder::Random, random);
    // i=1: 130 mod 2 = 0 -> e1 e0 e2 e3 e4; i=2: 10982 mod 3 = 2 -> unchanged;
    // i=3: 1090 mod 4 = 2 -> e1 e0 e3 e2 e4; i=4: 11656 mod 5 = 1 -> e1 e4 e3 e2 e0.
    EXPECT_EQ(entries, (Entries{"e1", "e4", "e3", "e2", "e0"}));
}

TEST(ApplyPlayOrder, RandomOnShortListsDrawsNothing) {
    for (Entries entries : {Entries{}, Entries{"only.avi"}}) {
        RandomGenerator random;
        const Entries before = entries;
        applyPlayOrder(entries, PlayOrder::Random, random);
        EXPECT_EQ(entries, before);
        EXPECT_EQ(random.state(), 1u);
    }
}

TEST(Cycles, OrderAndRepeatStepAround) {
    EXPECT_EQ(nextPlayOrder(PlayOrder::Name), PlayOrder::ReverseName);
    EXPECT_EQ(nextPlayOrder(PlayOrder::ReverseName), PlayOrder::Random);
    EXPECT_EQ(nextPlayOrder(PlayOrder::Random), PlayOrder::Name);
    EXPECT_EQ(nextRepeatMode(RepeatMode::None), RepeatMode::OneFile);
    EXPECT_EQ(nextRepeatMode(RepeatMode::OneFile), RepeatMode::AllFiles);
    EXPECT_EQ(nextRepeatMode(RepeatMode::AllFiles), RepeatMode::None);
}

TEST(RepeatModeFromValue, OnlyZeroOneTwo) {
    EXPECT_EQ(repeatModeFromValue(0), RepeatMode::None);
    EXPECT_EQ(repeatModeFromValue(1), RepeatMode::OneFile);
    EXPECT_EQ(repeatModeFromValue(2), RepeatMode::AllFiles);
    for (int bad : {3, 7, -1}) EXPECT_FALSE(repeatModeFromValue(bad).has_value()) << bad;
}

TEST(ListIndex, NextAndPrevious) {
    const struct {
        int listIndex, count;
        std::optional<int> next, previous;
    } cases[] = {
        {0, 0, std::nullopt, std::nullopt},  // empty list: nothing happens
        {3, 0, std::nullopt, std::nullopt},
        {0, 1, 0, 0},
        {0, 3, 1, 2},
        {1, 3, 2, 0},
        {2, 3, 0, 1},                        // wraps after the last, before the first
        {3, 3, 0, 2},                        // stale index beyond the list
        {9, 3, 0, 2},
        {-1, 3, 0, 2},
        {-5, 3, 0, 2},
        {2147483647, 3, 0, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nextListIndex(c.listIndex, c.count), c.next) << c.listIndex << "/" << c.count;
        EXPECT_EQ(previousListIndex(c.listIndex, c.count), c.previous) << c.listIndex << "/" << c.count;
    }
}

TEST(EndOfMedia, EachRepeatMode) {
    const struct {
        RepeatMode mode;
        int listIndex, count;
        EndAction action;
        int nextIndex;
    } cases[] = {
        {RepeatMode::None, 1, 3, EndAction::Pause, 1},
        {RepeatMode::OneFile, 1, 3, EndAction::Restart, 1},
        {RepeatMode::OneFile, 0, 0, EndAction::Restart, 0},
        {RepeatMode::AllFiles, 1, 3, EndAction::PlayEntry, 2},
        {RepeatMode::AllFiles, 2, 3, EndAction::PlayEntry, 0},  // the last entry: the first plays
        {RepeatMode::AllFiles, 0, 1, EndAction::PlayEntry, 0},
        {RepeatMode::AllFiles, 0, 0, EndAction::Pause, 0},      // empty list: as none
    };
    for (const auto& c : cases) {
        const EndOfMedia end = endOfMedia(c.mode, c.listIndex, c.count);
        EXPECT_EQ(end.action, c.action) << static_cast<int>(c.mode) << " " << c.listIndex << "/" << c.count;
        EXPECT_EQ(end.listIndex, c.nextIndex) << static_cast<int>(c.mode) << " " << c.listIndex << "/" << c.count;
    }
}

}  // namespace
}  // namespace veltrane
