// The colour exchange window driven through --script: opened by its command, menu item and
// tool button, the orders and the blanking applied with OK, Cancel and the close box, and the
// preview against the letterbox on degenerate and odd picture sizes.
#include <gtest/gtest.h>

#include <QSize>

#include "colormap/channel_orders.h"
#include "image/image_document.h"
#include "image/letterbox.h"
#include "support/plane_fixtures.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

unsigned twoColours(int x, int) { return x == 0 ? rgb(255, 0, 0) : rgb(10, 20, 30); }

unsigned distinct(int x, int y) { return rgb(x * 37 & 0xFF, y * 53 & 0xFF, (x * 7 + y * 3 + 5) & 0xFF); }

// The order and the blanking, pixel by pixel, over the area.
void exchangeByRule(ColorPlanes& planes, const PictureArea& area, int mode, bool keepR, bool keepG, bool keepB) {
    for (int y = area.rowBegin; y < area.rowEnd; ++y)
        for (int x = area.colBegin; x < area.colEnd; ++x) {
            const auto c = exchangeChannels(mode, planes.R[y][x], planes.G[y][x], planes.B[y][x]);
            planes.R[y][x] = keepR ? c[0] : 0;
            planes.G[y][x] = keepG ? c[1] : 0;
            planes.B[y][x] = keepB ? c[2] : 0;
        }
}

class ColorExchangeScriptTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Opens in.bmp, runs the lines and saves the main picture to out.bmp.
    ScriptResult runOn(const QString& lines) {
        const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) +
                                           lines + "save Main.Image1 " + quoted(session.path("out.bmp")) + "\n");
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    ScriptSession session;
};

}  // namespace

TEST_F(ColorExchangeScriptTest, OkAppliesTheCheckedOrderWithTheBlankingAndCancelOrCloseNothing) {
    writeTestBmp(session.path("in.bmp"), 2, 1, twoColours);
    struct Case {
        const char* what;
        const char* lines;
        unsigned left, right;
    };
    const Case cases[] = {
        {"BGR by handler",
         "Main.SwitchCsolorClick()\nColorExchange.RadioButton5.click()\nColorExchange.OKBtn.click()\n", rgb(0, 0, 255),
         rgb(30, 20, 10)},
        {"GBR by menu",
         "Main.SwitchCsolor.trigger()\nColorExchange.RadioButton3.click()\nColorExchange.OKBtn.click()\n",
         rgb(0, 0, 255), rgb(20, 30, 10)},
        {"BRG by tool button",
         "Main.ToolButton10.click()\nColorExchange.RadioButton4.click()\nColorExchange.OKBtn.click()\n", rgb(0, 255, 0),
         rgb(30, 10, 20)},
        {"RBG", "Main.SwitchCsolorClick()\nColorExchange.RadioButton1.click()\nColorExchange.OKBtn.click()\n",
         rgb(255, 0, 0), rgb(10, 30, 20)},
        {"GRB", "Main.SwitchCsolorClick()\nColorExchange.RadioButton2.click()\nColorExchange.OKBtn.click()\n",
         rgb(0, 255, 0), rgb(20, 10, 30)},
        {"緑 alone", "Main.SwitchCsolorClick()\nColorExchange.CheckBoxGreen.click()\nColorExchange.OKBtn.click()\n",
         rgb(255, 0, 0), rgb(10, 0, 30)},
        // The output red, which holds the input blue, is blanked.
        {"BGR then 赤",
         "Main.SwitchCsolorClick()\nColorExchange.RadioButton5.click()\nColorExchange.CheckBoxRed.click()\n"
         "ColorExchange.OKBtn.click()\n",
         rgb(0, 0, 255), rgb(0, 20, 10)},
        {"赤 ticked and unticked",
         "Main.SwitchCsolorClick()\nColorExchange.CheckBoxRed.click()\nColorExchange.CheckBoxRed.click()\n"
         "ColorExchange.RadioButton5.click()\nColorExchange.OKBtn.click()\n",
         rgb(0, 0, 255), rgb(30, 20, 10)},
        {"cancel", "Main.SwitchCsolorClick()\nColorExchange.RadioButton5.click()\nColorExchange.CancelBtn.click()\n",
         rgb(255, 0, 0), rgb(10, 20, 30)},
        {"close box", "Main.SwitchCsolorClick()\nColorExchange.CheckBoxRed.click()\nColorExchange.close()\n",
         rgb(255, 0, 0), rgb(10, 20, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        runOn(c.lines);
        const Bitmap24 out = readPicture(session.path("out.bmp"));
        ASSERT_EQ(out.width(), 2);
        EXPECT_EQ(pixelAt(out, 0, 0), c.left) << std::hex << pixelAt(out, 0, 0);
        EXPECT_EQ(pixelAt(out, 1, 0), c.right) << std::hex << pixelAt(out, 1, 0);
    }
}

TEST_F(ColorExchangeScriptTest, TheFlagsAndTheWindowAnswerOnlyWhileOpen) {
    writeTestBmp(session.path("in.bmp"), 2, 1, twoColours);
    // A line naming a closed window ends the run with an error.
    const ScriptResult r = session.run(
        "answer open " + quoted(session.path("in.bmp")) + "\nMain.OPEN1Click()\n" +
        "Main.SwitchCsolorClick()\nprint ColorExchange.keepBlue\nprint ColorExchange.RadioButton5.checked\n"
        "ColorExchange.CheckBoxBlue.click()\nprint ColorExchange.keepBlue\nprint ColorExchange.CheckBoxBlue.checked\n"
        "ColorExchange.OKBtn.click()\nprint ColorExchange.keepBlue\n");
    EXPECT_EQ(r.outLines(), (QStringList{"ColorExchange.keepBlue = 1", "ColorExchange.RadioButton5.checked = false",
                                         "ColorExchange.keepBlue = 0", "ColorExchange.CheckBoxBlue.checked = true"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("unknown window 'ColorExchange'")) << r.err.toStdString();

    const ScriptResult none = session.run("Main.SwitchCsolorClick()\nprint Main.windowTitle\n");
    EXPECT_EQ(none.outLines(), QStringList{"Main.windowTitle = Veltrane"}) << "no picture, no window";
}

// The preview is the order with the blanking over the picture area of the letterbox; OK then
// gives the same rule on the whole picture, whatever its size.
TEST_F(ColorExchangeScriptTest, PreviewAndOkOnEverySize) {
    const QSize sizes[] = {{1, 1}, {1, 7}, {7, 1}, {7, 5}, {5, 9}, {30000, 1}};
    for (const QSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << "×" << size.height());
        writeTestBmp(session.path("in.bmp"), size.width(), size.height(), distinct);
        const ColorPlanes picture = planesOf(readPicture(session.path("in.bmp")));
        runOn(
            "Main.SwitchCsolorClick()\nColorExchange.CheckBoxBlue.click()\nColorExchange.RadioButton3.click()\n"
            "save ColorExchange.Image1 " +
            quoted(session.path("preview.bmp")) + "\nColorExchange.OKBtn.click()\n");

        const LetterboxGeometry geometry = letterboxGeometry(size.width(), size.height(), 128);
        ColorPlanes preview = buildLetterbox(picture, geometry);
        exchangeByRule(preview, geometry.pictureArea(), 3, true, true, false);
        EXPECT_EQ(differingPixels(planesOf(readPicture(session.path("preview.bmp"))), preview), 0);

        ColorPlanes whole = picture;
        exchangeByRule(whole, PictureArea{0, size.height(), 0, size.width()}, 3, true, true, false);
        EXPECT_EQ(differingPixels(planesOf(readPicture(session.path("out.bmp"))), whole), 0);
    }
}
