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
        {"wait 600001\n", "script error: line 1: expected milliseconds from 0 to 600000, found '600001'"},
        {"wait -1\n", "script error: line 1: expected milliseconds from 0 to 600000"},
        {"wait until Main.x = 1 9999999999\n", "script error: line 1: expected milliseconds from 0 to 600000"},
        {"wait until Main = 1\n", "script error: line 1: expected Window.prop or Window.Control.prop"},
        {"wait until Main.noSuchProperty = 1\n", "script error: line 1: unknown property"},
        {"wait until Main.windowTitle = \"never\" 50\nprint Main.x\n",
         "script error: line 1: timed out waiting for Main.windowTitle = never (last value: Veltrane)"},
        {"wait until Later.visible = true 30\n", "script error: line 1: timed out waiting for Later.visible = true (unknown window"},
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

// "wait until" holds the next line until the value has come, checking it as it changes.
TEST(Script, WaitUntilGoesOnOnceTheValueHasCome) {
    ScriptSession session;
    session.writeQuietSettings();
    const ScriptResult r = session.run("wait until Main.windowTitle = \"Veltrane\"\nMain.Edit1.text = \"5/9\"\n"
                                       "wait until Main.Edit1.text = \"5/9\" 0\nwait until Main.N25.checked = true 100\n"
                                       "print Main.Edit1.text\n");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outLines(), QStringList{"Main.Edit1.text = 5/9"});
}
