// The gradation map driven through --script: opened by its command, driven by control names,
// applied with OK, left by Cancel and the close box; its previews, bar and original saved and
// checked byte for byte; and the noise that follows an opening.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "adjust/adjustments.h"
#include "colormap/gradation_map.h"
#include "image/image_document.h"
#include "image/letterbox.h"
#include "support/plane_fixtures.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

unsigned distinct(int x, int y) { return rgb(x * 37 & 0xFF, y * 53 & 0xFF, (x * y + 90) & 0xFF); }

// White, black, (200, 100, 50) of luminance 124 and grey 128 of luminance 128.
unsigned fourColours(int x, int) {
    const unsigned colours[] = {rgb(255, 255, 255), rgb(0, 0, 0), rgb(200, 100, 50), rgb(128, 128, 128)};
    return colours[x];
}

unsigned grey(int, int) { return rgb(128, 128, 128); }

void expectSame(const Bitmap24& shown, const ColorPlanes& expected, const char* what) {
    ASSERT_EQ(shown.width(), expected.width) << what;
    ASSERT_EQ(shown.height(), expected.height) << what;
    EXPECT_EQ(differingPixels(planesOf(shown), expected), 0) << what;
}

std::unique_ptr<GradientCatalogue> catalogue() {
    auto c = std::make_unique<GradientCatalogue>();
    RandomGenerator random;
    BuildGradientCatalogue(*c, random);
    return c;
}

class GradationMapTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Opens in.bmp, runs the lines and returns the main picture saved afterwards.
    Bitmap24 runOn(int width, int height, unsigned (*fill)(int, int), const QString& lines) {
        writeTestBmp(session.path("in.bmp"), width, height, fill);
        const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) + lines +
                                           "save Main.Image1 " + quoted(session.path("out.bmp")) + "\n");
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return readPicture(session.path("out.bmp"));
    }

    ScriptSession session;
};

}  // namespace

TEST_F(GradationMapTest, OkMapsEveryPixelByItsIntegerLuminance) {
    struct Case {
        const char* what;
        const char* lines;
        unsigned out[4];  // white, black, luminance 124, grey 128
    };
    const Case cases[] = {
        {"黒: grey negative", "", {rgb(0, 0, 0), rgb(255, 255, 255), rgb(131, 131, 131), rgb(127, 127, 127)}},
        {"逆: grey version", "GradiationMap.CheckBox1.click()\n",
         {rgb(255, 255, 255), rgb(0, 0, 0), rgb(124, 124, 124), rgb(128, 128, 128)}},
        {"反転 on 黒: grey version", "GradiationMap.CheckBox2.click()\n",
         {rgb(255, 255, 255), rgb(0, 0, 0), rgb(124, 124, 124), rgb(128, 128, 128)}},
        {"赤: white to red, black to white", "GradiationMap.ComboBox1.currentIndex = 1\nGradiationMap.ComboBox1Change()\n",
         {rgb(255, 0, 0), rgb(255, 255, 255), rgb(255, 131, 131), rgb(255, 127, 127)}},
        {"赤 with RGB⇔BGR",
         "GradiationMap.ComboBox1.currentIndex = 1\nGradiationMap.ComboBox1Change()\n"
         "GradiationMap.ComboBox2.currentIndex = 5\nGradiationMap.ComboBox2Change()\n",
         {rgb(0, 0, 255), rgb(255, 255, 255), rgb(131, 131, 255), rgb(127, 127, 255)}},
        // An index set without the handler, or −1 with it, leaves "黒".
        {"index without a choice",
         "GradiationMap.ComboBox1.currentIndex = 1\nGradiationMap.ComboBox1.currentIndex = -1\n"
         "GradiationMap.ComboBox1Change()\nGradiationMap.ComboBox2.currentIndex = -1\nGradiationMap.ComboBox2Change()\n",
         {rgb(0, 0, 0), rgb(255, 255, 255), rgb(131, 131, 131), rgb(127, 127, 127)}},
        // A new kind starts at its first gradient and keeps "逆": "メタル(1)" rises to white at
        // entry 170 and falls to black: entry 124 is 255 × 124 / 170 = 186, entry 128 is 192.
        {"kind 2 keeps 逆", "GradiationMap.CheckBox1.click()\nGradiationMap.RadioButton3.click()\n",
         {rgb(0, 0, 0), rgb(0, 0, 0), rgb(186, 186, 186), rgb(192, 192, 192)}},
    };
    for (const Case& c : cases)
        for (const char* command : {"Main.GradiationmapG1Click()\n", "Main.GradiationmapG1.trigger()\n"}) {
            SCOPED_TRACE(std::string(c.what) + " by " + command);
            const Bitmap24 out = runOn(4, 1, fourColours, QString(command) + c.lines + "GradiationMap.OKBtn.click()\n");
            ASSERT_EQ(out.width(), 4);
            for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelAt(out, x, 0), c.out[x]) << std::hex << pixelAt(out, x, 0);
        }
}

// The original, the preview (floating luminance over the whole box, bands included) and the
// bar against the letterbox and the lookup computed here.
TEST_F(GradationMapTest, PreviewBarAndOriginalAsSaved) {
    const auto gradients = catalogue();
    struct Case {
        int width, height;
        const char* lines;
        int kind, slot;
        GradationOptions options;
    };
    const Case cases[] = {
        {40, 20, "", 0, 0, {}},
        {15, 31, "GradiationMap.RadioButton5.click()\nGradiationMap.ComboBox1.currentIndex = 12\nGradiationMap.ComboBox1Change()\n",
         4, 12, {}},
        {1, 1,
         "GradiationMap.RadioButton2.click()\nGradiationMap.ComboBox1.currentIndex = 4\nGradiationMap.ComboBox1Change()\n"
         "GradiationMap.CheckBox1.click()\nGradiationMap.CheckBox2.click()\nGradiationMap.ComboBox2.currentIndex = 3\n"
         "GradiationMap.ComboBox2Change()\n",
         1, 4, {true, 3, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const QString lines = QString("Main.GradiationmapG1Click()\n") + c.lines + "save GradiationMap.Image1 " +
                              quoted(session.path("preview.bmp")) + "\nsave GradiationMap.Image2 " + quoted(session.path("bar.bmp")) +
                              "\nsave GradiationMap.Image3 " + quoted(session.path("original.bmp")) + "\nGradiationMap.CancelBtn.click()\n";
        const Bitmap24 picture = runOn(c.width, c.height, distinct, lines);
        const ColorPlanes box = buildLetterbox(planesOf(picture), letterboxGeometry(c.width, c.height, 128));
        const GradientTable lookup = gradationLookup(gradients->table(c.kind, c.slot), c.options);
        ColorPlanes preview(128, 128);
        renderGradationPreview(box, preview, lookup);
        ColorPlanes bar(255, 33);
        for (int y = 0; y < 33; ++y)
            for (int x = 0; x < 255; ++x) {
                bar.R[y][x] = lookup.R[x];
                bar.G[y][x] = lookup.G[x];
                bar.B[y][x] = lookup.B[x];
            }
        expectSame(readPicture(session.path("original.bmp")), box, "Image3");
        expectSame(readPicture(session.path("preview.bmp")), preview, "Image1");
        expectSame(readPicture(session.path("bar.bmp")), bar, "Image2");
    }
}

TEST_F(GradationMapTest, CancelAndCloseLeaveThePlanes) {
    for (const char* way : {"GradiationMap.CancelBtn.click()\n", "GradiationMap.close()\n"}) {
        SCOPED_TRACE(way);
        // Options changed, then the window left; the flip afterwards reads the planes.
        const Bitmap24 out = runOn(7, 5, distinct,
                                   QString("Main.GradiationmapG1Click()\nGradiationMap.CheckBox2.click()\n"
                                           "GradiationMap.RadioButton2.click()\n") +
                                       way + "Main.upanddownreverse1.trigger()\n");
        ASSERT_EQ(out.width(), 7);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_EQ(pixelAt(out, x, y), distinct(x, 4 - y)) << x << "," << y;
    }
}

// Every opening reseeds the shared generator and leaves it in one state; the ending does not
// restore it. Noise after an opening is the noise from that state, whatever drew before.
TEST_F(GradationMapTest, NoiseAfterAnOpeningDrawsFromTheStateItLeaves) {
    constexpr int W = 40, H = 30;
    RandomGenerator afterOpening;
    afterOpening.seed(2150892846u);
    ColorPlanes expected(W, H);
    for (Plane* p : {&expected.R, &expected.G, &expected.B}) std::fill_n(p->data(), p->size(), std::uint8_t{128});
    noiseFinal(expected, 10, true, afterOpening);
    ColorPlanes fromStart = planesOf(runOn(W, H, grey, "Main.AddNoise1.trigger()\nRGB.OKBtn.click()\n"));

    const char* before[] = {
        "Main.GradiationmapG1Click()\nGradiationMap.CancelBtn.click()\n",
        // A noise preview draws first; the opening reseeds all the same.
        "Main.AddNoise1.trigger()\nRGB.TrackBar10.value = 50\nRGB.CancelBtn.click()\n"
        "Main.GradiationmapG1.trigger()\nGradiationMap.RadioButton5.click()\nGradiationMap.close()\n",
        // OK does not restore the generator either; a second opening ends in the same state.
        "Main.GradiationmapG1Click()\nGradiationMap.CheckBox2.click()\nGradiationMap.OKBtn.click()\n"
        "Main.GradiationmapG1Click()\nGradiationMap.CheckBox2.click()\nGradiationMap.OKBtn.click()\n",
    };
    for (const char* lines : before) {
        SCOPED_TRACE(lines);
        const Bitmap24 out = runOn(W, H, grey, QString(lines) + "Main.AddNoise1.trigger()\nRGB.OKBtn.click()\n");
        expectSame(out, expected, "noise");
    }
    // The state matters: noise from start-up differs.
    bool differs = false;
    for (int y = 0; y < H && !differs; ++y) differs = std::memcmp(fromStart.R[y], expected.R[y], W) != 0;
    EXPECT_TRUE(differs);
}
