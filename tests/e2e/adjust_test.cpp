// The image adjustment window driven from the menus through --script: each page applied with
// OK, the preview against the letterbox rule, Cancel, and noise from the process's own
// generator.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/script_run.h"

using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

// The two-pixel fixture of the table below: its colours are set per case.
unsigned gLeft = 0, gRight = 0;
unsigned twoColours(int x, int) { return x == 0 ? gLeft : gRight; }

// Every pixel of a picture up to 4096 wide or tall has its own colour.
unsigned distinct(int x, int y) { return rgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | (y >> 8)); }

class AdjustTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Opens in.bmp, runs the lines, saves the main picture (and any other saves the lines ask
    // for) and returns the main picture.
    veltrane::Bitmap24 runOn(int width, int height, unsigned (*fill)(int, int), const QString& lines) {
        writeTestBmp(session.path("in.bmp"), width, height, fill);
        const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) + lines +
                                           "save Main.Image1 " + quoted(session.path("out.bmp")) + "\n");
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return readPicture(session.path("out.bmp"));
    }

    ScriptSession session;
};

}  // namespace

TEST_F(AdjustTest, EachPageAppliesItsAdjustmentToTheWholePicture) {
    struct Case {
        const char* what;
        const char* lines;
        unsigned left, right;              // the picture: two pixels
        unsigned leftAfter, rightAfter;    // worked by hand from the adjustment's rule
    };
    const Case cases[] = {
        {"RGB offsets clamp", "Main.RGBprocess1.trigger()\nRGB.TrackBar1.value = 100\nRGB.TrackBar2.value = -128\nRGB.TrackBar3.value = 30\n",
         rgb(200, 100, 50), rgb(10, 20, 30), rgb(255, 0, 80), rgb(110, 0, 60)},
        // All three sliders at 0 still convert there and back.
        {"HSI round trip", "Main.HSIprocess1.trigger()\n", rgb(200, 100, 50), rgb(200, 100, 50), rgb(200, 102, 50),
         rgb(200, 102, 50)},
        // γ 2.0: 255 × √(v / 255): 64 → 127.7, 200 → 225.8, 1 → 15.97, 16 → 63.9.
        {"gamma 2.0", "Main.Gamma1.trigger()\nRGB.TrackBar7.value = 20\n", rgb(64, 200, 0), rgb(255, 1, 16),
         rgb(127, 225, 0), rgb(255, 15, 63)},
        // The gamma slider moved, but OK applies the page showing: RGB with every offset 0.
        {"the page showing decides", "Main.Gamma1.trigger()\nRGB.TrackBar7.value = 20\nRGB.PageControl1.currentIndex = 0\n",
         rgb(64, 200, 0), rgb(255, 1, 16), rgb(64, 200, 0), rgb(255, 1, 16)},
        // n = 5, step 51, every channel: up to the next multiple of 51; 255 stays.
        {"posterise 5", "Main.Postlize1.trigger()\n", rgb(0, 51, 254), rgb(255, 204, 205), rgb(51, 102, 255),
         rgb(255, 255, 255)},
        // n = 16, step 15, red only: 245 ≥ 240 stays, 0 becomes 15.
        {"posterise 16 red", "Main.Postlize1.trigger()\nRGB.TrackBar8.value = 16\nRGB.RadioButton5.click()\n",
         rgb(245, 0, 7), rgb(0, 51, 254), rgb(245, 0, 7), rgb(15, 51, 254)},
        // T = 128, all: a mean equal to T gives black.
        {"binarise all", "Main.Binarize1.trigger()\n", rgb(129, 129, 129), rgb(128, 128, 128), rgb(255, 255, 255),
         rgb(0, 0, 0)},
        {"binarise keeping red", "Main.Binarize1.trigger()\nRGB.RadioButton2.click()\n", rgb(200, 10, 20),
         rgb(50, 200, 220), rgb(200, 0, 0), rgb(50, 255, 255)},
        {"binarise at 255", "Main.Binarize1.trigger()\nRGB.TrackBar9.value = 255\n", rgb(255, 255, 255),
         rgb(200, 100, 50), rgb(0, 0, 0), rgb(0, 0, 0)},
        // p = 30, in place: green reads the new red, blue the new red and green. White stays white.
        {"contrast 30", "Main.Contrast1.trigger()\n", rgb(10, 20, 30), rgb(255, 255, 255), rgb(21, 35, 50),
         rgb(255, 255, 255)},
        // Red only: (10 × 10 + 20 + 30) / 7 = 21.4; (10 × 100 + 50 + 1) / 7 = 150.1.
        {"contrast red", "Main.Contrast1.trigger()\nRGB.RadioButton10.click()\n", rgb(10, 20, 30), rgb(100, 50, 1),
         rgb(21, 20, 30), rgb(150, 50, 1)},
        // p = 35: a = 1.5, b = 0.
        {"contrast 35", "Main.Contrast1.trigger()\nRGB.TrackBar11.value = 35\n", rgb(100, 50, 0), rgb(0, 255, 255),
         rgb(150, 75, 0), rgb(0, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gLeft = c.left;
        gRight = c.right;
        const veltrane::Bitmap24 out = runOn(2, 1, twoColours, QString(c.lines) + "RGB.OKBtn.click()\n");
        ASSERT_EQ(out.width(), 2);
        EXPECT_EQ(pixelAt(out, 0, 0), c.leftAfter) << std::hex << pixelAt(out, 0, 0);
        EXPECT_EQ(pixelAt(out, 1, 0), c.rightAfter) << std::hex << pixelAt(out, 1, 0);
    }
}

// Both preview images against the letterbox rule computed here: P = 192, nearest neighbour,
// black bands; the right image after red + 50 over the picture area only.
TEST_F(AdjustTest, PreviewImagesFollowTheLetterboxRule) {
    struct Case {
        int width, height;
    };
    // Wide (margin 48), tall (margin 48), and a small wide picture enlarged with a margin of
    // 27.43: its row 27 is black yet inside the picture area.
    const Case cases[] = {{400, 200}, {150, 300}, {7, 5}};
    constexpr int P = 192;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const QString lines = "Main.RGBprocess1.trigger()\nRGB.TrackBar1.value = 50\nsave RGB.Image1 " +
                              quoted(session.path("left.bmp")) + "\nsave RGB.Image2 " + quoted(session.path("right.bmp")) +
                              "\nRGB.CancelBtn.click()\n";
        runOn(c.width, c.height, distinct, lines);
        const veltrane::Bitmap24 left = readPicture(session.path("left.bmp"));
        const veltrane::Bitmap24 right = readPicture(session.path("right.bmp"));
        ASSERT_EQ(left.width(), P);
        ASSERT_EQ(left.height(), P);
        ASSERT_EQ(right.width(), P);

        const double W = c.width, H = c.height;
        const bool wide = W > H;
        const double rowScale = H / P, colScale = W / P;
        const double extent = P * std::min(W, H) / std::max(W, H);
        const double margin = (P - extent) * 0.5;
        int mismatches = 0;
        for (int y = 0; y < P; ++y)
            for (int x = 0; x < P; ++x) {
                unsigned expected = 0;
                const int across = wide ? y : x;
                if (margin <= across && across < margin + extent) {
                    const int sourceRow = wide ? static_cast<int>((y - margin) * colScale) : static_cast<int>(y * rowScale);
                    const int sourceCol = wide ? static_cast<int>(x * colScale) : static_cast<int>((x - margin) * rowScale);
                    expected = distinct(sourceCol, sourceRow);
                }
                const bool inArea = static_cast<int>(margin) <= across && across < P - margin;
                unsigned adjusted = expected;
                if (inArea) adjusted = rgb(std::min(255, int(expected >> 16) + 50), (expected >> 8) & 0xFF, expected & 0xFF);
                if (pixelAt(left, x, y) != expected || pixelAt(right, x, y) != adjusted) {
                    if (++mismatches <= 5)
                        ADD_FAILURE() << "box pixel " << x << "," << y << ": left " << std::hex << pixelAt(left, x, y)
                                      << " want " << expected << ", right " << pixelAt(right, x, y) << " want " << adjusted;
                }
            }
        EXPECT_EQ(mismatches, 0);
    }
    // The description's own landmark: 400 × 200 leaves rows 0 .. 47 black and box row 48
    // shows image row 0.
    runOn(400, 200, distinct,
          "Main.RGBprocess1.trigger()\nsave RGB.Image1 " + quoted(session.path("left.bmp")) + "\nRGB.CancelBtn.click()\n");
    const veltrane::Bitmap24 left = readPicture(session.path("left.bmp"));
    EXPECT_EQ(pixelAt(left, 100, 47), 0u);
    EXPECT_EQ(pixelAt(left, 0, 48), distinct(0, 0));
    EXPECT_EQ(pixelAt(left, 191, 143), distinct(397, 197));
    EXPECT_EQ(pixelAt(left, 100, 144), 0u);
}

TEST_F(AdjustTest, CancelLeavesThePlanesByteForByte) {
    // Sliders moved on several pages, noise previewed, then the window is left three ways.
    // The flip afterwards reads the planes, so a change to them would show.
    const char* ways[] = {"RGB.CancelBtn.click()\n", "RGB.close()\n", "RGB.reject()\n"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        const veltrane::Bitmap24 out =
            runOn(7, 5, distinct,
                  QString("Main.RGBprocess1.trigger()\nRGB.TrackBar1.value = 100\nRGB.TrackBar7.value = 30\n"
                          "RGB.PageControl1.currentIndex = 5\nRGB.TrackBar10.value = 100\n") +
                      way + "Main.upanddownreverse1.trigger()\n");
        ASSERT_EQ(out.width(), 7);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_EQ(pixelAt(out, x, y), distinct(x, 4 - y)) << x << "," << y;
    }
}

// Noise draws from the process's one generator, state 1 at start-up; opening the window
// draws nothing, each preview draws three numbers per dot (row, column, colour), and the final
// pass continues. On the 6 × 5 grey picture the default 10 % places (5 × 6 × 10) div 100 = 3 dots,
// at row trunc(e × 5 / 32767) − 1 and column trunc(e × 6 / 32767) − 1 (at least 0); colour
// number e div 4095 of black, green, blue, red, cyan, magenta, yellow, white (white from 28665
// on); monochrome: white from 16384 on.
TEST_F(AdjustTest, NoiseDotsFollowTheGeneratorFromAFreshStart) {
    constexpr int W = 6, H = 5;
    constexpr unsigned grey = 0x808080, black = 0x000000, white = 0xFFFFFF, green = 0x00FF00, blue = 0x0000FF,
                       cyan = 0x00FFFF, magenta = 0xFF00FF;
    struct Dot {
        int x, y;
        unsigned colour;
    };
    // The generator's first numbers from state 1: 346, 130, 10982 | 1090, 11656, 7117 |
    // 17595, 6415, 22948:
    //   346 → row 0, 130 → column 0, 10982 → blue (2), mono black
    //   1090 → row 0, 11656 → column trunc(2.13) − 1 = 1, 7117 → green (1), mono black
    //   17595 → row trunc(2.68) − 1 = 1, 6415 → column trunc(1.17) − 1 = 0, 22948 → magenta (5), mono white
    const std::vector<Dot> fresh{{0, 0, blue}, {1, 0, green}, {0, 1, magenta}};
    struct Case {
        const char* what;
        const char* lines;
        std::vector<Dot> dots;
    };
    const Case cases[] = {
        {"fresh start", "Main.AddNoise1.trigger()\n", fresh},
        {"monochrome", "Main.AddNoise1.trigger()\nRGB.CheckBox1.checked = false\n", {{0, 0, black}, {1, 0, black}, {0, 1, white}}},
        {"opened and cancelled before",
         "Main.AddNoise1.trigger()\nRGB.CancelBtn.click()\nMain.RGBprocess1.trigger()\nRGB.close()\nMain.AddNoise1.trigger()\n",
         fresh},
        // The slider at 11 previews (192 × 192 × 11) div 100 = 4055 dots, 12165 numbers; OK places
        // (5 × 6 × 11) div 100 = 3 dots from the numbers after them: 6317, 23264, 23378 |
        // 9171, 5523, 31765 | 4248, 32428, 19497:
        //   6317 → row 0, 23264 → column trunc(4.26) − 1 = 3, 23378 → magenta (5)
        //   9171 → row trunc(1.40) − 1 = 0, 5523 → column trunc(1.01) − 1 = 0, 31765 → white
        //   4248 → row 0, 32428 → column trunc(5.94) − 1 = 4, 19497 → cyan (4)
        {"after a preview", "Main.AddNoise1.trigger()\nRGB.TrackBar10.value = 11\n", {{3, 0, magenta}, {0, 0, white}, {4, 0, cyan}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const veltrane::Bitmap24 out = runOn(W, H, [](int, int) { return grey; }, QString(c.lines) + "RGB.OKBtn.click()\n");
        ASSERT_EQ(out.width(), W);
        ASSERT_EQ(out.height(), H);
        unsigned expected[H][W];
        for (auto& row : expected)
            for (unsigned& pixel : row) pixel = grey;
        for (const Dot& d : c.dots) expected[d.y][d.x] = d.colour;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) EXPECT_EQ(pixelAt(out, x, y), expected[y][x]) << x << "," << y;
    }
}
