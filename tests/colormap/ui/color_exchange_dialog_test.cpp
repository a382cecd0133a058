// The colour exchange window against a fake host: its design, the previews of the orders
// and of the blanking, which flags OK uses, and the ways to end it.
#include <gtest/gtest.h>

#include <QApplication>

#include "colormap/ui/color_exchange_dialog.h"
#include "colormap/ui/colour_window_fixture.h"
#include "support/dialog_endings.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

using namespace veltrane;
using test::Colour;
using test::pixelOf;

namespace {

class ColorExchangeDialogTest : public test::ColourWindowTest {
protected:
    void TearDown() override { dialog.reset(); }

    TColorExchange& open() {
        dialog = std::make_unique<TColorExchange>(host);
        ColorExchange = dialog.get();
        dialog->PrepareColorExchange();
        return *dialog;
    }

    // The preview's pixel in the middle of the box.
    Colour shown() const { return pixelOf(dialog->Image1->picture(), 64, 64); }

    std::unique_ptr<TColorExchange> dialog;
};

}  // namespace

TEST_F(ColorExchangeDialogTest, OpensWithNoOrderNothingBlankedAndTheReductionShown) {
    load(4, 2, [](int x, int) { return Colour{10 + x, 20, 30}; });
    TColorExchange& d = open();
    EXPECT_EQ(d.objectName(), "ColorExchange");
    EXPECT_EQ(d.windowTitle(), "色交換");
    EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "fixed size";
    EXPECT_EQ(d.Image1->size(), QSize(128, 128));
    EXPECT_EQ(d.Image1->toolTip(), "結果を表示します");
    EXPECT_EQ(d.GroupBox1->title(), "色交換");
    EXPECT_EQ(d.GroupBox1->toolTip(), "交換したいものを選んで下さい(R:赤　G:緑　B:青)");
    EXPECT_EQ(d.GroupBox2->title(), "色を消去");
    EXPECT_EQ(d.GroupBox2->toolTip(), "消去したい値を選んで下さい");
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_EQ(d.OKBtn->text(), "OK");
    EXPECT_EQ(d.CancelBtn->text(), "cancel");

    struct Order {
        QRadioButton* button;
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Order orders[] = {
        {d.RadioButton1, "RadioButton1", "RGB⇔RBG", "緑と青、青と緑を交換します"},
        {d.RadioButton2, "RadioButton2", "RGB⇔GRB", "赤と緑、緑と赤を交換します"},
        {d.RadioButton3, "RadioButton3", "RGB⇔GBR", "赤と緑、緑と青、青と赤を交換する"},
        {d.RadioButton4, "RadioButton4", "RGB⇔BRG", "赤と青、緑と赤、青と緑を交換します"},
        {d.RadioButton5, "RadioButton5", "RGB⇔BGR", "赤と青、青と赤を交換します"},
    };
    for (const Order& o : orders) {
        EXPECT_EQ(o.button->objectName(), o.name);
        EXPECT_EQ(o.button->text(), o.caption);
        EXPECT_EQ(o.button->toolTip(), o.hint);
        EXPECT_FALSE(o.button->isChecked()) << o.name;
        EXPECT_TRUE(d.GroupBox1->isAncestorOf(o.button));
    }
    struct Blank {
        QCheckBox* box;
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Blank blanks[] = {
        {d.CheckBoxRed, "CheckBoxRed", "赤", "赤を消去します"},
        {d.CheckBoxGreen, "CheckBoxGreen", "緑", "緑を消去します"},
        {d.CheckBoxBlue, "CheckBoxBlue", "青", "青を消去します"},
    };
    for (const Blank& b : blanks) {
        EXPECT_EQ(b.box->objectName(), b.name);
        EXPECT_EQ(b.box->text(), b.caption);
        EXPECT_EQ(b.box->toolTip(), b.hint);
        EXPECT_FALSE(b.box->isChecked()) << b.name;
        EXPECT_TRUE(d.GroupBox2->isAncestorOf(b.box));
    }
    EXPECT_EQ(d.property("keepRed").toInt(), 1);
    EXPECT_EQ(d.property("keepGreen").toInt(), 1);
    EXPECT_EQ(d.property("keepBlue").toInt(), 1);
    // A 4 × 2 picture: margin 32, the box's middle row samples row 1.
    EXPECT_EQ(shown(), (Colour{12, 20, 30}));
    EXPECT_EQ(pixelOf(d.Image1->picture(), 64, 10), (Colour{0, 0, 0})) << "black band";
}

TEST_F(ColorExchangeDialogTest, OrdersPreviewWithTheBlankingAndBoxesPreviewWithoutAnOrder) {
    load(4, 2, [](int, int) { return Colour{10, 20, 30}; });  // bands above and below
    TColorExchange& d = open();
    struct Step {
        const char* what;
        QAbstractButton* button;
        Colour preview;
        int keepRed, keepGreen, keepBlue;
    };
    const Step steps[] = {
        {"GBR", d.RadioButton3, {20, 30, 10}, 1, 1, 1},
        // A box shows the picture without any order, blanked.
        {"tick 青", d.CheckBoxBlue, {10, 20, 0}, 1, 1, 0},
        // The order then shows with its output blue at 0.
        {"BRG after 青", d.RadioButton4, {30, 10, 0}, 1, 1, 0},
        {"tick 赤", d.CheckBoxRed, {0, 20, 0}, 0, 1, 0},
        {"BGR after 赤 and 青", d.RadioButton5, {0, 20, 0}, 0, 1, 0},
        {"untick 青", d.CheckBoxBlue, {0, 20, 30}, 0, 1, 1},
        {"untick 赤", d.CheckBoxRed, {10, 20, 30}, 1, 1, 1},
        {"RBG", d.RadioButton1, {10, 30, 20}, 1, 1, 1},
    };
    for (const Step& s : steps) {
        s.button->click();
        EXPECT_EQ(shown(), s.preview) << s.what;
        EXPECT_EQ(d.keepRed, s.keepRed) << s.what;
        EXPECT_EQ(d.keepGreen, s.keepGreen) << s.what;
        EXPECT_EQ(d.keepBlue, s.keepBlue) << s.what;
        EXPECT_EQ(pixelOf(d.Image1->picture(), 64, 0), (Colour{0, 0, 0})) << s.what << ": band";
    }
    EXPECT_EQ(pixelOf(d.preview()->source(), 64, 64), (Colour{10, 20, 30})) << "the reduction never changes";
}

TEST_F(ColorExchangeDialogTest, OkAppliesTheCheckedOrderWithTheFlagsOfTheLastBoxClick) {
    struct Case {
        const char* what;
        std::function<void(TColorExchange&)> steps;
        Colour after;
    };
    const Case cases[] = {
        {"nothing chosen", [](TColorExchange&) {}, {10, 20, 30}},
        {"緑 alone blanks green only", [](TColorExchange& d) { d.CheckBoxGreen->click(); }, {10, 0, 30}},
        // The preview shows the picture unexchanged after the box, OK still exchanges.
        {"BGR then 赤",
         [](TColorExchange& d) {
             d.RadioButton5->click();
             d.CheckBoxRed->click();
         },
         {0, 20, 10}},
        // Ticking a box in code runs no handler: the flags stay as they were.
        {"box ticked in code", [](TColorExchange& d) { d.CheckBoxRed->setChecked(true); }, {10, 20, 30}},
        {"GRB", [](TColorExchange& d) { d.RadioButton2->click(); }, {20, 10, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        load(3, 5, [](int, int) { return Colour{10, 20, 30}; });
        TColorExchange& d = open();
        c.steps(d);
        d.OKBtn->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.preview(), nullptr);
        const ColorPlanes& planes = host.document().current;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(pixelOf(planes, x, y), c.after);
                EXPECT_EQ(pixelOf(host.shown, x, y), c.after);
            }
        EXPECT_EQ(progress->ProgressBar1->maximum(), 5);
        EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5})) << "a step per row";
        EXPECT_FALSE(progress->isVisible());
        dialog.reset();
        EXPECT_EQ(ColorExchange, nullptr);
    }
}

TEST_F(ColorExchangeDialogTest, CancelEscapeAndCloseBoxChangeNothingAndRewriteTheBitmap) {
    for (const auto& [what, end] : test::cancellingEndings<TColorExchange>()) {
        SCOPED_TRACE(what);
        load(1, 1, [](int, int) { return Colour{255, 0, 0}; });
        TColorExchange& d = open();
        d.show();
        d.RadioButton5->click();
        d.CheckBoxGreen->click();
        host.document().bitmap.row(0)[0] = 99;  // a stray change: Cancel rewrites the bitmap
        end(d);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.preview(), nullptr);
        EXPECT_EQ(pixelOf(host.document().current, 0, 0), (Colour{255, 0, 0}));
        EXPECT_EQ(pixelOf(host.shown, 0, 0), (Colour{255, 0, 0}));
        EXPECT_TRUE(positions.empty()) << "no pass ran";
    }
}
