#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace veltrane {

// gtest prints a rectangle that differs through this.
void PrintTo(const WindowRect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}

namespace {

constexpr int kToolBar = 25;
// An 800 × 600 screen with nothing reserved.
constexpr PictureWindowDesktop kScreen{600, 800, {0, 0, 800, 600}};

TEST(WindowPlacement, WindowFittingPictureStaysOnTheScreen) {
    const struct {
        const char* what;
        int W, H, left, top;
        PictureWindowDesktop desktop;
        WindowRect expected;
    } cases[] = {
        {"fits where it is", 300, 200, 200, 200, kScreen, {200, 200, 485, 303}},
        {"wide picture", 600, 100, 100, 200, kScreen, {100, 200, 612, 203}},
        {"bottom edge past the screen moves up", 400, 300, 200, 200, kScreen, {200, 197, 485, 403}},
        {"right edge past the screen moves left", 600, 100, 200, 200, kScreen, {188, 200, 612, 203}},
        {"taller than the screen is cut to it", 400, 590, 200, 200, kScreen, {200, 0, 485, 600}},
        {"as high and wide as the screen", 1000, 700, 200, 200, kScreen, {0, 0, 800, 600}},
        {"a panel reserves the top 30 rows", 1000, 700, 200, 200, {570, 800, {0, 30, 800, 570}}, {0, 30, 800, 570}},
        {"a screen left of the primary", 300, 200, -1000, 100, {1024, 1280, {-1280, 0, 1280, 1024}},
         {-1000, 100, 485, 303}},
        {"window partly above the screen", 300, 200, 200, -40, kScreen, {200, 0, 485, 303}},
        {"no screen known", 400, 590, 200, 200, {600, 800, {}}, {200, 200, 485, 693}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowFittingPicture(c.W, c.H, kToolBar, c.left, c.top, c.desktop), c.expected) << c.what;
}

TEST(WindowPlacement, StartPositionFallsBackWhenOffEveryScreen) {
    const std::vector<ScreenRect> one{{0, 0, 800, 600}};
    const std::vector<ScreenRect> two{{0, 0, 800, 600}, {800, 0, 1024, 768}};
    const WindowSize size{477, 175};
    const struct {
        const char* what;
        WindowPosition stored;
        std::vector<ScreenRect> screens;
        WindowPosition expected;
    } cases[] = {
        {"on the screen", {300, 321}, one, {300, 321}},
        {"far off", {5000, 5000}, one, {200, 200}},
        {"one column still on the left edge", {-476, 10}, one, {-476, 10}},
        {"just past the left edge", {-477, 10}, one, {200, 200}},
        {"one pixel in the bottom-right corner", {799, 599}, one, {799, 599}},
        {"just past the right edge", {800, 0}, one, {200, 200}},
        {"on the second screen", {1000, 700}, two, {1000, 700}},
        {"no screen known", {5000, 5000}, {}, {5000, 5000}},
    };
    for (const auto& c : cases) {
        const WindowPosition p = mainWindowStartPosition(c.stored, size, c.screens);
        EXPECT_EQ(p, c.expected) << c.what << ": got (" << p.left << ", " << p.top << ")";
    }
}

}  // namespace
}  // namespace veltrane
