// The custom filter window driven through --script: the cells set by their up-downs, the
// divisor read from Label2, "計算する" previewing, the preview saved, OK and Cancel checked
// byte by byte on the main picture.
#include <gtest/gtest.h>

#include <vector>

#include "support/script_run.h"

using namespace veltrane::test;

namespace {

unsigned rgb(int r, int g, int b) { return (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

// The fixture's pixels, row by row; set per case.
std::vector<unsigned> gPixels;
int gWidth = 1;
unsigned fromTable(int x, int y) { return gPixels[static_cast<std::size_t>(y * gWidth + x)]; }
unsigned orange(int, int) { return rgb(200, 100, 50); }

// Script lines giving the 25 cells these values (up-down 1 first, row by row).
QString kernelLines(const std::vector<int>& cells) {
    QString lines;
    for (std::size_t i = 0; i < cells.size(); ++i)
        lines += QString("CustomFilter.UpDown%1.value = %2\n").arg(i + 1).arg(cells[i]);
    return lines;
}

// All zero but the given cells (numbered as the up-downs are).
std::vector<int> sparse(std::initializer_list<std::pair<int, int>> cells) {
    std::vector<int> k(25, 0);
    for (const auto& [number, value] : cells) k[static_cast<std::size_t>(number - 1)] = value;
    return k;
}

class CustomFilterTest : public ::testing::Test {
protected:
    void SetUp() override { session.writeQuietSettings(); }

    // Opens in.bmp, opens the window from its menu item, runs the lines, saves the main picture.
    ScriptResult runOn(int width, int height, unsigned (*fill)(int, int), const QString& lines) {
        writeTestBmp(session.path("in.bmp"), width, height, fill);
        return session.run(openPictureLines(session.path("in.bmp")) + "Main.CustomFilterC1.trigger()\n" +
                           lines + "save Main.Image1 " + quoted(session.path("out.bmp")) + "\n");
    }

    std::vector<unsigned> mainPixels(int width, int height) const {
        const veltrane::Bitmap24 out = readPicture(session.path("out.bmp"));
        EXPECT_EQ(out.width(), width);
        EXPECT_EQ(out.height(), height);
        std::vector<unsigned> pixels;
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x) pixels.push_back(pixelAt(out, x, y));
        return pixels;
    }

    ScriptSession session;
};

}  // namespace

TEST_F(CustomFilterTest, OkAppliesTheCellsAndCancelLeavesThePicture) {
    struct Case {
        const char* what;
        int width, height;
        std::vector<unsigned> pixels;
        std::vector<int> kernel;
        const char* ending;
        const char* divisor;
        std::vector<unsigned> expected;  // worked by hand from the rule
    };
    const Case cases[] = {
        // 3 × centre − 2 × right neighbour, d = 1; the right edge's neighbour is itself.
        {"sharpen rightwards clamps",
         3, 1, {rgb(200, 10, 0), rgb(0, 20, 0), rgb(100, 30, 0)}, sparse({{13, 3}, {14, -2}}), "OKBtn", "1",
         {rgb(255, 0, 0), rgb(0, 0, 0), rgb(100, 30, 0)}},
        // One pixel wide: both rows above row 0 repeat row 0's only column's mirror.
        {"one column reads two up", 1, 3, {rgb(10, 1, 2), rgb(20, 3, 4), rgb(30, 5, 6)}, sparse({{3, 1}}), "OKBtn", "1",
         {rgb(20, 3, 4), rgb(10, 1, 2), rgb(10, 1, 2)}},
        // Sum −1: the pixel comes back (−v / −1).
        {"divisor -1", 2, 2, {rgb(1, 2, 3), rgb(40, 50, 60), rgb(7, 8, 9), rgb(250, 251, 252)}, sparse({{13, -1}}), "OKBtn",
         "-1", {rgb(1, 2, 3), rgb(40, 50, 60), rgb(7, 8, 9), rgb(250, 251, 252)}},
        // Sum 0 is divided by 1: a flat picture goes black.
        {"divisor 0 shown as 1", 2, 1, {rgb(90, 90, 90), rgb(90, 90, 90)}, sparse({{13, 4}, {8, -1}, {12, -1}, {14, -1}, {18, -1}}),
         "OKBtn", "1", {rgb(0, 0, 0), rgb(0, 0, 0)}},
        {"cancel", 3, 1, {rgb(200, 10, 0), rgb(0, 20, 0), rgb(100, 30, 0)}, sparse({{13, 3}, {14, -2}}), "CancelBtn", "1",
         {rgb(200, 10, 0), rgb(0, 20, 0), rgb(100, 30, 0)}},
        {"close box", 3, 1, {rgb(200, 10, 0), rgb(0, 20, 0), rgb(100, 30, 0)}, sparse({{13, 3}, {14, -2}}), nullptr, "1",
         {rgb(200, 10, 0), rgb(0, 20, 0), rgb(100, 30, 0)}},
    };
    for (const Case& c : cases) {
        gPixels = c.pixels;
        gWidth = c.width;
        const QString ending = c.ending ? QString("CustomFilter.%1.click()\n").arg(c.ending) : "CustomFilter.close()\n";
        const ScriptResult r = runOn(c.width, c.height, fromTable,
                                     kernelLines(c.kernel) + "CustomFilter.ShineSpeedButton1.click()\nprint CustomFilter.Label2.text\n" +
                                         ending);
        ASSERT_EQ(r.exitCode, 0) << c.what << ": " << r.err.toStdString();
        EXPECT_EQ(r.outLines(), QStringList{QString("CustomFilter.Label2.text = ") + c.divisor}) << c.what;
        EXPECT_EQ(mainPixels(c.width, c.height), c.expected) << c.what;
    }
}

// Opening shows the design kernel's divisor; moving cells changes nothing until "計算する"; an
// up-down is held at its range's end and its edit follows. The 5 × 3 picture letterboxes with
// a margin of 38.4: the box blur darkens the picture's first rows, lights row 38 (in the
// picture area, black in the reduced copy) and leaves row 37 (a band) black.
TEST_F(CustomFilterTest, PreviewOnRequestOverTheWholeBoxWithinThePictureArea) {
    const ScriptResult r = runOn(5, 3, orange,
                                 "print CustomFilter.Label2.text\n" + kernelLines(std::vector<int>(25, 1)) +
                                     "print CustomFilter.Label2.text\n"
                                     "CustomFilter.ShineSpeedButton1.click()\n"
                                     "print CustomFilter.Label2.text\n"
                                     "save CustomFilter.Image1 " + quoted(session.path("preview.bmp")) + "\n"
                                     "CustomFilter.UpDown13.value = 99\n"
                                     "CustomFilter.UpDown1.value = -99\n"
                                     "print CustomFilter.UpDown13.value\n"
                                     "print CustomFilter.Edit13.text\n"
                                     "print CustomFilter.Edit1.text\n"
                                     "print CustomFilter.Label2.text\n"
                                     "CustomFilter.CancelBtn.click()\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outLines(), (QStringList{"CustomFilter.Label2.text = 1", "CustomFilter.Label2.text = 1",
                                         "CustomFilter.Label2.text = 25", "CustomFilter.UpDown13.value = 10",
                                         "CustomFilter.Edit13.text = 10", "CustomFilter.Edit1.text = -5",
                                         "CustomFilter.Label2.text = 25"}));
    const veltrane::Bitmap24 preview = readPicture(session.path("preview.bmp"));
    ASSERT_EQ(preview.width(), 192);
    ASSERT_EQ(preview.height(), 192);
    std::vector<unsigned> column;
    for (int y : {37, 38, 39, 40, 41, 151, 152, 153, 154}) column.push_back(pixelAt(preview, 96, y));
    EXPECT_EQ(column, (std::vector<unsigned>{0, rgb(80, 40, 20), rgb(120, 60, 30), rgb(160, 80, 40), rgb(200, 100, 50),
                                             rgb(200, 100, 50), rgb(160, 80, 40), rgb(120, 60, 30), 0}));
    EXPECT_EQ(mainPixels(5, 3), std::vector<unsigned>(15, rgb(200, 100, 50))) << "cancelled";
}

TEST_F(CustomFilterTest, TheWindowIsGoneOnceItEnded) {
    const ScriptResult r = runOn(2, 2, orange, "CustomFilter.OKBtn.click()\nprint CustomFilter.Label2.text\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("line 5: unknown window 'CustomFilter'")) << r.err.toStdString();
}
