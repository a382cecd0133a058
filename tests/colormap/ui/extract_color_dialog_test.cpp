// The colour extraction window against a fake host: its design, the preview of the ticked
// sectors, OK with its two passes on the bar, and the ways to end it.
#include <gtest/gtest.h>

#include <QApplication>

#include "colormap/ui/colour_window_fixture.h"
#include "colormap/ui/extract_color_dialog.h"
#include "support/dialog_endings.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

using namespace veltrane;
using test::Colour;
using test::pixelOf;

namespace {

// Columns: red, grey, yellow, cyan, blue, purple.
const Colour kColumns[] = {{255, 0, 0}, {128, 128, 128}, {255, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}};

class ExtractColorDialogTest : public test::ColourWindowTest {
protected:
    void TearDown() override { dialog.reset(); }

    void loadColumns(int height) {
        load(6, height, [](int x, int) { return kColumns[x]; });
    }

    TExtractColor& open() {
        dialog = std::make_unique<TExtractColor>(host);
        ExtractColor = dialog.get();
        dialog->PrepareExtraction();
        return *dialog;
    }

    // The preview's pixel showing column x of a 6 × 6 picture (box pixels 21.3 wide).
    Colour shownColumn(int x) const { return pixelOf(dialog->Image1->picture(), 21 * x + 10, 64); }

    std::unique_ptr<TExtractColor> dialog;
};

}  // namespace

TEST_F(ExtractColorDialogTest, OpensWithEverySectorTicked) {
    loadColumns(6);
    TExtractColor& d = open();
    EXPECT_EQ(d.objectName(), "ExtractColor");
    EXPECT_EQ(d.windowTitle(), "色抽出");
    EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "fixed size";
    EXPECT_EQ(d.Image1->size(), QSize(128, 128));
    EXPECT_EQ(d.GroupBox1->title(), "抽出する色");
    EXPECT_EQ(d.GroupBox1->toolTip(), "抽出する色を選択して下さい(チェックしてある色が抽出されます)");
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_EQ(d.OKBtn->text(), "OK");
    EXPECT_EQ(d.CancelBtn->text(), "cancel");
    const std::pair<QCheckBox*, const char*> boxes[] = {{d.CheckBox1, "赤"}, {d.CheckBox2, "黄色"},
                                                        {d.CheckBox3, "緑"}, {d.CheckBox4, "水色"},
                                                        {d.CheckBox5, "青"}, {d.CheckBox6, "紫"}};
    int n = 1;
    for (const auto& [box, caption] : boxes) {
        EXPECT_EQ(box->objectName(), QString("CheckBox%1").arg(n++));
        EXPECT_EQ(box->text(), caption);
        EXPECT_TRUE(box->isChecked());
        EXPECT_TRUE(d.GroupBox1->isAncestorOf(box));
    }
    for (int x = 0; x < 6; ++x) EXPECT_EQ(shownColumn(x), kColumns[x]) << "column " << x;
}

TEST_F(ExtractColorDialogTest, EachBoxPreviewsTheTickedSectors) {
    loadColumns(6);
    TExtractColor& d = open();
    const Colour black{0, 0, 0};
    struct Step {
        const char* what;
        QCheckBox* box;
        std::vector<Colour> columns;
    };
    const Step steps[] = {
        // Grey has hue 0 and goes with the reds.
        {"untick 赤", d.CheckBox1, {black, black, kColumns[2], kColumns[3], kColumns[4], kColumns[5]}},
        {"untick 青", d.CheckBox5, {black, black, kColumns[2], kColumns[3], black, kColumns[5]}},
        {"tick 赤", d.CheckBox1, {kColumns[0], kColumns[1], kColumns[2], kColumns[3], black, kColumns[5]}},
        {"untick 水色", d.CheckBox4, {kColumns[0], kColumns[1], kColumns[2], black, black, kColumns[5]}},
        {"untick 黄色", d.CheckBox2, {kColumns[0], kColumns[1], black, black, black, kColumns[5]}},
        {"untick 紫", d.CheckBox6, {kColumns[0], kColumns[1], black, black, black, black}},
    };
    for (const Step& s : steps) {
        s.box->click();
        for (int x = 0; x < 6; ++x) EXPECT_EQ(shownColumn(x), s.columns[x]) << s.what << ", column " << x;
    }
    EXPECT_EQ(pixelOf(d.preview()->source(), 10, 64), kColumns[0]) << "the reduction never changes";
}

TEST_F(ExtractColorDialogTest, OkExtractsTheWholePictureWithTwoStepsPerRow) {
    struct Case {
        const char* what;
        std::vector<QCheckBox* TExtractColor::*> untick;
        std::vector<bool> kept;  // per column
    };
    const Case cases[] = {
        {"all ticked", {}, {true, true, true, true, true, true}},
        {"青 unticked", {&TExtractColor::CheckBox5}, {true, true, true, true, false, true}},
        {"all unticked",
         {&TExtractColor::CheckBox1, &TExtractColor::CheckBox2, &TExtractColor::CheckBox3, &TExtractColor::CheckBox4,
          &TExtractColor::CheckBox5, &TExtractColor::CheckBox6},
         {false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        loadColumns(3);
        TExtractColor& d = open();
        for (QCheckBox* TExtractColor::*box : c.untick) (d.*box)->click();
        d.OKBtn->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.preview(), nullptr);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 6; ++x) {
                const Colour expected = c.kept[x] ? kColumns[x] : Colour{0, 0, 0};
                EXPECT_EQ(pixelOf(host.document().current, x, y), expected);
                EXPECT_EQ(pixelOf(host.shown, x, y), expected);
            }
        EXPECT_EQ(progress->ProgressBar1->maximum(), 6);
        // H rows extracted one by one, then the bitmap rewritten.
        EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 6}));
        EXPECT_FALSE(progress->isVisible());
        dialog.reset();
        EXPECT_EQ(ExtractColor, nullptr);
    }
}

TEST_F(ExtractColorDialogTest, CancelEscapeAndCloseBoxChangeNothingAndRewriteTheBitmap) {
    for (const auto& [what, end] : test::cancellingEndings<TExtractColor>()) {
        SCOPED_TRACE(what);
        load(1, 1, [](int, int) { return Colour{0, 0, 255}; });
        TExtractColor& d = open();
        d.show();
        d.CheckBox5->click();
        host.document().bitmap.row(0)[0] = 99;  // a stray change: Cancel rewrites the bitmap
        end(d);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.preview(), nullptr);
        EXPECT_EQ(pixelOf(host.document().current, 0, 0), (Colour{0, 0, 255}));
        EXPECT_EQ(pixelOf(host.shown, 0, 0), (Colour{0, 0, 255}));
        EXPECT_TRUE(positions.empty()) << "no pass ran";
    }
}
