// The desktop commands through --script: the in-process clipboard round trip, the three
// transparency levels and a capture of the offscreen screen.
#include <gtest/gtest.h>

#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned distinct(int x, int y) { return (unsigned(x * 37 & 0xFF) << 16) | (unsigned(y * 53 & 0xFF) << 8) | unsigned((x * y) & 0xFF); }

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    QStringList run(const QString& script) {
        const ScriptResult r = session.run(script);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.outLines();
    }

    ScriptSession session;
};

}  // namespace

TEST_F(DesktopTest, CopyThenPasteRoundTripsTheWorkingBitmapInsideTheRun) {
    const QString picture = session.path("p.bmp");
    writeTestBmp(picture, 30, 20, distinct);
    const QStringList out = run("Main.ViewV1Click()\nprint Main.PasteP1.enabled\n"
                                "answer open " + quoted(picture) + "\nMain.OPEN1Click()\n"
                                "Main.CopyC1Click()\nMain.ViewV1Click()\nprint Main.PasteP1.enabled\n"
                                "Main.CLOSE1Click()\nMain.PasteP1Click()\n"
                                "print Main.windowTitle\nprint Main.Edit1.text\nprint Main.NextFileN1.enabled\n"
                                "save Main.Image1 " + quoted(session.path("pasted.bmp")) + "\n");
    EXPECT_EQ(out, (QStringList{"Main.PasteP1.enabled = false", "Main.PasteP1.enabled = true",
                                "Main.windowTitle = ClipBoard(30×20)", "Main.Edit1.text = 0/0",
                                "Main.NextFileN1.enabled = false"}));
    const Bitmap24 original = readPicture(picture), pasted = readPicture(session.path("pasted.bmp"));
    ASSERT_EQ(pasted.width(), 30);
    ASSERT_EQ(pasted.height(), 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(pixelAt(pasted, x, y), pixelAt(original, x, y)) << x << "," << y;
}

TEST_F(DesktopTest, TransparencyCommandsMoveTheMarkWithoutAMessage) {
    const QString marks = "print Main.transmitmuch.checked\nprint Main.transmitlittle.checked\nprint Main.transmitno.checked\n";
    const QStringList out = run(marks + "Main.transmitmuchClick()\n" + marks + "Main.transmitlittleClick()\n" + marks +
                                "Main.transmitnoClick()\n" + marks);
    const auto expect = [](bool much, bool little, bool no) {
        const auto text = [](bool on) { return QString(on ? "true" : "false"); };
        return QStringList{"Main.transmitmuch.checked = " + text(much), "Main.transmitlittle.checked = " + text(little),
                           "Main.transmitno.checked = " + text(no)};
    };
    EXPECT_EQ(out, expect(false, false, true) + expect(true, false, false) + expect(false, true, false) +
                       expect(false, false, true));
}

TEST_F(DesktopTest, CaptureOfTheOffscreenScreenLeavesTheMainWindowOut) {
    const QStringList out = run("Main.DeskTopCaptureD1Click()\nprint Main.windowTitle\nprint Main.Edit1.text\n"
                                "print Main.NextFileN1.enabled\nprint Main.CopyC1.enabled\n"
                                "save Main.Image1 " + quoted(session.path("screen.bmp")) + "\n");
    EXPECT_EQ(out, (QStringList{"Main.windowTitle = Captured Image on Desktop(800×800)", "Main.Edit1.text = 0/0",
                                "Main.NextFileN1.enabled = false", "Main.CopyC1.enabled = true"}));
    const Bitmap24 screen = readPicture(session.path("screen.bmp"));
    ASSERT_EQ(screen.width(), 800);
    int lit = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) lit += pixelAt(screen, x, y) != 0;
    EXPECT_EQ(lit, 0) << "the hidden main window is not in the picture";
}
