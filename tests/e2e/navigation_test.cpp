// Stepping through the pictures of a folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/script_run.h"

using namespace veltrane::test;

namespace {

unsigned flat(int, int) { return 0x102030; }
class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Pictures of different widths so the caption tells which file is shown.
    void addPicture(const QString& name, int width) { writeTestBmp(session.path(name), width, 2, flat); }

    QStringList run(const QString& script) {
        const ScriptResult r = session.run(script);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.outLines();
    }

    ScriptSession session;
};

}  // namespace

TEST_F(NavigationTest, OnlyExactPictureExtensionsAreListed) {
    addPicture("a.bmp", 1);
    addPicture("b.BMP", 2);
    addPicture("c.Bmp", 3);
    QFile(session.path("notes.txt")).open(QIODevice::WriteOnly);
    EXPECT_EQ(run(openPictureLines(session.path("b.BMP")) + "print Main.Edit1.text\n"),
              QStringList{"Main.Edit1.text = 2/2"});
}

TEST_F(NavigationTest, NextAndPreviousWrapAround) {
    const QStringList names{"p1.bmp", "p2.bmp", "p3.bmp", "p4.bmp", "p5.bmp"};
    for (int i = 0; i < names.size(); ++i) addPicture(names[i], i + 1);
    const QStringList out = run(openPictureLines(session.path("p3.bmp")) + "print Main.Edit1.text\n"
                                "Main.NextFileN1.trigger()\nMain.NextFileN1.trigger()\nprint Main.Edit1.text\n"
                                "Main.ToolButton9.click()\nprint Main.Edit1.text\nprint Main.windowTitle\n"
                                "Main.ToolButton8.click()\nprint Main.Edit1.text\nprint Main.windowTitle\n"
                                "Main.LastFileL1Click()\nprint Main.windowTitle\nMain.FisrtFileF1Click()\nprint Main.windowTitle\n");
    EXPECT_EQ(out, (QStringList{"Main.Edit1.text = 3/5", "Main.Edit1.text = 5/5", "Main.Edit1.text = 1/5",
                                "Main.windowTitle = p1.bmp(1×2)", "Main.Edit1.text = 5/5", "Main.windowTitle = p5.bmp(5×2)",
                                "Main.windowTitle = p5.bmp(5×2)", "Main.windowTitle = p1.bmp(1×2)"}));
}

TEST_F(NavigationTest, WheelNavigatesOnlyWithTheRightButtonHeld) {
    addPicture("a.bmp", 1);
    addPicture("b.bmp", 2);
    addPicture("c.bmp", 3);
    const QStringList out = run(openPictureLines(session.path("a.bmp")) +
                                "Main.FormMouseWheelDown(false)\nprint Main.Edit1.text\n"
                                "Main.FormMouseWheelDown(true)\nprint Main.Edit1.text\n"
                                "Main.FormMouseWheelUp(true)\nMain.FormMouseWheelUp(true)\nprint Main.Edit1.text\n"
                                "print Main.windowTitle\n");
    EXPECT_EQ(out, (QStringList{"Main.Edit1.text = 1/3", "Main.Edit1.text = 2/3", "Main.Edit1.text = 3/3",
                                "Main.windowTitle = c.bmp(3×2)"}));
}

TEST_F(NavigationTest, SingleFileNextReloadsWhileLastDoesNothing) {
    addPicture("only.bmp", 4);
    const QStringList out = run(openPictureLines(session.path("only.bmp")) +
                                "Main.N501Click()\nprint Main.windowTitle\n"
                                "Main.LastFileL1Click()\nprint Main.windowTitle\n"
                                "Main.NextFileN1Click()\nprint Main.windowTitle\nprint Main.Edit1.text\n");
    // The zoom caption stays after "last"; "next" reloads the file and writes the plain caption.
    EXPECT_EQ(out, (QStringList{"Main.windowTitle = only.bmp(4×2→Zoom:2×1)", "Main.windowTitle = only.bmp(4×2→Zoom:2×1)",
                                "Main.windowTitle = only.bmp(4×2)", "Main.Edit1.text = 1/1"}));
}

TEST_F(NavigationTest, BrokenNeighbourKeepsPictureAndPosition) {
    addPicture("a.bmp", 1);
    QFile broken(session.path("b.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really");
    broken.close();
    const QStringList out = run(openPictureLines(session.path("a.bmp")) +
                                "Main.NextFileN1Click()\nprint Main.Edit1.text\nprint Main.windowTitle\n");
    ASSERT_EQ(out.size(), 3);
    EXPECT_TRUE(out[0].startsWith("message: : ")) << out[0].toStdString();
    EXPECT_EQ(out[1], "Main.Edit1.text = 1/2");
    EXPECT_EQ(out[2], "Main.windowTitle = a.bmp(1×2)");
}

TEST_F(NavigationTest, CounterFieldKeepsItsTextAgainstTyping) {
    addPicture("a.bmp", 1);
    addPicture("b.bmp", 2);
    // 65 is the A key, 55 the 7 key, 37 the left arrow (virtual-key codes).
    const QStringList out = run(openPictureLines(session.path("a.bmp")) +
                                "Main.Edit1.text = \"x\"\nMain.Edit1KeyDown(37)\nprint Main.Edit1.text\n"
                                "Main.Edit1KeyDown(65)\nprint Main.Edit1.text\n"
                                "Main.Edit1.text = \"7\"\nMain.Edit1KeyDown(55)\nMain.Edit1.text = \"q\"\nMain.Edit1KeyDown(65)\n"
                                "print Main.Edit1.text\nprint Main.windowTitle\n");
    EXPECT_EQ(out, (QStringList{"Main.Edit1.text = x", "Main.Edit1.text = 1/2", "Main.Edit1.text = 7",
                                "Main.windowTitle = a.bmp(1×2)"}));
}
