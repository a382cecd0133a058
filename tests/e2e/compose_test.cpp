// The join and merge window driven from the menus through --script: joins in four directions
// and merges by every rule, checked on the saved picture and the caption; every refusal with
// its message and the picture unchanged.
#include <gtest/gtest.h>

#include <QFile>

#include "image/image_file.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

// The current picture: every pixel its own dark colour. The second: its own light colour.
unsigned current(int x, int y) { return rgb((10 + x) & 0xFF, 20 + y, 30); }
unsigned second(int x, int y) { return rgb((200 + x) & 0xFF, 210 + y, 220); }

// The merge fixture: one colour each, set per test.
unsigned gColour = 0;
unsigned oneColour(int, int) { return gColour; }

class ComposeTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Opens cur.bmp, runs the lines, saves the main picture to out.bmp and prints the caption.
    ScriptResult runOn(const QString& lines) {
        const ScriptResult r = session.run(openPictureLines(session.path("cur.bmp")) + lines +
                                           "save Main.Image1 " + quoted(session.path("out.bmp")) + "\nprint Main.windowTitle\n");
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    ScriptSession session;
};

}  // namespace

// Current 3 × 2 and second 2 × 4: up and down pad the second to 3 wide, left and right pad the
// current to 4 high; the padding is white.
TEST_F(ComposeTest, JoinsInFourDirections) {
    writeTestBmp(session.path("cur.bmp"), 3, 2, current);
    writeTestBmp(session.path("sec.bmp"), 2, 4, second);
    constexpr unsigned white = 0xFFFFFF;
    const struct {
        const char* button;
        int width, height;
        const char* padded;
        // Where each picture starts in the result.
        int secondX, secondY, currentX, currentY;
    } cases[] = {
        {"RadioButtonUp", 3, 6, "3×4", 0, 0, 0, 4},
        {"RadioButtonDown", 3, 6, "3×4", 0, 2, 0, 0},
        {"RadioButtonLeft", 5, 4, "2×4", 0, 0, 2, 0},
        {"RadioButtonRight", 5, 4, "2×4", 3, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        const ScriptResult r = runOn(QString("Main.Joint.trigger()\nprint MargeJoint.LabelDisp.text\n"
                                             "print MargeJoint.PageControl1.currentIndex\nMargeJoint.%1.click()\n"
                                             "drop MargeJoint %2\nprint MargeJoint.EditPath.text\nMargeJoint.OKBtn.click()\n")
                                         .arg(c.button, quoted(session.path("sec.bmp"))));
        EXPECT_EQ(r.outLines(),
                  (QStringList{"MargeJoint.LabelDisp.text = 連結する画像ファイル", "MargeJoint.PageControl1.currentIndex = 0",
                               "MargeJoint.EditPath.text = " + session.path("sec.bmp"),
                               QString("Main.windowTitle = cur.bmp(3×2)とsec.bmp(%1)を連結").arg(c.padded)}));
        const Bitmap24 out = readPicture(session.path("out.bmp"));
        ASSERT_EQ(out.width(), c.width);
        ASSERT_EQ(out.height(), c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int sx = x - c.secondX, sy = y - c.secondY, cx = x - c.currentX, cy = y - c.currentY;
                const bool inSecond = sx >= 0 && sx < 2 && sy >= 0 && sy < 4;
                const bool inCurrent = cx >= 0 && cx < 3 && cy >= 0 && cy < 2;
                const unsigned expected = inSecond ? second(sx, sy) : inCurrent ? current(cx, cy) : white;
                EXPECT_EQ(pixelAt(out, x, y), expected) << x << ", " << y;
            }
    }
}

// Current (100, 240, 200) over 2 × 2, second (0, 60, 100) of 1 × 1: each rule changes the top
// left pixel only, with the bytes worked from its rule.
TEST_F(ComposeTest, MergesByEveryRuleWhereThePicturesOverlap) {
    gColour = rgb(100, 240, 200);
    writeTestBmp(session.path("cur.bmp"), 2, 2, oneColour);
    gColour = rgb(0, 60, 100);
    writeTestBmp(session.path("sec.bmp"), 1, 1, oneColour);
    const struct {
        const char* lines;
        unsigned expected;
        const char* trackBarEnabled;
    } cases[] = {
        {"", rgb(50, 150, 150), "true"},
        // (m − s) × 0.29 + s in double: 28.999… for 100 over 0.
        {"MargeJoint.TrackBar1.value = 29\n", rgb(28, 112, 129), "true"},
        {"MargeJoint.TrackBar1.value = 0\n", rgb(0, 60, 100), "true"},
        {"MargeJoint.TrackBar1.value = 100\n", rgb(100, 240, 200), "true"},
        {"MargeJoint.RadioButtonBright.click()\n", rgb(100, 240, 200), "false"},
        {"MargeJoint.RadioButtonDark.click()\n", rgb(0, 60, 100), "false"},
        {"MargeJoint.RadioButtonAdd.click()\n", rgb(0, 48, 64), "false"},
        {"MargeJoint.RadioButtonSub.click()\n", rgb(100, 252, 236), "false"},
        {"MargeJoint.RadioButtonXOR.click()\n", rgb(255, 207, 191), "false"},
        {"MargeJoint.RadioButtonXOR2.click()\n", rgb(155, 3, 19), "false"},
        {"MargeJoint.RadioButtonXOR2.click()\nMargeJoint.RadioButtonTransparent.click()\n", rgb(50, 150, 150), "true"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const ScriptResult r =
            runOn(QString("Main.Marge.trigger()\nprint MargeJoint.LabelDisp.text\n%1print MargeJoint.TrackBar1.enabled\n"
                          "print MargeJoint.Edit2.text\nanswer open %2\nMargeJoint.ButtonOpen.click()\n"
                          "MargeJoint.OKBtn.click()\n")
                      .arg(c.lines, quoted(session.path("sec.bmp"))));
        const QStringList lines = r.outLines();
        ASSERT_EQ(lines.size(), 4);
        EXPECT_EQ(lines[0], "MargeJoint.LabelDisp.text = 合成する画像ファイル");
        EXPECT_EQ(lines[1], QString("MargeJoint.TrackBar1.enabled = ") + c.trackBarEnabled);
        EXPECT_TRUE(lines[2].startsWith("MargeJoint.Edit2.text = "));
        EXPECT_EQ(lines[3], "Main.windowTitle = cur.bmp(2×2)とsec.bmpを合成");
        const Bitmap24 out = readPicture(session.path("out.bmp"));
        ASSERT_EQ(out.width(), 2);
        ASSERT_EQ(out.height(), 2);
        EXPECT_EQ(pixelAt(out, 0, 0), c.expected);
        for (const auto& [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}}) EXPECT_EQ(pixelAt(out, x, y), rgb(100, 240, 200));
    }
    const ScriptResult edit = runOn("Main.Marge.trigger()\nMargeJoint.TrackBar1.value = 29\nprint MargeJoint.Edit2.text\n"
                                    "MargeJoint.CancelBtn.click()\n");
    EXPECT_EQ(edit.outLines(), (QStringList{"MargeJoint.Edit2.text = 29", "Main.windowTitle = cur.bmp(2×2)"}));

    // The page showing decides: opened for a join, switched to the merge page, OK merges.
    const ScriptResult switched = runOn("Main.Joint.trigger()\nMargeJoint.PageControl1.currentIndex = 1\ndrop MargeJoint " +
                                        quoted(session.path("sec.bmp")) + "\nMargeJoint.OKBtn.click()\n");
    EXPECT_EQ(switched.outLines(), QStringList{"Main.windowTitle = cur.bmp(2×2)とsec.bmpを合成"});
    EXPECT_EQ(pixelAt(readPicture(session.path("out.bmp")), 0, 0), rgb(50, 150, 150));
}

// A join, then a merge: the caption gains both phrases, and "元画像表示" shows the result.
TEST_F(ComposeTest, TwoInARowAppendTwoPhrasesAndTheResultIsTheOriginal) {
    writeTestBmp(session.path("cur.bmp"), 3, 2, current);
    writeTestBmp(session.path("sec.bmp"), 2, 4, second);
    const QString secPath = quoted(session.path("sec.bmp"));
    const ScriptResult r = runOn("Main.Joint.trigger()\nMargeJoint.RadioButtonDown.click()\ndrop MargeJoint " + secPath +
                                 "\nMargeJoint.OKBtn.click()\nMain.Marge.trigger()\nMargeJoint.RadioButtonBright.click()\n"
                                 "drop MargeJoint " + secPath + "\nMargeJoint.OKBtn.click()\nMain.G1.trigger()\n");
    EXPECT_EQ(r.outLines(),
              QStringList{"Main.windowTitle = cur.bmp(3×2)とsec.bmp(3×4)を連結とsec.bmpを合成"});
    const Bitmap24 out = readPicture(session.path("out.bmp"));
    ASSERT_EQ(out.width(), 3);
    ASSERT_EQ(out.height(), 6);
    EXPECT_EQ(pixelAt(out, 1, 1), second(1, 1)) << "the brighter second picture over the current";
    EXPECT_EQ(pixelAt(out, 2, 3), 0xFFFFFFu) << "the padding stays white";
    EXPECT_EQ(pixelAt(out, 0, 5), second(0, 3)) << "rows beyond the overlap keep the joined picture";
}

// Each refusal prints its message once; the picture and the caption stay as they were.
TEST_F(ComposeTest, RefusalsSayWhyAndLeaveThePicture) {
    writeTestBmp(session.path("cur.bmp"), 12000, 1, current);
    writeTestBmp(session.path("sec.bmp"), 2, 4, second);
    writeTestBmp(session.path("wide.bmp"), 20000, 1, second);
    writeTestBmp(session.path("second.png"), 2, 4, second);
    {
        QFile truncated(session.path("cut.bmp"));
        ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
        truncated.write("BM\x40\0\0\0\0\0\0\0\x36\0\0\0", 14);
    }
    const auto decoderMessage = [](const QString& path) {
        try {
            loadImageFile(QFile::encodeName(path).toStdString(), FileKind::Bmp);
        } catch (const DecodeError& error) {
            return QString::fromUtf8(error.what());
        }
        ADD_FAILURE() << path.toStdString() << " decodes";
        return QString();
    };
    const QString caption = "Main.windowTitle = cur.bmp(12000×1)";
    const struct {
        const char* what;
        QString lines;
        QStringList printed;
    } cases[] = {
        {"two files dropped",
         "Main.Joint.trigger()\ndrop MargeJoint " + quoted(session.path("sec.bmp")) + " " + quoted(session.path("sec.bmp")) +
             "\nprint MargeJoint.EditPath.text\nprint MargeJoint.OKBtn.enabled\nMargeJoint.close()\n",
         {"message: : 複数のファイルを同時に開けません", "MargeJoint.EditPath.text = ", "MargeJoint.OKBtn.enabled = false",
          caption}},
        {"a dropped .Jpg",
         "Main.Marge.trigger()\ndrop MargeJoint " + quoted(session.path("a.Jpg")) +
             "\nprint MargeJoint.EditPath.text\nMargeJoint.CancelBtn.click()\n",
         {"message: : 開けない形式のファイルです", "MargeJoint.EditPath.text = ", caption}},
        {"a chosen .png",
         "Main.Joint.trigger()\nanswer open " + quoted(session.path("second.png")) +
             "\nMargeJoint.ButtonOpen.click()\nprint MargeJoint.OKBtn.enabled\nMargeJoint.OKBtn.click()\n",
         {"MargeJoint.OKBtn.enabled = true", "message: : 開けない形式のファイルです", caption}},
        {"a missing file",
         "Main.Marge.trigger()\ndrop MargeJoint " + quoted(session.path("ない.bmp")) + "\nMargeJoint.OKBtn.click()\n",
         {"message: : " + decoderMessage(session.path("ない.bmp")), caption}},
        {"a truncated file",
         "Main.Joint.trigger()\ndrop MargeJoint " + quoted(session.path("cut.bmp")) + "\nMargeJoint.OKBtn.click()\n",
         {"message: : " + decoderMessage(session.path("cut.bmp")), caption}},
        {"a join too large",
         "Main.Joint.trigger()\nMargeJoint.RadioButtonRight.click()\ndrop MargeJoint " + quoted(session.path("wide.bmp")) +
             "\nMargeJoint.OKBtn.click()\n",
         {"message: : 連結後の画像が大きすぎます（幅 32000 × 高さ 1）", caption}},
    };
    const Bitmap24 before = readPicture(session.path("cur.bmp"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(session.path("out.bmp"));
        const ScriptResult r = runOn(c.lines);
        EXPECT_EQ(r.outLines(), c.printed);
        const Bitmap24 out = readPicture(session.path("out.bmp"));
        ASSERT_EQ(out.width(), 12000);
        ASSERT_EQ(out.height(), 1);
        for (const int x : {0, 1, 11999}) EXPECT_EQ(pixelAt(out, x, 0), pixelAt(before, x, 0));
    }
}
