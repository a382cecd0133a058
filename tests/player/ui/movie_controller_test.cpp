// The player's controller window, driven in-process on generated media.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMouseEvent>
#include <QStyleOptionSpinBox>
#include <QTimer>

#include "widgets/ui/status_bar.h"
#include "player/seek_bar.h"
#include "widgets/ui/about_box.h"
#include "player/ui/fake_media_engine.h"
#include "player/ui/player_fixture.h"
#include "player/ui/seek_bar_view.h"
#include "widgets/ui/up_down.h"
#include "player/ui/video_widget.h"
#include "playlist/ui/play_list_icons.h"
#include "playlist/ui/report_list_view.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

constexpr qint64 kSecond = 10'000'000;

class ControllerTest : public PlayerFixture {
protected:
    // A controller playing through a fake engine, whose clock the test moves.
    TMovieController& fakePlayer() {
        auto engine = std::make_unique<FakeMediaEngine>();
        fake = engine.get();
        return *new TMovieController(host, std::move(engine));
    }

    // Opens the file on the fake engine, which reports it open: a 64 × 48 video at 30 frames a
    // second of the given length.
    void openFake(TMovieController& player, const QString& file, qint64 duration = 4 * kSecond, int startFlag = 1) {
        fake->reportedDuration = duration;
        fake->reportedSize = QSize(64, 48);
        fake->reportedSecondsPerFrame = 1.0 / 30;
        player.OpenMedia(file, startFlag);
        fake->finishOpen();
    }

    // Empty files: the fake engine reads nothing, the play list only their names.
    QString emptyFiles(const QString& name, const QStringList& files) const {
        const QString where = folder(name);
        for (const QString& file : files) QFile(where + file).open(QIODevice::WriteOnly);
        return where;
    }

    FakeMediaEngine* fake = nullptr;
};

// Presses and releases the left button on one arrow of the up-down, as a user clicks it.
void clickArrow(UpDown* upDown, QStyle::SubControl arrow) {
    QStyleOptionSpinBox option;
    option.initFrom(upDown);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.buttonSymbols = upDown->buttonSymbols();
    const QPoint at = upDown->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, upDown).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, upDown->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(upDown, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, upDown->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(upDown, &release);
}

QColor barPixel(const TMovieController& player, int x, int y) { return player.Image1->image().pixelColor(x, y); }

}  // namespace

TEST_F(ControllerTest, StartsWithTheTextsHintsAndRangesOfTheDesign) {
    auto* player = new TMovieController(host);
    EXPECT_EQ(player->windowTitle(), "Controller");
    EXPECT_EQ(player->size(), QSize(154, 113));
    EXPECT_EQ(player->Label2->text(), "0:00:00/0:00:00");
    EXPECT_EQ(player->Label2->size(), QSize(132, 30));
    EXPECT_EQ(player->Label3->text(), "左            右");
    EXPECT_EQ(player->Edit4->text(), "1.0");
    EXPECT_TRUE(player->Edit4->isReadOnly());
    EXPECT_EQ(player->SpeedButton2->text(), "A→");
    EXPECT_EQ(player->UpDown1->minimum(), 1);
    EXPECT_EQ(player->UpDown1->maximum(), 50);
    EXPECT_EQ(player->UpDown1->value(), 10);
    EXPECT_FALSE(player->UpDown1->wrapping());
    EXPECT_EQ(player->TrackBar1->value(), 30);
    EXPECT_EQ(player->TrackBar2->minimum(), -10);
    EXPECT_EQ(player->TrackBar2->maximum(), 10);
    EXPECT_EQ(player->Timer1->interval(), 500);
    EXPECT_EQ(player->Timer3->interval(), 1000);
    EXPECT_FALSE(player->Timer1->isActive());
    EXPECT_FALSE(player->Timer3->isActive());
    EXPECT_FALSE(player->CaptureC1->isEnabled());
    EXPECT_FALSE(player->SceneCaptureS1->isEnabled());
    EXPECT_TRUE(player->SpeedButton8->toolTip().isEmpty()) << "no hint before the first click";
    EXPECT_EQ(player->Image1->image().size(), QSize(142, 13));
    ASSERT_NE(FileList, nullptr);
    ASSERT_NE(Display, nullptr);
    EXPECT_FALSE(FileList->isVisible());

    const struct {
        const char* control;
        const char* hint;
    } hints[] = {
        {"TrackBar1", "音声の大きさを設定します"},
        {"SpeedButtonPlay", "ファイルを再生します。"},
        {"SpeedButtonPause", "再生中のファイルを停止します。"},
        {"SpeedButton1", "再生中の画面をキャプチャーします。"},
        {"SpeedButton4", "ファイルを開きます。"},
        {"SpeedButton2", "AB再生をします(まずは開始地点を決めて下さい)"},
        {"SpeedButton9", "PlayListを表示します"},
        {"SpeedButton10", "色の設定をします。"},
        {"Image1", "クリックした位置から再生します"},
        {"Label6", "スピーカーから出る音を設定します"},
        {"UpDown1", "再生速度を変更します"},
        {"Edit4", "再生速度を変更します"},
        {"TrackBar2", "音声の左右のバランスを設定します"},
        {"Label3", "音声の左右のバランスを設定します"},
    };
    for (const auto& h : hints) {
        const QWidget* control = player->findChild<QWidget*>(h.control);
        ASSERT_NE(control, nullptr) << h.control;
        EXPECT_EQ(control->toolTip(), QString::fromUtf8(h.hint)) << h.control;
    }

    const struct {
        const char* item;
        const char* caption;
        const char* shortcut;
    } items[] = {
        {"O1", "メディアを開く(&O)", "Ctrl+O"},   {"P1", "プロパティを開く(&P)", ""},   {"NextFile", "次のファイル", ""},
        {"PreviousFile", "前のファイル", ""},     {"N501", "50%", ""},                  {"MaxDisp", "Max", ""},
        {"N1691", "16:9", ""},                    {"E1", "終了する(&E)", ""},          {"FileListF1", "Play List(&P)", "Ctrl+P"},
        {"CaptureC1", "キャプチャー(&C)", "Ctrl+C"}, {"ExperimentE1", "フレーム処理(&E)", "Ctrl+E"},
        {"SceneCaptureS1", "シーン検索(&S)", "Ctrl+Q"}, {"antiname", "逆名前順", ""},     {"allfiles1", "全てするっ", ""},
        {"N29", "しろとか", ""},                  {"etc1", "決める", ""},               {"transmitmuchmore", "やばいぃ", ""},
        {"nontransmit", "やめた！", ""},          {"StayTop", "常に前面表示", ""},     {"DispSizeFix", "ディスプレイサイズ固定", ""},
        {"N18", "再生速度初期化", ""},            {"N16", "バージョン", ""},
    };
    for (const auto& i : items) {
        const QAction* action = player->findChild<QAction*>(i.item);
        ASSERT_NE(action, nullptr) << i.item;
        EXPECT_EQ(action->text(), QString::fromUtf8(i.caption)) << i.item;
        EXPECT_EQ(action->shortcut().toString(), QString(i.shortcut)) << i.item;
    }
    EXPECT_TRUE(player->N1001->isChecked());
    EXPECT_TRUE(player->nontransmit->isChecked());
    EXPECT_TRUE(player->name->isChecked());
    EXPECT_TRUE(player->nothing1->isChecked());
}

TEST_F(ControllerTest, SettingsAreAppliedAtCreationAndWrittenWhenThePlayerCloses) {
    writeSettings("[SOUND]\nposition=150\n[REPEAT]\nMODE=2\n[MOVIE_POS]\nLeft=-5000\nTop=50\n"
                  "[MOVIECOLOR]\nDisp_num_R=300\nDisp_num_G=0\nDisp_num_B=0\n[DISPLAY]\ndisp_left=10\ndisp_top=20\nfix=0\n");
    auto* player = new TMovieController(host);
    EXPECT_EQ(player->TrackBar1->value(), 100) << "the volume position is kept within 0 to 100";
    EXPECT_EQ(player->pos(), QPoint(200, 200)) << "a position off every screen returns to the default";
    EXPECT_EQ(Display->pos(), QPoint(10, 20));
    EXPECT_EQ(player->Label2->palette().color(QPalette::WindowText), QColor(44, 0, 0));
    EXPECT_FALSE(player->DispSizeFix->isChecked());
    // The repeat mode shows in its three places.
    EXPECT_TRUE(player->allfiles1->isChecked());
    EXPECT_FALSE(player->nothing1->isChecked());
    EXPECT_TRUE(FileList->Allfiles1->isChecked());
    EXPECT_EQ(FileList->ToolButton4->imageIndex(), 8);

    player->TrackBar1->setValue(70);
    FileList->N1file1Click();
    EXPECT_TRUE(player->N11->isChecked());
    player->close();
    EXPECT_EQ(host.mainWindowShows, 1) << "closing the player shows the main window";
    EXPECT_EQ(MovieController, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FileList, nullptr);
    EXPECT_EQ(Display, nullptr);

    const IniFile ini = readSettings();
    EXPECT_EQ(ini.readInteger("SOUND", "position", -1), 70);
    EXPECT_EQ(ini.readInteger("REPEAT", "MODE", -1), 1);
    EXPECT_EQ(ini.readInteger("MOVIE_POS", "Left", -1), 200);
    EXPECT_EQ(ini.readInteger("DISPLAY", "fix", -1), 0);
    EXPECT_EQ(ini.readInteger("DISPLAY", "disp_left", -1), 10);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "Disp_num_R", -1), 44);
    EXPECT_EQ(ini.readInteger("KIRRO", "greeting", -1), 0) << "the main window's keys stay";
}

TEST_F(ControllerTest, TheStripFoldsTheSettingsPanelOutAndIn) {
    auto* player = new TMovieController(host);
    player->show();
    const QSize created = player->frameGeometry().size();
    EXPECT_FALSE(player->rect().intersects(player->GroupBox1->geometry()));
    player->SpeedButton8->click();
    EXPECT_EQ(player->frameGeometry().width(), 254);
    EXPECT_TRUE(player->expanded());
    EXPECT_TRUE(player->rect().contains(player->GroupBox1->geometry()));
    EXPECT_EQ(player->SpeedButton8->toolTip(), "もとの状態に戻ります");
    player->SpeedButton8->click();
    EXPECT_EQ(player->size(), QSize(154, 113)) << "the client size it was created with";
    EXPECT_EQ(player->frameGeometry().size(), created);
    EXPECT_FALSE(player->expanded());
    EXPECT_EQ(player->SpeedButton8->toolTip(), "その他の設定を表示します");
}

TEST_F(ControllerTest, ThePlayListOpensDirectlyBelowTheControllerAndHidesAgain) {
    auto* player = new TMovieController(host);
    player->show();
    player->SpeedButton9->click();
    ASSERT_TRUE(FileList->isVisible());
    EXPECT_TRUE(player->FileListF1->isChecked());
    EXPECT_EQ(FileList->frameGeometry().left(), player->frameGeometry().left());
    EXPECT_EQ(FileList->frameGeometry().top(), player->frameGeometry().bottom() + 1);
    EXPECT_EQ(FileList->frameGeometry().width(), player->frameGeometry().width());
    player->FileListF1->trigger();
    EXPECT_FALSE(FileList->isVisible());
    EXPECT_FALSE(player->FileListF1->isChecked());
}

// ---- Through the real engine: a video, an unplayable file, a capture ----

TEST_F(ControllerTest, AVideoPlaysWithItsTimesAndSizes) {
    const QString clips = folder("clips");
    writeAvi(clips + "clip.avi", 60);
    writeWav(clips + "song.wav", 10);
    TMovieController& player = openPlayer(clips + "clip.avi");
    EXPECT_TRUE(player.isVisible());
    EXPECT_EQ(player.windowTitle(), "clip.avi");
    EXPECT_EQ(player.toolTip(), "clip.avi");
    EXPECT_EQ(player.Label2->text(), "0:00:00/0:00:02");
    EXPECT_EQ(player.duration(), 2 * kSecond);
    EXPECT_EQ(player.totalSeconds(), 2);
    EXPECT_EQ(player.totalFrames(), 60);
    EXPECT_EQ(player.StatusBar1->panels(), (QStringList{"64×48", "total:60ﾌﾚｰﾑ"}));
    EXPECT_EQ(player.mediaFolder(), clips);
    EXPECT_TRUE(player.mediaOpen());
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(player.Timer1->isActive());
    EXPECT_TRUE(player.Timer3->isActive());
    EXPECT_TRUE(player.CaptureC1->isEnabled());
    EXPECT_EQ(player.volume(), -4522) << "the volume of the start position 30";
    ASSERT_TRUE(Display->isVisible());
    EXPECT_EQ(Display->windowTitle(), "clip.avi");
    EXPECT_EQ(Display->video()->engine(), &player.engine());
    EXPECT_EQ(FileList->entryList(), (QStringList{clips + "clip.avi", clips + "song.wav"}));
    EXPECT_EQ(FileList->StatusBar1->panels(), QStringList{"再生中のファイル : 1/2"});
}

TEST_F(ControllerTest, AFileGStreamerCannotPlayIsToldWithinTwoSecondsAndTheNextFilePlays) {
    const QString clips = folder("bad");
    QFile noise(clips + "noise.avi");
    ASSERT_TRUE(noise.open(QIODevice::WriteOnly));
    for (int i = 0; i < 4000; ++i) noise.putChar(static_cast<char>((i * 7919 + 13) % 251));
    noise.close();
    writeAvi(clips + "good.avi", 30);

    auto* player = new TMovieController(host);
    QElapsedTimer clock;
    clock.start();
    player->OpenMedia(clips + "noise.avi", 1);
    ASSERT_TRUE(waitFor([&] { return !recorder->messages.isEmpty(); }, 5000));
    EXPECT_LT(clock.elapsed(), 2000);
    ASSERT_EQ(recorder->messages.size(), 1);
    EXPECT_EQ(recorder->messages[0].text, "このファイルは再生できません（noise.avi）");
    EXPECT_EQ(recorder->messages[0].caption, "");
    EXPECT_FALSE(player->mediaOpen());
    EXPECT_FALSE(player->Timer1->isActive());
    EXPECT_EQ(player->windowTitle(), "Controller");
    EXPECT_EQ(player->Label2->text(), "0:00:00/0:00:00");

    // The player stays usable: the next entry of the list plays.
    player->NextFile->trigger();
    ASSERT_TRUE(waitForOpen(*player));
    EXPECT_EQ(player->mediaPath(), clips + "good.avi");
    EXPECT_TRUE(player->mediaOpen());
    EXPECT_TRUE(player->running());
    EXPECT_EQ(player->Label2->text(), "0:00:00/0:00:01");
    EXPECT_EQ(recorder->messages.size(), 1);
}

TEST_F(ControllerTest, CaptureHandsTheFrameToTheMainWindowAndClosesWithoutSaving) {
    // Colour bars: white at the top left, blue at the top right, dark blue at the bottom left.
    writeAvi(path("bars.avi"), 30, 64, 48, "smpte");
    TMovieController& player = openPlayer(path("bars.avi"));
    ASSERT_TRUE(player.mediaOpen());
    player.SpeedButton1->click();

    EXPECT_EQ(MovieController, nullptr);
    EXPECT_EQ(host.mainWindowShows, 1);
    ASSERT_EQ(host.frames.size(), 1u);
    ASSERT_EQ(host.frames[0].width(), 64);
    ASSERT_EQ(host.frames[0].height(), 48);
    ColorPlanes p(64, 48);
    splitBitmap(host.frames[0], p);
    EXPECT_GE(std::min({p.R[2][2], p.G[2][2], p.B[2][2]}), 200) << "white, upright";
    EXPECT_GE(p.B[2][61], 200);
    EXPECT_LE(std::max(p.R[2][61], p.G[2][61]), 60) << "blue, not mirrored";
    EXPECT_LE(p.R[45][2], 40);
    EXPECT_LE(p.B[45][2], 180);
    EXPECT_GE(p.B[45][2], 100);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FileList, nullptr);
    EXPECT_EQ(Display, nullptr);
    EXPECT_EQ(readSettings().readInteger("MOVIE_POS", "Left", -1), -1) << "a hand-over writes no player settings";
}

// ---- On the fake engine ----

TEST_F(ControllerTest, NothingShowsUntilTheEngineHasTheFileOpen) {
    const QString clips = emptyFiles("wait", {"clip.avi"});
    TMovieController& player = fakePlayer();
    player.OpenMedia(clips + "clip.avi", 1);
    EXPECT_TRUE(player.isVisible());
    EXPECT_EQ(fake->path(), clips + "clip.avi");
    EXPECT_EQ(player.windowTitle(), "Controller");
    EXPECT_FALSE(player.mediaOpen());
    EXPECT_FALSE(player.Timer1->isActive());
    EXPECT_EQ(fake->runs, 0);
    // Play pressed meanwhile: the poll does not take the missing length for the end.
    player.SpeedButtonPlay->click();
    player.PollPlayback();
    EXPECT_TRUE(player.running());
    EXPECT_EQ(fake->seeks.size(), 0);
    fake->reportedDuration = 2050 * kSecond / 10;  // 3 minutes 25 seconds
    fake->reportedSize = QSize(320, 240);
    fake->reportedSecondsPerFrame = 1.0 / 30;
    fake->finishOpen();
    EXPECT_EQ(player.windowTitle(), "clip.avi");
    EXPECT_EQ(player.Label2->text(), "0:00:00/0:03:25");
    EXPECT_EQ(player.StatusBar1->panels(), (QStringList{"320×240", "total:6150ﾌﾚｰﾑ"}));
    EXPECT_TRUE(player.mediaOpen());
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(player.Timer1->isActive());
}

TEST_F(ControllerTest, AFailedOpenShowsTheFileNameAndCodecMessages) {
    const QString clips = emptyFiles("fail", {"broken.avi"});
    TMovieController& player = fakePlayer();
    fake->reportedMissing = MissingCodec::Video;
    player.OpenMedia(clips + "broken.avi", 1);
    fake->failOpen();
    ASSERT_EQ(recorder->messages.size(), 2);
    EXPECT_EQ(recorder->messages[0].text, "このファイルの動画のcodecが見つかりません");
    EXPECT_EQ(recorder->messages[1].text, "このファイルは再生できません（broken.avi）");
    EXPECT_FALSE(player.mediaOpen());
    EXPECT_FALSE(Display->isVisible());
    EXPECT_EQ(fake->runs, 0);
}

TEST_F(ControllerTest, ThePollShowsTheElapsedTime) {
    const QString clips = emptyFiles("poll", {"clip.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "clip.avi", 2050 * kSecond / 10);
    const struct {
        qint64 advance;
        const char* label;
    } steps[] = {
        {11 * kSecond / 10, "0:00:01/0:03:25"},
        {64 * kSecond, "0:01:05/0:03:25"},
        {2050 * kSecond / 10 - 651 * kSecond / 10 - 1, "0:03:25/0:03:25"},  // within 1 ms of the end
    };
    for (const auto& s : steps) {
        fake->advance(s.advance);
        player.PollPlayback();
        EXPECT_EQ(player.Label2->text(), s.label);
    }
}

TEST_F(ControllerTest, ASoundFileHidesTheVideoAndOffersNoCapture) {
    const QString clips = emptyFiles("sound", {"song.wav", "fixed.WMA"});
    TMovieController& player = fakePlayer();
    fake->reportedDuration = 2 * kSecond;
    player.OpenMedia(clips + "song.wav", 1);
    fake->finishOpen();
    EXPECT_TRUE(player.isAudio());
    EXPECT_FALSE(Display->isVisible());
    for (const QAction* item : {player.CaptureC1, player.SceneCaptureS1, player.ExperimentE1})
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    EXPECT_FALSE(player.SpeedButton1->isEnabled());
    EXPECT_TRUE(player.UpDown1->isEnabled());
    EXPECT_EQ(player.StatusBar1->panels().value(0), "");

    player.CloseMedia();
    player.OpenMedia(clips + "fixed.WMA", 1);
    fake->finishOpen();
    EXPECT_FALSE(player.UpDown1->isEnabled());
    EXPECT_FALSE(player.Edit4->isEnabled());
}

TEST_F(ControllerTest, CaptureOfAFileWithoutDecodableVideoDoesNothing) {
    // A mixed-case extension is played as a video, but the engine finds no video in it.
    const QString clips = emptyFiles("novideo", {"clip.Wav"});
    TMovieController& player = fakePlayer();
    fake->reportedDuration = 2 * kSecond;
    player.OpenMedia(clips + "clip.Wav", 1);
    fake->finishOpen();
    EXPECT_FALSE(player.isAudio());
    EXPECT_TRUE(player.SpeedButton1->isEnabled());
    EXPECT_TRUE(Display->isVisible());
    player.SpeedButton1->click();
    player.CaptureC1->trigger();
    EXPECT_EQ(MovieController, &player);
    EXPECT_TRUE(host.frames.empty());
    EXPECT_TRUE(player.mediaOpen());
    EXPECT_TRUE(player.running()) << "the player goes on as it was";
}

TEST_F(ControllerTest, TheEndOfTheFileFollowsTheRepeatMode) {
    const QString both = emptyFiles("both", {"a.avi", "b.avi"});
    const QString alone = emptyFiles("alone", {"only.Avi"});  // no play-list spelling: the list stays empty
    const struct {
        const char* name;
        QString file;
        RepeatMode mode;
        bool running;
        QString playing;
    } cases[] = {
        {"none pauses at the end", both + "b.avi", RepeatMode::None, false, both + "b.avi"},
        {"one file starts it again", both + "b.avi", RepeatMode::OneFile, true, both + "b.avi"},
        {"all files wraps to the first entry", both + "b.avi", RepeatMode::AllFiles, true, both + "a.avi"},
        {"all files with an empty list pauses", alone + "only.Avi", RepeatMode::AllFiles, false, alone + "only.Avi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMovieController& player = fakePlayer();
        openFake(player, c.file, 15 * kSecond / 10);
        FileList->SetRepeatMode(c.mode);
        fake->advance(2 * kSecond);
        player.PollPlayback();
        if (c.playing != c.file) fake->finishOpen();  // the next entry opens
        EXPECT_EQ(player.running(), c.running);
        EXPECT_EQ(player.mediaPath(), c.playing);
        if (c.mode == RepeatMode::None) {
            EXPECT_EQ(player.Label2->text(), "0:00:01/0:00:01");
            EXPECT_EQ(player.currentPosition(), 15 * kSecond / 10);
        }
        if (c.mode == RepeatMode::OneFile) {
            ASSERT_EQ(fake->seeks.size(), 1);
            EXPECT_EQ(fake->seeks[0].current, 0);
            EXPECT_EQ(fake->seeks[0].stop, StopMode::Unchanged);
        }
        if (c.playing == both + "a.avi") {
            EXPECT_EQ(player.listIndex(), 0);
            EXPECT_EQ(Display->windowTitle(), "a.avi");
            EXPECT_TRUE(player.Timer1->isActive());
        }
        player.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ControllerTest, PlayAtTheVeryEndStartsFromTheBeginning) {
    const QString clips = emptyFiles("end", {"a.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "a.avi", kSecond / 2);
    fake->advance(kSecond);
    player.PollPlayback();
    ASSERT_FALSE(player.running());
    ASSERT_EQ(player.currentPosition(), kSecond / 2);
    player.SpeedButtonPause->click();
    EXPECT_FALSE(player.Timer1->isActive());
    player.SpeedButtonPlay->click();
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(player.Timer1->isActive());
    EXPECT_EQ(player.currentPosition(), 0);
    // Anywhere else Play only runs.
    fake->advance(kSecond / 10);
    player.SpeedButtonPause->click();
    player.SpeedButtonPlay->click();
    EXPECT_EQ(player.currentPosition(), kSecond / 10);
    EXPECT_EQ(fake->seeks.size(), 1);
}

TEST_F(ControllerTest, ABRepeatWithBBeforeALoopsFromTheEarlierToTheLaterPoint) {
    const QString clips = emptyFiles("ab", {"four.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "four.avi", 4 * kSecond);
    player.SpeedButtonPause->click();

    player.Image1MouseDown(106, 4);  // 4 s × 106 / 142 = 2.9859154 s
    player.SpeedButton2->click();
    EXPECT_EQ(player.SpeedButton2->text(), "→B");
    EXPECT_EQ(player.SpeedButton2->toolTip(), "AB再生をします(次に終了地点を決めて下さい。)");
    EXPECT_FALSE(player.Timer1->isActive()) << "setting A starts nothing";
    player.Image1MouseDown(35, 4);  // 4 s × 35 / 142 = 0.9859154 s
    player.SpeedButton2->click();

    EXPECT_EQ(player.SpeedButton2->text(), "AB");
    EXPECT_EQ(player.SpeedButton2->toolTip(), "AB再生中(辞めるにはこのボタンを押して下さい。)");
    EXPECT_EQ(player.pointA(), 9'859'154);
    EXPECT_EQ(player.pointB(), 29'859'154);
    EXPECT_EQ(player.markA(), 34);   // 142 × 9 859 154 div 40 000 000
    EXPECT_EQ(player.markB(), 105);  // 142 × 29 859 154 div 40 000 000
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(player.Timer1->isActive()) << "the loop starts the timers";
    EXPECT_TRUE(player.Timer3->isActive());
    EXPECT_EQ(player.currentPosition(), 9'859'154);
    // Right of the playing position, exactly the range is tinted: the grey rest (128) reads 100.
    EXPECT_EQ(barPixel(player, 50, 6), QColor(100, 100, 100));
    EXPECT_EQ(barPixel(player, 104, 6), QColor(100, 100, 100));
    EXPECT_EQ(barPixel(player, 110, 6), QColor(128, 128, 128));

    // Past B the poll goes back to A; before B it does not.
    fake->advance(kSecond);
    player.PollPlayback();
    EXPECT_EQ(player.currentPosition(), 19'859'154);
    player.Image1MouseDown(130, 4);  // 3.6619718 s, past B
    EXPECT_EQ(player.currentPosition(), 9'859'154);
    EXPECT_EQ(fake->seeks.back().current, 9'859'154);

    player.SpeedButton2->click();
    EXPECT_EQ(player.SpeedButton2->text(), "A→");
    EXPECT_EQ(player.SpeedButton2->toolTip(), "AB再生をします(まずは開始地点を決めて下さい。)");
    EXPECT_EQ(player.pointA(), -1);
    EXPECT_EQ(player.markB(), 255);
    EXPECT_EQ(barPixel(player, 115, 6), QColor(128, 128, 128));
    EXPECT_EQ(barPixel(player, 100, 6), QColor(128, 128, 128));
}

TEST_F(ControllerTest, SpeedClicksSetTheRateShowItAndRunThePlayer) {
    const QString clips = emptyFiles("speed", {"a.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "a.avi");
    player.SpeedButtonPause->click();
    ASSERT_FALSE(player.Timer1->isActive());

    const struct {
        QStyle::SubControl arrow;
        const char* text;
        double rate;
    } clicks[] = {{QStyle::SC_SpinBoxUp, "1.1", 1.1},
                  {QStyle::SC_SpinBoxUp, "1.2", 1.2},
                  {QStyle::SC_SpinBoxDown, "1.1", 1.1},
                  {QStyle::SC_SpinBoxDown, "1", 1.0},
                  {QStyle::SC_SpinBoxDown, "0.9", 0.9}};
    for (const auto& c : clicks) {
        clickArrow(player.UpDown1, c.arrow);
        EXPECT_EQ(player.Edit4->text(), c.text);
        EXPECT_DOUBLE_EQ(player.rate(), c.rate);
    }
    EXPECT_TRUE(player.running()) << "a speed click runs even a stopped player";
    EXPECT_TRUE(player.Timer1->isActive());
    EXPECT_TRUE(player.Timer3->isActive());

    player.SpeedButtonPause->click();
    player.N18->trigger();
    EXPECT_EQ(player.Edit4->text(), "1");
    EXPECT_EQ(player.UpDown1->value(), 10);
    EXPECT_DOUBLE_EQ(player.rate(), 1.0);
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(player.Timer1->isActive());
}

TEST_F(ControllerTest, AClickBeyondEitherEndOfTheSpeedAppliesTheSameRateAndRuns) {
    const QString clips = emptyFiles("ends", {"a.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "a.avi");
    const struct {
        int value;
        QStyle::SubControl arrow;
        const char* text;
        double rate;
    } ends[] = {{50, QStyle::SC_SpinBoxUp, "5", 5.0}, {1, QStyle::SC_SpinBoxDown, "0.1", 0.1}};
    for (const auto& e : ends) {
        player.UpDown1->setValue(e.value);
        fake->advance(kSecond / 10);
        player.SpeedButtonPause->click();
        const qint64 at = player.currentPosition();
        const int ratesBefore = static_cast<int>(fake->rates.size());
        clickArrow(player.UpDown1, e.arrow);
        EXPECT_EQ(player.UpDown1->value(), e.value);
        EXPECT_EQ(player.Edit4->text(), e.text);
        ASSERT_EQ(fake->rates.size(), ratesBefore + 1) << "the handler ran";
        EXPECT_DOUBLE_EQ(fake->rates.back(), e.rate);
        EXPECT_EQ(player.currentPosition(), at) << "the position stays";
        EXPECT_TRUE(player.running()) << "even from a stopped player";
        EXPECT_TRUE(player.Timer1->isActive());
    }
}

TEST_F(ControllerTest, TheSpeedGoesOnWithTheNextFileExceptWhereItIsFixed) {
    const QString clips = emptyFiles("rate", {"a.avi", "b.avi", "c.wma"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "a.avi");
    for (int i = 0; i < 10; ++i) player.UpDown1->stepUp();
    ASSERT_EQ(player.Edit4->text(), "2");
    ASSERT_DOUBLE_EQ(player.rate(), 2.0);

    player.NextFile->trigger();
    EXPECT_EQ(fake->path(), clips + "b.avi");
    fake->finishOpen();
    EXPECT_EQ(player.Edit4->text(), "2");
    EXPECT_DOUBLE_EQ(player.rate(), 2.0) << "the file plays at the rate the box shows";
    EXPECT_TRUE(player.running());

    player.NextFile->trigger();
    EXPECT_EQ(fake->path(), clips + "c.wma");
    fake->finishOpen();
    EXPECT_FALSE(player.UpDown1->isEnabled());
    EXPECT_DOUBLE_EQ(player.rate(), 1.0) << "a .wma plays at its own rate";
}

TEST_F(ControllerTest, TheVolumeSliderActsOnlyWhileAFileIsOpen) {
    const QString clips = emptyFiles("volume", {"a.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "a.avi");
    player.TrackBar1->setValue(100);
    EXPECT_EQ(player.volume(), 0);
    player.CloseMedia();
    player.TrackBar1->setValue(0);
    EXPECT_EQ(player.volume(), 0);
    openFake(player, clips + "a.avi");
    EXPECT_EQ(player.volume(), -10000) << "opening applies the slider's position";
    player.TrackBar2->setValue(-3);
    EXPECT_EQ(player.balance(), -3000);
}

TEST_F(ControllerTest, NextAndPreviousMoveThroughThePlayListAndWrap) {
    const QString clips = emptyFiles("three", {"a.avi", "b.avi", "c.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "c.avi");
    ASSERT_EQ(player.listIndex(), 2);
    player.NextFile->trigger();
    fake->finishOpen();
    EXPECT_EQ(player.mediaPath(), clips + "a.avi");
    EXPECT_EQ(player.listIndex(), 0);
    EXPECT_TRUE(player.running());
    player.PreviousFile->trigger();
    EXPECT_EQ(player.mediaPath(), clips + "c.avi");
    player.PreviousFile->trigger();
    EXPECT_EQ(player.mediaPath(), clips + "b.avi");
    EXPECT_EQ(FileList->StatusBar1->panels(), QStringList{"再生中のファイル : 2/3"});
    EXPECT_EQ(FileList->ListView1->markedRow(), 1);

    // With an empty list nothing happens.
    const QString alone = emptyFiles("alone", {"only.Avi"});
    player.CloseMedia();
    openFake(player, alone + "only.Avi");
    ASSERT_EQ(FileList->count(), 0);
    player.NextFile->trigger();
    player.PreviousFile->trigger();
    EXPECT_EQ(player.mediaPath(), alone + "only.Avi");
    EXPECT_TRUE(player.mediaOpen());
}

TEST_F(ControllerTest, ADoubleClickOnTheListPlaysThatEntry) {
    const QString clips = emptyFiles("two", {"a.avi", "b.avi"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "a.avi");
    player.SpeedButtonPause->click();
    FileList->ListView1->setCurrentRow(1);
    FileList->PlayFile->trigger();
    EXPECT_EQ(player.mediaPath(), clips + "b.avi");
    EXPECT_EQ(player.listIndex(), 1);
    fake->finishOpen();
    EXPECT_TRUE(player.running());
    EXPECT_TRUE(player.Timer1->isActive());
}

TEST_F(ControllerTest, OpenAndDropReplaceThePlayingFile) {
    const QString clips = emptyFiles("open", {"a.avi", "b.AVI", "c.wav"});
    TMovieController& player = fakePlayer();
    openFake(player, clips + "a.avi");

    player.FilesDropped({clips + "b.AVI", clips + "a.avi"});
    player.FilesDropped({clips + "c.wav"});
    ASSERT_EQ(recorder->messages.size(), 2);
    EXPECT_EQ(recorder->messages[0].text, "複数のファイルを同時に開くことは出来ません");
    EXPECT_EQ(recorder->messages[0].caption, "NULL");
    EXPECT_EQ(recorder->messages[1].text, "開けない形式のファイルです");
    EXPECT_EQ(recorder->messages[1].caption, "");
    EXPECT_EQ(player.mediaPath(), clips + "a.avi");

    FileList->FilesDropped({clips + "b.AVI"});  // the play list hands drops to the controller
    EXPECT_EQ(player.mediaPath(), clips + "b.AVI");
    EXPECT_EQ(fake->path(), clips + "b.AVI");

    // The open dialog takes any file, .wav included.
    ScriptedPlatform::DialogAnswer answer;
    answer.kind = ScriptedPlatform::DialogKind::Open;
    answer.file.path = clips + "c.wav";
    recorder->queueDialogAnswer(answer);
    player.SpeedButton4->click();
    EXPECT_EQ(player.mediaPath(), clips + "c.wav");
    EXPECT_EQ(fake->path(), clips + "c.wav");
    EXPECT_TRUE(player.isAudio());
    EXPECT_EQ(FileList->count(), 3);
}

TEST_F(ControllerTest, TheVersionBoxShowsModallyAndReleasesItself) {
    auto* player = new TMovieController(host);
    QString product;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        if (!AboutBox) return;
        product = AboutBox->ProductName->text();
        modal = AboutBox->isModal();
        AboutBox->OKButton->click();
    });
    player->N16->trigger();
    EXPECT_EQ(product, "Veltrane");
    EXPECT_TRUE(modal);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AboutBox, nullptr);
}
