#include <gtest/gtest.h>

#include "support/script_run.h"

using namespace veltrane::test;

TEST(Startup, FreshStartShowsGreetingAndEmptyState) {
    ScriptSession session;
    const ScriptResult r = session.run("print Main.windowTitle\nprint Main.StatusBar1.panels\nprint Main.saveas1.enabled\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.outLines();
    ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("message: ご挨拶: "));
    EXPECT_EQ(lines[1], "Main.windowTitle = Veltrane");
    EXPECT_EQ(lines[2], "Main.StatusBar1.panels = (x, y) | (R, G, B) = (0, 0 ,0 ) | (H, S, I) = (0.000 ,0.000 ,0.000 )");
    EXPECT_EQ(lines[3], "Main.saveas1.enabled = false");
}
