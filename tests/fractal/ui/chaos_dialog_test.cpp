// The fractal window against a fake host: the first pictures, zooming by presses (real and
// called), and "apply".
#include <gtest/gtest.h>

#include <QTest>

#include "fractal/ui/chaos_dialog.h"
#include "platform/ui/scripted_platform.h"
#include "support/fake_document_host.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/progress_window.h"

using namespace veltrane;

namespace {

class ChaosDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(std::make_unique<ScriptedPlatform>());
        progress = std::make_unique<TProgress>(nullptr);
        host.progressWindow = progress.get();
        dialog = std::make_unique<TCHAOS>(host);
    }

    QColor at(int x, int y) const { return dialog->Image1->picture().pixelColor(x, y); }

    test::FakeDocumentHost host;
    std::unique_ptr<TProgress> progress;
    std::unique_ptr<TCHAOS> dialog;
};

}  // namespace

TEST_F(ChaosDialogTest, FirstPicturesShowTheirCornersAndCentre) {
    EXPECT_EQ(dialog->objectName(), "CHAOS");
    EXPECT_EQ(dialog->windowTitle(), "chaos");
    dialog->DrawMandelbrot(-0.75, 0, 0.01);
    EXPECT_EQ(dialog->Image1->picture().size(), QSize(256, 256));
    EXPECT_EQ(at(0, 0), QColor(0, 48, 255));
    EXPECT_EQ(at(0, 255), QColor(0, 48, 255));
    EXPECT_EQ(at(255, 0), QColor(0, 96, 255));
    EXPECT_EQ(at(128, 128), QColor(32, 32, 32));
    EXPECT_FALSE(progress->isVisible());
    dialog->DrawJulia(0, 0, 0.012);
    EXPECT_EQ(dialog->kind(), FractalKind::Julia);
    for (int x : {0, 255})
        for (int y : {0, 255}) EXPECT_EQ(at(x, y), QColor(0, 0, 255)) << x << "," << y;
}

TEST_F(ChaosDialogTest, PressesZoomTheViewOfTheKindShowing) {
    dialog->DrawMandelbrot(-0.75, 0, 0.01);
    dialog->Image1MouseDown(1, 192, 128);
    EXPECT_EQ(dialog->view(), (FractalView{-0.75 + 64 * 0.01, 0, 0.0025}));
    dialog->Image1MouseDown(3, 0, 0);
    dialog->Image1MouseDown(0, 0, 0);
    EXPECT_EQ(dialog->view().step, 0.0025);
    dialog->Image1MouseDown(2, 128, 128);
    EXPECT_EQ(dialog->view().step, 0.01);
    for (int i = 0; i < 4; ++i) dialog->Image1MouseDown(1, 128, 128);
    EXPECT_EQ(dialog->view().step, 0.01 / 256);
    // A real left press on the picture zooms in on the point pressed.
    const FractalView expected = zoomView(dialog->view(), 1, 40, 60);
    QTest::mousePress(dialog->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(40, 60));
    EXPECT_EQ(dialog->view(), expected);
    EXPECT_EQ(dialog->view().step, 0.01 / 1024);
}

TEST_F(ChaosDialogTest, ApplyMakesThePictureTheDocumentsAndDetachesItFromTheFolder) {
    struct Case {
        bool julia;
        const char* caption;
    };
    for (const Case& c : {Case{false, "Mandelbrot(256×256)"}, Case{true, "Julia(256×256)"}}) {
        if (c.julia)
            dialog->DrawJulia(0, 0, 0.012);
        else
            dialog->DrawMandelbrot(-0.75, 0, 0.01);
        dialog->Button1->click();
        EXPECT_EQ(host.caption, c.caption);
        EXPECT_TRUE(host.doc.imageLoaded);
        EXPECT_EQ(host.doc.width(), 256);
        EXPECT_EQ(host.shown, dialog->Image1->picture().convertToFormat(host.shown.format()));
        EXPECT_EQ(host.mainWindowWidth, 485);
        EXPECT_EQ(host.mainWindowBelowToolBar, 333);
    }
    EXPECT_EQ(host.detaches, 2);
}
