// "HSIで抽出(&S)" driven through --script: the preview of wide, tall and tiny pictures, the
// extraction by the HSI rule with the start ranges and with moved bars, the value labels and
// the frame controls that are off in this mode.
#include <gtest/gtest.h>

#include "frames/extraction_preview.h"
#include "frames/hsi_range.h"
#include "image/image_document.h"
#include "support/plane_fixtures.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

// Skin tones, greys, saturated and dark colours spread over the picture.
unsigned mixed(int x, int y) {
    const unsigned skin[] = {rgb(224, 172, 138), rgb(200, 150, 120), rgb(180, 120, 90), rgb(240, 200, 170)};
    if ((x + y) % 3 == 0) return skin[(x / 3 + y) % 4];
    return rgb(x * 29 & 0xFF, y * 41 & 0xFF, (x * 13 + y * 7) & 0xFF);
}

// Twelve colours, one a pixel.
const unsigned kTwelve[] = {rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(0, 0, 255),   rgb(255, 255, 0),
                            rgb(0, 255, 255), rgb(255, 0, 255), rgb(224, 172, 138), rgb(60, 40, 30),
                            rgb(128, 128, 128), rgb(255, 255, 255), rgb(1, 2, 3), rgb(200, 150, 100)};
unsigned twelve(int x, int y) { return kTwelve[y * 4 + x]; }

unsigned previewPixel(const ColorPlanes& p, int x, int y) { return rgb(p.R[y][x], p.G[y][x], p.B[y][x]); }

class FrameExtractionScriptTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Opens in.bmp, opens the extraction by its menu item, runs the lines inside it and saves
    // both images.
    ScriptResult runOn(const QString& lines) {
        const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) +
                                           "Main.ExtractSkinColor.trigger()\n" + lines + "save Experiment.Image1 " +
                                           quoted(session.path("image1.bmp")) + "\nsave Experiment.Image2 " +
                                           quoted(session.path("image2.bmp")) + "\nExperiment.close()\nprint Main.visible\n");
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    ScriptSession session;
};

}  // namespace

TEST_F(FrameExtractionScriptTest, WideAndTallPicturesExtractByTheHsiRule) {
    struct Case {
        const char* what;
        int width, height;
        QString lines;
        HsiRange range;
    };
    const Case cases[] = {
        {"wide, start ranges", 90, 30, "Experiment.BitBtn2.click()\n", hsiRangeFromPositions(0, 65, 15, 75, 26, 90)},
        {"tall, start ranges", 30, 90, "Experiment.BitBtn2Click()\n", hsiRangeFromPositions(0, 65, 15, 75, 26, 90)},
        {"wide, every hue from 630 down to 0, saturation 0..1",
         90, 30,
         "Experiment.TrackBar2.value = 630\nExperiment.TrackBar5.value = 0\nExperiment.TrackBar3.value = 0\n"
         "Experiment.TrackBar8.value = 100\nExperiment.BitBtn2.click()\n",
         hsiRangeFromPositions(630, 0, 0, 100, 26, 90)},
        {"tall, reversed intensity bounds", 30, 90,
         "Experiment.TrackBar4.value = 95\nExperiment.TrackBar11.value = 20\nExperiment.BitBtn2.click()\n",
         hsiRangeFromPositions(0, 65, 15, 75, 95, 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeTestBmp(session.path("in.bmp"), c.width, c.height, mixed);
        const ScriptResult r = runOn(c.lines);
        EXPECT_TRUE(r.outLines().contains("Main.visible = true"));
        const ColorPlanes preview = buildExtractionPreview(planesOf(readPicture(session.path("in.bmp"))));
        const Bitmap24 image1 = readPicture(session.path("image1.bmp"));
        const Bitmap24 image2 = readPicture(session.path("image2.bmp"));
        ASSERT_EQ(image1.width(), 280);
        ASSERT_EQ(image1.height(), 210);
        ASSERT_EQ(image2.width(), 280);
        ASSERT_EQ(image2.height(), 210);
        int wrong1 = 0, wrong2 = 0, kept = 0;
        for (int y = 0; y < 210; ++y)
            for (int x = 0; x < 280; ++x) {
                const unsigned source = previewPixel(preview, x, y);
                wrong1 += pixelAt(image1, x, y) != source;
                const bool keep = keepsColour(c.range, preview.R[y][x], preview.G[y][x], preview.B[y][x]);
                kept += keep && source != 0;
                wrong2 += pixelAt(image2, x, y) != (keep ? source : 0u);
            }
        EXPECT_EQ(wrong1, 0);
        EXPECT_EQ(wrong2, 0);
        EXPECT_GT(kept, 0);
    }
}

TEST_F(FrameExtractionScriptTest, TheImageOfATinyPictureHoldsEveryColourAndTheWindowIsOnlyTheExtraction) {
    writeTestBmp(session.path("in.bmp"), 4, 3, twelve);
    const ScriptResult r = runOn(
        "print Experiment.height\nprint Experiment.Panel2.width\nprint Experiment.windowTitle\nprint Experiment.fromMain\n"
        "print Experiment.Panel1.enabled\nprint Experiment.Label8.text\nprint Experiment.Label13.text\n"
        "Experiment.TrackBar11.value = 89\nExperiment.TrackBar11.value = 90\nprint Experiment.Label13.text\n"
        "Experiment.TrackBar5.value = 630\nprint Experiment.Label11.text\nExperiment.TrackBar8.value = 100\n"
        "print Experiment.Label12.text\nExperiment.BitBtn2.click()\n");
    const QStringList out = r.outLines();
    for (const char* line : {"Experiment.height = 382", "Experiment.Panel2.width = 593", "Experiment.windowTitle = Experiment",
                             "Experiment.fromMain = true", "Experiment.Panel1.enabled = false",
                             "Experiment.Label8.text = 0.0", "Experiment.Label13.text = 0.90",
                             "Experiment.Label13.text = 0.9", "Experiment.Label11.text = 6.3",
                             "Experiment.Label12.text = 1"})
        EXPECT_TRUE(out.contains(line)) << line << "\n" << r.out.toStdString();

    const Bitmap24 image1 = readPicture(session.path("image1.bmp"));
    const Bitmap24 image2 = readPicture(session.path("image2.bmp"));
    for (int i = 0; i < 12; ++i) {
        bool found = false;
        for (int y = 0; y < 210 && !found; ++y)
            for (int x = 0; x < 280 && !found; ++x) found = pixelAt(image1, x, y) == kTwelve[i];
        EXPECT_TRUE(found) << std::hex << kTwelve[i];
    }
    // Every hue, saturation 0.15..1, intensity 0.26..0.9: red, green, blue, yellow, cyan,
    // magenta and white are too bright, grey and (1, 2, 3) too pale or dark.
    const HsiRange range = hsiRangeFromPositions(0, 630, 15, 100, 26, 90);
    for (int y = 0; y < 210; ++y)
        for (int x = 0; x < 280; ++x) {
            const unsigned c = pixelAt(image1, x, y);
            const bool keep = keepsColour(range, c >> 16, (c >> 8) & 0xFF, c & 0xFF);
            ASSERT_EQ(pixelAt(image2, x, y), keep ? c : 0u) << x << ", " << y;
        }
    EXPECT_TRUE(keepsColour(range, 224, 172, 138));
}

TEST_F(FrameExtractionScriptTest, NothingOpensWithoutAPicture) {
    const ScriptResult r = session.run("Main.ExtractSkinColorClick()\nprint Main.visible\n");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.outLines().contains("Main.visible = true"));
}
