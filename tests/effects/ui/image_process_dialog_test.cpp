// The effects dialog driven in-process against a fake host: its controls, the category box,
// the option table, the preview, apply and the typed-over category.
#include <gtest/gtest.h>

#include <QTest>

#include "effects/effect_catalogue.h"
#include "effects/effect_dispatch.h"
#include "effects/ui/image_process_dialog.h"
#include "image/pixel_buffer.h"
#include "platform/ui/scripted_platform.h"
#include "support/fake_document_host.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"
#include "widgets/ui/progress_window.h"

using namespace veltrane;

namespace {

class ImageProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        progress = std::make_unique<TProgress>(nullptr);
        host.progressWindow = progress.get();
        // A 6 × 4 picture of distinct colours.
        host.load(6, 4, [](int x, int y) { return qRgb(40 * x, 60 * y, 200 - 10 * x - 5 * y); });
        dialog = std::make_unique<TImageProcess>(host);
    }

    // Selects the item at row as a click does.
    void click(int row) {
        dialog->ListBox1->setCurrentRow(row);
        dialog->ListBox1Click();
    }

    QImage shownPreview() const { return dialog->Image1->picture().copy(); }

    // The generator's state after `previews` diffusion previews from start-up.
    static std::uint32_t stateAfterPreviews(int previews) {
        RandomGenerator expected;
        for (int i = 0; i < previews * 192 * 192; ++i) expected.next();
        return expected.state();
    }

    test::FakeDocumentHost host;
    std::unique_ptr<TProgress> progress;
    std::unique_ptr<TImageProcess> dialog;
};

TEST_F(ImageProcessTest, DesignTexts) {
    TImageProcess& d = *dialog;
    EXPECT_EQ(d.objectName(), "ImageProcess");
    EXPECT_EQ(d.windowTitle(), "画像処理");
    EXPECT_TRUE(d.isModal());
    EXPECT_EQ(d.Image1->size(), QSize(192, 192));
    EXPECT_TRUE(d.Image1->stretch());
    EXPECT_EQ(d.ComboBox1->currentText(), "COLOR");
    EXPECT_TRUE(d.ComboBox1->isEditable());
    EXPECT_EQ(d.Label1->text(), "←ダブルクリックで適用");
    EXPECT_EQ(d.Label2->text(), "↑ クリックして下さい。");
    EXPECT_EQ(d.GroupBox1->title(), "オプション");
    EXPECT_EQ(d.ShineSpeedButton1->text(), "apply");
    EXPECT_EQ(d.ShineSpeedButton1->toolTip(), "選択している処理を画像に適用します");
    EXPECT_EQ(d.IMAGE_PROCESS->text(), "OK");
    EXPECT_EQ(d.IMAGE_PROCESS->toolTip(), "この処理を終了します");
    for (QRadioButton* b : {d.RadioButton1, d.RadioButton2, d.RadioButton3, d.RadioButton4, d.RadioButton5, d.RadioButton6})
        EXPECT_FALSE(b->isChecked());
}

TEST_F(ImageProcessTest, PrepareFillsTheCategoryAndTheBoxChangesTheListOnly) {
    dialog->PrepareDialog(1);
    EXPECT_EQ(dialog->ComboBox1->currentText(), "フィルター");
    EXPECT_EQ(dialog->ComboBox1->count(), 5);
    ASSERT_EQ(dialog->ListBox1->count(), 10);
    EXPECT_EQ(dialog->ListBox1->item(9)->text(), "誤差分配");
    EXPECT_EQ(dialog->ListBox1->currentRow(), -1);
    EXPECT_TRUE(dialog->GroupBox1->isHidden());

    click(0);  // "ローパス" shows its options
    ASSERT_FALSE(dialog->GroupBox1->isHidden());
    const QImage preview = shownPreview();
    dialog->ComboBox1->setCurrentIndex(4);
    dialog->ComboBox1Change();
    ASSERT_EQ(dialog->ListBox1->count(), 11);
    EXPECT_EQ(dialog->ListBox1->item(10)->text(), "拡散");
    EXPECT_FALSE(dialog->GroupBox1->isHidden()) << "the options stay until an item is clicked";
    EXPECT_EQ(shownPreview(), preview) << "so does the preview";
}

TEST_F(ImageProcessTest, EachCodeShowsItsOptionsWithTheFirstChecked) {
    dialog->show();
    for (int category = 0; category < kEffectCategories; ++category) {
        dialog->PrepareDialog(category);
        for (int row = 0; row < effectItemCount(category); ++row) {
            const int code = category * 20 + row;
            SCOPED_TRACE(code);
            click(row);
            const std::optional<EffectOptions> options = effectOptions(code);
            ASSERT_EQ(dialog->GroupBox1->isVisible(), options.has_value());
            if (!options) continue;
            EXPECT_EQ(dialog->Label3->text().toStdString(), options->caption);
            EXPECT_TRUE(dialog->RadioButton1->isChecked());
            EXPECT_EQ(dialog->RadioButton2->text().toStdString(), options->buttons[1]);
            EXPECT_EQ(dialog->RadioButton6->isVisible(), options->sixButtons);
        }
    }
}

TEST_F(ImageProcessTest, AnOptionClickOrApplyWithoutSelectionChangesNothing) {
    dialog->PrepareDialog(4);
    dialog->show();
    const QImage preview = shownPreview();
    const ColorPlanes before = host.doc.current;
    dialog->RadioButton2->click();
    dialog->Button1Click();
    EXPECT_EQ(shownPreview(), preview);
    EXPECT_EQ(host.generator.state(), 1u);
    EXPECT_FALSE(progress->isVisible());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(host.doc.current.R[y][x], before.R[y][x]);
}

TEST_F(ImageProcessTest, ApplyChangesThePictureAndPreparesTheDialogAgain) {
    dialog->PrepareDialog(0);
    click(13);  // "ネガホジ"
    const std::uint8_t red = host.doc.current.R[2][3];
    dialog->Button1Click();
    EXPECT_EQ(host.doc.current.R[2][3], 255 - red);
    EXPECT_EQ(host.doc.bitmap.row(2)[3 * 3 + 2], 255 - red) << "the working bitmap shows it";
    EXPECT_EQ(host.shown.pixelColor(3, 2).red(), 255 - red);
    EXPECT_EQ(dialog->ListBox1->currentRow(), -1);
    EXPECT_TRUE(dialog->GroupBox1->isHidden());
    EXPECT_EQ(dialog->ListBox1->count(), 17);
    const PreviewPlanes fresh(host.doc.current, 192);
    EXPECT_EQ(dialog->preview()->source().R[96][96], fresh.source().R[96][96]) << "the preview shows the new picture";
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(ImageProcessTest, DiffusionPreviewDrawsOneNumberPerPreviewPixel) {
    dialog->PrepareDialog(4);
    EXPECT_EQ(host.generator.state(), 1u) << "preparing draws nothing";
    click(10);  // "拡散"
    EXPECT_EQ(host.generator.state(), stateAfterPreviews(1));
    dialog->RadioButton2->click();
    EXPECT_EQ(host.generator.state(), stateAfterPreviews(2));
}

// After "ローパス" with "小" checked, clicking "拡散" draws one preview's numbers (its options
// check "小" = radius 3 again), and a click on "大" one preview's more.
TEST_F(ImageProcessTest, DiffusionAfterAnotherItemDrawsOnePreviewPerClick) {
    dialog->PrepareDialog(1);
    click(0);
    dialog->RadioButton2->click();
    ASSERT_EQ(host.generator.state(), 1u);
    dialog->ComboBox1->setCurrentIndex(4);
    dialog->ComboBox1Change();
    click(10);
    EXPECT_TRUE(dialog->RadioButton1->isChecked());
    EXPECT_EQ(host.generator.state(), stateAfterPreviews(1));
    dialog->RadioButton2->click();
    EXPECT_EQ(host.generator.state(), stateAfterPreviews(2));
}

TEST_F(ImageProcessTest, ATypedOverCategoryRunsNoEffect) {
    dialog->PrepareDialog(0);
    dialog->ComboBox1->setEditText("xyz");
    dialog->ComboBox1Change();
    EXPECT_EQ(dialog->ListBox1->count(), 17) << "the list stays";
    const ColorPlanes before = host.doc.current;
    click(13);
    dialog->Button1Click();
    EXPECT_EQ(host.doc.current.R[1][1], before.R[1][1]);
    EXPECT_EQ(dialog->ComboBox1->currentText(), "xyz");
    EXPECT_EQ(dialog->ListBox1->count(), 17);
    EXPECT_EQ(dialog->ListBox1->currentRow(), -1);
}

TEST_F(ImageProcessTest, OkEndsTheDialogAndFreesThePreview) {
    dialog->PrepareDialog(2);
    dialog->show();
    dialog->IMAGE_PROCESS->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->preview(), nullptr);
}

}  // namespace

namespace {

// Counts the previews and applies a dialog runs, through the generator: "拡散" draws one
// number per preview pixel, and an apply of it one per picture pixel.
TEST_F(ImageProcessTest, AUserDoubleClickPreviewsOnceThenAppliesOnce) {
    dialog->PrepareDialog(4);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const QRect item = dialog->ListBox1->visualItemRect(dialog->ListBox1->item(10));
    int clicks = 0, doubles = 0;
    QObject::connect(dialog->ListBox1, &QListWidget::itemClicked, [&] { ++clicks; });
    QObject::connect(dialog->ListBox1, &QListWidget::itemDoubleClicked, [&] { ++doubles; });
    // A user's double click: press, release, the second press as a double click, release.
    QWidget* viewport = dialog->ListBox1->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, item.center());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, item.center());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, item.center());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    RandomGenerator expected;
    for (int i = 0; i < 192 * 192 + 6 * 4; ++i) expected.next();
    EXPECT_EQ(host.generator.state(), expected.state()) << "one preview and one apply";
    EXPECT_EQ(dialog->ListBox1->currentRow(), -1) << "the release after the double click selects nothing";
    EXPECT_TRUE(dialog->GroupBox1->isHidden());
}

TEST_F(ImageProcessTest, ArrowKeysMoveTheSelectionAsAClickDoes) {
    dialog->PrepareDialog(0);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->ListBox1->setFocus();
    EXPECT_EQ(dialog->ListBox1->currentRow(), -1) << "focus makes no row current";
    click(12);
    QTest::keyClick(dialog->ListBox1, Qt::Key_Down);  // "ネガホジ"
    EXPECT_EQ(dialog->ListBox1->currentRow(), 13);
    const QColor shown = dialog->Image1->picture().pixelColor(96, 96);
    const PreviewPlanes source(host.doc.current, 192);
    EXPECT_EQ(shown.red(), 255 - source.source().R[96][96]);
}

bool refuseAll(std::size_t) { return false; }

TEST_F(ImageProcessTest, AnEffectWithoutMemoryChangesNothingAndSaysSo) {
    auto services = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform* scripted = services.get();
    setPlatform(std::move(services));
    dialog->PrepareDialog(2);
    click(2);  // "縦横ガラス": two steps, on a copy of the planes taken first
    const ColorPlanes before = host.doc.current;
    setAllocationGate(refuseAll);
    dialog->Button1Click();
    setAllocationGate(nullptr);
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_EQ(scripted->messages()[0], "message: : メモリが足りないため、処理を実行できませんでした。");
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(host.doc.current.G[y][x], before.G[y][x]);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(dialog->ListBox1->currentRow(), 2) << "the dialog stays as it was";
}

}  // namespace
