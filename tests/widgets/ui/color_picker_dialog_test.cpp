// The colour picker window driven through its handlers, and the component around it run
// through the desktop platform (the window shown modally) and the scripted one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/ui/qt_platform.h"
#include "platform/ui/scripted_platform.h"
#include "widgets/ui/color_picker_dialog.h"
#include "widgets/ui/color_picker_form.h"

using namespace veltrane;

namespace {

constexpr std::uint32_t Bgr(int r, int g, int b) { return MakeColorBGR(r, g, b); }

// Lets the deferred field computation run.
void Settle(TColorPickerForm& form) {
    QElapsedTimer clock;
    clock.start();
    while (form.ColListPaintTimer->isActive() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::uint32_t FieldAt(const TColorPickerForm& form, int x, int y) {
    const QColor c = form.FieldBitmap().pixelColor(x, y);
    return Bgr(c.red(), c.green(), c.blue());
}

QStringList BoxTexts(const TColorPickerForm& form) {
    return {form.RedEd->text(), form.GreenEd->text(), form.BlueEd->text(),
            form.UHEd->text(),  form.USEd->text(),    form.UBEd->text()};
}

// A prepared window: palette cells 0x100 + k (none of the test colours), opened on `colour`.
class PickerFormTest : public ::testing::Test {
protected:
    void Open(std::uint32_t colour, ColorSwitch sw = ColorSwitch::csHue) {
        TemporaryPalette palette;
        for (int k = 0; k < kPaletteCells; ++k) palette.Set(k, 0x100u + static_cast<std::uint32_t>(k));
        form.SetPalette(palette);
        form.SetDialogColor(colour);
        form.SetColorSwitch(sw);
        form.Prepare();
        Settle(form);
    }

    TColorPickerForm form;
};

}  // namespace

TEST_F(PickerFormTest, StartsWithTheDescribedControls) {
    Open(Bgr(255, 0, 0));
    EXPECT_EQ(form.objectName(), "ColorPickerForm");
    EXPECT_EQ(form.size(), QSize(439, 313));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.FadeRadioGroup->items(), QStringList({"色相 [°]", "彩度 [％]", "明度 [％]"}));
    EXPECT_EQ(form.ColorRadioGroup->items(), QStringList({"赤レベル", "緑レベル", "青レベル"}));
    EXPECT_EQ(form.FadeRadioGroup->itemIndex(), 0);
    EXPECT_EQ(form.ColorRadioGroup->itemIndex(), -1);
    EXPECT_TRUE(form.OKBtn->isDefault());
    EXPECT_EQ(form.ColorListPaintBox->size(), QSize(256, 256));
    EXPECT_EQ(form.GradPaintBox->size(), QSize(23, 256));
    EXPECT_EQ(BoxTexts(form), QStringList({"255", "0", "0", "0", "100", "100"}));
}

TEST_F(PickerFormTest, ColourInNoCellOverwritesCell27AndBecomesCurrent) {
    Open(Bgr(1, 2, 3));
    EXPECT_EQ(form.CurrentCell(), 27);
    EXPECT_EQ(form.PaletteColor(27), Bgr(1, 2, 3));
    EXPECT_EQ(form.PaletteColor(26), 0x100u + 26);
    EXPECT_EQ(form.GetShape->brushColor(), QColor(1, 2, 3));
}

TEST_F(PickerFormTest, ColourHeldByCellsMakesTheLastOneCurrent) {
    Open(0x100u + 5);
    EXPECT_EQ(form.CurrentCell(), 5);
    EXPECT_EQ(form.PaletteColor(27), 0x100u + 27) << "cell 27 keeps its colour";
}

struct RgbTyping {
    const char* text;
    std::uint32_t colour;      // the colour afterwards
    const char* shownInGreen;  // GreenEd's text afterwards
};

TEST_F(PickerFormTest, TypingInGreenTakesIntegersOnly) {
    const RgbTyping cases[] = {
        {"abc", Bgr(10, 20, 30), "abc"},  // not a number: nothing changes
        {"-5", Bgr(10, 20, 30), "-5"},    // negative: nothing changes
        {"", Bgr(10, 20, 30), ""},
        {"200", Bgr(10, 200, 30), "200"},
        {"300", Bgr(10, 255, 30), "255"},  // held to 255, and the box says so
    };
    for (const RgbTyping& c : cases) {
        Open(Bgr(10, 20, 30));
        const QStringList before = BoxTexts(form);
        form.GreenEd->setText(c.text);
        form.GreenEdKeyUp();
        EXPECT_EQ(form.CurrentColor(), c.colour) << c.text;
        EXPECT_EQ(form.GetShape->brushColor(), QColor(ColorRed(c.colour), ColorGreen(c.colour), ColorBlue(c.colour)))
            << c.text;
        EXPECT_EQ(form.GreenEd->text(), c.shownInGreen) << c.text;
        if (c.colour == Bgr(10, 20, 30)) {
            QStringList expected = before;
            expected[1] = c.text;
            EXPECT_EQ(BoxTexts(form), expected) << "no other box changes for " << c.text;
        }
    }
}

TEST_F(PickerFormTest, TypedHueIsTakenAloneAndConverted) {
    Open(Bgr(255, 0, 0));  // hue 0, saturation 255, brightness 255
    form.UHEd->setText("120");  // 120 × 767 div 360 = 255: pure green
    form.UHEdKeyUp();
    EXPECT_EQ(form.CurrentColor(), Bgr(0, 255, 0));
    EXPECT_EQ(form.Values().hue, 255);
    EXPECT_EQ(BoxTexts(form), QStringList({"0", "255", "0", "120", "100", "100"}));

    form.UHEd->setText("400");  // held to 360 degrees, hue 767: red again
    form.UHEdKeyUp();
    EXPECT_EQ(form.CurrentColor(), Bgr(255, 0, 0));
    EXPECT_EQ(form.UHEd->text(), "360");

    form.USEd->setText("x");  // one bad box stops the others too
    form.UHEd->setText("120");
    form.UHEdKeyUp();
    EXPECT_EQ(form.CurrentColor(), Bgr(255, 0, 0));
}

TEST_F(PickerFormTest, RightClickCopiesIntoACellWithoutMakingItCurrent) {
    Open(Bgr(9, 8, 7));  // cell 27 current
    form.ColCelPaintBoxMouseDown(5 * 16 + 3, 3, /*rightButton=*/true);
    EXPECT_EQ(form.PaletteColor(5), Bgr(9, 8, 7));
    EXPECT_EQ(form.CurrentCell(), 27);

    form.ColCelPaintBoxMouseDown(6 * 16 + 3, 16 + 3, /*rightButton=*/false);  // cell 13
    EXPECT_EQ(form.CurrentCell(), 13);
    EXPECT_EQ(form.CurrentColor(), 0x100u + 13);
    EXPECT_EQ(form.GetShape->brushColor(), QColor(13, 1, 0));
    EXPECT_EQ(form.RedEd->text(), "13");

    form.ColCelPaintBoxMouseDown(6 * 16 + 3, 16 + 3, /*rightButton=*/true);  // the current cell: nothing
    EXPECT_EQ(form.PaletteColor(13), 0x100u + 13);
    form.ColCelPaintBoxMouseDown(120, 3, /*rightButton=*/false);  // beside the cells: nothing
    EXPECT_EQ(form.CurrentCell(), 13);
}

TEST_F(PickerFormTest, RadioSwitchRecomputesTheField) {
    Open(Bgr(255, 0, 0));
    EXPECT_EQ(FieldAt(form, 255, 0), Bgr(255, 0, 0));  // csHue: pure colour at the top right
    EXPECT_EQ(FieldAt(form, 0, 0), Bgr(255, 255, 255));
    EXPECT_EQ(FieldAt(form, 128, 255), Bgr(0, 0, 0));

    form.FadeRadioGroup->findChild<QRadioButton*>("FadeRadioGroupItem1")->click();
    EXPECT_EQ(form.GetColorSwitch(), ColorSwitch::csSaturation);
    Settle(form);
    EXPECT_EQ(FieldAt(form, 128, 0), Bgr(0, 254, 255)) << "column 128 is hue 384";

    form.ColorRadioGroup->findChild<QRadioButton*>("ColorRadioGroupItem0")->click();
    EXPECT_EQ(form.GetColorSwitch(), ColorSwitch::csRed);
    EXPECT_EQ(form.FadeRadioGroup->itemIndex(), -1) << "the other group is cleared";
    Settle(form);
    EXPECT_EQ(FieldAt(form, 10, 5), Bgr(255, 250, 10));
}

TEST_F(PickerFormTest, FieldClickInHsbSwitchKeepsTheFieldsOwnHsb) {
    Open(Bgr(200, 100, 50));  // hue 42
    form.ColorListPaintBoxMouseDown(5, 250);
    // HSB (42, 5, 5) is the grey (5, 5, 5), whose own conversion would say hue 0, saturation 0.
    EXPECT_EQ(form.CurrentColor(), Bgr(5, 5, 5));
    EXPECT_EQ(form.Values().hsb(), MakeHSB(42, 5, 5));
    EXPECT_EQ(BoxTexts(form), QStringList({"5", "5", "5", "19", "1", "1"}));
    EXPECT_FALSE(form.ColListPaintTimer->isActive()) << "the field itself does not change";

    form.ColorListPaintBoxMouseMove(-40, 900);  // a drag is held inside the field
    EXPECT_EQ(form.Values().hsb(), MakeHSB(42, 0, 0));
}

TEST_F(PickerFormTest, FieldClickInColourSwitchConvertsForTheHsbBoxes) {
    Open(Bgr(255, 0, 0), ColorSwitch::csRed);
    form.ColorListPaintBoxMouseDown(10, 5);
    EXPECT_EQ(form.CurrentColor(), Bgr(255, 250, 10));
    // (255, 250, 10): s 245, hue 240 × 128 div 245 = 125, i.e. 58 degrees.
    EXPECT_EQ(BoxTexts(form), QStringList({"255", "250", "10", "58", "96", "100"}));
}

struct StripCase {
    ColorSwitch sw;
    std::uint32_t start;
    int row;
    std::uint32_t colour;
    int box;  // index in BoxTexts of the changed box
    const char* text;
};

TEST_F(PickerFormTest, StripClickSetsTheStripsComponent) {
    const StripCase cases[] = {
        {ColorSwitch::csHue, Bgr(255, 0, 0), 0, Bgr(255, 0, 4), 3, "359"},  // hue 765
        {ColorSwitch::csBlue, Bgr(10, 20, 30), 100, Bgr(10, 20, 155), 2, "155"},
        // Brightness 200 is already (200, 100, 50)'s: the colour is kept, not replaced by
        // its conversion (200, 99, 49).
        {ColorSwitch::csBrightness, Bgr(200, 100, 50), 55, Bgr(200, 100, 50), 5, "78"},
        {ColorSwitch::csBrightness, Bgr(200, 100, 50), 53, Bgr(202, 100, 50), 5, "79"},
    };
    for (const StripCase& c : cases) {
        Open(c.start, c.sw);
        form.GradPaintBoxMouseDown(3, c.row);
        EXPECT_EQ(form.CurrentColor(), c.colour) << "row " << c.row;
        EXPECT_EQ(BoxTexts(form)[c.box], c.text) << "row " << c.row;
    }
}

TEST_F(PickerFormTest, DrawsRingStripMarkerAndPaletteFrames) {
    Open(Bgr(255, 255, 255));  // light: a black ring; white sits at field (0, 0) in csHue

    const QImage field = form.ColorListPaintBox->grab().toImage();
    EXPECT_EQ(field.pixelColor(0, 4), QColor(Qt::black)) << "ring below the white corner";
    EXPECT_EQ(field.pixelColor(4, 0), QColor(Qt::black)) << "ring beside the white corner";
    EXPECT_EQ(field.pixelColor(0, 0), QColor(Qt::white)) << "the field inside the ring";

    // The csHue strip runs through every hue; with hue 0 the marker is the bottom row
    // (value 0), drawn over red, which is dark: white.
    const QImage strip = form.GradPaintBox->grab().toImage();
    EXPECT_EQ(strip.pixelColor(11, 255), QColor(Qt::white));
    EXPECT_EQ(strip.pixelColor(11, 254), QColor(255, 4, 0)) << "row 254 is hue 2";
    EXPECT_EQ(strip.pixelColor(11, 0), QColor(255, 0, 6)) << "row 0 is hue 764";

    const QImage cells = form.ColCelPaintBox->grab().toImage();
    EXPECT_EQ(cells.pixelColor(6 * 16, 3 * 16), QColor(Qt::white)) << "the current cell's frame";
    EXPECT_EQ(cells.pixelColor(0, 0), QColor(Qt::black)) << "another cell's frame";
    EXPECT_EQ(cells.pixelColor(8, 8), QColor(0, 1, 0)) << "cell 0 holds 0x100";

    // Black is dark: a white ring, at saturation 255, brightness 1 (field 255, 254).
    form.RedEd->setText("0");
    form.GreenEd->setText("0");
    form.BlueEd->setText("0");
    form.BlueEdKeyUp();
    Settle(form);
    const QImage dark = form.ColorListPaintBox->grab().toImage();
    EXPECT_EQ(dark.pixelColor(251, 254), QColor(Qt::white));
    EXPECT_EQ(dark.pixelColor(200, 254), QColor(1, 0, 0)) << "the field beside it: HSB (0, 200, 1)";
}

// ---- the component ----

namespace {

// Runs Execute with the desktop platform, driving the shown window with `drive`.
bool ExecuteDriven(TColorPickerDialog& dialog, const std::function<void(TColorPickerForm&)>& drive) {
    setPlatform(std::make_unique<QtPlatform>());
    bool driven = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TColorPickerForm*>(w); form && form->isVisible()) {
                driven = true;
                drive(*form);
                return;
            }
    });
    // A window left open would hang the test: close it after a while.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TColorPickerForm*>(w)) form->done(QDialog::Rejected);
    });
    guard.start(10000);
    const bool result = dialog.Execute();
    EXPECT_TRUE(driven) << "the picker window was not shown";
    return result;
}

}  // namespace

TEST(PickerFormKeys, EnterPressesTheFocusedButtonAndOkOtherwise) {
    struct Case {
        const char* what;
        std::function<QWidget*(TColorPickerForm&)> focus;
        QDialog::DialogCode result;
    };
    const Case cases[] = {
        {"Cancel", [](TColorPickerForm& f) { return f.CancelBtn; }, QDialog::Rejected},
        {"OK", [](TColorPickerForm& f) { return f.OKBtn; }, QDialog::Accepted},
        {"red box", [](TColorPickerForm& f) { return f.RedEd; }, QDialog::Accepted},
        // The focus leaves Cancel for a box: OK is the default button again.
        {"red box after Cancel",
         [](TColorPickerForm& f) {
             f.CancelBtn->setFocus();
             return f.RedEd;
         },
         QDialog::Accepted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TColorPickerForm form;
        form.SetDialogColor(Bgr(10, 20, 30));
        form.Prepare();
        Settle(form);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QWidget* target = c.focus(form);
        target->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), c.result);
    }
}

TEST(PickerFormLayout, SwatchLiesUnderItsLabelInsideTheWindow) {
    TColorPickerForm form;
    const QRect label = form.Label1->geometry();
    const QRect swatch = form.GetShape->geometry();
    EXPECT_EQ(form.Label1->text(), "選択色");
    EXPECT_GE(label.height(), form.Label1->sizeHint().height()) << "the label's text is not cut";
    EXPECT_GE(swatch.top(), label.bottom() + 1) << "below the label";
    EXPECT_EQ(swatch.left(), label.left()) << "aligned with it";
    EXPECT_TRUE(form.rect().contains(swatch)) << "inside the client area";
    EXPECT_FALSE(swatch.intersects(form.ColorListPaintBox->geometry()));
    EXPECT_FALSE(swatch.intersects(form.OKBtn->geometry()));
}

TEST(ColorPickerDialog, StartsAsDescribed) {
    TColorPickerDialog dialog;
    EXPECT_EQ(dialog.GetColor(), 0u);
    EXPECT_EQ(dialog.GetTitle(), "色の選択");
    EXPECT_EQ(dialog.GetColorSwitch(), ColorSwitch::csHue);
    for (int k = 0; k < kPaletteCells; ++k) EXPECT_EQ(dialog.GetTemporaryPalette(k), 0u);
}

TEST(ColorPickerDialog, PaletteIndexOutsideTheCellsReadsZeroAndIsNotWritten) {
    TColorPickerDialog dialog;
    dialog.SetTemporaryPalette(27, 0x123456);
    dialog.SetTemporaryPalette(28, 0xABCDEF);
    dialog.SetTemporaryPalette(-1, 0xABCDEF);
    EXPECT_EQ(dialog.GetTemporaryPalette(28), 0u);
    EXPECT_EQ(dialog.GetTemporaryPalette(-1), 0u);
    EXPECT_EQ(dialog.GetTemporaryPalette(27), 0x123456u);
    for (int k = 0; k < 27; ++k) EXPECT_EQ(dialog.GetTemporaryPalette(k), 0u);
}

TEST(ColorPickerDialog, OkReturnsTheSwatchColourAndKeepsPaletteAndSwitch) {
    TColorPickerDialog dialog;
    dialog.SetTitle("色見本");
    dialog.SetColor(Bgr(255, 0, 0));
    dialog.SetTemporaryPalette(4, Bgr(1, 1, 1));
    QString caption;
    const bool ok = ExecuteDriven(dialog, [&](TColorPickerForm& form) {
        caption = form.windowTitle();
        form.ColorRadioGroup->findChild<QRadioButton*>("ColorRadioGroupItem1")->click();  // csGreen
        form.GreenEd->setText("128");
        form.GreenEdKeyUp();
        form.ColCelPaintBoxMouseDown(16 * 4 + 3, 3, /*rightButton=*/true);  // copy into cell 4
        form.OKBtnClick();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(caption, "色見本");
    EXPECT_EQ(dialog.GetColor(), Bgr(255, 128, 0));
    EXPECT_EQ(dialog.GetTemporaryPalette(27), Bgr(255, 128, 0)) << "the edited cell";
    EXPECT_EQ(dialog.GetTemporaryPalette(4), Bgr(255, 128, 0)) << "the copied cell";
    EXPECT_EQ(dialog.GetColorSwitch(), ColorSwitch::csGreen);

    // The next use starts where this one ended.
    int cell = -1;
    ColorSwitch sw = ColorSwitch::csHue;
    EXPECT_FALSE(ExecuteDriven(dialog, [&](TColorPickerForm& form) {
        cell = form.CurrentCell();
        sw = form.GetColorSwitch();
        form.CancelBtnClick();
    }));
    EXPECT_EQ(cell, 27) << "the last cell holding the colour";
    EXPECT_EQ(sw, ColorSwitch::csGreen);
}

TEST(ColorPickerDialog, CancelLeavesTheComponentUnchanged) {
    TColorPickerDialog dialog;
    dialog.SetColor(Bgr(10, 20, 30));  // in no cell: the window writes it into its cell 27
    dialog.SetTemporaryPalette(3, Bgr(3, 3, 3));
    const bool ok = ExecuteDriven(dialog, [](TColorPickerForm& form) {
        form.FadeRadioGroup->findChild<QRadioButton*>("FadeRadioGroupItem2")->click();
        form.ColorListPaintBoxMouseDown(100, 100);
        form.ColCelPaintBoxMouseDown(3, 3, /*rightButton=*/true);
        form.CancelBtnClick();
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(dialog.GetColor(), Bgr(10, 20, 30));
    EXPECT_EQ(dialog.GetColorSwitch(), ColorSwitch::csHue);
    EXPECT_EQ(dialog.GetTemporaryPalette(27), 0u);
    EXPECT_EQ(dialog.GetTemporaryPalette(0), 0u);
    EXPECT_EQ(dialog.GetTemporaryPalette(3), Bgr(3, 3, 3));
}

TEST(ColorPickerDialog, ScriptedAnswerSetsTheColourWithoutAWindow) {
    auto scripted = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform* platformUsed = scripted.get();
    setPlatform(std::move(scripted));
    TColorPickerDialog dialog;
    dialog.SetColor(Bgr(1, 2, 3));

    platformUsed->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(255, 0, 0)});
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.GetColor(), 0x0000FFu);
    EXPECT_EQ(dialog.GetTemporaryPalette(27), 0u) << "no window ran";

    EXPECT_FALSE(dialog.Execute()) << "no answer queued";
    EXPECT_EQ(dialog.GetColor(), 0x0000FFu);

    platformUsed->queueDialogAnswer({});  // answer cancel
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.GetColor(), 0x0000FFu);
}

TEST(ColorPickerDialog, AShowAnswerShowsTheWindowUnderTheComponentsNameForOnePicker) {
    auto scripted = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform* platformUsed = scripted.get();
    setPlatform(std::move(scripted));
    TColorPickerDialog dialog;
    dialog.setObjectName("ColorDialog");
    dialog.SetColor(Bgr(1, 2, 3));

    platformUsed->queueShowPicker();
    platformUsed->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(0, 0, 9)});
    QString shownAs;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TColorPickerForm*>(w); form && form->isVisible()) {
                shownAs = form->objectName();
                form->BlueEd->setText("77");
                form->BlueEdKeyUp();
                form->OKBtnClick();
            }
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(shownAs, "ColorDialog");
    EXPECT_EQ(dialog.GetColor(), Bgr(1, 2, 77)) << "the window's colour, not the queued answer";

    // The show covered one picker: the next takes the queued answer without a window.
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.GetColor(), Bgr(0, 0, 9));
    setPlatform(std::make_unique<ScriptedPlatform>());
}
