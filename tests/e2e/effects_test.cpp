// The effects dialog driven from the menus through --script: each command opens its category,
// previews equal the effect on the letterbox, apply by button and by double click, two effects
// in a row, and diffusion from the process's own generator.
#include <gtest/gtest.h>

#include <QSize>

#include "effects/effect_dispatch.h"
#include "image/image_document.h"
#include "image/letterbox.h"
#include "support/plane_fixtures.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned distinct(int x, int y) { return (unsigned(x * 37 & 0xFF) << 16) | (unsigned(y * 53 & 0xFF) << 8) | unsigned((x * y) & 0xFF); }

// The preview an effect gives: the effect on the letterboxed picture, over the whole box.
ColorPlanes expectedPreview(const Bitmap24& picture, int code, int checked, RandomGenerator& random) {
    ColorPlanes box = buildLetterbox(planesOf(picture), letterboxGeometry(picture.width(), picture.height(), 192));
    RunEffect(code, box, checked, random);
    return box;
}

void expectSame(const Bitmap24& shown, const ColorPlanes& expected) {
    ASSERT_EQ(shown.width(), expected.width);
    ASSERT_EQ(shown.height(), expected.height);
    EXPECT_EQ(differingPixels(planesOf(shown), expected), 0);
}

// Script lines that open the dialog, pick category and row as a click does, then click an option.
QString selectItem(int category, int row, const char* option = nullptr) {
    QString lines = QString("Main.ImageProcess1Click()\nImageProcess.ComboBox1.currentIndex = %1\n"
                            "ImageProcess.ComboBox1Change()\nImageProcess.ListBox1.currentRow = %2\n"
                            "ImageProcess.ListBox1Click()\n")
                        .arg(category)
                        .arg(row);
    if (option) lines += QString("ImageProcess.%1.click()\n").arg(option);
    return lines;
}

class EffectsTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    ScriptResult runOn(const QString& picture, const QString& lines) {
        const ScriptResult r = session.run(openPictureLines(picture) + lines);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    ScriptSession session;
};

}  // namespace

TEST_F(EffectsTest, EachCommandOpensItsCategory) {
    writeTestBmp(session.path("p.bmp"), 8, 6, distinct);
    const struct {
        const char* command;
        const char* category;
        int count;
    } cases[] = {{"ImageProcess1Click", "カラー", 17}, {"FilterProcessF1Click", "フィルター", 10}, {"MaskProcessM1Click", "マスク", 11}};
    for (const auto& c : cases) {
        const ScriptResult r = runOn(session.path("p.bmp"), QString("Main.%1()\nprint ImageProcess.ComboBox1.currentText\n"
                                                                     "print ImageProcess.ListBox1.count\n"
                                                                     "print ImageProcess.ListBox1.currentRow\n"
                                                                     "print ImageProcess.GroupBox1.visible\n"
                                                                     "ImageProcess.IMAGE_PROCESS.click()\n")
                                                                 .arg(c.command));
        EXPECT_EQ(r.outLines(), (QStringList{QString("ImageProcess.ComboBox1.currentText = ") + c.category,
                                             QString("ImageProcess.ListBox1.count = %1").arg(c.count),
                                             "ImageProcess.ListBox1.currentRow = -1", "ImageProcess.GroupBox1.visible = false"}))
            << c.command;
    }
    const ScriptResult none = session.run("Main.ImageProcess1Click()\nprint Main.windowTitle\n");
    EXPECT_EQ(none.outLines(), QStringList{"Main.windowTitle = Veltrane"}) << "no picture, no dialog";
}

// One item per family, previewed on a wide and a tall picture.
TEST_F(EffectsTest, PreviewsAreTheEffectOnTheLetterbox) {
    const struct {
        int category, row;
        const char* option;  // a radio button to click after the item, or nothing
        int checked;
    } cases[] = {{0, 10, nullptr, 0}, {1, 0, "RadioButton2", 2}, {2, 5, nullptr, 0}, {3, 1, nullptr, 0}, {4, 2, "RadioButton2", 2}};
    for (const QSize size : {QSize(40, 23), QSize(17, 31)}) {
        writeTestBmp(session.path("p.bmp"), size.width(), size.height(), distinct);
        const Bitmap24 picture = readPicture(session.path("p.bmp"));
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << size.width() << "×" << size.height() << " code " << c.category * 20 + c.row);
            QString lines = selectItem(c.category, c.row, c.option);
            lines += "save ImageProcess.Image1 " + quoted(session.path("preview.bmp")) + "\nImageProcess.IMAGE_PROCESS.click()\n";
            runOn(session.path("p.bmp"), lines);
            RandomGenerator random;
            expectSame(readPicture(session.path("preview.bmp")), expectedPreview(picture, c.category * 20 + c.row, c.checked, random));
        }
    }
}

// One item per family applied to the whole picture, by the button and by a double click.
TEST_F(EffectsTest, ApplyByButtonAndByDoubleClickAndTwoInARow) {
    writeTestBmp(session.path("p.bmp"), 13, 9, distinct);
    const ColorPlanes picture = planesOf(readPicture(session.path("p.bmp")));
    const struct {
        int category, row;
        const char* option;
        int checked;
    } cases[] = {{0, 10, nullptr, 0}, {1, 4, nullptr, 0}, {2, 5, nullptr, 0}, {3, 3, nullptr, 0}, {4, 5, "RadioButton4", 4}};
    RandomGenerator random;
    for (const auto& c : cases) {
        for (const char* how : {"ImageProcess.ShineSpeedButton1.click()", "ImageProcess.ListBox1DblClick()"}) {
            SCOPED_TRACE(testing::Message() << "code " << c.category * 20 + c.row << " by " << how);
            QString lines = selectItem(c.category, c.row, c.option);
            lines += QString("%1\nprint ImageProcess.ListBox1.currentRow\nImageProcess.IMAGE_PROCESS.click()\n"
                             "save Main.Image1 %2\n")
                         .arg(how, quoted(session.path("out.bmp")));
            const ScriptResult r = runOn(session.path("p.bmp"), lines);
            EXPECT_EQ(r.outLines(), QStringList{"ImageProcess.ListBox1.currentRow = -1"});
            ColorPlanes expected = picture;
            RunEffect(c.category * 20 + c.row, expected, c.checked, random);
            expectSame(readPicture(session.path("out.bmp")), expected);
        }
    }
    // "ネガホジ", then "XORマスク": the second works on the first's result.
    const ScriptResult r = runOn(session.path("p.bmp"), "Main.ImageProcess1Click()\nImageProcess.ListBox1.currentRow = 13\n"
                                                        "ImageProcess.ListBox1Click()\nImageProcess.ShineSpeedButton1.click()\n"
                                                        "ImageProcess.ComboBox1.currentIndex = 2\nImageProcess.ComboBox1Change()\n"
                                                        "ImageProcess.ListBox1.currentRow = 7\nImageProcess.ListBox1DblClick()\n"
                                                        "ImageProcess.IMAGE_PROCESS.click()\nsave Main.Image1 " +
                                                            quoted(session.path("two.bmp")) + "\n");
    ColorPlanes expected = picture;
    RunEffect(13, expected, 0, random);
    RunEffect(47, expected, 0, random);
    expectSame(readPicture(session.path("two.bmp")), expected);
}

// From a fresh start the diffusion preview draws from state 1.
TEST_F(EffectsTest, DiffusionPreviewFromAFreshStart) {
    writeTestBmp(session.path("p.bmp"), 30, 20, distinct);
    const Bitmap24 picture = readPicture(session.path("p.bmp"));
    runOn(session.path("p.bmp"), selectItem(4, 10) + "save ImageProcess.Image1 " + quoted(session.path("preview.bmp")) +
                                     "\nImageProcess.IMAGE_PROCESS.click()\n");
    RandomGenerator fresh;
    expectSame(readPicture(session.path("preview.bmp")), expectedPreview(picture, 90, 1, fresh));
}
