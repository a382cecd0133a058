// The automation grammar itself: errors end the run with status 2.
#include <gtest/gtest.h>

#include "support/script_run.h"

using namespace veltrane::test;

TEST(Script, ErrorsNameTheLineAndEndTheRun) {
    struct Case {
        const char* script;
        const char* why;
    };
    const Case cases[] = {
        {"# comment\n\nprint Nowhere.x\nprint Main.x\n", "script error: line 3: unknown window"},
        {"print Main.NoSuchControl.text\n", "script error: line 1: unknown control"},
        {"Main.NoSuchHandler()\n", "script error: line 1: unknown handler"},
        {"print Main.noSuchProperty\n", "script error: line 1: unknown property"},
        {"Main.Edit1.text = \n", "script error: line 1: expected"},
        {"Main.OPEN1Click(\n", "script error: line 1: expected"},
        {"answer button Maybe\n", "script error: line 1: expected Yes, No, OK or Cancel"},
        {"frobnicate\n", "script error: line 1:"},
        {"answer open \"unterminated\n", "script error: line 1: unterminated string"},
    };
    ScriptSession session;
    session.writeQuietSettings();
    for (const Case& c : cases) {
        const ScriptResult r = session.run(c.script);
        EXPECT_EQ(r.exitCode, 2) << c.script;
        EXPECT_TRUE(r.err.contains(c.why)) << c.script << " gave " << r.err.toStdString();
        EXPECT_FALSE(r.out.contains("Main.x")) << "nothing runs after the error";
    }
}

TEST(Script, ValuesAndListsPrintInTheirOwnForm) {
    ScriptSession session;
    session.writeQuietSettings();
    const ScriptResult r = session.run("Main.Edit1.text = \"a \\\"quoted\\\" text\"\nprint Main.Edit1.text\n"
                                       "print Main.N25.checked\nprint Main.Progress.visible\nprint Progress.windowTitle\n"
                                       "print Progress.visible\nprint Histogram.visible\nprint Main.OPEN1.text\n"
                                       "print Main.ToolButton15.toolTip\nwait 10\nquit\nprint Main.x\n");
    EXPECT_EQ(r.exitCode, 2) << "Main.Progress is not a control of the main window";
    EXPECT_EQ(r.outLines(), (QStringList{"Main.Edit1.text = a \"quoted\" text", "Main.N25.checked = true"}));

    const ScriptResult ok = session.run("print Progress.windowTitle\nprint Progress.visible\nprint Histogram.visible\n"
                                        "print Main.OPEN1.text\nprint Main.ToolButton15.toolTip\nwait 10\nquit\nprint Main.x\n");
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.outLines(), (QStringList{"Progress.windowTitle = Progress Bar", "Progress.visible = false",
                                          "Histogram.visible = false", "Main.OPEN1.text = ファイルを開く(&O)",
                                          "Main.ToolButton15.toolTip = 画像ファイルを開きます"}));
}
