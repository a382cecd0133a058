// Display modes, zoom levels and their captions and limits.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "support/script_run.h"

using namespace veltrane::test;

namespace {

unsigned flat(int, int) { return 0x808080; }
// The value printed by a "print" line.
int valueOf(const QString& line) { return line.section(" = ", 1).toInt(); }

class ViewTest : public ::testing::Test {
protected:
    QStringList run(const QString& script) {
        const ScriptResult r = session.run(script);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.outLines();
    }
    QString open(int width, int height) {
        const QString path = session.path(QString("p%1x%2.bmp").arg(width).arg(height));
        writeTestBmp(path, width, height, flat);
        return "answer open " + quoted(path) + "\nMain.OPEN1Click()\n";
    }
    ScriptSession session;
};

}  // namespace

TEST_F(ViewTest, WindowFitsImageSizesTheWindowFromThePicture) {
    session.writeQuietSettings();
    QStringList out = run(open(300, 200) + "print Main.width\nprint Main.height\nprint Main.ToolBar1.height\n"
                          "print Main.Image1.width\nprint Main.Image1.height\n");
    ASSERT_EQ(out.size(), 5);
    EXPECT_EQ(valueOf(out[0]), 485);
    EXPECT_EQ(valueOf(out[1]), 200 + valueOf(out[2]) + 78);
    EXPECT_EQ(valueOf(out[3]), 300);
    EXPECT_EQ(valueOf(out[4]), 200);
    out = run(open(600, 100) + "print Main.width\n");
    EXPECT_EQ(out, QStringList{"Main.width = 612"});
}

TEST_F(ViewTest, WindowFittingATallPictureStaysOnTheScreen) {
    // This test runs on the program's platform, so it sees the program's screen (800 × 800
    // on the offscreen platform): a picture 10 rows lower than the screen asks for a window
    // about a hundred rows higher than it.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    session.writeQuietSettings();
    const int H = area.height() - 10;
    const QStringList out = run(open(400, H) + "print Main.y\nprint Main.height\nprint Main.StatusBar1.y\n"
                                "print Main.StatusBar1.height\nprint Main.ScrollBox1.height\nprint Main.Image1.height\n");
    ASSERT_EQ(out.size(), 6);
    const int top = valueOf(out[0]), height = valueOf(out[1]);
    EXPECT_GE(top, area.top());
    EXPECT_LE(top + height, area.top() + area.height()) << "the window ends on the screen";
    EXPECT_LE(valueOf(out[2]) + valueOf(out[3]), height) << "the status bar lies inside the window";
    EXPECT_LT(valueOf(out[4]), H) << "the picture area scrolls";
    EXPECT_EQ(valueOf(out[5]), H) << "the picture keeps its size";
}

TEST_F(ViewTest, ImageFitsWindowTakesEffectAtTheNextPicture) {
    session.writeQuietSettings();
    // The 200 × 100 picture sizes the window to 100 + tool bar 31 + 78 = 209 rows. From then on
    // the window keeps its size and each picture gets the height left inside it, less the status
    // bar (20) and the tool bar (31), less the platform's menu button (font 13 + 4), caption (24),
    // dialog frame (1) and small caption (24), on the offscreen platform with the program's font:
    // 209 − 20 − 31 − 17 − 24 − 1 − 24 = 92. The width is trunc(W × 92 / H) + 1.
    const struct {
        int width, height;
        const char* fittedWidth;
    } pictures[] = {
        {300, 100, "277"},  // 300 × 92 / 100 = 276
        {100, 300, "31"},   // 100 × 92 / 300 = 30.67
        {640, 480, "123"},  // 640 × 92 / 480 = 122.67
        {7, 3, "215"},      // 7 × 92 / 3 = 214.67
    };
    QString script = open(200, 100) + "Main.N26.trigger()\nprint Main.N25.checked\nprint Main.Image1.height\n";
    QStringList expected{"Main.N25.checked = false", "Main.Image1.height = 100"};  // the current picture keeps its size
    for (const auto& p : pictures) {
        script += open(p.width, p.height) + "print Main.height\nprint Main.Image1.height\nprint Main.Image1.width\n";
        expected << "Main.height = 209" << "Main.Image1.height = 92" << QString("Main.Image1.width = ") + p.fittedWidth;
    }
    EXPECT_EQ(run(script), expected);
}

TEST_F(ViewTest, FixedZoomLevelsAndTheirCaptions) {
    session.writeQuietSettings();
    const QStringList out = run(open(101, 100) + "Main.N661.trigger()\nprint Main.windowTitle\n"
                                "Main.N1501Click()\nprint Main.windowTitle\nMain.Zoom1Click()\nprint Main.windowTitle\n"
                                "Main.N4001Click()\nprint Main.windowTitle\nMain.ToolButton3Click()\nprint Main.windowTitle\n"
                                "print Main.Image1.width\n");
    EXPECT_EQ(out, (QStringList{"Main.windowTitle = p101x100.bmp(101×100→Zoom:67×66)",
                                "Main.windowTitle = p101x100.bmp(101×100→Zoom:151×150)",
                                "Main.windowTitle = p101x100.bmp(101×100→Zoom:25×25)",
                                "Main.windowTitle = p101x100.bmp(101×100→Zoom:404×400)",
                                "Main.windowTitle = p101x100.bmp(101×100)", "Main.Image1.width = 101"}));
}

TEST_F(ViewTest, StepZoomCompoundsAndStopsAtItsLimits) {
    session.writeQuietSettings();
    QString script = open(100, 100);
    for (int i = 0; i < 12; ++i) script += "Main.N31Click()\nprint Main.Image1.height\n";
    QStringList out = run(script);
    const QStringList heights{"125", "156", "195", "243", "303", "378", "472", "590", "737", "921", "1151"};
    ASSERT_EQ(out.size(), 13);
    for (int i = 0; i < heights.size(); ++i) EXPECT_EQ(out[i], "Main.Image1.height = " + heights[i]);
    EXPECT_EQ(out[11], "message: error: これ以上拡大できません");
    EXPECT_EQ(out[12], "Main.Image1.height = 1151");

    script = open(100, 100);
    for (int i = 0; i < 9; ++i) script += "Main.N32Click()\nprint Main.Image1.height\n";
    out = run(script + "print Main.windowTitle\n");
    const QStringList down{"75", "56", "42", "31", "23", "17", "12", "9"};
    ASSERT_EQ(out.size(), 11);
    for (int i = 0; i < down.size(); ++i) EXPECT_EQ(out[i], "Main.Image1.height = " + down[i]);
    EXPECT_EQ(out[8], "message: error: これ以上縮小できません");
    EXPECT_EQ(out[10], "Main.windowTitle = p100x100.bmp(100×100→Zoom:9×9)");
}

TEST_F(ViewTest, StepZoomOutStopsBeforeASideReachesZero) {
    session.writeQuietSettings();
    QString script = open(3, 300);
    for (int i = 0; i < 3; ++i) script += "Main.N32Click()\nprint Main.windowTitle\n";
    const QStringList out = run(script + "Main.N31Click()\nprint Main.windowTitle\n");
    EXPECT_EQ(out, (QStringList{"Main.windowTitle = p3x300.bmp(3×300→Zoom:2×225)",
                                "Main.windowTitle = p3x300.bmp(3×300→Zoom:1×168)",
                                "message: error: これ以上縮小できません",
                                "Main.windowTitle = p3x300.bmp(3×300→Zoom:1×168)",
                                "Main.windowTitle = p3x300.bmp(3×300→Zoom:1×210)"}));
}

TEST_F(ViewTest, ZoomCommandsDoNothingWithoutAPicture) {
    session.writeQuietSettings();
    EXPECT_EQ(run("Main.N31Click()\nMain.N501Click()\nMain.ToolButton3Click()\nprint Main.windowTitle\n"),
              QStringList{"Main.windowTitle = Veltrane"});
}
