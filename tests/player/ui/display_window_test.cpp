// The video window: its start state and the rule that the video always fills the panel.
#include <gtest/gtest.h>

#include "player/ui/display_window.h"
#include "player/ui/video_widget.h"

using namespace veltrane;

TEST(DisplayWindowTest, StartsAsAnUntitledFrameWithoutCloseBox) {
    TDisplay display;
    EXPECT_EQ(display.objectName(), "Display");
    EXPECT_EQ(display.windowTitle(), "title");
    EXPECT_EQ(display.frameGeometry().size(), QSize(243, 213));
    EXPECT_FALSE(display.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(display.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    EXPECT_NE(display.PopupMenu2, nullptr);
    EXPECT_EQ(display.video()->parentWidget(), display.Panel1);
}

TEST(DisplayWindowTest, ThePanelAndTheVideoFollowEverySize) {
    TDisplay display;
    display.show();
    for (const QSize size : {QSize(243, 213), QSize(320, 240), QSize(1, 1), QSize(640, 100)}) {
        display.resize(size);
        EXPECT_EQ(display.Panel1->geometry(), QRect(QPoint(0, 0), size));
        EXPECT_EQ(display.video()->geometry(), QRect(QPoint(0, 0), size)) << size.width() << "×" << size.height();
    }
}
