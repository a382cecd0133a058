// The PCNN window against a fake host: its design states, the automatic run on its timer (the
// settings locked and the busy gate held while it lasts), closing mid-run, step mode, "元に戻す"
// and "適用する".
#include <gtest/gtest.h>

#include <QTest>

#include "common/busy_gate.h"
#include "image/image_document.h"
#include "image/letterbox.h"
#include "pcnn/ui/pcnn_dialog.h"
#include "platform/ui/scripted_platform.h"
#include "support/fake_document_host.h"
#include "widgets/ui/picture_view.h"

using namespace veltrane;

namespace {

class PcnnDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        // 12 × 6: wide, so the source has black bands above and below.
        host.load(12, 6, [](int x, int y) { return qRgb(20 * x + 5, 40 * y + 10, 200 - 15 * x); });
        host.doc.fileName = "/pictures/photo.bmp";
        dialog = std::make_unique<TPCNN>(host);
        dialog->PrepareSource();
    }

    // The pulse picture a direct run of the network gives after `passes` passes.
    Bitmap24 networkPicture(const PcnnParameters& parameters, int passes) const {
        const ColorPlanes& current = host.doc.current;
        const ColorPlanes source = buildLetterbox(current, letterboxGeometry(current.width, current.height, 256));
        PcnnNetwork network;
        network.ResetNetwork();
        network.StartRun(source, parameters);
        Bitmap24 picture(256, 256);
        for (int i = 0; i < passes; ++i) network.Pass(picture);
        return picture;
    }

    QImage shown() const { return dialog->Image1->picture().copy(); }

    static bool same(const QImage& image, const Bitmap24& bitmap) {
        const QImage expected(bitmap.data(), bitmap.width(), bitmap.height(), static_cast<qsizetype>(bitmap.stride()),
                              QImage::Format_BGR888);
        return image.convertToFormat(QImage::Format_BGR888) == expected;
    }

    bool settingsEnabled() const { return dialog->GroupBox1->isEnabled() && dialog->GroupBox2->isEnabled(); }

    test::FakeDocumentHost host;
    std::unique_ptr<TPCNN> dialog;
};

}  // namespace

TEST_F(PcnnDialogTest, OpensWithItsDesignStates) {
    TPCNN& d = *dialog;
    EXPECT_EQ(d.objectName(), "PCNN");
    EXPECT_EQ(d.windowTitle(), "Pulse-Coupled Neural Network");
    EXPECT_EQ(d.frameGeometry().width(), 590);
    EXPECT_EQ(d.BitBtn3->text(), "開始");
    EXPECT_EQ(d.ComboBox1->currentText(), "20");
    EXPECT_EQ(d.ComboBox1->currentIndex(), 2);
    EXPECT_EQ(d.ComboBox2->currentText(), "白⇔黒");
    EXPECT_EQ(d.ComboBox2->count(), 7);
    EXPECT_TRUE(d.RadioButton1->isChecked());
    EXPECT_TRUE(d.RadioButton3->isChecked());
    EXPECT_TRUE(d.RadioButton6->isChecked());
    // The setting groups lie wholly beyond the 440 pixels a run narrows the window to.
    for (QWidget* group : {static_cast<QWidget*>(d.GroupBox1), static_cast<QWidget*>(d.GroupBox2)})
        EXPECT_GE(group->x(), 440);
    // The source is the 256 box letterbox: black bands above and below a wide picture.
    const QImage source = shown();
    EXPECT_EQ(source.size(), QSize(256, 256));
    EXPECT_EQ(source.pixelColor(100, 0), QColor(0, 0, 0));
    EXPECT_NE(source.pixelColor(100, 128), QColor(0, 0, 0));
}

TEST_F(PcnnDialogTest, AutomaticRunTicksOnATimerWithTheSettingsLockedAndTheGateHeld) {
    dialog->ComboBox1->setCurrentIndex(0);  // 10 passes
    dialog->BitBtn3->click();
    // The first pass runs in the click; the rest follow on the timer.
    EXPECT_EQ(dialog->Label2->text(), "処理回数1/10");
    EXPECT_EQ(dialog->frameGeometry().width(), 440);
    EXPECT_TRUE(BusyGate::held());
    EXPECT_FALSE(settingsEnabled());
    EXPECT_FALSE(dialog->BitBtn1->isEnabled());
    EXPECT_FALSE(dialog->BitBtn2->isEnabled());
    EXPECT_FALSE(dialog->BitBtn3->isEnabled());
    // A second start while it runs is refused.
    dialog->BitBtn3Click();
    EXPECT_EQ(dialog->Label2->text(), "処理回数1/10");

    for (int waited = 0; waited < 5000 && !dialog->BitBtn3->isEnabled(); waited += 10) QTest::qWait(10);
    ASSERT_TRUE(dialog->BitBtn3->isEnabled());
    EXPECT_EQ(dialog->Label2->text(), "処理回数10/10");
    EXPECT_EQ(dialog->ProgressBar1->value(), 0);
    EXPECT_EQ(dialog->frameGeometry().width(), 590);
    EXPECT_FALSE(BusyGate::held());
    EXPECT_TRUE(settingsEnabled());
    EXPECT_TRUE(dialog->BitBtn1->isEnabled());
    PcnnParameters parameters;
    parameters.passes = 10;
    EXPECT_TRUE(same(shown(), networkPicture(parameters, 10)));
}

TEST_F(PcnnDialogTest, ClosingMidRunStopsTheTimerAndReleasesTheGate) {
    dialog->show();
    dialog->BitBtn3->click();
    ASSERT_TRUE(BusyGate::held());
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(BusyGate::held());
    const QString label = dialog->Label2->text();
    QTest::qWait(150);  // no pass follows once closed
    EXPECT_EQ(dialog->Label2->text(), label);
    EXPECT_EQ(dialog->frameGeometry().width(), 590);
    EXPECT_TRUE(settingsEnabled());
}

TEST_F(PcnnDialogTest, StepModeRunsOnePassPerClickAndEndsAfterN) {
    dialog->RadioButton2->click();
    dialog->RadioButton7->click();  // 小
    dialog->RadioButton4->click();  // RGB
    EXPECT_FALSE(dialog->ComboBox2->isEnabled());
    dialog->ComboBox1->setCurrentIndex(0);
    const int expectedBar[] = {0, 11, 22, 33, 44, 55, 66, 77, 88};
    for (int k = 0; k < 9; ++k) {
        dialog->BitBtn3->click();
        EXPECT_EQ(dialog->BitBtn3->text(), "next");
        EXPECT_EQ(dialog->ProgressBar1->value(), expectedBar[k]);
        EXPECT_EQ(dialog->Label2->text(), QString("処理回数%1/10").arg(k + 1));
        EXPECT_EQ(dialog->frameGeometry().width(), 440);
        EXPECT_FALSE(settingsEnabled());
        EXPECT_TRUE(dialog->BitBtn1->isEnabled());
        EXPECT_TRUE(dialog->BitBtn2->isEnabled());
        EXPECT_FALSE(BusyGate::held());
    }
    dialog->BitBtn3->click();
    EXPECT_EQ(dialog->BitBtn3->text(), "start");
    EXPECT_EQ(dialog->Label2->text(), "処理回数10/10");
    EXPECT_EQ(dialog->ProgressBar1->value(), 0);
    EXPECT_EQ(dialog->frameGeometry().width(), 590);
    EXPECT_TRUE(settingsEnabled());
    PcnnParameters parameters;
    parameters.beta = 0.2;
    parameters.thresholdStep = 2.5;
    parameters.passes = 10;
    parameters.input = PcnnInput::Rgb;
    EXPECT_TRUE(same(shown(), networkPicture(parameters, 10)));
    dialog->RadioButton3->click();
    EXPECT_TRUE(dialog->ComboBox2->isEnabled());
}

TEST_F(PcnnDialogTest, BackToTheSourceEndsAStepRun) {
    const QImage source = shown();
    dialog->RadioButton2->click();
    dialog->BitBtn3->click();
    dialog->BitBtn3->click();
    dialog->BitBtn2->click();
    EXPECT_EQ(shown(), source);
    EXPECT_EQ(dialog->BitBtn3->text(), "start");
    EXPECT_EQ(dialog->frameGeometry().width(), 590);
    EXPECT_TRUE(settingsEnabled());
    // The next click starts a new run from pass 1.
    dialog->BitBtn3->click();
    EXPECT_EQ(dialog->Label2->text(), "処理回数1/20");
}

TEST_F(PcnnDialogTest, ApplyPutsThePulsePictureIntoTheDocumentAndSizesTheMainWindow) {
    dialog->ComboBox2->setCurrentIndex(6);  // 黄⇔緑
    dialog->RadioButton2->click();
    dialog->BitBtn3->click();
    dialog->BitBtn1->click();
    EXPECT_EQ(host.caption, "photo.bmp PCNN(256×256)");
    EXPECT_EQ(host.doc.width(), 256);
    EXPECT_EQ(host.doc.height(), 256);
    EXPECT_EQ(host.doc.fileName, "/pictures/photo.bmp");
    EXPECT_EQ(host.mainWindowWidth, 520);
    EXPECT_EQ(host.mainWindowBelowToolBar, 333);
    EXPECT_EQ(host.detaches, 0);
    // First pass: the picture fires yellow, the bands stay green.
    EXPECT_EQ(host.shown.pixelColor(100, 0), QColor(0, 255, 0));
    EXPECT_EQ(host.shown.pixelColor(100, 128), QColor(255, 255, 0));
    EXPECT_EQ(host.shown, shown().convertToFormat(host.shown.format()));
    // The window stays usable: the step run goes on.
    dialog->BitBtn3->click();
    EXPECT_EQ(dialog->Label2->text(), "処理回数2/20");
}
