// The colour extraction window driven through --script: opened by its command, menu item and
// tool button, sectors unticked and applied with OK, Cancel and the close box, and the
// preview against the letterbox on degenerate and odd picture sizes.
#include <gtest/gtest.h>

#include <QSize>
#include <array>

#include "colormap/color_extraction.h"
#include "image/color_model.h"
#include "image/image_document.h"
#include "image/letterbox.h"
#include "support/plane_fixtures.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

// Red, grey, yellow, cyan, blue, purple, and the two colours whose true hue lies on the
// red/yellow bound but whose computed hues fall on either side of it.
const unsigned kColours[] = {rgb(255, 0, 0), rgb(128, 128, 128), rgb(255, 255, 0),   rgb(0, 255, 255),
                             rgb(0, 0, 255), rgb(255, 0, 255),   rgb(200, 150, 100), rgb(34, 33, 32)};
unsigned sampler(int x, int) { return kColours[x]; }

// Every pixel its own colour, with hues all round the circle.
unsigned distinct(int x, int y) { return rgb(x * 37 & 0xFF, y * 53 & 0xFF, (x * 7 + y * 3 + 5) & 0xFF); }

// Each pixel's RgbToHsi hue placed in the sector table, over the area.
void extractByRule(ColorPlanes& planes, const PictureArea& area, const std::array<bool, 6>& chosen) {
    for (int y = area.rowBegin; y < area.rowEnd; ++y)
        for (int x = area.colBegin; x < area.colEnd; ++x) {
            double h, s, i;
            RgbToHsi(planes.R[y][x], planes.G[y][x], planes.B[y][x], h, s, i);
            const int sector = hueSector(h);
            if (sector >= 0 && !chosen[sector]) planes.R[y][x] = planes.G[y][x] = planes.B[y][x] = 0;
        }
}

class ExtractColorScriptTest : public ::testing::Test {
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

TEST_F(ExtractColorScriptTest, OkBlackensTheUntickedSectorsAndCancelOrCloseNothing) {
    writeTestBmp(session.path("in.bmp"), 8, 1, sampler);
    const unsigned o = 0;  // black
    struct Case {
        const char* what;
        const char* lines;
        std::array<unsigned, 8> after;
    };
    const Case cases[] = {
        {"all ticked, by handler",
         "Main.ExtractColor1Click()\nExtractColor.OKBtn.click()\n",
         {kColours[0], kColours[1], kColours[2], kColours[3], kColours[4], kColours[5], kColours[6], kColours[7]}},
        // Grey goes with the reds; (200, 150, 100) computes to red, (34, 33, 32) to yellow.
        {"赤 unticked, by menu",
         "Main.ExtractColor1.trigger()\nExtractColor.CheckBox1.click()\nExtractColor.OKBtn.click()\n",
         {o, o, kColours[2], kColours[3], kColours[4], kColours[5], o, kColours[7]}},
        {"黄色 unticked, by tool button",
         "Main.ToolButton13.click()\nExtractColor.CheckBox2.click()\nExtractColor.OKBtn.click()\n",
         {kColours[0], kColours[1], o, kColours[3], kColours[4], kColours[5], kColours[6], o}},
        {"青 unticked keeps cyan",
         "Main.ExtractColor1Click()\nExtractColor.CheckBox5.click()\nExtractColor.OKBtn.click()\n",
         {kColours[0], kColours[1], kColours[2], kColours[3], o, kColours[5], kColours[6], kColours[7]}},
        {"every box unticked",
         "Main.ExtractColor1Click()\nExtractColor.CheckBox1.click()\nExtractColor.CheckBox2.click()\n"
         "ExtractColor.CheckBox3.click()\nExtractColor.CheckBox4.click()\nExtractColor.CheckBox5.click()\n"
         "ExtractColor.CheckBox6.click()\nExtractColor.OKBtn.click()\n",
         {o, o, o, o, o, o, o, o}},
        {"cancel",
         "Main.ExtractColor1Click()\nExtractColor.CheckBox1.click()\nExtractColor.CancelBtn.click()\n",
         {kColours[0], kColours[1], kColours[2], kColours[3], kColours[4], kColours[5], kColours[6], kColours[7]}},
        {"close box",
         "Main.ExtractColor1Click()\nExtractColor.CheckBox1.click()\nExtractColor.close()\n",
         {kColours[0], kColours[1], kColours[2], kColours[3], kColours[4], kColours[5], kColours[6], kColours[7]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        runOn(c.lines);
        const Bitmap24 out = readPicture(session.path("out.bmp"));
        ASSERT_EQ(out.width(), 8);
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pixelAt(out, x, 0), c.after[x]) << "pixel " << x << std::hex << " " << pixelAt(out, x, 0);
    }
}

TEST_F(ExtractColorScriptTest, TheWindowAnswersOnlyWhileOpen) {
    writeTestBmp(session.path("in.bmp"), 8, 1, sampler);
    // A line naming a closed window ends the run with an error.
    const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) +
                                       "Main.ExtractColor1Click()\nprint ExtractColor.CheckBox6.checked\n"
                                       "ExtractColor.CheckBox6.click()\nprint ExtractColor.CheckBox6.checked\n"
                                       "ExtractColor.CancelBtn.click()\nprint ExtractColor.CheckBox6.checked\n");
    EXPECT_EQ(r.outLines(),
              (QStringList{"ExtractColor.CheckBox6.checked = true", "ExtractColor.CheckBox6.checked = false"}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("unknown window 'ExtractColor'")) << r.err.toStdString();

    const ScriptResult none = session.run("Main.ExtractColor1Click()\nprint Main.windowTitle\n");
    EXPECT_EQ(none.outLines(), QStringList{"Main.windowTitle = Veltrane"}) << "no picture, no window";
}

// The preview is the extraction over the picture area of the letterbox; OK then gives the
// same rule on the whole picture, whatever its size.
TEST_F(ExtractColorScriptTest, PreviewAndOkOnEverySize) {
    const QSize sizes[] = {{1, 1}, {1, 7}, {7, 1}, {17, 11}, {9, 23}, {30000, 1}};
    const std::array<bool, 6> chosen = {true, false, true, false, true, true};  // 黄色 and 水色 unticked
    for (const QSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << "×" << size.height());
        writeTestBmp(session.path("in.bmp"), size.width(), size.height(), distinct);
        const ColorPlanes picture = planesOf(readPicture(session.path("in.bmp")));
        runOn(
            "Main.ExtractColor1Click()\nExtractColor.CheckBox2.click()\nExtractColor.CheckBox4.click()\n"
            "save ExtractColor.Image1 " +
            quoted(session.path("preview.bmp")) + "\nExtractColor.OKBtn.click()\n");

        const LetterboxGeometry geometry = letterboxGeometry(size.width(), size.height(), 128);
        ColorPlanes preview = buildLetterbox(picture, geometry);
        extractByRule(preview, geometry.pictureArea(), chosen);
        EXPECT_EQ(differingPixels(planesOf(readPicture(session.path("preview.bmp"))), preview), 0);

        ColorPlanes whole = picture;
        extractByRule(whole, PictureArea{0, size.height(), 0, size.width()}, chosen);
        EXPECT_EQ(differingPixels(planesOf(readPicture(session.path("out.bmp"))), whole), 0);
    }
}
