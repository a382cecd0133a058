// The image adjustment window driven in-process against a fake host: its design values,
// which adjustment the preview shows after each control, the default button, OK and Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>

#include "adjust/ui/rgb_dialog.h"
#include "platform/ui/scripted_platform.h"
#include "support/dialog_endings.h"
#include "support/fake_document_host.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"
#include "widgets/ui/progress_window.h"

using namespace veltrane;

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) { return out << "(" << c.r << ", " << c.g << ", " << c.b << ")"; }

Rgb pixelOf(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return {c.red(), c.green(), c.blue()};
}

// Counts the times a window is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) ++shows;
        return false;
    }
};

class RgbDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        progress = std::make_unique<TProgress>(nullptr);
        host.progressWindow = progress.get();
    }
    void TearDown() override { dialog.reset(); }

    // Loads a picture of one colour, or of the colours fill(x, y) gives.
    void load(int width, int height, const std::function<Rgb(int, int)>& fill) {
        host.load(width, height, [&fill](int x, int y) {
            const Rgb c = fill(x, y);
            return qRgb(c.r, c.g, c.b);
        });
    }
    void loadUniform(int width, int height, Rgb colour) {
        load(width, height, [colour](int, int) { return colour; });
    }

    TRGB& open() {
        dialog = std::make_unique<TRGB>(host);
        dialog->BuildPreview();
        return *dialog;
    }

    // The preview's pixel in the middle of the box.
    Rgb shown() const { return pixelOf(dialog->Image2->picture(), 96, 96); }

    test::FakeDocumentHost host;
    std::unique_ptr<TProgress> progress;
    std::unique_ptr<TRGB> dialog;
};

}  // namespace

TEST_F(RgbDialogTest, OpensWithTheDesignValuesOfEveryControl) {
    loadUniform(4, 4, {200, 100, 50});
    TRGB& d = open();
    EXPECT_EQ(d.objectName(), "RGB");
    EXPECT_EQ(d.windowTitle(), "画像補正");
    EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "fixed size";
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_EQ(d.OKBtn->text(), "OK");
    EXPECT_EQ(d.CancelBtn->text(), "キャンセル");
    EXPECT_EQ(d.ShineSpeedButton1->text(), "デフォルト");
    EXPECT_EQ(d.GroupBox1->title(), "元画像");
    EXPECT_EQ(d.GroupBox2->title(), "処理した画像");
    EXPECT_EQ(d.Image1->size(), QSize(192, 192));
    EXPECT_EQ(d.Image2->size(), QSize(192, 192));
    EXPECT_EQ(d.PageControl1->toolTip(), "ポスタライズ化を行います");

    struct Page {
        QWidget* page;
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Page pages[] = {
        {d.TabSheet1, "TabSheet1", "RGB", "RGB値を変化します"},
        {d.TabSheet2, "TabSheet2", "HSI", "HSI値を変化します"},
        {d.TabSheet3, "TabSheet3", "γ値", "γ値を設定して明るさを変化させます"},
        {d.TabSheet4, "TabSheet4", "ポスタライズ", ""},
        {d.TabSheet5, "TabSheet5", "バイナリー", "2値化処理を行います"},
        {d.TabSheet6, "TabSheet6", "ノイズ", "ノイズを画像に加えます"},
        {d.TabSheet7, "TabSheet7", "コントラスト", "コントラストを設定します"},
    };
    ASSERT_EQ(d.PageControl1->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(d.PageControl1->widget(i), pages[i].page);
        EXPECT_EQ(pages[i].page->objectName(), pages[i].name);
        EXPECT_EQ(d.PageControl1->tabText(i), pages[i].caption);
        EXPECT_EQ(pages[i].page->toolTip(), pages[i].hint);
    }

    struct Slider {
        QSlider* slider;
        int minimum, maximum, position;
        const char* hint;
        QLabel* range;
        const char* rangeText;
        QLabel* value;
        const char* valueText;
        QWidget* page;
    };
    const Slider sliders[] = {
        {d.TrackBar1, -128, 128, 0, "赤色の値を設定します", d.Label2, "赤(-128～128)", d.Label1, "0", d.TabSheet1},
        {d.TrackBar2, -128, 128, 0, "緑色の値を設定します", d.Label3, "緑(-128～128)", d.Label4, "0", d.TabSheet1},
        {d.TrackBar3, -128, 128, 0, "青色の値を設定します", d.Label5, "青(-128～128)", d.Label6, "0", d.TabSheet1},
        {d.TrackBar4, -180, 180, 0, "色相値を設定します", d.Label7, "色相(-180～180)", d.Label10, "0", d.TabSheet2},
        {d.TrackBar5, -128, 128, 0, "彩度値を設定します", d.Label8, "彩度(-128～128)", d.Label11, "0", d.TabSheet2},
        {d.TrackBar6, -128, 128, 0, "明度値を設定します", d.Label9, "明度(-128～128)", d.Label12, "0", d.TabSheet2},
        {d.TrackBar7, 1, 40, 10, "γ値を設定します", d.Label13, "γ(0.1～4.0)", d.Label14, "1.0", d.TabSheet3},
        {d.TrackBar8, 2, 16, 5, "ポスタライズの値を設定して下さい", d.Label22, "閾値(2～16)", d.Label15, "5", d.TabSheet4},
        {d.TrackBar9, 0, 255, 128, "2値化をする境目を設定して下さい", d.Label16, "閾値(0～255)", d.Label17, "128", d.TabSheet5},
        {d.TrackBar10, 0, 100, 10, "ノイズを加える度合いを設定して下さい", d.Label18, "比(0～100%)", d.Label19, "10%", d.TabSheet6},
        {d.TrackBar11, 20, 70, 30, "コントラスト値を設定して下さい", d.Label23, "値(20～70)", d.Label21, "30", d.TabSheet7},
    };
    for (const Slider& s : sliders) {
        SCOPED_TRACE(s.slider->objectName().toStdString());
        EXPECT_EQ(s.slider->minimum(), s.minimum);
        EXPECT_EQ(s.slider->maximum(), s.maximum);
        EXPECT_EQ(s.slider->value(), s.position);
        EXPECT_EQ(s.slider->toolTip(), s.hint);
        EXPECT_EQ(s.range->text(), s.rangeText);
        EXPECT_EQ(s.value->text(), s.valueText);
        EXPECT_TRUE(s.page->isAncestorOf(s.slider) && s.page->isAncestorOf(s.range) && s.page->isAncestorOf(s.value));
    }
    EXPECT_EQ(d.Label2->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(d.Label5->palette().color(QPalette::WindowText), QColor(Qt::blue));

    struct Group {
        QGroupBox* group;
        QWidget* page;
        QRadioButton *red, *green, *blue, *all;
    };
    const Group groups[] = {
        {d.GroupBox4, d.TabSheet4, d.RadioButton5, d.RadioButton6, d.RadioButton7, d.RadioButton8},
        {d.GroupBox3, d.TabSheet5, d.RadioButton2, d.RadioButton3, d.RadioButton4, d.RadioButton1},
        {d.GroupBox5, d.TabSheet7, d.RadioButton10, d.RadioButton11, d.RadioButton12, d.RadioButton9},
    };
    for (const Group& g : groups) {
        SCOPED_TRACE(g.group->objectName().toStdString());
        EXPECT_EQ(g.group->title(), "色");
        EXPECT_EQ(g.group->toolTip(), "処理をする色を選択して下さい");
        EXPECT_EQ(g.group->parentWidget(), g.page);
        EXPECT_EQ(g.red->text(), "赤");
        EXPECT_EQ(g.red->toolTip(), "赤のみに処理をします");
        EXPECT_EQ(g.green->text(), "緑");
        EXPECT_EQ(g.blue->toolTip(), "青のみに処理をします");
        EXPECT_EQ(g.all->text(), "全色");
        EXPECT_EQ(g.all->toolTip(), "全色に処理をします");
        EXPECT_TRUE(g.all->isChecked());
        EXPECT_FALSE(g.red->isChecked() || g.green->isChecked() || g.blue->isChecked());
        EXPECT_EQ(g.red->palette().color(QPalette::WindowText), QColor(Qt::red));
        EXPECT_EQ(g.blue->palette().color(QPalette::WindowText), QColor(Qt::blue));
        for (QRadioButton* b : {g.red, g.green, g.blue, g.all}) EXPECT_EQ(b->parentWidget(), g.group);
    }
    EXPECT_EQ(d.CheckBox1->text(), "色");
    EXPECT_TRUE(d.CheckBox1->isChecked());
    EXPECT_EQ(d.CheckBox1->toolTip(), "ノイズをカラーにするかどうか設定して下さい");
}

TEST_F(RgbDialogTest, OpeningShowsTheReductionTwiceAndDrawsNothing) {
    loadUniform(4, 4, {200, 100, 50});
    TRGB& d = open();
    d.PageControl1->setCurrentWidget(d.TabSheet6);
    EXPECT_EQ(host.random().state(), 1u) << "no noise preview ran";
    ASSERT_FALSE(d.Image2->picture().isNull());
    EXPECT_EQ(d.Image1->picture(), d.Image2->picture());
    EXPECT_EQ(shown(), (Rgb{200, 100, 50}));
    EXPECT_EQ(d.preview()->box(), 192);
}

// Each control previews its own adjustment on the unchanged reduction (200, 100, 50), after
// another adjustment was previewed first, and writes its value label.
TEST_F(RgbDialogTest, EachControlPreviewsItsOwnAdjustmentFromTheReduction) {
    struct Case {
        const char* what;
        std::function<void(TRGB&)> act;
        Rgb expected;
        std::function<QLabel*(TRGB&)> label;
        const char* labelText;
    };
    const Case cases[] = {
        {"red +100 saturates", [](TRGB& d) { d.TrackBar1->setValue(100); }, {255, 100, 50}, [](TRGB& d) { return d.Label1; }, "100"},
        {"green -128 floors", [](TRGB& d) { d.TrackBar2->setValue(-128); }, {200, 0, 50}, [](TRGB& d) { return d.Label4; }, "-128"},
        {"blue +30", [](TRGB& d) { d.TrackBar3->setValue(30); }, {200, 100, 80}, [](TRGB& d) { return d.Label6; }, "30"},
        // γ 2.5: 255 × (v / 255)^0.4 = 231.39, 175.36, 132.90.
        {"gamma 2.5", [](TRGB& d) { d.TrackBar7->setValue(25); }, {231, 175, 132}, [](TRGB& d) { return d.Label14; }, "2.5"},
        // n = 4, step 63: every value moves up to the next multiple of 63.
        {"posterise 4", [](TRGB& d) { d.TrackBar8->setValue(4); }, {252, 126, 63}, [](TRGB& d) { return d.Label15; }, "4"},
        {"posterise red only", [](TRGB& d) { d.RadioButton5->click(); }, {204, 100, 50}, nullptr, nullptr},
        // Mean 116: above a threshold of 100, white.
        {"binarise at 100", [](TRGB& d) { d.TrackBar9->setValue(100); }, {255, 255, 255}, [](TRGB& d) { return d.Label17; }, "100"},
        // Red kept; green and blue on their mean 75, below 128.
        {"binarise keeping red", [](TRGB& d) { d.RadioButton2->click(); }, {200, 0, 0}, nullptr, nullptr},
        {"binarise keeping green", [](TRGB& d) { d.RadioButton3->click(); }, {0, 100, 0}, nullptr, nullptr},
        // p = 35: a = 1.5, b = 0; red 300 is limited to 255.
        {"contrast 35", [](TRGB& d) { d.TrackBar11->setValue(35); }, {255, 150, 75}, [](TRGB& d) { return d.Label21; }, "35"},
        // p = 30, green only: (200 + 10 × 100 + 50) / 7 = 178.57.
        {"contrast green only", [](TRGB& d) { d.RadioButton11->click(); }, {200, 178, 50}, nullptr, nullptr},
    };
    loadUniform(5, 5, {200, 100, 50});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TRGB& d = open();
        d.TrackBar7->setValue(20);  // a gamma preview first: the control below replaces it
        ASSERT_EQ(shown(), (Rgb{225, 159, 112}));
        c.act(d);
        EXPECT_EQ(shown(), c.expected);
        EXPECT_EQ(pixelOf(d.Image1->picture(), 96, 96), (Rgb{200, 100, 50})) << "the left image keeps the reduction";
        if (c.label) {
            EXPECT_EQ(c.label(d)->text(), c.labelText);
        }
    }
}

TEST_F(RgbDialogTest, GammaLabelShowsTheShortestDecimal) {
    loadUniform(2, 2, {0, 0, 0});
    TRGB& d = open();
    const std::pair<int, const char*> cases[] = {{1, "0.1"}, {3, "0.3"}, {10, "1"}, {25, "2.5"}, {40, "4"}};
    for (const auto& [position, text] : cases) {
        d.TrackBar7->setValue(position);
        EXPECT_EQ(d.Label14->text(), text) << position;
    }
    d.TrackBar10->setValue(0);
    EXPECT_EQ(d.Label19->text(), "0%");
}

TEST_F(RgbDialogTest, PreviewsChangeOnlyThePictureAreaOfTheBox) {
    // 8 × 2 is wide and 2 × 8 tall: extent 48, margin 72, so rows (or columns) 72 .. 119 show
    // the picture and the black bands around them must stay black.
    const std::pair<const char*, std::function<void(TRGB&)>> previews[] = {
        {"RGB", [](TRGB& d) { d.TrackBar1->setValue(100); }},  // black would turn (100, 0, 0)
        {"posterise", [](TRGB& d) { d.TrackBar8->setValue(4); }},  // black would turn (63, 63, 63)
    };
    const Rgb inside[] = {{255, 100, 50}, {252, 126, 63}};
    for (bool wide : {true, false}) {
        loadUniform(wide ? 8 : 2, wide ? 2 : 8, {200, 100, 50});
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(std::string(previews[i].first) + (wide ? " wide" : " tall"));
            TRGB& d = open();
            previews[i].second(d);
            const QImage& image = d.Image2->picture();
            const auto at = [&](int across, int along) { return wide ? pixelOf(image, along, across) : pixelOf(image, across, along); };
            for (int along : {0, 191}) {
                EXPECT_EQ(at(71, along), (Rgb{0, 0, 0}));
                EXPECT_EQ(at(72, along), inside[i]);
                EXPECT_EQ(at(119, along), inside[i]);
                EXPECT_EQ(at(120, along), (Rgb{0, 0, 0}));
            }
        }
    }
}

TEST_F(RgbDialogTest, ClickingTheCheckedRadioButtonRunsNothing) {
    loadUniform(3, 3, {200, 100, 50});
    TRGB& d = open();
    d.TrackBar7->setValue(20);
    for (QRadioButton* checked : {d.RadioButton1, d.RadioButton8, d.RadioButton9}) {
        checked->click();
        EXPECT_EQ(shown(), (Rgb{225, 159, 112})) << checked->objectName().toStdString();
    }
    // Checking a button in code runs nothing either.
    d.RadioButton2->setChecked(true);
    EXPECT_EQ(shown(), (Rgb{225, 159, 112}));
}

TEST_F(RgbDialogTest, DefaultButtonRunsTheHandlersOfTheSlidersThatMove) {
    loadUniform(3, 3, {200, 100, 50});
    TRGB& d = open();
    d.RadioButton2->click();  // binarise keeping red
    ASSERT_EQ(shown(), (Rgb{200, 0, 0}));
    // Every slider already at its default: nothing moves, nothing runs, nothing is drawn.
    d.ShineSpeedButton1->click();
    EXPECT_EQ(shown(), (Rgb{200, 0, 0}));
    EXPECT_EQ(host.random().state(), 1u);

    d.TrackBar1->setValue(60);
    d.TrackBar11->setValue(35);
    d.RadioButton5->click();  // posterise, red only
    ASSERT_EQ(shown(), (Rgb{204, 100, 50}));
    d.ShineSpeedButton1->click();
    // TrackBar1 then TrackBar11 move back; the contrast handler ran last, at p = 30 on all
    // channels: (10 × 200 + 150) / 7, (200 + 1000 + 50) / 7, (300 + 500) / 7.
    EXPECT_EQ(shown(), (Rgb{255, 178, 114}));
    EXPECT_EQ(d.Label1->text(), "0");
    EXPECT_EQ(d.Label21->text(), "30");
    EXPECT_TRUE(d.RadioButton2->isChecked()) << "radio buttons keep their state";
    EXPECT_TRUE(d.RadioButton5->isChecked());
    EXPECT_EQ(host.random().state(), 1u);

    d.TrackBar10->setValue(0);
    d.TrackBar8->setValue(16);
    ASSERT_EQ(host.random().state(), 1u) << "no dots at 0 %";
    d.ShineSpeedButton1->click();
    // The noise slider moves after the posterise slider, so the noise preview ends it.
    EXPECT_NE(host.random().state(), 1u);
    EXPECT_EQ(d.Label19->text(), "10%");
    EXPECT_EQ(d.Label15->text(), "5");
}

TEST_F(RgbDialogTest, NoisePreviewDrawsThreeNumbersPerDotFromTheSharedGenerator) {
    loadUniform(4, 4, {0, 0, 0});
    TRGB& d = open();
    host.random().seed(12345);
    d.TrackBar10->setValue(3);  // (192 × 192 × 3) div 100 = 1105 dots
    std::uint32_t state = 12345;
    for (int i = 0; i < 3 * 1105; ++i) state = state * 22695477u + 1u;
    EXPECT_EQ(host.random().state(), state);
    d.CheckBox1->setChecked(false);
    EXPECT_EQ(host.random().state(), state) << "the check box runs no preview";
}

TEST_F(RgbDialogTest, OkAppliesThePageShowingWhateverThePreviewShows) {
    struct Case {
        QWidget* TRGB::*page;
        Rgb expected;
        bool progressShown;
    };
    const Case cases[] = {
        {&TRGB::TabSheet1, {200, 100, 50}, true},    // RGB offsets all 0
        {&TRGB::TabSheet3, {225, 159, 112}, false},  // γ 2.0
        {&TRGB::TabSheet5, {0, 0, 0}, false},        // binarise at 128: mean 116
    };
    for (const Case& c : cases) {
        loadUniform(3, 2, {200, 100, 50});
        TRGB& d = open();
        d.show();
        d.TrackBar7->setValue(20);
        d.TrackBar11->setValue(70);  // the preview shows contrast last
        d.PageControl1->setCurrentWidget(d.*c.page);
        ShowCounter counter;
        progress->installEventFilter(&counter);
        d.OKBtn->click();
        progress->removeEventFilter(&counter);

        SCOPED_TRACE((d.*c.page)->objectName().toStdString());
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.preview(), nullptr) << "the preview planes are freed";
        const ImageDocument& doc = host.document();
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ((Rgb{doc.current.R[y][x], doc.current.G[y][x], doc.current.B[y][x]}), c.expected);
                EXPECT_EQ(pixelOf(host.shown, x, y), c.expected);
                EXPECT_EQ(doc.original.R[y][x], 200) << "the original planes stay as loaded";
            }
        EXPECT_EQ(counter.shows, c.progressShown ? 1 : 0);
        EXPECT_FALSE(progress->isVisible());
        EXPECT_EQ(progress->ProgressBar1->value(), 1) << "the bar ends on the last row";
        if (c.progressShown) {
            EXPECT_EQ(progress->ProgressBar1->maximum(), 2);
        }
    }
}

TEST_F(RgbDialogTest, CancelEscapeAndCloseBoxChangeNothingAndRewriteTheBitmap) {
    for (const auto& [what, end] : test::cancellingEndings<TRGB>()) {
        SCOPED_TRACE(what);
        load(3, 2, [](int x, int y) { return Rgb{10 * x, 20 * y, 7}; });
        ImageDocument& doc = host.document();
        TRGB& d = open();
        d.show();
        d.TrackBar1->setValue(100);
        d.PageControl1->setCurrentWidget(d.TabSheet1);
        doc.bitmap.row(1)[0] = 99;  // a stray change to the bitmap: Cancel rewrites it from the planes
        end(d);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.preview(), nullptr);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ((Rgb{doc.current.R[y][x], doc.current.G[y][x], doc.current.B[y][x]}), (Rgb{10 * x, 20 * y, 7}));
                EXPECT_EQ(pixelOf(host.shown, x, y), (Rgb{10 * x, 20 * y, 7}));
            }
    }
}

TEST_F(RgbDialogTest, EnterPressesTheFocusedButtonAndOkOtherwise) {
    struct Case {
        const char* what;
        std::function<QWidget*(TRGB&)> focus;
        Qt::Key key;
        bool stillOpen;
        QDialog::DialogCode result;
        int red;  // the picture's red afterwards
    };
    const Case cases[] = {
        {"Cancel", [](TRGB& d) { return d.CancelBtn; }, Qt::Key_Return, false, QDialog::Rejected, 100},
        {"Cancel, keypad Enter", [](TRGB& d) { return d.CancelBtn; }, Qt::Key_Enter, false, QDialog::Rejected, 100},
        {"デフォルト", [](TRGB& d) { return d.ShineSpeedButton1; }, Qt::Key_Return, true, QDialog::Rejected, 100},
        {"OK", [](TRGB& d) { return d.OKBtn; }, Qt::Key_Return, false, QDialog::Accepted, 200},
        // The focus leaves Cancel for the slider: OK is the default button again.
        {"slider after Cancel",
         [](TRGB& d) {
             d.CancelBtn->setFocus();
             return d.TrackBar1;
         },
         Qt::Key_Return, false, QDialog::Accepted, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        loadUniform(2, 2, {100, 100, 50});
        TRGB& d = open();
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        d.PageControl1->setCurrentWidget(d.TabSheet1);
        d.TrackBar1->setValue(100);
        QWidget* target = c.focus(d);
        target->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), target);
        QTest::keyClick(target, c.key);

        EXPECT_EQ(d.isVisible(), c.stillOpen);
        if (!c.stillOpen) {
            EXPECT_EQ(d.result(), c.result);
        }
        EXPECT_EQ(d.TrackBar1->value(), c.stillOpen ? 0 : 100);
        EXPECT_EQ(host.document().current.R[1][1], c.red);
        d.close();
    }
}
