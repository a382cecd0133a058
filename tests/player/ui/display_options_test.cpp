// The display options of both pop-up menus, the colour presets, the colour dialog and the
// file properties, on a controller playing through the fake engine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "player/ui/fake_media_engine.h"
#include "player/ui/player_fixture.h"
#include "player/ui/seek_bar_view.h"
#include "player/ui/set_display_color.h"
#include "player/ui/video_widget.h"
#include "playlist/ui/report_list_view.h"
#include "support/dialog_endings.h"
#include "widgets/ui/color_picker_dialog.h"
#include "widgets/ui/color_picker_form.h"
#include "widgets/ui/picture_view.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

constexpr qint64 kSecond = 10'000'000;

// A platform without window transparency.
class OpaquePlatform : public RecordingPlatform {
public:
    bool transparencyAvailable() override { return false; }
};

class DisplayMenuTest : public PlayerFixture {
protected:
    // A controller playing a 64 × 48 video of 4 seconds on the fake engine.
    TMovieController& playing() {
        auto engine = std::make_unique<FakeMediaEngine>();
        fake = engine.get();
        auto* player = new TMovieController(host, std::move(engine));
        fake->reportedDuration = 4 * kSecond;
        fake->reportedSize = QSize(64, 48);
        fake->reportedSecondsPerFrame = 1.0 / 30;
        QFile(path("clip.avi")).open(QIODevice::WriteOnly);
        player->OpenMedia(path("clip.avi"), 1);
        fake->finishOpen();
        return *player;
    }

    FakeMediaEngine* fake = nullptr;
};

// Runs drive() once a visible top-level window of that name shows; a window left open is
// closed after a while, so a test that fails cannot hang.
void whenShown(const QString& name, std::function<void(QWidget&)> drive) {
    auto* poll = new QTimer;
    auto* guard = new QTimer;
    guard->setSingleShot(true);
    QObject::connect(poll, &QTimer::timeout, [poll, guard, name, drive] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible()) {
                poll->stop();
                guard->stop();
                poll->deleteLater();
                guard->deleteLater();
                drive(*w);
                return;
            }
    });
    QObject::connect(guard, &QTimer::timeout, [poll, guard, name] {
        ADD_FAILURE() << name.toStdString() << " did not show";
        poll->deleteLater();
        guard->deleteLater();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->done(QDialog::Rejected);
    });
    poll->start(5);
    guard->start(10000);
}

TSetDisplayColor& dialogOf(QWidget& w) { return *qobject_cast<TSetDisplayColor*>(&w); }

QColor textColour(const TMovieController& p) { return p.Label2->palette().color(QPalette::WindowText); }
QColor backColour(const TMovieController& p) { return p.Label2->palette().color(QPalette::Window); }
QColor listText() { return FileList->ListView1->palette().color(QPalette::Text); }
QColor listBack() { return FileList->ListView1->palette().color(QPalette::Base); }
// Column 2 lies in the played part of a bar at least 2/142 played, column 100 in the rest
// while less than 100/142 is played; neither is a grid column.
QColor playedPixel(const TMovieController& p) { return p.Image1->image().pixelColor(2, 6); }
QColor restPixel(const TMovieController& p) { return p.Image1->image().pixelColor(100, 6); }
QColor swatchColour(const PictureView* view) { return view->picture().pixelColor(20, 8); }

}  // namespace

// ---- Sizes, aspect, fixed size, stay on top ----

TEST_F(DisplayMenuTest, TwinItemsRunOneHandlerAndShowTheSameMarks) {
    writeSettings("[DISPLAY]\nfix=0\n");
    TMovieController& player = playing();
    ASSERT_TRUE(veltrane::Display->isVisible());
    // The offscreen platform frames a shown window with 2 pixels on each side, no caption.
    const FrameMetrics f = veltrane::Display->frameMetrics();
    EXPECT_EQ(veltrane::Display->frameGeometry().size(), QSize(2 * f.fx + 64, f.fy + 48 + f.cy))
        << "opening takes the 100 % size";
    EXPECT_TRUE(veltrane::Display->N1002->isChecked());
    EXPECT_FALSE(veltrane::Display->DispFix->isChecked()) << "the display's twin follows the settings at load";

    const auto sizeMarks = [&] {
        return QList<bool>{player.N501->isChecked(),  player.N1001->isChecked(), player.N2001->isChecked(),
                           player.MaxDisp->isChecked(), veltrane::Display->N502->isChecked(), veltrane::Display->N1002->isChecked(),
                           veltrane::Display->N2002->isChecked(), veltrane::Display->Max1->isChecked()};
    };
    veltrane::Display->N502->trigger();
    EXPECT_EQ(sizeMarks(), (QList<bool>{true, false, false, false, true, false, false, false}));
    EXPECT_EQ(veltrane::Display->frameGeometry().size(), QSize((2 * f.fx + 64) / 2, (f.fy + 48 + f.cy) / 2));
    player.N2001->trigger();
    EXPECT_EQ(sizeMarks(), (QList<bool>{false, false, true, false, false, false, true, false}));
    const QSize doubled(4 * f.fx + 128, 2 * (f.fy + 48 + f.cy));
    EXPECT_EQ(veltrane::Display->frameGeometry().size(), doubled);
    EXPECT_EQ(veltrane::Display->video()->size(), veltrane::Display->Panel1->size()) << "the video fills the panel";
    EXPECT_EQ(veltrane::Display->Panel1->size(), veltrane::Display->size());
    // Choosing the size that is already chosen keeps its mark, though the item flipped it.
    veltrane::Display->N2002->trigger();
    EXPECT_EQ(sizeMarks(), (QList<bool>{false, false, true, false, false, false, true, false}));

    veltrane::Display->DispFix->trigger();
    EXPECT_TRUE(player.DispSizeFix->isChecked());
    EXPECT_TRUE(veltrane::Display->DispFix->isChecked());
    EXPECT_TRUE(player.settings().fixedDisplaySize);
    player.DispSizeFixClick();  // as a script calls it: no mark flipped beforehand
    EXPECT_FALSE(player.DispSizeFix->isChecked());
    EXPECT_FALSE(veltrane::Display->DispFix->isChecked());
    EXPECT_FALSE(player.settings().fixedDisplaySize);
}

TEST_F(DisplayMenuTest, StayOnTopChangesOnlyTheControllerWithoutMovingIt) {
    TMovieController& player = playing();
    ASSERT_TRUE(player.isVisible());
    const QPoint at = player.pos();
    ASSERT_NE(player.windowHandle(), nullptr);
    veltrane::Display->StayOnTopDisp->trigger();
    EXPECT_TRUE(player.StayTop->isChecked());
    EXPECT_TRUE(veltrane::Display->StayOnTopDisp->isChecked());
    EXPECT_TRUE(player.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(player.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(player.isVisible()) << "the window is not hidden and shown anew";
    EXPECT_EQ(player.pos(), at);
    EXPECT_FALSE(veltrane::Display->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(FileList->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    player.StayTop->trigger();
    EXPECT_FALSE(player.StayTop->isChecked());
    EXPECT_FALSE(veltrane::Display->StayOnTopDisp->isChecked());
    EXPECT_FALSE(player.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

    // The setting is written when the player closes and read by the next one.
    player.StayTopClick();
    player.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(readSettings().readInteger("Display", "OnTop", -1), 1);
    auto* next = new TMovieController(host);
    EXPECT_TRUE(next->StayTop->isChecked());
    EXPECT_TRUE(veltrane::Display->StayOnTopDisp->isChecked());
    EXPECT_TRUE(next->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(DisplayMenuTest, TheFixedSizeIsReadByTheNextStart) {
    TMovieController& player = playing();
    EXPECT_TRUE(player.DispSizeFix->isChecked()) << "fixed by default";
    player.DispSizeFix->trigger();
    player.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(readSettings().readInteger("DISPLAY", "fix", -1), 0);
    auto* next = new TMovieController(host);
    EXPECT_FALSE(next->DispSizeFix->isChecked());
    EXPECT_FALSE(veltrane::Display->DispFix->isChecked());
}

TEST_F(DisplayMenuTest, MaxThen200ReturnsToWhereTheWindowWasAndTakesThe200Size) {
    TMovieController& player = playing();
    veltrane::Display->move(300, 300);
    const QPoint before = veltrane::Display->pos();
    player.MaxDisp->trigger();
    EXPECT_TRUE(veltrane::Display->displayMaximised());
    EXPECT_TRUE(veltrane::Display->isMaximized());
    EXPECT_TRUE(veltrane::Display->Max1->isChecked());
    EXPECT_TRUE(waitFor([] { return veltrane::Display->width() > 64; }, 2000)) << "maximised to the screen";

    veltrane::Display->N2002->trigger();
    EXPECT_FALSE(veltrane::Display->displayMaximised());
    EXPECT_FALSE(veltrane::Display->isMaximized());
    EXPECT_EQ(veltrane::Display->pos(), before);
    const FrameMetrics f = veltrane::Display->frameMetrics();
    EXPECT_EQ(veltrane::Display->frameGeometry().size(), QSize(4 * f.fx + 128, 2 * (f.fy + 48 + f.cy)));
    EXPECT_TRUE(player.N2001->isChecked());
    EXPECT_FALSE(player.MaxDisp->isChecked());
}

TEST_F(DisplayMenuTest, AspectRatiosSetTheHeightFromThePanelWidth) {
    TMovieController& player = playing();
    // Offscreen the frame is 2 pixels wide: a 401-pixel panel has fx + panel width 403.
    ASSERT_EQ(veltrane::Display->frameMetrics().fx, 2);
    veltrane::Display->ResizeOuter(405, 100);
    ASSERT_EQ(veltrane::Display->Panel1->width(), 401);
    player.N431->trigger();
    EXPECT_EQ(veltrane::Display->frameGeometry().size(), QSize(405, 302));  // trunc(403 × 0.75)
    veltrane::Display->N1692->trigger();
    EXPECT_EQ(veltrane::Display->frameGeometry().size(), QSize(405, 226));  // trunc(403 × 9 × 0.0625)
    EXPECT_EQ(veltrane::Display->video()->size(), veltrane::Display->Panel1->size());
    EXPECT_FALSE(player.N431->isCheckable());
}

// ---- Transparency ----

TEST_F(DisplayMenuTest, ALevelMakesTheControllerAndThePlayListTranslucentButNotTheVideo) {
    TMovieController& player = playing();
    player.OptionO1Click();
    EXPECT_TRUE(player.transmit->menuAction()->isEnabled());
    player.transmitlittle->trigger();  // "ちょびっと"
    EXPECT_EQ(recorder->alphas(), (QList<QPair<QString, int>>{{"MovieController", 204}, {"FileList", 204}}));
    EXPECT_DOUBLE_EQ(player.windowOpacity(), 204 / 255.0);
    EXPECT_DOUBLE_EQ(FileList->windowOpacity(), 204 / 255.0);
    EXPECT_DOUBLE_EQ(veltrane::Display->windowOpacity(), 1.0);
    EXPECT_TRUE(player.transmitlittle->isChecked());
    EXPECT_FALSE(player.nontransmit->isChecked());

    player.transmitmuchmoreClick();
    player.nontransmitClick();
    EXPECT_EQ(recorder->alphas().mid(2), (QList<QPair<QString, int>>{{"MovieController", 51},
                                                                       {"FileList", 51},
                                                                       {"MovieController", 255},
                                                                       {"FileList", 255}}));
    EXPECT_TRUE(player.nontransmit->isChecked());
    EXPECT_FALSE(player.transmitmuchmore->isChecked());
    EXPECT_TRUE(recorder->messages.isEmpty());
}

TEST_F(DisplayMenuTest, WithoutTransparencyTheMenuIsOffAndALevelOnlyTellsSo) {
    auto services = std::make_unique<OpaquePlatform>();
    OpaquePlatform* opaque = services.get();
    setPlatform(std::move(services));
    TMovieController& player = playing();
    player.OptionO1Click();
    EXPECT_FALSE(player.transmit->menuAction()->isEnabled());
    player.transmitsosoClick();
    EXPECT_TRUE(opaque->alphas().isEmpty());
    ASSERT_EQ(opaque->messages.size(), 1);
    EXPECT_EQ(opaque->messages[0].text, "設定ができませんでした。");
    EXPECT_EQ(opaque->messages[0].caption, "");
    EXPECT_DOUBLE_EQ(player.windowOpacity(), 1.0);
}

// ---- Colour presets ----

TEST_F(DisplayMenuTest, PresetsRepaintTheTimeListAndBarAndAreReadByTheNextStart) {
    TMovieController& player = playing();
    fake->advance(2 * kSecond);
    player.N33->trigger();  // "あか"
    EXPECT_EQ(textColour(player), QColor(255, 0, 255));
    EXPECT_EQ(backColour(player), QColor(0, 0, 0));
    EXPECT_EQ(listText(), QColor(204, 0, 0));
    EXPECT_EQ(listBack(), QColor(255, 255, 255));
    EXPECT_EQ(playedPixel(player), QColor(241, 118, 155)) << "the bar repaints at once while a file is open";
    EXPECT_EQ(restPixel(player), QColor(128, 128, 128));
    EXPECT_EQ(player.settings().iconColour, 0);

    player.N29->trigger();  // "しろとか": black bars and icons, white on black, black on white
    EXPECT_EQ(textColour(player), QColor(255, 255, 255));
    EXPECT_EQ(listText(), QColor(0, 0, 0));
    EXPECT_EQ(playedPixel(player), QColor(0, 0, 0));
    EXPECT_EQ(player.settings().iconColour, 4);

    player.N32->trigger();  // "きいろ"
    player.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const IniFile ini = readSettings();
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "Disp_num_B", -1), 0);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "FileList_str_G", -1), 204);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "ICON_COLOR", -1), 1);
    auto* next = new TMovieController(host);
    EXPECT_EQ(textColour(*next), QColor(255, 255, 0));
    EXPECT_EQ(listText(), QColor(204, 204, 0));
    EXPECT_EQ(next->settings().bar.barStart, playerColour(236, 227, 123));
}

TEST_F(DisplayMenuTest, APresetWithoutAnOpenFileLeavesTheBarUntilItsNextRepaint) {
    auto* player = new TMovieController(host);
    const QColor before = player->Image1->image().pixelColor(5, 6);
    player->Green1Click();
    EXPECT_EQ(textColour(*player), QColor(0, 255, 0));
    EXPECT_EQ(player->Image1->image().pixelColor(5, 6), before);
}

// ---- The colour dialog ----

TEST_F(DisplayMenuTest, TheDialogOpensAtTheControllerWithThePlayersColoursAndSwitches) {
    writeSettings("[MOVIECOLOR]\nuse_end_color=0\nUse_Bar=0\nICON_COLOR=7\nDisp_num_R=1\nDisp_num_G=2\nDisp_num_B=3\n");
    TMovieController& player = playing();
    bool seen = false;
    whenShown("SetDisplayColor", [&](QWidget& w) {
        TSetDisplayColor& d = dialogOf(w);
        seen = true;
        EXPECT_EQ(d.windowTitle(), "表示色設定");
        EXPECT_EQ(d.size(), QSize(278, 262));
        EXPECT_EQ(d.pos(), player.pos());
        EXPECT_EQ(d.Image1->size(), QSize(41, 17));
        EXPECT_EQ(swatchColour(d.Image1), QColor(1, 2, 3));
        EXPECT_EQ(swatchColour(d.Image2), QColor(121, 121, 243));
        EXPECT_EQ(d.ColorDialog1->GetTitle(), "色の選択");
        EXPECT_EQ(d.ColorDialog1->parent(), &d);
        // The end colour is off: the middle check box shows useMiddle but is disabled.
        EXPECT_TRUE(d.CheckBox1->isChecked());
        EXPECT_FALSE(d.CheckBox1->isEnabled());
        EXPECT_TRUE(d.Button9->isEnabled());
        EXPECT_FALSE(d.CheckBox2->isChecked());
        EXPECT_FALSE(d.Button8->isEnabled());
        EXPECT_TRUE(d.Image8->isHidden());
        EXPECT_FALSE(d.CheckBox3->isChecked());
        EXPECT_FALSE(d.Button7->isEnabled());
        EXPECT_TRUE(d.Image7->isHidden());
        EXPECT_EQ(d.ComboBox1->currentIndex(), -1) << "an icon colour outside 0..4 selects nothing";
        EXPECT_EQ(d.ComboBox1->itemText(2), "青");
        d.OKBtn->click();
    });
    player.SpeedButton10->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(SetDisplayColor, nullptr) << "the dialog is gone after it closed";
    EXPECT_EQ(player.settings().iconColour, 7) << "OK without a selection keeps the icon colour";
}

TEST_F(DisplayMenuTest, AColourButtonAppliesAtOnceAndCancelGivesTheColoursBackButNotTheSwitches) {
    TMovieController& player = playing();
    fake->advance(2 * kSecond);
    player.DrawSeekBar(0.5);
    whenShown("SetDisplayColor", [&](QWidget& w) {
        TSetDisplayColor& d = dialogOf(w);
        recorder->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(10, 20, 30)});
        d.Button1->click();
        EXPECT_EQ(textColour(player), QColor(10, 20, 30)) << "the time display shows it at once";
        EXPECT_EQ(swatchColour(d.Image1), QColor(10, 20, 30));
        recorder->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(200, 0, 0)});
        d.Button4->click();
        EXPECT_EQ(listBack(), QColor(200, 0, 0));
        recorder->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(0, 200, 0)});
        d.Button2->click();
        EXPECT_EQ(player.settings().bar.barStart, playerColour(0, 200, 0));
        EXPECT_EQ(playedPixel(player), QColor(121, 121, 243)) << "the bar shows it at its next repaint";
        recorder->queueDialogAnswer({});  // a cancelled picker changes nothing
        d.Button3->click();
        EXPECT_EQ(listText(), QColor(0, 0, 255));
        d.CheckBox3->click();  // grid off
        EXPECT_FALSE(player.settings().bar.useGrid);
        d.CancelBtn->click();
    });
    player.SpeedButton10Click();
    EXPECT_EQ(textColour(player), QColor(0, 255, 255));
    EXPECT_EQ(listBack(), QColor(255, 255, 255));
    EXPECT_EQ(player.settings().bar.barStart, playerColour(121, 121, 243));
    EXPECT_EQ(playedPixel(player), QColor(121, 121, 243));
    EXPECT_FALSE(player.settings().bar.useGrid) << "the switch keeps what the check box set";
    EXPECT_EQ(player.Image1->image().pixelColor(9, 6), QColor(121, 121, 243)) << "no grid stripe after the repaint";
}

TEST_F(DisplayMenuTest, TheCloseBoxAndEscRunCancel) {
    TMovieController& player = playing();
    for (const bool byEsc : {false, true}) {
        whenShown("SetDisplayColor", [&](QWidget& w) {
            TSetDisplayColor& d = dialogOf(w);
            recorder->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(1, 1, 1)});
            d.Button5->click();
            EXPECT_EQ(backColour(player), QColor(1, 1, 1));
            if (byEsc) {
                test::pressEscape(d);
            } else {
                d.close();
            }
        });
        player.EditColours();
        EXPECT_EQ(backColour(player), QColor(0, 0, 0)) << (byEsc ? "Esc" : "close box");
        EXPECT_EQ(SetDisplayColor, nullptr);
    }
}

TEST_F(DisplayMenuTest, OkKeepsTheColoursRepaintsTheBarAndTheNextStartReadsThem) {
    TMovieController& player = playing();
    fake->advance(2 * kSecond);
    player.DrawSeekBar(0.5);
    whenShown("SetDisplayColor", [&](QWidget& w) {
        TSetDisplayColor& d = dialogOf(w);
        recorder->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(0, 200, 0)});
        d.Button2->click();
        recorder->queueDialogAnswer({ScriptedPlatform::DialogKind::Color, {}, QColor(50, 60, 70)});
        d.Button3->click();
        d.ComboBox1->setCurrentIndex(3);
        d.OKBtn->click();
    });
    player.etc1->trigger();
    // The end and middle colours are still on: the gradient starts at the new start colour.
    // x = 2 of half 71: trunc(121 × 2 / 71 + 0), trunc(−79 × 2 / 71 + 200), trunc(243 × 2 / 71 + 0).
    EXPECT_EQ(playedPixel(player), QColor(3, 197, 6));
    EXPECT_EQ(listText(), QColor(50, 60, 70));
    EXPECT_EQ(player.settings().iconColour, 3);

    player.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const IniFile ini = readSettings();
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "Bar_num_G", -1), 200);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "FileList_str_R", -1), 50);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "ICON_COLOR", -1), 3);
    auto* next = new TMovieController(host);
    EXPECT_EQ(next->settings().bar.barStart, playerColour(0, 200, 0));
    EXPECT_EQ(listText(), QColor(50, 60, 70));
}

TEST_F(DisplayMenuTest, SwitchingTheEndColourOffUnchecksAndDisablesTheMiddle) {
    TMovieController& player = playing();
    whenShown("SetDisplayColor", [&](QWidget& w) {
        TSetDisplayColor& d = dialogOf(w);
        d.CheckBox2->click();  // off
        EXPECT_FALSE(player.settings().bar.useEnd);
        EXPECT_FALSE(player.settings().bar.useMiddle);
        EXPECT_FALSE(d.CheckBox1->isChecked());
        EXPECT_FALSE(d.CheckBox1->isEnabled());
        EXPECT_FALSE(d.Button8->isEnabled());
        EXPECT_TRUE(d.Image8->isHidden());
        EXPECT_FALSE(d.Button9->isEnabled());
        EXPECT_TRUE(d.Image9->isHidden());
        d.CheckBox2->click();  // on again: the middle stays off but may be switched on
        EXPECT_TRUE(player.settings().bar.useEnd);
        EXPECT_FALSE(player.settings().bar.useMiddle);
        EXPECT_TRUE(d.CheckBox1->isEnabled());
        EXPECT_TRUE(d.Button8->isEnabled());
        EXPECT_FALSE(d.Button9->isEnabled());
        d.CheckBox1->click();
        EXPECT_TRUE(player.settings().bar.useMiddle);
        EXPECT_TRUE(d.Button9->isEnabled());
        EXPECT_FALSE(d.Image9->isHidden());
        d.OKBtn->click();
    });
    player.EditColours();
}

TEST_F(DisplayMenuTest, ThePickerShowsUnderItsComponentsNameAndStartsFromBlackEachOpening) {
    TMovieController& player = playing();
    for (int opening = 0; opening < 2; ++opening) {
        whenShown("SetDisplayColor", [&](QWidget& w) {
            TSetDisplayColor& d = dialogOf(w);
            QStringList seen;
            whenShown("ColorDialog1", [&](QWidget& picker) {
                auto& form = *qobject_cast<TColorPickerForm*>(&picker);
                seen << form.RedEd->text() << form.GreenEd->text() << form.BlueEd->text();
                form.RedEd->setText("40");
                form.RedEdKeyUp();
                form.OKBtnClick();
            });
            recorder->queueShowPicker();
            d.Button1->click();
            EXPECT_EQ(seen, (QStringList{"0", "0", "0"})) << "not preset to the swatch";
            EXPECT_EQ(swatchColour(d.Image1), QColor(40, 0, 0));
            d.OKBtn->click();
        });
        player.EditColours();
        EXPECT_EQ(textColour(player), QColor(40, 0, 0));
    }
}

// ---- File properties ----

TEST_F(DisplayMenuTest, PropertiesShowForThePlayingFileFromEitherMenu) {
    auto* idle = new TMovieController(host);
    idle->propertyClick();
    EXPECT_TRUE(recorder->propertiesShown().isEmpty()) << "nothing without a file";
    idle->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    TMovieController& player = playing();
    player.P1->trigger();
    veltrane::Display->P3->trigger();
    EXPECT_EQ(recorder->propertiesShown(), (QStringList{path("clip.avi"), path("clip.avi")}));
}

TEST_F(DisplayMenuTest, TheDisplaysOtherItemsRunTheControllersCommands) {
    TMovieController& player = playing();
    recorder->queueDialogAnswer({});  // the open dialog is cancelled
    veltrane::Display->O3->trigger();
    EXPECT_TRUE(player.mediaOpen()) << "a cancelled open leaves the file playing";
    veltrane::Display->E2->trigger();
    EXPECT_EQ(MovieController, nullptr);
    EXPECT_EQ(host.mainWindowShows, 1);
}
