// The tone colour window driven in-process against a fake host: its design values, presses on
// the curve box, the channel list (an empty choice included), OK and the ways to cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>

#include "colormap/ui/tone_color_dialog.h"
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

// A 4 × 2 picture fills rows 32..95 of the 128 box; rows 0..31 and 96..127 are black bands.
constexpr int kMiddle = 64;
constexpr int kBand = 8;
const Rgb kColour{64, 200, 10};

class ToneColorDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        progress = std::make_unique<TProgress>(nullptr);
        host.progressWindow = progress.get();
    }
    void TearDown() override { dialog.reset(); }

    void load(int width, int height, const std::function<Rgb(int, int)>& fill) {
        host.load(width, height, [&fill](int x, int y) {
            const Rgb c = fill(x, y);
            return qRgb(c.r, c.g, c.b);
        });
    }

    TToneColor& open() {
        dialog = std::make_unique<TToneColor>(host);
        ToneColor = dialog.get();
        dialog->PrepareToneColor();
        return *dialog;
    }

    TToneColor& openUniform() {
        load(4, 2, [](int, int) { return kColour; });
        return open();
    }

    Rgb processed(int x, int y) const { return pixelOf(dialog->Image5->picture(), x, y); }
    Rgb original(int x, int y) const { return pixelOf(dialog->Image4->picture(), x, y); }

    test::FakeDocumentHost host;
    std::unique_ptr<TProgress> progress;
    std::unique_ptr<TToneColor> dialog;
};

}  // namespace

TEST_F(ToneColorDialogTest, OpensWithTheDesignValuesOfEveryControl) {
    TToneColor& d = openUniform();
    EXPECT_EQ(d.objectName(), "ToneColor");
    EXPECT_EQ(d.windowTitle(), "トーンカラー");
    EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "a fixed-size window";
    EXPECT_EQ(d.Label1->text(), "↓選択して下さい。");
    ASSERT_EQ(d.ComboBox1->count(), 4);
    const char* items[] = {"RGB", "R only", "G only", "B only"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d.ComboBox1->itemText(i), items[i]);
    EXPECT_EQ(d.ComboBox1->currentText(), "RGB");
    EXPECT_FALSE(d.ComboBox1->isEditable());
    EXPECT_EQ(d.GroupBox1->title(), "元画像");
    EXPECT_EQ(d.GroupBox2->title(), "処理した画像");
    EXPECT_EQ(d.OKBtn->text(), "OK");
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_EQ(d.CancelBtn->text(), "cancel");
    EXPECT_EQ(d.Image3->parentWidget(), d.GroupBox3);
    EXPECT_EQ(d.Image2->parentWidget(), d.GroupBox4);
    EXPECT_EQ(d.Image4->parentWidget(), d.GroupBox1);
    EXPECT_EQ(d.Image5->parentWidget(), d.GroupBox2);

    const std::pair<PictureView*, QSize> sizes[] = {{d.Image1, {255, 255}}, {d.Image2, {255, 18}}, {d.Image3, {18, 255}},
                                                    {d.Image4, {128, 128}}, {d.Image5, {128, 128}}};
    for (const auto& [view, size] : sizes) {
        SCOPED_TRACE(view->objectName().toStdString());
        EXPECT_EQ(view->size(), size);
        EXPECT_EQ(view->picture().size(), size);
    }
}

TEST_F(ToneColorDialogTest, OpeningShowsBothPreviewsUnprocessedTheIdentityCurveAndGreyBars) {
    TToneColor& d = openUniform();
    for (const Rgb& shown : {original(kMiddle, kMiddle), processed(kMiddle, kMiddle)}) EXPECT_EQ(shown, kColour);
    EXPECT_EQ(processed(kMiddle, kBand), (Rgb{0, 0, 0}));
    // Box row 155 is input 100, lit at column 100; row 191 is the grid.
    const QImage box = d.Image1->picture();
    EXPECT_EQ(pixelOf(box, 100, 155), (Rgb{255, 255, 0}));
    EXPECT_EQ(pixelOf(box, 101, 155), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelOf(box, 10, 191), (Rgb{128, 128, 128}));
    EXPECT_EQ(pixelOf(d.Image2->picture(), 200, 9), (Rgb{200, 200, 200}));
    EXPECT_EQ(pixelOf(d.Image3->picture(), 9, 55), (Rgb{200, 200, 200}));
}

TEST_F(ToneColorDialogTest, OnlyTheLeftButtonAddsAPoint) {
    struct Case {
        int button;
        Rgb middle, band;
    };
    // Left at the top of column 128: 64 → 128, 200 → 0, 10 → 236; the bands (0) become white.
    const Case cases[] = {{1, {128, 0, 236}, {255, 255, 255}}, {2, kColour, {0, 0, 0}}, {3, kColour, {0, 0, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        TToneColor& d = openUniform();
        d.Image1MouseDown(c.button, 128, 0);
        EXPECT_EQ(processed(kMiddle, kMiddle), c.middle);
        EXPECT_EQ(processed(kMiddle, kBand), c.band);
        EXPECT_EQ(original(kMiddle, kMiddle), kColour) << "the original preview never changes";
        EXPECT_EQ(d.curve().pointSet()[128], c.button == 1);
        // Input 32 (box row 223) has value 63 after the press, 32 before.
        EXPECT_EQ(pixelOf(d.Image1->picture(), c.button == 1 ? 63 : 32, 223), (Rgb{255, 255, 0}));
    }
}

TEST_F(ToneColorDialogTest, ARealPressOnTheCurveBoxRunsTheSameSlot) {
    TToneColor& d = openUniform();
    d.show();
    QTest::mouseClick(d.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(128, 0));
    EXPECT_EQ(d.curve().pointValue()[128], 255);
    EXPECT_EQ(processed(kMiddle, kMiddle), (Rgb{128, 0, 236}));
    QTest::mouseClick(d.Image1, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_FALSE(d.curve().pointSet()[20]);
}

TEST_F(ToneColorDialogTest, PressesOutsideTheBoxAreHeldAtItsEdge) {
    TToneColor& d = openUniform();
    d.Image1MouseDown(1, 255, -10);
    EXPECT_EQ(d.curve().pointValue()[254], 255);
    EXPECT_EQ(d.curve().pointValue()[255], 255);
    d.Image1MouseDown(1, -1, 1000);
    EXPECT_EQ(d.curve().pointValue()[0], 1);
    EXPECT_EQ(processed(kMiddle, kBand), (Rgb{254, 254, 254}));
}

TEST_F(ToneColorDialogTest, TheChannelListRunsOnlyWhenChosen) {
    TToneColor& d = openUniform();
    d.ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(processed(kMiddle, kMiddle), kColour) << "a change made in code runs no handler";
    emit d.ComboBox1->activated(2);  // what the user's choice sends
    // "G only" with the corner points: green negated, red and blue kept; bars and curve green.
    EXPECT_EQ(processed(kMiddle, kMiddle), (Rgb{64, 55, 10}));
    EXPECT_EQ(processed(kMiddle, kBand), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelOf(d.Image2->picture(), 200, 9), (Rgb{0, 200, 0}));
    EXPECT_EQ(pixelOf(d.Image3->picture(), 9, 55), (Rgb{0, 200, 0}));
    EXPECT_EQ(pixelOf(d.Image1->picture(), 100, 155), (Rgb{0, 255, 0}));

    d.ComboBox1->setCurrentIndex(3);
    d.ComboBox1Change();
    EXPECT_EQ(processed(kMiddle, kMiddle), (Rgb{64, 200, 245}));
}

TEST_F(ToneColorDialogTest, WithNoChannelChosenTheHandlerDoesNothingAndOkChangesNothing) {
    load(3, 5, [](int x, int y) { return Rgb{40 * x, 30 * y, 200}; });
    TToneColor& d = open();
    d.ComboBox1->setCurrentIndex(1);
    d.ComboBox1Change();
    const QImage before = d.Image5->picture();
    const QImage bar = d.Image2->picture();
    d.ComboBox1->setCurrentIndex(-1);
    d.ComboBox1Change();
    EXPECT_EQ(d.Image5->picture(), before);
    EXPECT_EQ(d.Image2->picture(), bar);

    d.OKBtn->click();
    const ImageDocument& doc = host.document();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ((Rgb{doc.current.R[y][x], doc.current.G[y][x], doc.current.B[y][x]}), (Rgb{40 * x, 30 * y, 200}));
            EXPECT_EQ(pixelOf(host.shown, x, y), (Rgb{40 * x, 30 * y, 200}));
        }
}

TEST_F(ToneColorDialogTest, OkRightAfterOpeningGivesTheNegativeRowByRowAndFreesThePreview) {
    load(3, 5, [](int x, int y) { return Rgb{x == 2 ? 255 : 40 * x, 30 * y, 200}; });
    TToneColor& d = open();
    d.show();
    d.OKBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.preview(), nullptr) << "OK frees the planes as every ending does";
    const ImageDocument& doc = host.document();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) {
            const Rgb negative{255 - (x == 2 ? 255 : 40 * x), 255 - 30 * y, 55};
            EXPECT_EQ((Rgb{doc.current.R[y][x], doc.current.G[y][x], doc.current.B[y][x]}), negative);
            EXPECT_EQ(pixelOf(host.shown, x, y), negative);
            EXPECT_EQ(doc.original.B[y][x], 200) << "the original planes stay as loaded";
        }
    EXPECT_EQ(progress->ProgressBar1->maximum(), 5);
    EXPECT_EQ(progress->ProgressBar1->value(), 4) << "the bar ends on the last row's index";
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(ToneColorDialogTest, CancelEscapeAndCloseBoxChangeNothingAndRewriteTheBitmap) {
    for (const auto& [what, end] : test::cancellingEndings<TToneColor>()) {
        SCOPED_TRACE(what);
        load(3, 2, [](int x, int y) { return Rgb{10 * x, 20 * y, 7}; });
        ImageDocument& doc = host.document();
        TToneColor& d = open();
        d.show();
        d.Image1MouseDown(1, 128, 0);
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

TEST_F(ToneColorDialogTest, DestroyingTheWindowClearsItsGlobal) {
    openUniform();
    EXPECT_EQ(ToneColor, dialog.get());
    dialog.reset();
    EXPECT_EQ(ToneColor, nullptr);
}

TEST_F(ToneColorDialogTest, OddSizesOpenPreviewAndApply) {
    const QSize sizes[] = {{1, 1}, {1, 7}, {7, 1}, {30000, 2}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        load(size.width(), size.height(), [](int x, int y) { return Rgb{x % 256, 64, y % 256}; });
        TToneColor& d = open();
        d.Image1MouseDown(1, 128, 0);  // 64 → 128
        EXPECT_EQ(processed(kMiddle, kMiddle).g, 128);
        d.OKBtn->click();
        const ImageDocument& doc = host.document();
        const int w = size.width() - 1, h = size.height() - 1;
        EXPECT_EQ(doc.current.G[0][0], 128);
        EXPECT_EQ(doc.current.R[h][w], w % 256 >= 128 ? 0 : 255 - (w % 256) * 255 / 128);
        EXPECT_EQ(pixelOf(host.shown, w, h).g, 128);
    }
}
