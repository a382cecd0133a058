// The custom filter window driven in-process against a fake host: its controls and design
// kernel, the cells' edits and up-downs, the preview on request, OK and Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "filter/ui/custom_filter_dialog.h"
#include "platform/ui/scripted_platform.h"
#include "support/fake_document_host.h"
#include "support/plane_fixtures.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"
#include "widgets/ui/progress_window.h"
#include "widgets/ui/up_down.h"

using namespace veltrane;

namespace {

constexpr FilterKernel kDesign = {-1, 0, -2, -2, -2, 0, 1, -1, -1, 0, 1, -1, 5, -1, -1, 0, -1, -1, 1, 0, 2, 2, 2, 0, 1};

class CustomFilterDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        progress = std::make_unique<TProgress>(nullptr);
        host.progressWindow = progress.get();
    }

    TCustomFilter& open() {
        dialog = std::make_unique<TCustomFilter>(host);
        dialog->PrepareCustomFilter();
        return *dialog;
    }

    void setKernel(const FilterKernel& kernel) {
        for (std::size_t i = 0; i < 25; ++i) dialog->UpDowns[i]->setValue(kernel[i]);
    }

    // The preview's column 96, rows [from, to), as (r, g, b) triples.
    std::vector<int> previewColumn(int from, int to) const {
        std::vector<int> values;
        for (int y = from; y < to; ++y) {
            const QColor c = dialog->Image1->picture().pixelColor(96, y);
            values.insert(values.end(), {c.red(), c.green(), c.blue()});
        }
        return values;
    }

    test::FakeDocumentHost host;
    std::unique_ptr<TProgress> progress;
    std::unique_ptr<TCustomFilter> dialog;
};

TEST_F(CustomFilterDialogTest, OpensWithEveryCaptionHintAndTheDesignKernel) {
    dialog = std::make_unique<TCustomFilter>(host);
    TCustomFilter& d = *dialog;
    EXPECT_EQ(d.objectName(), "CustomFilter");
    EXPECT_EQ(d.windowTitle(), "カスタムフィルター");
    EXPECT_EQ(d.toolTip(), "フィルターの値を設定するにはボタンをクリックして下さい");
    EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "fixed size";
    EXPECT_EQ(d.GroupBox1->title(), "フィルターの値");
    EXPECT_EQ(d.GroupBox1->toolTip(), "フィルターの値を設定して下さい");
    EXPECT_EQ(d.Label1->text(), "除算値 : ");
    EXPECT_EQ(d.Label1->toolTip(), "除算値です(これは自動的に選択されます)");
    EXPECT_EQ(d.Label2->text(), "div");
    EXPECT_EQ(d.ShineSpeedButton1->text(), "計算する");
    EXPECT_EQ(d.ShineSpeedButton1->toolTip(), "設定してあるフィルター値で仮に処理を行います");
    EXPECT_EQ(d.OKBtn->text(), "OK");
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_EQ(d.OKBtn->toolTip(), "設定してある値で実際に処理を行います");
    EXPECT_EQ(d.CancelBtn->text(), "cancel");
    EXPECT_EQ(d.CancelBtn->toolTip(), "メインフォームへ戻ります");
    EXPECT_EQ(d.GroupBox2->title(), "処理した画像");
    EXPECT_EQ(d.Image1->size(), QSize(192, 192));
    EXPECT_EQ(d.Kernel(), kDesign);
    for (int i = 0; i < 25; ++i) {
        const QString number = QString::number(i + 1);
        UpDown* upDown = d.UpDowns[static_cast<std::size_t>(i)];
        EXPECT_EQ(upDown->objectName(), "UpDown" + number);
        EXPECT_EQ(d.Edits[static_cast<std::size_t>(i)]->objectName(), "Edit" + number);
        EXPECT_EQ(d.Edits[static_cast<std::size_t>(i)]->text(), QString::number(kDesign[static_cast<std::size_t>(i)]));
        EXPECT_EQ(upDown->minimum(), i == 12 ? -9 : -5) << number.toStdString();
        EXPECT_EQ(upDown->maximum(), i == 12 ? 10 : 5) << number.toStdString();
        EXPECT_FALSE(upDown->wrapping());
        EXPECT_EQ(d.findChild<UpDown*>("UpDown" + number), upDown);
    }
}

// A 5 × 3 picture letterboxes with a margin of 38.4: rows 39..153 show it, and the picture area
// is rows 38..153. The whole box is filtered, so the box blur darkens the picture's first and
// last two rows and lights row 38 (inside the area, black in the source); row 37 and row 154
// lie in the bands and stay black.
TEST_F(CustomFilterDialogTest, PreviewFiltersTheWholeBoxAndShowsOnlyThePictureArea) {
    host.load(5, 3, [](int, int) { return qRgb(200, 100, 50); });
    TCustomFilter& d = open();
    EXPECT_EQ(d.Label2->text(), "1");
    setKernel([] {
        FilterKernel k;
        k.fill(1);
        return k;
    }());
    d.BitBtn1Click();
    EXPECT_EQ(d.Label2->text(), "25");
    EXPECT_EQ(previewColumn(37, 42), (std::vector<int>{0, 0, 0, 80, 40, 20, 120, 60, 30, 160, 80, 40, 200, 100, 50}));
    EXPECT_EQ(previewColumn(151, 155), (std::vector<int>{200, 100, 50, 160, 80, 40, 120, 60, 30, 0, 0, 0}));
}

// The opening previews the design kernel over the whole reduced picture; the preview equals
// the filter run on the reduced copy, written inside the picture area only.
TEST_F(CustomFilterDialogTest, OpeningPreviewsTheDesignKernel) {
    host.load(7, 9, [](int x, int y) { return qRgb(30 * x, 25 * y, 255 - 20 * x - 7 * y); });
    TCustomFilter& d = open();
    ColorPlanes expected = d.preview()->source();
    CustomFilterPlanes(expected, kDesign);
    const PictureArea area = d.preview()->area();
    const QImage& shown = d.Image1->picture();
    ASSERT_EQ(shown.size(), QSize(192, 192));
    int mismatches = 0;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 192; ++x) {
            const bool inside = y >= area.rowBegin && y < area.rowEnd && x >= area.colBegin && x < area.colEnd;
            const ColorPlanes& from = inside ? expected : d.preview()->source();
            const QColor c = shown.pixelColor(x, y);
            if (c != QColor(from.R[y][x], from.G[y][x], from.B[y][x]) && ++mismatches <= 3)
                ADD_FAILURE() << "pixel " << x << ", " << y;
        }
    EXPECT_EQ(mismatches, 0);
}

// A new position, however it comes, shows in its edit and runs nothing else; only "計算する"
// previews and shows the divisor.
TEST_F(CustomFilterDialogTest, ACellChangeUpdatesItsEditOnlyUntilCalculateIsPressed) {
    host.load(4, 4, [](int x, int y) { return qRgb(60 * x, 60 * y, 90); });
    TCustomFilter& d = open();
    const QImage before = d.Image1->picture().copy();
    setKernel({0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0, -1, 4, -1, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(d.Edits[12]->text(), "4");
    EXPECT_EQ(d.Edits[0]->text(), "0");
    EXPECT_EQ(d.Image1->picture(), before);
    EXPECT_EQ(d.Label2->text(), "1");
    d.UpDowns[12]->setValue(-1);  // sum −5
    d.ShineSpeedButton1->click();
    EXPECT_EQ(d.Label2->text(), "-5");
    EXPECT_NE(d.Image1->picture(), before);

    // Positions are held at the range's ends.
    d.UpDowns[12]->setValue(50);
    EXPECT_EQ(d.Edits[12]->text(), "10");
    d.UpDowns[0]->setValue(-50);
    EXPECT_EQ(d.Edits[0]->text(), "-5");
    EXPECT_EQ(d.Label2->text(), "-5") << "no handler ran";
}

// Typed integers in range move the up-down at once, key by key; anything else is left standing
// until the edit loses focus, when the up-down's position comes back. Each case starts from the
// design position (cell 0: −1, the centre: 5).
TEST_F(CustomFilterDialogTest, AnEditTakesTypedIntegersInRangeAndRevertsOtherTextOnLeaving) {
    host.load(3, 3, [](int, int) { return qRgb(1, 2, 3); });
    TCustomFilter& d = open();
    d.show();
    QApplication::setActiveWindow(&d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    struct Case {
        int cell;
        const char* typed;
        int position;
    };
    const Case cases[] = {
        {0, "3", 3},  {0, "-4", -4}, {12, "10", 10}, {12, "-9", -9}, {0, "6", -1}, {0, "x", -1}, {0, "-", -1},
        {12, "11", 1},  // "1" was taken at the first key, "11" is out of range
    };
    for (const Case& c : cases) {
        d.UpDowns[static_cast<std::size_t>(c.cell)]->setValue(kDesign[static_cast<std::size_t>(c.cell)]);
        QLineEdit* edit = d.Edits[static_cast<std::size_t>(c.cell)];
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(d.UpDowns[static_cast<std::size_t>(c.cell)]->value(), c.position) << c.typed;
        EXPECT_EQ(edit->text(), c.typed);
        d.Edits[5]->setFocus();  // leaving the edit
        EXPECT_EQ(edit->text(), QString::number(c.position)) << c.typed;
    }
    EXPECT_EQ(d.Label2->text(), "1") << "typing runs no preview";
    d.hide();
}

TEST_F(CustomFilterDialogTest, OkFiltersTheDocumentDrivesTheBarAndFreesThePreview) {
    host.load(6, 5, [](int x, int y) { return qRgb(40 * x, 50 * y, 17 * (x + y)); });
    const ColorPlanes original = host.doc.current;
    TCustomFilter& d = open();
    setKernel({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5});
    d.OKBtn->click();

    ColorPlanes expected = original;
    CustomFilterPlanes(expected, d.Kernel());
    test::expectSamePlanes(host.doc.current, expected);
    test::expectSamePlanes(host.doc.original, original, "original untouched");
    EXPECT_EQ(host.shown.pixelColor(2, 3), QColor(expected.R[3][2], expected.G[3][2], expected.B[3][2]));
    EXPECT_EQ(progress->ProgressBar1->maximum(), 10);
    EXPECT_EQ(progress->ProgressBar1->value(), 10);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.preview(), nullptr);
}

TEST_F(CustomFilterDialogTest, CancelAndTheCloseBoxLeaveTheDocumentAndShowIt) {
    for (bool closeBox : {false, true}) {
        host.load(4, 3, [](int x, int y) { return qRgb(40 * x, 50 * y, 9); });
        const ColorPlanes original = host.doc.current;
        host.shown = QImage();
        TCustomFilter& d = open();
        d.UpDowns[12]->setValue(10);
        if (closeBox)
            d.reject();
        else
            d.CancelBtn->click();
        test::expectSamePlanes(host.doc.current, original);
        EXPECT_FALSE(host.shown.isNull()) << "the planes are shown again";
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(d.preview(), nullptr);
    }
}

}  // namespace
