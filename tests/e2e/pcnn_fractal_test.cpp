// The PCNN and fractal windows driven from the menus through --script: an automatic run holds
// the script until it ends, a step run, apply with the main window's caption and size, and the
// fractal window's presses and apply with and without a picture.
#include <gtest/gtest.h>

#include "fractal/fractal_draw.h"
#include "image/image_document.h"
#include "image/letterbox.h"
#include "pcnn/pcnn_network.h"
#include "support/plane_fixtures.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned distinct(int x, int y) { return (unsigned(x * 37 & 0xFF) << 16) | (unsigned(y * 53 & 0xFF) << 8) | unsigned((x * y) & 0xFF); }

// The value printed by a "print" line.
QString valueOf(const QString& line) { return line.section(" = ", 1); }

// The pulse picture of `passes` passes of the network over the picture file's letterbox.
Bitmap24 pulsePicture(const QString& file, const PcnnParameters& parameters, int passes) {
    const Bitmap24 picture = readPicture(file);
    ColorPlanes planes(picture.width(), picture.height());
    splitBitmap(picture, planes);
    PcnnNetwork network;
    network.ResetNetwork();
    network.StartRun(buildLetterbox(planes, letterboxGeometry(planes.width, planes.height, 256)), parameters);
    Bitmap24 result(256, 256);
    for (int i = 0; i < passes; ++i) network.Pass(result);
    return result;
}

class PcnnFractalTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    QStringList run(const QString& script) {
        const ScriptResult r = session.run(script);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.outLines();
    }

    QString openPicture() {
        writeTestBmp(picture(), 30, 20, distinct);
        return "answer open " + quoted(picture()) + "\nMain.OPEN1Click()\n";
    }
    QString picture() const { return session.path("photo.bmp"); }

    ScriptSession session;
};

}  // namespace

TEST_F(PcnnFractalTest, AutomaticRunHoldsTheScriptThenApplySizesAndCaptionsTheMainWindow) {
    const QStringList out = run(openPicture() +
                                "Main.PCNNP1.trigger()\n"
                                "PCNN.ComboBox1.currentIndex = 0\n"
                                "PCNN.BitBtn3.click()\n"
                                "print PCNN.Label2.text\nprint PCNN.ProgressBar1.value\nprint PCNN.width\n"
                                "print PCNN.BitBtn3.enabled\n"
                                "save PCNN.Image1 " + quoted(session.path("pulses.bmp")) + "\n"
                                "PCNN.BitBtn1.click()\n"
                                "PCNN.close()\n"
                                "print Main.windowTitle\nprint Main.width\nprint Main.height\nprint Main.ToolBar1.height\n"
                                "save Main.Image1 " + quoted(session.path("applied.bmp")) + "\n"
                                "Main.G1Click()\n"
                                "save Main.Image1 " + quoted(session.path("original.bmp")) + "\n");
    ASSERT_EQ(out.size(), 8);
    EXPECT_EQ(out[0], "PCNN.Label2.text = 処理回数10/10");
    EXPECT_EQ(out[1], "PCNN.ProgressBar1.value = 0");
    EXPECT_EQ(out[2], "PCNN.width = 590");
    EXPECT_EQ(out[3], "PCNN.BitBtn3.enabled = true");
    EXPECT_EQ(out[4], "Main.windowTitle = photo.bmp PCNN(256×256)");
    EXPECT_EQ(out[5], "Main.width = 520");
    EXPECT_EQ(valueOf(out[6]).toInt(), valueOf(out[7]).toInt() + 333);
    PcnnParameters parameters;
    parameters.passes = 10;
    const Bitmap24 expected = pulsePicture(picture(), parameters, 10);
    EXPECT_TRUE(samePixels(readPicture(session.path("pulses.bmp")), expected));
    EXPECT_TRUE(samePixels(readPicture(session.path("applied.bmp")), expected));
    // The applied picture is the original now.
    EXPECT_TRUE(samePixels(readPicture(session.path("original.bmp")), expected));
}

TEST_F(PcnnFractalTest, StepRunOfTwentyPassesTurnsNextBackToStart) {
    QString lines = openPicture() + "Main.PCNNP1Click()\nPCNN.RadioButton2.click()\nPCNN.RadioButton4.click()\n"
                                    "print PCNN.ComboBox2.enabled\n"
                                    "PCNN.BitBtn3.click()\nprint PCNN.BitBtn3.text\nprint PCNN.width\n";
    for (int i = 1; i < 20; ++i) lines += "PCNN.BitBtn3.click()\n";
    lines += "print PCNN.BitBtn3.text\nprint PCNN.Label2.text\nprint PCNN.width\n"
             "save PCNN.Image1 " + quoted(session.path("pulses.bmp")) + "\nPCNN.close()\n";
    const QStringList out = run(lines);
    EXPECT_EQ(out, (QStringList{"PCNN.ComboBox2.enabled = false", "PCNN.BitBtn3.text = next", "PCNN.width = 440",
                                "PCNN.BitBtn3.text = start", "PCNN.Label2.text = 処理回数20/20", "PCNN.width = 590"}));
    PcnnParameters parameters;
    parameters.input = PcnnInput::Rgb;
    EXPECT_TRUE(samePixels(readPicture(session.path("pulses.bmp")), pulsePicture(picture(), parameters, 20)));
}

TEST_F(PcnnFractalTest, PcnnCommandDoesNothingWithoutAPicture) {
    const ScriptResult r = session.run("Main.PCNNP1Click()\nPCNN.BitBtn3.click()\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("PCNN")) << r.err.toStdString();
}

TEST_F(PcnnFractalTest, MandelbrotClicksThenApplyWithoutAPicture) {
    const QStringList out = run("Main.MandelbrotM1.trigger()\n"
                                "CHAOS.Image1MouseDown(1, 192, 100)\n"
                                "CHAOS.Image1MouseDown(3, 10, 10)\n"
                                "CHAOS.Image1MouseDown(2, 60, 200)\n"
                                "save CHAOS.Image1 " + quoted(session.path("view.bmp")) + "\n"
                                "CHAOS.Button1.click()\n"
                                "CHAOS.OKBtn.click()\n"
                                "print Main.windowTitle\nprint Main.width\nprint Main.height\nprint Main.ToolBar1.height\n"
                                "print Main.CLOSE1.enabled\nprint Main.NextFileN1.enabled\n"
                                "save Main.Image1 " + quoted(session.path("applied.bmp")) + "\n");
    ASSERT_EQ(out.size(), 6);
    EXPECT_EQ(out[0], "Main.windowTitle = Mandelbrot(256×256)");
    EXPECT_EQ(out[1], "Main.width = 485");
    EXPECT_EQ(valueOf(out[2]).toInt(), valueOf(out[3]).toInt() + 333);
    EXPECT_EQ(out[4], "Main.CLOSE1.enabled = true");
    EXPECT_EQ(out[5], "Main.NextFileN1.enabled = false");
    FractalView view = zoomView(kMandelbrotStartView, 1, 192, 100);
    view = zoomView(view, 2, 60, 200);
    const Bitmap24 expected = fractalBitmap(DrawMandelbrot(view));
    EXPECT_TRUE(samePixels(readPicture(session.path("view.bmp")), expected));
    EXPECT_TRUE(samePixels(readPicture(session.path("applied.bmp")), expected));
}

TEST_F(PcnnFractalTest, JuliaApplyOverAPictureKeepsTheFileNameForLaterCaptions) {
    const QStringList out = run(openPicture() + "Main.JuliaJ1Click()\nCHAOS.Button1.click()\nCHAOS.close()\n"
                                                "print Main.windowTitle\nMain.N501Click()\nprint Main.windowTitle\n"
                                                "save Main.Image1 " + quoted(session.path("applied.bmp")) + "\n");
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out[0], "Main.windowTitle = Julia(256×256)");
    EXPECT_TRUE(out[1].startsWith("Main.windowTitle = photo.bmp(256×256")) << out[1].toStdString();
    EXPECT_TRUE(samePixels(readPicture(session.path("applied.bmp")), fractalBitmap(DrawJulia(kJuliaStartView))));
}
