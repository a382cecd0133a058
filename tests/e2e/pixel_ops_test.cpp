// The transforms, histogram commands, binarisation, morphology and tint, driven from the menus
// on small pictures and checked in the saved result.
#include <gtest/gtest.h>

#include <functional>

#include "support/script_run.h"

using namespace veltrane::test;

namespace {

constexpr int kW = 5;
constexpr int kH = 4;

// Every pixel of the fixture is different, so a wrong mapping shows.
unsigned distinct(int x, int y) { return (unsigned(10 + 40 * x) << 16) | (unsigned(20 + 50 * y) << 8) | unsigned(x * 7 + y); }

class PixelOpsTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Opens a picture filled by fill, runs the lines, saves Image1 and returns the saved picture.
    veltrane::Bitmap24 runOn(int width, int height, unsigned (*fill)(int, int), const QString& lines,
                             QStringList* output = nullptr) {
        writeTestBmp(session.path("in.bmp"), width, height, fill);
        const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) + lines +
                                           "save Main.Image1 " + quoted(session.path("out.bmp")) + "\n");
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        if (output) *output = r.outLines();
        return readPicture(session.path("out.bmp"));
    }

    ScriptSession session;
};

}  // namespace

TEST_F(PixelOpsTest, TransformsRearrangePixelsAsTheirMenuItemsSay) {
    struct Case {
        const char* item;
        std::function<unsigned(int x, int y)> expected;
    };
    const Case cases[] = {
        {"upanddownreverse1", [](int x, int y) { return distinct(x, kH - 1 - y); }},
        {"righttoleftreverse1", [](int x, int y) { return distinct(kW - 1 - x, y); }},
        // Even height: even columns flip top to bottom, odd columns stay.
        {"upanddownshift1", [](int x, int y) { return x % 2 == 0 ? distinct(x, kH - 1 - y) : distinct(x, y); }},
        // Odd width: every swap is undone by its partner.
        {"righttoleftshift1", [](int x, int y) { return distinct(x, y); }},
        {"trumpreverse1", [](int x, int y) { return distinct(x < kW / 2 + 1 ? x : kW - 1 - x, y); }},
        {"contratrumpreverse1", [](int x, int y) { return distinct(x, y < kH / 2 ? y : kH - 1 - y); }},
        // The pop-up menu's twins run the same operations.
        {"U1", [](int x, int y) { return distinct(x, kH - 1 - y); }},
        {"T1", [](int x, int y) { return distinct(x < kW / 2 + 1 ? x : kW - 1 - x, y); }},
    };
    for (const Case& c : cases) {
        const veltrane::Bitmap24 out = runOn(kW, kH, distinct, QString("Main.%1.trigger()\n").arg(c.item));
        ASSERT_EQ(out.width(), kW);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) EXPECT_EQ(pixelAt(out, x, y), c.expected(x, y)) << c.item << " at " << x << "," << y;
    }
}

TEST_F(PixelOpsTest, BevelFrameShadesTheEdgesOfAWhitePicture) {
    const veltrane::Bitmap24 out = runOn(14, 13, [](int, int) { return 0xFFFFFFu; }, "Main.N3DframeF1.trigger()\n");
    EXPECT_EQ(pixelAt(out, 5, 0), 0xB4B4B4u) << "top band darkened by 75";
    EXPECT_EQ(pixelAt(out, 0, 5), 0xB4B4B4u) << "left band";
    EXPECT_EQ(pixelAt(out, 3, 3), 0x696969u) << "top-left diagonal darkened twice";
    EXPECT_EQ(pixelAt(out, 13, 6), 0xFFFFFFu) << "right band saturates";
    EXPECT_EQ(pixelAt(out, 6, 12), 0xFFFFFFu) << "bottom band saturates";
}

TEST_F(PixelOpsTest, BevelFrameOnATinyPictureStaysInside) {
    const veltrane::Bitmap24 out = runOn(3, 2, [](int, int) { return 0x000000u; }, "Main.N3DframeF1Click()\n");
    ASSERT_EQ(out.width(), 3);
    // Darkening black changes nothing; of the light bands only the bottom band's last row
    // (k = 11: row 1, columns 1 to 1) falls inside a 3 × 2 picture.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(out, x, y), x == 1 && y == 1 ? 0x4B4B4Bu : 0u) << x << "," << y;
}

TEST_F(PixelOpsTest, HistogramWindowShowsTheCountsAndTheSizeLine) {
    QStringList out;
    runOn(2, 3, [](int x, int) { return x == 0 ? 0x808080u : 0xFF0000u; },
          "Main.DisplayHistogram1.trigger()\nprint Histogram.visible\nprint Histogram.windowTitle\n"
          "print Histogram.Label1.text\nprint Histogram.Chart1.maxValue\nprint Histogram.Chart4.maxValue\n",
          &out);
    ASSERT_EQ(out.size(), 5);
    EXPECT_EQ(out[0], "Histogram.visible = true");
    EXPECT_EQ(out[1], "Histogram.windowTitle = ヒストグラム");
    EXPECT_EQ(out[2], "Histogram.Label1.text = 縦×横：3×2　ピクセル総数：6");
    EXPECT_EQ(out[3], "Histogram.Chart1.maxValue = 3");
    // Luminance: grey 128 (three pixels) and red (30 × 255 / 100 = 76, three pixels).
    EXPECT_EQ(out[4], "Histogram.Chart4.maxValue = 3");

    const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) +
                                       "Main.DisplayHistogram1Click()\nprint Histogram.Series4.values\n");
    QStringList luminance = r.outLines().value(0).section(" = ", 1).split(" | ");
    ASSERT_EQ(luminance.size(), 256);
    EXPECT_EQ(luminance[128], "3");
    EXPECT_EQ(luminance[76], "3");
    luminance.removeAll("0");
    EXPECT_EQ(luminance.size(), 2);
}

TEST_F(PixelOpsTest, RecountKeepsTheSizeLineAndDoesNothingWithoutAPicture) {
    writeTestBmp(session.path("grey.bmp"), 2, 2, [](int, int) { return 0x808080u; });
    const ScriptResult r = session.run(
        "answer open " + quoted(session.path("grey.bmp")) + "\nMain.OPEN1Click()\n"
        "Main.DisplayHistogram1Click()\nMain.upanddownreverse1Click()\nMain.ExtendedHistogram1Click()\n"
        "Histogram.ShineSpeedButton1.click()\nprint Histogram.Chart1.maxValue\nprint Histogram.Series1.values\n"
        "print Histogram.Label1.text\nMain.CLOSE1Click()\nHistogram.BitBtn1Click()\nprint Histogram.Label1.text\n"
        "print Histogram.visible\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList out = r.outLines();
    ASSERT_EQ(out.size(), 5);
    EXPECT_EQ(out[0], "Histogram.Chart1.maxValue = 4");
    // Stretching a single-valued picture turns every channel to 0.
    EXPECT_TRUE(out[1].startsWith("Histogram.Series1.values = 4 | 0 | 0")) << out[1].toStdString();
    EXPECT_EQ(out[2], "Histogram.Label1.text = 縦×横：2×2　ピクセル総数：4");
    EXPECT_EQ(out[3], out[2]);
    EXPECT_EQ(out[4], "Histogram.visible = true") << "the window outlives the picture";
}

TEST_F(PixelOpsTest, StretchAndEqualiseWorkPerChannel) {
    // Red 50, 100, 150 in three columns; green constant 7; blue constant 0.
    const veltrane::Bitmap24 stretched =
        runOn(3, 1, [](int x, int) { return (unsigned(50 + 50 * x) << 16) | 0x0700u; }, "Main.ExtendedHistogram1.trigger()\n");
    EXPECT_EQ(pixelAt(stretched, 0, 0), 0x000000u);
    EXPECT_EQ(pixelAt(stretched, 1, 0), 0x7F0000u);
    EXPECT_EQ(pixelAt(stretched, 2, 0), 0xFF0000u);

    // 3 pixels: every cumulative count is below 301, so every level maps to 0.
    const veltrane::Bitmap24 equalised = runOn(3, 1, distinct, "Main.SmoothedHistogram1.trigger()\n");
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(equalised, x, 0), 0u);
}

TEST_F(PixelOpsTest, ThresholdBinarisationDilationAndErosion) {
    // A single white pixel in the middle of black: dilation makes a 3 × 3 square.
    const auto dot = [](int x, int y) { return x == 2 && y == 2 ? 0xFFFFFFu : 0u; };
    veltrane::Bitmap24 out = runOn(5, 5, dot, "Main.DilationD1.trigger()\n");
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(pixelAt(out, x, y), (x >= 1 && x <= 3 && y >= 1 && y <= 3) ? 0xFFFFFFu : 0u) << x << "," << y;

    // Erosion of a 3 × 3 white square keeps its centre.
    const auto square = [](int x, int y) { return x >= 1 && x <= 3 && y >= 1 && y <= 3 ? 0xFFFFFFu : 0u; };
    out = runOn(5, 5, square, "Main.ErosionE1.trigger()\n");
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(pixelAt(out, x, y), x == 2 && y == 2 ? 0xFFFFFFu : 0u) << x << "," << y;

    // A single grey value binarises to white (the threshold stays 0).
    out = runOn(3, 2, [](int, int) { return 0x404040u; }, "Main.BinaryB1.trigger()\n");
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(out, x, y), 0xFFFFFFu);
}

TEST_F(PixelOpsTest, MonoTintUsesThePickedColourAndCancelChangesNothing) {
    const auto greys = [](int x, int) { return x == 0 ? 0xFFFFFFu : 0x808080u; };
    veltrane::Bitmap24 out = runOn(2, 1, greys, "answer color 255 0 0\nMain.MonoColor1.trigger()\n");
    EXPECT_EQ(pixelAt(out, 0, 0), 0xFF0000u);
    EXPECT_EQ(pixelAt(out, 1, 0), 0x800000u);
    out = runOn(2, 1, greys, "answer cancel\nMain.MonoColor1.trigger()\nMain.M2.trigger()\n");
    EXPECT_EQ(pixelAt(out, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(pixelAt(out, 1, 0), 0x808080u);
}

TEST_F(PixelOpsTest, AShownPickerIsDrivenUnderTheNameColorDialog) {
    const auto greys = [](int x, int) { return x == 0 ? 0xFFFFFFu : 0x808080u; };
    QStringList output;
    // The window's boxes start at the component's colour, black; the typed red is taken.
    const veltrane::Bitmap24 out = runOn(2, 1, greys,
                                         "answer show\nMain.MonoColor1.trigger()\nprint ColorDialog.RedEd.text\n"
                                         "ColorDialog.RedEd.text = \"255\"\nColorDialog.RedEdKeyUp()\n"
                                         "ColorDialog.OKBtn.click()\nwait until Main.ColorDialog.Color = 255\n",
                                         &output);
    EXPECT_EQ(output, QStringList{"ColorDialog.RedEd.text = 0"});
    EXPECT_EQ(pixelAt(out, 0, 0), 0xFF0000u);
    EXPECT_EQ(pixelAt(out, 1, 0), 0x800000u);
}
