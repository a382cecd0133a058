// The gradation map window against a fake host: its controls and texts, the opening in its
// steps (the catalogue reseeding the shared generator), the handlers, OK and Cancel.
#include <gtest/gtest.h>

#include <memory>

#include "colormap/ui/gradation_map_dialog.h"
#include "platform/ui/scripted_platform.h"
#include "support/fake_document_host.h"
#include "support/plane_fixtures.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

using namespace veltrane;

namespace {

// The generator after every build of the catalogue, whatever it held before.
constexpr std::uint32_t kStateAfterBuild = 2150892846u;

class GradationMapDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        // A 7 × 4 picture of distinct colours, mid grey at (0, 0).
        host.load(7, 4, [](int x, int y) {
            return x == 0 && y == 0 ? qRgb(128, 128, 128) : qRgb(35 * x, 60 * y + 10, 240 - 20 * x - 7 * y);
        });
        dialog = std::make_unique<TGradiationMap>(host);
        catalogue = std::make_unique<GradientCatalogue>();
        RandomGenerator random;
        BuildGradientCatalogue(*catalogue, random);
    }

    // The planes a picture control shows.
    static ColorPlanes planesOf(const QImage& picture) {
        ColorPlanes planes(picture.width(), picture.height());
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y);
                planes.R[y][x] = static_cast<std::uint8_t>(qRed(c));
                planes.G[y][x] = static_cast<std::uint8_t>(qGreen(c));
                planes.B[y][x] = static_cast<std::uint8_t>(qBlue(c));
            }
        return planes;
    }

    // What Image1 and Image2 must show for catalogue slot [kind][slot] with the options.
    void expectShowing(int kind, int slot, GradationOptions options, const std::string& what) {
        const GradientTable lookup = gradationLookup(catalogue->table(kind, slot), options);
        const PreviewPlanes reduced(host.doc.current, 128);
        ColorPlanes preview(128, 128);
        renderGradationPreview(reduced.source(), preview, lookup);
        test::expectSamePlanes(planesOf(dialog->Image1->picture()), preview, what + ": preview");
        ColorPlanes bar(255, 33);
        renderGradationBar(bar, lookup);
        test::expectSamePlanes(planesOf(dialog->Image2->picture()), bar, what + ": bar");
    }

    test::FakeDocumentHost host;
    std::unique_ptr<TGradiationMap> dialog;
    std::unique_ptr<GradientCatalogue> catalogue;
};

}  // namespace

TEST_F(GradationMapDialogTest, ControlsCaptionsAndHints) {
    TGradiationMap& d = *dialog;
    EXPECT_EQ(d.objectName(), "GradiationMap");
    EXPECT_EQ(d.windowTitle(), "グラディエーションマップ");
    EXPECT_TRUE(d.isModal());
    EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "fixed size";
    struct Text {
        QWidget* control;
        const char* name;
        QString text, hint;
    };
    const Text texts[] = {
        {d.GroupBox1, "GroupBox1", d.GroupBox1->title(), ""},
        {d.GroupBox2, "GroupBox2", d.GroupBox2->title(), ""},
        {d.Label1, "Label1", d.Label1->text(), ""},
        {d.Label2, "Label2", d.Label2->text(), ""},
        {d.RadioGroup1, "RadioGroup1", d.RadioGroup1->title(), "適用するグラディエーションの種類を選択して下さい"},
        {d.Label3, "Label3", d.Label3->text(), ""},
        {d.GroupBox3, "GroupBox3", d.GroupBox3->title(), "オプションにある項目を設定することで変化に富んだ結果が得られます"},
        {d.CheckBox1, "CheckBox1", d.CheckBox1->text(), "適用する色を逆に置き換えます"},
        {d.CheckBox2, "CheckBox2", d.CheckBox2->text(), "適用する色を反転させます"},
        {d.Label6, "Label6", d.Label6->text(), ""},
        {d.OKBtn, "OKBtn", d.OKBtn->text(), ""},
        {d.CancelBtn, "CancelBtn", d.CancelBtn->text(), ""},
        {d.Image2, "Image2", "", "画像の輝度値をこの色で置き換えます"},
    };
    const char* captions[] = {"元画像", "処理した画像", "0", "255", "種類", "↑ から選んで下さい。", "オプション",
                              "逆", "反転", "交換する色", "OK", "cancel", ""};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(texts[i].control->objectName(), texts[i].name);
        EXPECT_EQ(texts[i].text, captions[i]) << texts[i].name;
        EXPECT_EQ(texts[i].control->toolTip(), texts[i].hint) << texts[i].name;
    }
    EXPECT_TRUE(d.Label3->font().bold());
    EXPECT_TRUE(d.OKBtn->isDefault());

    const char* kinds[] = {"シンプル系", "ストライプ系", "複数色", "パステルカラー", "スペクトル"};
    QRadioButton* buttons[] = {d.RadioButton1, d.RadioButton2, d.RadioButton3, d.RadioButton4, d.RadioButton5};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(buttons[i]->objectName(), QString("RadioButton%1").arg(i + 1));
        EXPECT_EQ(buttons[i]->text(), kinds[i]);
        EXPECT_EQ(buttons[i]->parentWidget(), d.RadioGroup1);
        EXPECT_EQ(buttons[i]->isChecked(), i == 0);
    }
    EXPECT_FALSE(d.CheckBox1->isChecked());
    EXPECT_FALSE(d.CheckBox2->isChecked());

    EXPECT_FALSE(d.ComboBox1->isEditable());
    EXPECT_FALSE(d.ComboBox2->isEditable());
    ASSERT_EQ(d.ComboBox2->count(), 6);
    const char* orders[] = {"RGB⇔RGB", "RGB⇔RBG", "RGB⇔GRB", "RGB⇔GBR", "RGB⇔BRG", "RGB⇔BGR"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(d.ComboBox2->itemText(i), orders[i]);
    EXPECT_EQ(d.ComboBox2->currentText(), "RGB⇔RGB");

    EXPECT_EQ(d.Image3->parentWidget(), d.GroupBox1);
    EXPECT_EQ(d.Image1->parentWidget(), d.GroupBox2);
    for (PictureView* view : {d.Image1, d.Image3}) {
        EXPECT_EQ(view->size(), QSize(128, 128));
        EXPECT_TRUE(view->stretch());
    }
    EXPECT_EQ(d.Image2->size(), QSize(255, 33));
    EXPECT_EQ(host.generator.state(), 1u) << "building the window draws nothing";
}

TEST_F(GradationMapDialogTest, PrepareShowsBlackAndLeavesTheGeneratorInItsOneState) {
    for (const std::uint32_t start : {1u, 777u}) {
        host.generator.seed(start);
        dialog = std::make_unique<TGradiationMap>(host);
        dialog->PrepareGradationMap();
        EXPECT_EQ(host.generator.state(), kStateAfterBuild) << "from " << start;
        EXPECT_EQ(dialog->ComboBox1->count(), 20);
        EXPECT_EQ(dialog->ComboBox1->currentText(), "黒");
        EXPECT_EQ(dialog->ComboBox1->itemText(19), "黄色・緑・水色");
        EXPECT_EQ(dialog->category(), 0);
        EXPECT_EQ(dialog->gradientIndex(), 0);
        EXPECT_EQ(dialog->exchangeMode(), 0);
        const PreviewPlanes reduced(host.doc.current, 128);
        test::expectSamePlanes(planesOf(dialog->Image3->picture()), reduced.source(), "the original");
        expectShowing(0, 0, {}, "黒");
    }
    // "黒" with "逆" unchecked: the grey negative. Luminance 0 (the bands and bar column 0) is white.
    EXPECT_EQ(dialog->Image2->picture().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(dialog->Image2->picture().pixel(254, 32), qRgb(1, 1, 1));
    EXPECT_EQ(dialog->Image1->picture().pixel(0, 0), qRgb(255, 255, 255));
}

TEST_F(GradationMapDialogTest, HandlersChooseRedrawAndDrawNothing) {
    dialog->PrepareGradationMap();
    dialog->CheckBox1->click();
    expectShowing(0, 0, {true, 0, false}, "逆");

    dialog->RadioButton3->click();
    EXPECT_EQ(dialog->category(), 2);
    EXPECT_EQ(dialog->ComboBox1->count(), 22);
    EXPECT_EQ(dialog->ComboBox1->currentText(), "メタル(1)");
    EXPECT_TRUE(dialog->CheckBox1->isChecked()) << "a new kind keeps the options";
    expectShowing(2, 0, {true, 0, false}, "メタル(1)");

    // An index set in code runs nothing; the handler (or the user's choice) takes it.
    dialog->ComboBox1->setCurrentIndex(5);
    EXPECT_EQ(dialog->gradientIndex(), 0);
    emit dialog->ComboBox1->activated(5);
    EXPECT_EQ(dialog->gradientIndex(), 5);
    expectShowing(2, 5, {true, 0, false}, "勾配色(輝度値)");

    dialog->ComboBox2->setCurrentIndex(5);
    dialog->ComboBox2Change();
    dialog->CheckBox2->click();
    EXPECT_EQ(dialog->exchangeMode(), 5);
    expectShowing(2, 5, {true, 5, true}, "exchanged and inverted");

    dialog->RadioButton5->click();
    dialog->ComboBox1->setCurrentIndex(6);
    dialog->ComboBox1Change();
    EXPECT_EQ(dialog->ComboBox1->currentText(), "ランダム(1)");
    expectShowing(4, 6, {true, 5, true}, "ランダム(1) copied from the catalogue");
    EXPECT_EQ(host.generator.state(), kStateAfterBuild) << "nothing but the opening draws";
}

// No item chosen (a script's index −1, or an index past the list) keeps the choice and the preview.
TEST_F(GradationMapDialogTest, BoxesWithoutAnItemChangeNothing) {
    dialog->PrepareGradationMap();
    dialog->ComboBox1->setCurrentIndex(3);
    dialog->ComboBox1Change();
    dialog->ComboBox2->setCurrentIndex(2);
    dialog->ComboBox2Change();
    const QImage preview = dialog->Image1->picture().copy();
    const QImage bar = dialog->Image2->picture().copy();
    for (const int index : {-1, 40}) {
        dialog->ComboBox1->setCurrentIndex(index);
        dialog->ComboBox1Change();
        dialog->ComboBox2->setCurrentIndex(index);
        dialog->ComboBox2Change();
        EXPECT_EQ(dialog->gradientIndex(), 3);
        EXPECT_EQ(dialog->exchangeMode(), 2);
        EXPECT_EQ(dialog->Image1->picture(), preview);
        EXPECT_EQ(dialog->Image2->picture(), bar);
    }
}

TEST_F(GradationMapDialogTest, OkMapsTheCurrentPlanesWithTheIntegerLuminance) {
    dialog->PrepareGradationMap();
    dialog->ComboBox1->setCurrentIndex(1);  // "赤"
    dialog->ComboBox1Change();
    const ColorPlanes original = host.doc.original;
    ColorPlanes expected = host.doc.current;
    applyGradationMap(expected, gradationLookup(catalogue->table(0, 1), {}));
    // Grey 128 is luminance 128 here (127 in the preview): entry 127 of "赤".
    EXPECT_EQ(expected.G[0][0], 127);
    dialog->OKBtn->click();
    test::expectSamePlanes(host.doc.current, expected, "current planes");
    test::expectSamePlanes(planesOf(host.shown), expected, "shown");
    test::expectSamePlanes(host.doc.original, original, "original planes");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->preview(), nullptr) << "the planes are freed";
}

TEST_F(GradationMapDialogTest, CancelAndCloseRefreshTheUnchangedPicture) {
    for (const auto how : {+[](TGradiationMap& d) { d.CancelBtn->click(); }, +[](TGradiationMap& d) { d.reject(); }}) {
        dialog = std::make_unique<TGradiationMap>(host);
        dialog->PrepareGradationMap();
        dialog->CheckBox2->click();
        host.shown = QImage();
        const ColorPlanes before = host.doc.current;
        how(*dialog);
        test::expectSamePlanes(host.doc.current, before);
        test::expectSamePlanes(planesOf(host.shown), before, "refreshed");
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(dialog->preview(), nullptr);
    }
}

TEST_F(GradationMapDialogTest, TinyAndVeryWidePicturesOpenPreviewAndApply) {
    for (const auto& [w, h] : {std::pair{1, 1}, {1, 5}, {30000, 1}}) {
        host.load(w, h, [](int x, int) { return qRgb(x & 255, 255, 0); });
        dialog = std::make_unique<TGradiationMap>(host);
        dialog->PrepareGradationMap();
        expectShowing(0, 0, {}, std::to_string(w) + " x " + std::to_string(h));
        dialog->OKBtn->click();
        // (30 × R + 59 × 255) / 100 → "黒" reversed: 255 − L.
        EXPECT_EQ(host.doc.current.R[0][0], 255 - (59 * 255) / 100);
        EXPECT_EQ(host.doc.current.B[h - 1][w - 1], 255 - (30 * ((w - 1) & 255) + 59 * 255) / 100);
    }
}
