// The main window's document entry points and the commands that open the adjustment window
// and the join and merge window, driven in-process.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "adjust/ui/rgb_dialog.h"
#include "app/ui/main_window.h"
#include "colormap/ui/color_exchange_dialog.h"
#include "colormap/ui/extract_color_dialog.h"
#include "colormap/ui/gradation_map_dialog.h"
#include "colormap/ui/tone_color_dialog.h"
#include "compose/ui/marge_joint_dialog.h"
#include "filter/ui/custom_filter_dialog.h"
#include "image/bmp_codec.h"
#include "image/pixel_buffer.h"
#include "platform/ui/scripted_platform.h"
#include "support/plane_fixtures.h"
#include "widgets/ui/color_picker_dialog.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/up_down.h"

using namespace veltrane;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTRANE_INI", dir.filePath("Veltrane.ini").toUtf8());
        auto services = std::make_unique<ScriptedPlatform>();
        scripted = services.get();
        setPlatform(std::move(services));
        window = std::make_unique<TMain>();
    }
    void TearDown() override { setAllocationGate(nullptr); }

    // A frame whose pixel (x, y) is B = x, G = y, R = 200 + x.
    static Bitmap24 frame(int width, int height) {
        Bitmap24 picture(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = picture.row(y) + 3 * x;
                p[0] = static_cast<std::uint8_t>(x);
                p[1] = static_cast<std::uint8_t>(y);
                p[2] = static_cast<std::uint8_t>(200 + x);
            }
        return picture;
    }

    // Writes a width × height BMP of one grey level into the test folder.
    QString writeBmp(const QString& name, int width, int height, std::uint8_t grey) {
        Bitmap24 picture(width, height);
        for (int y = 0; y < height; ++y) std::fill_n(picture.row(y), 3 * width, grey);
        const std::vector<std::uint8_t> bytes = encodeBmp24(picture);
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return file.fileName();
    }

    QTemporaryDir dir;
    ScriptedPlatform* scripted = nullptr;
    std::unique_ptr<TMain> window;
};

// Lets a given number of pixel allocations go ahead and refuses the rest.
int allocationsLeft = 0;
bool refuseWhenUsedUp(std::size_t) { return allocationsLeft-- > 0; }

}  // namespace

TEST_F(MainWindowTest, StartsWithAClientArea477By153BelowTheMenuBar) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect menu = window->menuBar()->geometry();
    EXPECT_EQ(menu.top(), 0);
    EXPECT_EQ(window->width(), 477);
    EXPECT_EQ(window->height() - menu.height(), 153);
    EXPECT_EQ(window->statusBar()->geometry().bottom(), window->height() - 1);
}

TEST_F(MainWindowTest, ConstructionReadsNoSettingsAndShowsNothing) {
    QFile settings(dir.filePath("Veltrane.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[KIRRO]\ngreeting=1\n[Main_POS]\nLeft=77\n");
    settings.close();
    TMain fresh;
    EXPECT_TRUE(scripted->messages().isEmpty());
    EXPECT_NE(fresh.x(), 77);
    fresh.start();
    EXPECT_EQ(scripted->messages().size(), 1) << "the greeting comes with start()";
    EXPECT_EQ(fresh.x(), 77);
}

TEST_F(MainWindowTest, ReceiveFrameMakesTheFrameThePictureAndTheOriginal) {
    window->ReceiveFrame(frame(3, 2));
    const ImageDocument& doc = window->document();
    ASSERT_TRUE(doc.imageLoaded);
    EXPECT_EQ(window->windowTitle(), "Captured Image(3×2)");
    EXPECT_EQ(doc.current.G[1][0], 1);
    EXPECT_EQ(doc.current.R[0][2], 202);
    EXPECT_EQ(doc.original.B[1][2], 2);
    EXPECT_TRUE(window->saveas1->isEnabled());
    EXPECT_FALSE(window->NextFileN1->isEnabled());
    EXPECT_EQ(window->Image1->picture().pixel(2, 1), qRgb(202, 1, 2));
}

TEST_F(MainWindowTest, ReceiveFrameIgnoresAnEmptyFrame) {
    window->ReceiveFrame(Bitmap24());
    EXPECT_FALSE(window->document().imageLoaded);
    EXPECT_EQ(window->windowTitle(), "Veltrane");
}

TEST_F(MainWindowTest, ShowOriginalUndoesEveryChangeAndRefreshShowsThePlanes) {
    window->ReceiveFrame(frame(4, 3));
    ImageDocument& doc = window->document();
    const ColorPlanes before = doc.current;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) doc.current.R[y][x] = 9;
    window->RefreshFromPlanes();
    EXPECT_EQ(qRed(window->Image1->picture().pixel(3, 2)), 9);

    window->G1Click();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(doc.current.R[y][x], before.R[y][x]);
            EXPECT_EQ(doc.bitmap.row(y)[3 * x + 2], before.R[y][x]);
        }
    EXPECT_EQ(window->windowTitle(), "Captured Image(4×3)") << "the caption does not change";
}

// A picture that cannot get its planes leaves everything as it was: the document, the view,
// the caption, the counter and the folder position; the error box says what happened.
TEST_F(MainWindowTest, APictureThatCannotBeAllocatedChangesNothing) {
    const QString first = writeBmp("a.bmp", 4, 3, 10);
    writeBmp("b.bmp", 6, 5, 200);
    window->OpenFile(first);
    ASSERT_EQ(window->windowTitle(), "a.bmp(4×3)");
    ASSERT_EQ(window->Edit1->text(), "1/2");
    const ColorPlanes planesBefore = window->document().current;

    Bitmap24 bigFrame = frame(8, 8);
    setAllocationGate(refuseWhenUsedUp);
    // A decoded file takes one allocation (its bitmap), then three for the current planes and
    // three for the original ones; a frame arrives already allocated.
    const struct {
        const char* what;
        int allowed;
        std::function<void()> act;
    } arrivals[] = {
        {"folder navigation, current planes refused", 1, [&] { window->NextFileN1->trigger(); }},
        {"folder navigation, original planes refused", 4, [&] { window->NextFileN1->trigger(); }},
        {"open, current planes refused", 1, [&] { window->OpenFile(dir.filePath("b.bmp")); }},
        {"open, last original plane refused", 6, [&] { window->OpenFile(dir.filePath("b.bmp")); }},
        {"received frame", 0, [&] { window->ReceiveFrame(std::move(bigFrame)); }},
    };
    for (const auto& arrival : arrivals) {
        SCOPED_TRACE(arrival.what);
        scripted->clearMessages();
        allocationsLeft = arrival.allowed;
        arrival.act();
        EXPECT_LT(allocationsLeft, 0) << "an allocation was refused";
        const ImageDocument& doc = window->document();
        EXPECT_TRUE(doc.imageLoaded);
        EXPECT_EQ(doc.width(), 4);
        EXPECT_EQ(doc.current.width, 4);
        EXPECT_EQ(doc.original.height, 3);
        EXPECT_EQ(doc.current.R[2][3], planesBefore.R[2][3]);
        EXPECT_EQ(QFile::decodeName(doc.fileName.c_str()), first);
        EXPECT_EQ(window->windowTitle(), "a.bmp(4×3)");
        EXPECT_EQ(window->Edit1->text(), "1/2");
        EXPECT_EQ(window->Image1->picture().size(), QSize(4, 3));
        EXPECT_EQ(window->Image1->picture().pixel(3, 2), qRgb(10, 10, 10));
        ASSERT_EQ(scripted->messages().size(), 1);
        EXPECT_TRUE(scripted->messages().first().startsWith("message: : メモリが足りないため画像を読み込めません"))
            << scripted->messages().first().toStdString();
    }

    setAllocationGate(nullptr);
    window->NextFileN1->trigger();
    EXPECT_EQ(window->windowTitle(), "b.bmp(6×5)") << "the position was kept, so next still goes to b.bmp";
    EXPECT_EQ(window->Edit1->text(), "2/2");
}

TEST_F(MainWindowTest, AdjustmentCommandsOpenTheirPageModallyAndNothingSurvivesTheWindow) {
    struct Case {
        void (TMain::*command)();
        const char* page;
    };
    const Case cases[] = {
        {&TMain::RGBprocess1Click, "TabSheet1"}, {&TMain::HSIprocess1Click, "TabSheet2"},
        {&TMain::Gamma1Click, "TabSheet3"},      {&TMain::Postlize1Click, "TabSheet4"},
        {&TMain::Binarize1Click, "TabSheet5"},   {&TMain::AddNoise1Click, "TabSheet6"},
        {&TMain::Contrast1Click, "TabSheet7"},
    };
    // Without a picture the commands do nothing.
    for (const Case& c : cases) {
        (window.get()->*c.command)();
        EXPECT_EQ(RGB, nullptr);
    }

    window->ReceiveFrame(frame(5, 3));
    for (const Case& c : cases) {
        QString page;
        bool modal = false, visible = false;
        int gamma = 0;
        QTimer::singleShot(0, [&] {
            ASSERT_NE(RGB, nullptr);
            page = RGB->PageControl1->currentWidget()->objectName();
            modal = RGB->isModal();
            visible = RGB->isVisible();
            gamma = RGB->TrackBar7->value();
            RGB->TrackBar7->setValue(33);  // must not outlive this opening
            RGB->CancelBtn->click();
        });
        (window.get()->*c.command)();
        EXPECT_EQ(page, c.page);
        EXPECT_TRUE(modal);
        EXPECT_TRUE(visible);
        EXPECT_EQ(gamma, 10);
        EXPECT_EQ(RGB, nullptr) << "the window is gone after it closed";
        EXPECT_EQ(window->random().state(), 1u) << "opening draws nothing";
    }
}

TEST_F(MainWindowTest, HoldsOneNamedColorDialog) {
    auto* dialog = window->findChild<TColorPickerDialog*>("ColorDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog, window->ColorDialog);
    EXPECT_EQ(dialog->property("Title").toString(), "色の選択");
    EXPECT_TRUE(dialog->setProperty("Color", 0x00FF00u));  // what a script's "Main.ColorDialog.Color = ..." does
    EXPECT_EQ(dialog->GetColor(), 0x00FF00u);
}

// Every opening starts from the design kernel with its preview and divisor shown; Cancel leaves
// the picture, OK filters it, and nothing of the window survives either.
TEST_F(MainWindowTest, CustomFilterCommandOpensModallyWithTheDesignKernelEachTime) {
    window->CustomFilterC1Click();
    EXPECT_EQ(CustomFilter, nullptr) << "no picture, no window";

    window->ReceiveFrame(frame(7, 4));
    const ColorPlanes loaded = window->document().current;
    struct Opening {
        bool modal = false;
        QString divisor;
        int centre = 0;
        bool previewed = false;
    };
    for (bool ok : {false, true}) {
        Opening seen;
        QTimer::singleShot(0, [&] {
            ASSERT_NE(CustomFilter, nullptr);
            seen = {CustomFilter->isModal(), CustomFilter->Label2->text(), CustomFilter->UpDowns[12]->value(),
                    !CustomFilter->Image1->picture().isNull()};
            // Identity kernel but for one cell: must not outlive a cancelled opening.
            for (UpDown* cell : CustomFilter->UpDowns) cell->setValue(0);
            CustomFilter->UpDowns[12]->setValue(1);
            CustomFilter->UpDowns[0]->setValue(1);
            (ok ? CustomFilter->OKBtn : CustomFilter->CancelBtn)->click();
        });
        window->CustomFilterC1Click();
        EXPECT_TRUE(seen.modal);
        EXPECT_EQ(seen.divisor, "1");
        EXPECT_EQ(seen.centre, 5);
        EXPECT_TRUE(seen.previewed);
        EXPECT_EQ(CustomFilter, nullptr) << "the window is gone after it closed";
    }
    FilterKernel applied{};
    applied[0] = applied[12] = 1;
    ColorPlanes expected = loaded;
    CustomFilterPlanes(expected, applied);
    EXPECT_EQ(test::bytes(window->document().current.R), test::bytes(expected.R));
    EXPECT_EQ(test::bytes(window->document().current.B), test::bytes(expected.B));
    EXPECT_EQ(window->random().state(), 1u) << "the filter draws nothing";
}

// Join and merge open their page modally; the result replaces the picture and becomes the
// original, while the window's size, fileName, commands and folder position stay.
TEST_F(MainWindowTest, JoinAndMergeReplaceThePictureAndKeepEverythingElse) {
    window->JointClick();
    EXPECT_EQ(MargeJoint, nullptr) << "no picture, no window";

    const QString first = writeBmp("a.bmp", 4, 3, 10);
    writeBmp("b.bmp", 6, 5, 200);
    const QString second = writeBmp("second.bmp", 2, 5, 90);
    window->OpenFile(first);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QSize outer = window->frameGeometry().size();

    const struct {
        void (TMain::*command)();
        const char* page;
        const char* purpose;
        QSize size;
        QString caption;
        int byteAt00;  // the first pixel's bytes after the command
    } cases[] = {
        {&TMain::JointClick, "TabSheet1", "連結する画像ファイル", QSize(4, 8), "a.bmp(4×3)とsecond.bmp(4×5)を連結", 90},
        {&TMain::MargeClick, "TabSheet2", "合成する画像ファイル", QSize(4, 8),
         "a.bmp(4×3)とsecond.bmp(4×5)を連結とsecond.bmpを合成", 90},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        QString page, purpose;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            ASSERT_NE(MargeJoint, nullptr);
            page = MargeJoint->PageControl1->currentWidget()->objectName();
            purpose = MargeJoint->LabelDisp->text();
            modal = MargeJoint->isModal();
            MargeJoint->FilesDropped({second});
            MargeJoint->OKBtn->click();
        });
        (window.get()->*c.command)();
        EXPECT_EQ(page, c.page);
        EXPECT_EQ(purpose, c.purpose);
        EXPECT_TRUE(modal);
        EXPECT_EQ(MargeJoint, nullptr) << "the window is gone after it closed";

        const ImageDocument& doc = window->document();
        ASSERT_EQ(QSize(doc.width(), doc.height()), c.size);
        EXPECT_EQ(doc.bitmap.row(0)[0], c.byteAt00);
        EXPECT_EQ(doc.original.R[0][3], 255) << "the padding is white and part of the original";
        EXPECT_EQ(window->Image1->picture().size(), c.size);
        EXPECT_EQ(window->windowTitle(), c.caption);
        EXPECT_EQ(QFile::decodeName(doc.fileName.c_str()), first);
        EXPECT_EQ(window->Edit1->text(), "1/3");
        EXPECT_TRUE(window->saveas1->isEnabled());
        EXPECT_TRUE(window->Joint->isEnabled());
        EXPECT_TRUE(window->NextFileN1->isEnabled());
        EXPECT_EQ(window->frameGeometry().size(), outer);
    }

    window->G1Click();
    EXPECT_EQ(window->document().current.G[0][0], 90) << "the original is the merged picture";
    window->NextFileN1->trigger();
    EXPECT_EQ(window->windowTitle(), "b.bmp(6×5)") << "the folder position was kept";
}

TEST_F(MainWindowTest, ToneColourCommandRunsTheWindowModallyAndEveryEndingDestroysIt) {
    window->ToneColorT1Click();
    EXPECT_EQ(ToneColor, nullptr) << "without a picture the command does nothing";

    window->ReceiveFrame(frame(5, 3));  // pixel (0, 0): R 200, G 0, B 0
    struct Case {
        const char* what;
        void (*end)(TToneColor&);
        int redAfter;
    };
    const Case cases[] = {
        {"cancel", [](TToneColor& d) { d.CancelBtn->click(); }, 200},
        {"close box", [](TToneColor& d) { d.close(); }, 200},
        {"OK: the negative", [](TToneColor& d) { d.OKBtn->click(); }, 55},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool modal = false, visible = false, prepared = false;
        QTimer::singleShot(0, [&] {
            ASSERT_NE(ToneColor, nullptr);
            modal = ToneColor->isModal();
            visible = ToneColor->isVisible();
            prepared = ToneColor->preview() != nullptr;
            ToneColor->Image1MouseDown(2, 128, 0);  // the right button: nothing
            c.end(*ToneColor);
        });
        window->findChild<QAction*>("ToneColorT1")->trigger();
        EXPECT_TRUE(modal);
        EXPECT_TRUE(visible);
        EXPECT_TRUE(prepared);
        EXPECT_EQ(ToneColor, nullptr) << "the window is gone after it ended";
        EXPECT_EQ(window->document().current.R[0][0], c.redAfter);
        EXPECT_EQ(window->document().current.G[0][0], c.redAfter == 55 ? 255 : 0);
    }
}

// The gradation map opens modally on the picture, builds its catalogue on the program's own
// generator (leaving it in one state whatever it held) and is gone after every ending.
TEST_F(MainWindowTest, GradationMapCommandOpensModallyAndNothingSurvivesTheWindow) {
    window->GradiationmapG1Click();
    EXPECT_EQ(GradiationMap, nullptr);
    EXPECT_EQ(window->random().state(), 1u) << "without a picture nothing is drawn";

    window->ReceiveFrame(frame(5, 3));
    const std::pair<const char*, void (*)()> endings[] = {
        {"cancel", [] { GradiationMap->CancelBtn->click(); }},
        {"close box", [] { GradiationMap->close(); }},
        {"OK", [] { GradiationMap->OKBtn->click(); }},
    };
    for (const auto& [what, end] : endings) {
        SCOPED_TRACE(what);
        window->random().seed(12345);
        bool modal = false, visible = false;
        int items = 0;
        QTimer::singleShot(0, [&, end = end] {
            ASSERT_NE(GradiationMap, nullptr);
            modal = GradiationMap->isModal();
            visible = GradiationMap->isVisible();
            items = GradiationMap->ComboBox1->count();
            GradiationMap->RadioButton4->click();  // must not outlive this opening
            end();
        });
        window->findChild<QAction*>("GradiationmapG1")->trigger();
        EXPECT_TRUE(modal);
        EXPECT_TRUE(visible);
        EXPECT_EQ(items, 20);
        EXPECT_EQ(GradiationMap, nullptr) << "the window is gone after it closed";
        EXPECT_EQ(window->random().state(), 2150892846u) << "the opening's seeds, not restored by the ending";
    }
}

TEST_F(MainWindowTest, ColourExchangeAndExtractionOpenModallyFromEveryEntryAndLeaveNothingBehind) {
    // Without a picture the commands do nothing.
    window->SwitchCsolorClick();
    window->ExtractColor1Click();
    EXPECT_EQ(ColorExchange, nullptr);
    EXPECT_EQ(ExtractColor, nullptr);

    window->ReceiveFrame(frame(5, 3));
    struct Case {
        const char* what;
        std::function<void()> open;
        std::function<QDialog*()> global;
        std::function<void()> changeState;  // must not outlive the opening
        std::function<bool()> designState;
    };
    const Case cases[] = {
        {"exchange by handler", [&] { window->SwitchCsolorClick(); }, [] { return ColorExchange; },
         [] { ColorExchange->CheckBoxRed->click(); },
         [] { return ColorExchange->keepRed == 1 && !ColorExchange->CheckBoxRed->isChecked(); }},
        {"exchange by menu", [&] { window->findChild<QAction*>("SwitchCsolor")->trigger(); }, [] { return ColorExchange; },
         [] { ColorExchange->RadioButton2->click(); }, [] { return !ColorExchange->RadioButton2->isChecked(); }},
        {"exchange by pop-up item", [&] { window->findChild<QAction*>("S2")->trigger(); },
         [] { return ColorExchange; }, [] { ColorExchange->CheckBoxGreen->click(); },
         [] { return ColorExchange->keepGreen == 1; }},
        {"exchange by tool button", [&] { window->ToolButton10->click(); }, [] { return ColorExchange; },
         [] { ColorExchange->CheckBoxBlue->click(); }, [] { return ColorExchange->keepBlue == 1; }},
        {"extraction by handler", [&] { window->ExtractColor1Click(); }, [] { return ExtractColor; },
         [] { ExtractColor->CheckBox3->click(); }, [] { return ExtractColor->CheckBox3->isChecked(); }},
        {"extraction by menu", [&] { window->findChild<QAction*>("ExtractColor1")->trigger(); },
         [] { return ExtractColor; }, [] { ExtractColor->CheckBox1->click(); },
         [] { return ExtractColor->CheckBox1->isChecked(); }},
        {"extraction by pop-up item", [&] { window->findChild<QAction*>("C3")->trigger(); },
         [] { return ExtractColor; }, [] { ExtractColor->CheckBox2->click(); },
         [] { return ExtractColor->CheckBox2->isChecked(); }},
        {"extraction by tool button", [&] { window->ToolButton13->click(); }, [] { return ExtractColor; },
         [] { ExtractColor->CheckBox6->click(); }, [] { return ExtractColor->CheckBox6->isChecked(); }},
    };
    for (int round = 0; round < 2; ++round)
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            bool modal = false, visible = false, design = false;
            QTimer::singleShot(0, [&] {
                QDialog* dialog = c.global();
                ASSERT_NE(dialog, nullptr);
                modal = dialog->isModal();
                visible = dialog->isVisible();
                design = c.designState();
                c.changeState();
                dialog->reject();
            });
            c.open();
            EXPECT_TRUE(modal);
            EXPECT_TRUE(visible);
            EXPECT_TRUE(design) << "round " << round;
            EXPECT_EQ(c.global(), nullptr) << "the window is gone after it closed";
        }
    EXPECT_EQ(window->random().state(), 1u) << "the windows draw nothing";
}
