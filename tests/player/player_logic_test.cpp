#include "player/player_logic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {
namespace {

constexpr std::int64_t kSecond = 10'000'000;

TEST(TimeText, HoursMinutesSeconds) {
    const struct {
        std::int64_t value;
        const char* text;
        int totalSeconds;
    } cases[] = {
        {0, "0:00:00", 0},
        {kSecond - 1, "0:00:00", 0},                    // whole seconds only
        {205 * kSecond, "0:03:25", 205},
        {205 * kSecond + kSecond / 2, "0:03:25", 205},
        {3723 * kSecond, "1:02:03", 3723},
        {3599 * kSecond, "0:59:59", 3599},
        {3600 * kSecond, "1:00:00", 3600},
        {35999 * kSecond, "9:59:59", 35999},
        {36000 * kSecond, "9:59:59", 35999},            // 10 hours: the text cannot grow
        {36061 * kSecond, "9:59:59", 35999},
        {INT64_MAX, "9:59:59", 35999},
        {-kSecond, "0:00:00", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(timeText(c.value), c.text) << c.value;
        EXPECT_EQ(totalSecondsOf(c.value), c.totalSeconds) << c.value;
    }
}

TEST(TotalFrames, FromTimePerFrameOrThirtyPerSecond) {
    const struct {
        std::int64_t duration;
        double secondsPerFrame;
        int frames;
    } cases[] = {
        {10 * kSecond, 0.0333333, 300},        // 300.0003
        {10 * kSecond, 0.0, 300},              // none reported: 30 per second
        {35'000'000, 0.04, 87},                // 87.5 truncated
        {35'000'000, 0.0, 105},
        {1, 0.04, 0},
        {INT64_MAX, 0.0, INT_MAX},             // kept within 32 bits
        {10 * kSecond, -1.0, 300},
    };
    for (const auto& c : cases)
        EXPECT_EQ(totalFramesOf(c.duration, c.secondsPerFrame), c.frames) << c.duration << " " << c.secondsPerFrame;
}

TEST(StatusTexts, FramesAndVideoSize) {
    EXPECT_EQ(frameCountText(300), "total:300ﾌﾚｰﾑ");
    EXPECT_EQ(videoSizeText(320, 240), "320×240");
}

TEST(Volume, SquareRootScale) {
    const struct {
        int position, volume;
    } cases[] = {
        {0, -10000}, {1, -9000}, {25, -5000}, {30, -4522}, {50, -2928}, {99, -50}, {100, 0},
        {-5, -10000}, {101, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(volumeFromPosition(c.position), c.volume) << c.position;
}

TEST(Balance, ThousandPerStep) {
    const struct {
        int position, balance;
    } cases[] = {{-10, -10000}, {-1, -1000}, {0, 0}, {3, 3000}, {10, 10000}, {11, 10000}, {-12, -10000}};
    for (const auto& c : cases) EXPECT_EQ(balanceFromPosition(c.position), c.balance) << c.position;
}

TEST(Speed, EditTextAfterEachClick) {
    const struct {
        int position;
        const char* text;
    } cases[] = {
        {11, "1.1"}, {12, "1.2"}, {9, "0.9"}, {8, "0.8"}, {7, "0.7"}, {6, "0.6"}, {5, "0.5"}, {4, "0.4"},
        {3, "0.3"},  {1, "0.1"},  {10, "1"},  {20, "2"},  {25, "2.5"}, {50, "5"},
    };
    for (const auto& c : cases) EXPECT_EQ(rateText(rateFromPosition(c.position)), c.text) << c.position;
    EXPECT_DOUBLE_EQ(rateFromPosition(0), 0.1);  // kept within 1 to 50
    EXPECT_DOUBLE_EQ(rateFromPosition(51), 5.0);
    EXPECT_EQ(rateText(1.0), "1");  // after "再生速度初期化"
}

TEST(AbRepeat, ThreeClicksWithBBeforeA) {
    AbRepeat ab;
    const std::int64_t duration = 100 * kSecond;
    AbButton button = clickAbRepeat(ab, 30 * kSecond, duration, 142);
    EXPECT_TRUE(ab.aSet);
    EXPECT_FALSE(ab.bSet);
    EXPECT_EQ(ab.pointA, 30 * kSecond);
    EXPECT_EQ(ab.markA, 42);  // 142 × 30 / 100 = 42.6
    EXPECT_EQ(ab.markB, 255);
    EXPECT_EQ(button.caption, "→B");
    EXPECT_EQ(button.hint, "AB再生をします(次に終了地点を決めて下さい。)");

    button = clickAbRepeat(ab, 10 * kSecond, duration, 142);
    EXPECT_TRUE(ab.bSet);
    EXPECT_EQ(ab.pointA, 10 * kSecond);  // exchanged: the loop runs from the earlier point
    EXPECT_EQ(ab.pointB, 30 * kSecond);
    EXPECT_EQ(ab.markA, 14);             // 14.2
    EXPECT_EQ(ab.markB, 42);
    EXPECT_EQ(button.caption, "AB");
    EXPECT_EQ(button.hint, "AB再生中(辞めるにはこのボタンを押して下さい。)");

    button = clickAbRepeat(ab, 50 * kSecond, duration, 142);
    EXPECT_FALSE(ab.aSet);
    EXPECT_FALSE(ab.bSet);
    EXPECT_EQ(ab.pointA, -1);
    EXPECT_EQ(ab.pointB, -1);
    EXPECT_EQ(ab.markA, 255);
    EXPECT_EQ(ab.markB, 255);
    EXPECT_EQ(button.caption, "A→");
    EXPECT_EQ(button.hint, "AB再生をします(まずは開始地点を決めて下さい。)");
}

TEST(AbRepeat, BAfterAKeepsTheOrderAndMarksStayOnTheBar) {
    AbRepeat ab;
    clickAbRepeat(ab, 0, 7 * kSecond, 142);
    clickAbRepeat(ab, 8 * kSecond, 7 * kSecond, 142);  // a position past the reported end
    EXPECT_EQ(ab.pointA, 0);
    EXPECT_EQ(ab.pointB, 8 * kSecond);
    EXPECT_EQ(ab.markA, 0);
    EXPECT_EQ(ab.markB, 141);
    // Ten hours in 100 ns units times the bar width needs 64 bits.
    AbRepeat longMedia;
    clickAbRepeat(longMedia, 18000 * kSecond, 36000 * kSecond, 142);
    EXPECT_EQ(longMedia.markA, 71);
}

TEST(PollPlayback, ElapsedTextEndAndLoop) {
    const std::int64_t duration = 205 * kSecond;
    const std::string total = "0:03:25";
    AbRepeat loop;
    loop.aSet = loop.bSet = true;
    loop.pointA = 10 * kSecond;
    loop.pointB = 20 * kSecond;
    AbRepeat onlyA;
    onlyA.aSet = true;
    onlyA.pointA = 10 * kSecond;
    const struct {
        std::int64_t position;
        const AbRepeat* ab;
        bool end, seekToA;
        const char* label;
    } cases[] = {
        {65 * kSecond, nullptr, false, false, "0:01:05/0:03:25"},
        {0, nullptr, false, false, "0:00:00/0:03:25"},
        {duration - 10001, nullptr, false, false, "0:03:24/0:03:25"},
        {duration - 10000, nullptr, true, false, "0:03:25/0:03:25"},   // within 1 ms of the end
        {duration, nullptr, true, false, "0:03:25/0:03:25"},
        {20 * kSecond, &loop, false, true, "0:00:20/0:03:25"},         // reached B
        {20 * kSecond - 1, &loop, false, false, "0:00:19/0:03:25"},
        {30 * kSecond, &onlyA, false, false, "0:00:30/0:03:25"},       // no loop before B is set
        {duration, &loop, true, false, "0:03:25/0:03:25"},
    };
    for (const auto& c : cases) {
        const PollResult r = pollPlayback(c.position, duration, c.ab ? *c.ab : AbRepeat{}, total);
        EXPECT_EQ(r.endReached, c.end) << c.position;
        EXPECT_EQ(r.seekToA, c.seekToA) << c.position;
        EXPECT_EQ(r.label, c.label) << c.position;
    }
    // A reported duration of 0 becomes 1: the first tick finds the end.
    EXPECT_TRUE(pollPlayback(0, usableDuration(0), AbRepeat{}, "0:00:00").endReached);
}

TEST(OpenedMediaKind, ExactExtensions) {
    const struct {
        const char* path;
        MediaKind kind;
    } cases[] = {
        {"/m/a.mp3", MediaKind::Sound},          {"/m/a.WAV", MediaKind::Sound},
        {"/m/a.aif", MediaKind::Sound},          {"/m/a.AU", MediaKind::Sound},
        {"/m/a.wma", MediaKind::SoundFixedRate}, {"/m/a.WMA", MediaKind::SoundFixedRate},
        {"/m/clip.Mp3", MediaKind::Video},       {"/m/a.avi", MediaKind::Video},
        {"/m/a.txt", MediaKind::Video},          {"/m.mp3/clip", MediaKind::Video},
    };
    for (const auto& c : cases) EXPECT_EQ(openedMediaKind(c.path), c.kind) << c.path;
}

TEST(DropAction, CountAndExtension) {
    using Paths = std::vector<std::string>;
    const struct {
        Paths paths;
        DropAction action;
    } cases[] = {
        {{}, DropAction::None},
        {{"/m/a.avi", "/m/b.avi"}, DropAction::TooManyFiles},
        {{"/m/a.avi"}, DropAction::Open},
        {{"/m/a.MPEG"}, DropAction::Open},
        {{"/m/a.au"}, DropAction::Open},
        {{"/m/a.wav"}, DropAction::Unsupported},  // not among the dropped kinds
        {{"/m/a.Avi"}, DropAction::Unsupported},
        {{"/m/a.jpg"}, DropAction::Unsupported},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dropAction(c.paths), c.action) << (c.paths.empty() ? "" : c.paths.front());
}

}  // namespace
}  // namespace veltrane
