// The tone colour window driven from the menu through --script: the curve box after a press,
// the previews and value bars, OK with the channel choices (no choice included) and Cancel.
#include <gtest/gtest.h>

#include "support/script_run.h"

using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

// A 4 × 2 picture: in the 128 box it fills rows 32..95, each pixel a 32 × 32 square.
const unsigned kPicture[2][4] = {{rgb(64, 200, 10), rgb(0, 128, 255), rgb(1, 127, 30), rgb(20, 255, 0)},
                                 {rgb(255, 255, 255), rgb(0, 0, 0), rgb(100, 50, 64), rgb(127, 1, 10)}};
unsigned picture(int x, int y) { return kPicture[y][x]; }

// After a press at the top of column 128 the table rises from (0, 0) to (128, 255), so v
// becomes 255 − trunc(v × 255 / 128) up to 128 and 0 above; worked by hand for the picture.
const unsigned kPressed[2][4] = {{rgb(128, 0, 236), rgb(255, 0, 0), rgb(254, 2, 196), rgb(216, 0, 255)},
                                 {rgb(0, 0, 0), rgb(255, 255, 255), rgb(56, 156, 128), rgb(2, 254, 236)}};

// Each channel of the picture's colour c kept or negated.
unsigned negated(unsigned c, bool red, bool green, bool blue) {
    const unsigned mask = (red ? 0xFF0000u : 0) | (green ? 0x00FF00u : 0) | (blue ? 0x0000FFu : 0);
    return c ^ mask;
}

class ToneColorTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.writeQuietSettings();
        writeTestBmp(session.path("in.bmp"), 4, 2, picture);
    }

    ScriptResult run(const QString& lines) {
        const ScriptResult r = session.run(openPictureLines(session.path("in.bmp")) + lines +
                                           "save Main.Image1 " + quoted(session.path("out.bmp")) + "\n");
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }
    QString save(const char* control, const char* file) const {
        return QString("save ToneColor.%1 %2\n").arg(control, quoted(session.path(file)));
    }
    veltrane::Bitmap24 saved(const char* file) const { return readPicture(session.path(file)); }

    ScriptSession session;
};

}  // namespace

TEST_F(ToneColorTest, PressAtTheTopOfColumn128ThenOk) {
    run("Main.ToneColorT1.trigger()\n" + save("Image5", "before.bmp") + save("Image2", "across.bmp") +
        save("Image3", "up.bmp") + "ToneColor.Image1MouseDown(1, 128, 0)\n" + save("Image1", "box.bmp") +
        save("Image4", "original.bmp") + save("Image5", "processed.bmp") + "ToneColor.OKBtn.click()\n");

    // The curve box: box row r is input 255 − r, lit in yellow at column table[input]; the grey
    // grid lies on rows 63, 127, 191 and columns 64, 128, 192, over the curve.
    const veltrane::Bitmap24 box = saved("box.bmp");
    ASSERT_EQ(box.width(), 255);
    ASSERT_EQ(box.height(), 255);
    int wrong = 0;
    for (int r = 0; r < 255; ++r)
        for (int c = 0; c < 255; ++c) {
            const int input = 255 - r;
            const int value = input <= 128 ? input * 255 / 128 : 255;
            const bool grid = r == 63 || r == 127 || r == 191 || c == 64 || c == 128 || c == 192;
            const unsigned expected = grid ? rgb(128, 128, 128) : c == value ? rgb(255, 255, 0) : 0;
            if (pixelAt(box, c, r) != expected && ++wrong <= 5)
                ADD_FAILURE() << "box pixel " << c << "," << r << ": " << std::hex << pixelAt(box, c, r);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(pixelAt(box, 63, 223), rgb(255, 255, 0)) << "input 32 has value 63";

    // The bars at their own sizes, grey for "RGB".
    const veltrane::Bitmap24 across = saved("across.bmp"), up = saved("up.bmp");
    ASSERT_EQ(across.width(), 255);
    ASSERT_EQ(across.height(), 18);
    ASSERT_EQ(up.width(), 18);
    ASSERT_EQ(up.height(), 255);
    EXPECT_EQ(pixelAt(across, 200, 17), rgb(200, 200, 200));
    EXPECT_EQ(pixelAt(up, 0, 55), rgb(200, 200, 200));

    // The previews: unprocessed until the press; then the whole box, bands (black) turning white.
    const veltrane::Bitmap24 before = saved("before.bmp"), original = saved("original.bmp"),
                             processed = saved("processed.bmp");
    ASSERT_EQ(processed.width(), 128);
    ASSERT_EQ(processed.height(), 128);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const int bx = 32 * x + 16, by = 48 + 32 * y;
            EXPECT_EQ(pixelAt(before, bx, by), picture(x, y));
            EXPECT_EQ(pixelAt(original, bx, by), picture(x, y));
            EXPECT_EQ(pixelAt(processed, bx, by), kPressed[y][x]) << x << "," << y;
        }
    EXPECT_EQ(pixelAt(before, 10, 10), 0u);
    EXPECT_EQ(pixelAt(processed, 10, 10), rgb(255, 255, 255));
    EXPECT_EQ(pixelAt(processed, 100, 120), rgb(255, 255, 255));

    const veltrane::Bitmap24 out = saved("out.bmp");
    ASSERT_EQ(out.width(), 4);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelAt(out, x, y), kPressed[y][x]) << x << "," << y;
}

TEST_F(ToneColorTest, OkAppliesTheChosenChannels) {
    struct Case {
        const char* what;
        const char* lines;
        bool red, green, blue;
    };
    const Case cases[] = {
        {"right after opening: the negative", "", true, true, true},
        {"R only", "ToneColor.ComboBox1.currentIndex = 1\nToneColor.ComboBox1Change()\n", true, false, false},
        {"G only", "ToneColor.ComboBox1.currentIndex = 2\nToneColor.ComboBox1Change()\n", false, true, false},
        // The list set in code runs nothing, but OK reads the choice.
        {"B only, no handler run", "ToneColor.ComboBox1.currentIndex = 3\n", false, false, true},
        {"no item: nothing changes", "ToneColor.ComboBox1.currentIndex = -1\nToneColor.ComboBox1Change()\n", false,
         false, false},
        // A right or middle press adds no point.
        {"other buttons", "ToneColor.Image1MouseDown(2, 128, 0)\nToneColor.Image1MouseDown(3, 128, 0)\n", true, true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        run(QString("Main.ToneColorT1.trigger()\n") + c.lines + "ToneColor.OKBtn.click()\n");
        const veltrane::Bitmap24 out = saved("out.bmp");
        ASSERT_EQ(out.width(), 4);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(pixelAt(out, x, y), negated(picture(x, y), c.red, c.green, c.blue)) << x << "," << y;
    }
}

TEST_F(ToneColorTest, GreenOnlyPreviewAndBars) {
    run("Main.ToneColorT1.trigger()\nToneColor.ComboBox1.currentIndex = 2\nToneColor.ComboBox1Change()\n" +
        save("Image5", "processed.bmp") + save("Image2", "across.bmp") + save("Image1", "box.bmp") +
        "print ToneColor.ComboBox1.currentText\nToneColor.CancelBtn.click()\n");
    const veltrane::Bitmap24 processed = saved("processed.bmp");
    EXPECT_EQ(pixelAt(processed, 16, 48), rgb(64, 55, 10));
    EXPECT_EQ(pixelAt(processed, 10, 10), rgb(0, 255, 0)) << "the bands are processed too";
    EXPECT_EQ(pixelAt(saved("across.bmp"), 200, 0), rgb(0, 200, 0));
    EXPECT_EQ(pixelAt(saved("box.bmp"), 100, 155), rgb(0, 255, 0));
}

TEST_F(ToneColorTest, CancelAndCloseLeaveThePictureAndEndTheWindow) {
    for (const char* way : {"ToneColor.CancelBtn.click()\n", "ToneColor.close()\n"}) {
        SCOPED_TRACE(way);
        run(QString("Main.ToneColorT1.trigger()\nToneColor.Image1MouseDown(1, 128, 0)\n") + way);
        const veltrane::Bitmap24 out = saved("out.bmp");
        ASSERT_EQ(out.width(), 4);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelAt(out, x, y), picture(x, y)) << x << "," << y;
    }
    // Once ended the window's name is unknown to the script.
    const ScriptResult r = session.run("answer open " + quoted(session.path("in.bmp")) +
                                       "\nMain.OPEN1Click()\nMain.ToneColorT1Click()\nToneColor.CancelBtn.click()\n"
                                       "print ToneColor.windowTitle\n");
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("ToneColor")) << r.err.toStdString();
}
