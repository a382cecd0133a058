// The frame-processing window opened from the player, on generated MJPEG clips: frames by
// number, the hand-over of frame n, the start and end points, snapshot series and their
// failures, and the player's return when the window closes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "frames/ui/experiment_window.h"
#include "image/image_document.h"
#include "image/image_file.h"
#include "player/ui/gst_media_engine.h"
#include "player/ui/player_fixture.h"
#include "player/ui/video_widget.h"
#include "support/plane_fixtures.h"
#include "support/read_only_folder.h"
#include "widgets/ui/picture_view.h"
#include "widgets/ui/selection_track_bar.h"
#include "widgets/ui/up_down.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

// 64 × 48 colour bars that move 2 pixels to the left each frame, 30 frames a second.
void writeMovingAvi(const QString& path, int frames) {
    runPipeline(QString("videotestsrc num-buffers=%1 pattern=smpte horizontal-speed=2 ! "
                        "video/x-raw,width=64,height=48,framerate=30/1 ! jpegenc quality=95 ! avimux ! "
                        "filesink location=\"%2\"")
                    .arg(frames)
                    .arg(path));
}

// The first luminance quantisation value of a JPEG file: 16 × (200 − 2q) / 100 for quality q
// of 50 and above (6 for 80, 16 for 50), 16 × 5000 / q / 100 below.
int firstQuantiser(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    const int at = bytes.indexOf("\xFF\xDB");
    return at < 0 || at + 5 >= bytes.size() ? -1 : static_cast<unsigned char>(bytes[at + 5]);
}

class FrameProcessingTest : public PlayerFixture {
protected:
    // The clip in a folder of its own, played and handed to the frame-processing window.
    TExperiment& openWindow(const QString& folderName = "clips", int frames = 60) {
        clip = folder(folderName) + "clip.avi";
        writeMovingAvi(clip, frames);
        TMovieController& player = openPlayer(clip);
        EXPECT_TRUE(player.mediaOpen());
        player.ExperimentE1->trigger();
        EXPECT_NE(Experiment, nullptr);
        return *Experiment;
    }

    // Frame n as a player on its own shows it by time, at the middle of the frame.
    Bitmap24 referenceFrame(int n) {
        GstMediaEngine engine;
        engine.open(clip);
        waitFor([&] { return !engine.isOpening(); }, 10000);
        return engine.grab((2 * n + 1) * 10'000'000LL / 60).frame;
    }

    QStringList savedFiles() const {
        return QDir(QFileInfo(clip).path()).entryList({"clip.avi*.*"}, QDir::Files, QDir::Name);
    }

    QString clip;
};

}  // namespace

TEST_F(FrameProcessingTest, OpensOnFrameZeroWithThePlayerHiddenAndPaused) {
    TExperiment& window = openWindow();
    ASSERT_NE(MovieController, nullptr);
    EXPECT_FALSE(window.fromMain());
    EXPECT_EQ(window.windowTitle(), "Experiment");
    EXPECT_FALSE(MovieController->isVisible());
    EXPECT_FALSE(MovieController->running());
    EXPECT_FALSE(MovieController->Timer1->isActive());
    EXPECT_FALSE(MovieController->Timer3->isActive());
    EXPECT_TRUE(MovieController->engine().timeFormatFrames());
    ASSERT_NE(Display, nullptr);
    EXPECT_TRUE(Display->isVisible()) << "the display stays, empty";
    EXPECT_FALSE(Display->video()->isVisible());

    EXPECT_EQ(window.TrackBar1->maximum(), 60);
    EXPECT_EQ(window.UpDown1->maximum(), 60);
    EXPECT_EQ(window.Edit2->text(), "60");
    EXPECT_EQ(window.Edit1->text(), "0");
    EXPECT_EQ(window.frameGeometry().height(), TExperiment::kFramesHeight);
    EXPECT_TRUE(window.Panel1->isEnabled());
    EXPECT_FALSE(window.BitBtn3->isEnabled());
    EXPECT_FALSE(window.Button3->isEnabled());
    EXPECT_FALSE(window.Button4->isEnabled());
    EXPECT_EQ(window.ComboBox1->currentIndex(), -1);
    EXPECT_EQ(window.ComboBox1->placeholderText(), "JPG");
    EXPECT_EQ(window.ComboBox2->placeholderText(), "50％");
    EXPECT_EQ(window.ComboBox3->placeholderText(), "5ﾌﾚｰﾑ");
    EXPECT_TRUE(samePixels(window.frameBitmap(), referenceFrame(0)));
    EXPECT_EQ(window.Image1->picture().size(), QSize(64, 48));
}

TEST_F(FrameProcessingTest, TheTrackBarAndTheUpDownShowFrameN) {
    TExperiment& window = openWindow();
    window.TrackBar1->setValue(25);
    EXPECT_EQ(window.Label4->text(), "25");
    EXPECT_EQ(window.UpDown1->value(), 25);
    const Bitmap24 frame25 = referenceFrame(25);
    EXPECT_TRUE(samePixels(window.frameBitmap(), frame25));
    EXPECT_FALSE(samePixels(frame25, referenceFrame(26))) << "frames must differ for the test to mean anything";

    window.UpDown1->setValue(40);
    window.UpDown1Click();
    EXPECT_EQ(window.Label4->text(), "40");
    EXPECT_EQ(window.TrackBar1->value(), 40);
    EXPECT_TRUE(samePixels(window.frameBitmap(), referenceFrame(40)));
}

TEST_F(FrameProcessingTest, TakingTheFramePutsFrameNInTheMainWindowAndClosesThePlayer) {
    TExperiment& window = openWindow();
    window.UpDown1->setValue(17);
    window.BitBtn1->click();
    ASSERT_EQ(host.frames.size(), 1u);
    EXPECT_TRUE(samePixels(host.frames[0], referenceFrame(17)));
    EXPECT_FALSE(samePixels(host.frames[0], referenceFrame(18)));
    EXPECT_EQ(MovieController, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Experiment, nullptr);
    EXPECT_EQ(Display, nullptr);
    EXPECT_EQ(readSettings().readInteger("MOVIE_POS", "Left", -1), -1) << "a hand-over writes no player settings";
}

TEST_F(FrameProcessingTest, ClosingTheWindowPlaysOnInTimeWithTheControllerAndVideoShown) {
    TExperiment& window = openWindow();
    window.TrackBar1->setValue(30);
    window.close();
    ASSERT_NE(MovieController, nullptr);
    EXPECT_TRUE(MovieController->isVisible());
    EXPECT_TRUE(MovieController->running());
    EXPECT_FALSE(MovieController->engine().timeFormatFrames());
    EXPECT_TRUE(MovieController->Timer1->isActive());
    EXPECT_TRUE(Display->video()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Experiment, nullptr);
}

TEST_F(FrameProcessingTest, StartAndEndPointsSetTheSelectionAndTheButtons) {
    TExperiment& window = openWindow();
    window.TrackBar1->setValue(30);
    window.Button2->click();
    EXPECT_EQ(window.startPoint(), 30);
    EXPECT_EQ(window.Edit1->text(), "30");
    EXPECT_EQ(window.TrackBar1->selStart(), 30);
    EXPECT_EQ(window.TrackBar1->selEnd(), 60);
    EXPECT_TRUE(window.Button3->isEnabled());
    EXPECT_FALSE(window.Button4->isEnabled());
    EXPECT_FALSE(window.BitBtn3->isEnabled());

    window.TrackBar1->setValue(10);
    window.Button1->click();
    EXPECT_EQ(window.endPoint(), 10);
    EXPECT_EQ(window.Edit2->text(), "10");
    EXPECT_FALSE(window.Button4->isEnabled()) << "an end before the start";
    EXPECT_FALSE(window.BitBtn3->isEnabled());

    window.TrackBar1->setValue(45);
    window.Button1->click();
    EXPECT_TRUE(window.Button4->isEnabled());
    EXPECT_TRUE(window.BitBtn3->isEnabled());

    // At 30 frames a second the jump shows the point itself.
    window.Button3->click();
    EXPECT_EQ(window.TrackBar1->value(), 30);
    EXPECT_EQ(window.Label4->text(), "30");
    EXPECT_TRUE(samePixels(window.frameBitmap(), referenceFrame(30)));

    window.CheckBox1->click();
    EXPECT_EQ(window.Panel1->height(), TExperiment::kFramePanelOpen);
    EXPECT_EQ(window.frameGeometry().height(), TExperiment::kSnapshotOpenHeight);
    window.CheckBox1->click();
    EXPECT_EQ(window.Panel1->height(), TExperiment::kFramePanelClosed);
    EXPECT_EQ(window.frameGeometry().height(), TExperiment::kSnapshotClosedHeight);
}

TEST_F(FrameProcessingTest, ASeriesWritesTheNumberedFilesAtTheChosenQuality) {
    TExperiment& window = openWindow();
    window.TrackBar1->setValue(0);
    window.Button2->click();
    window.TrackBar1->setValue(20);
    window.Button1->click();
    window.ComboBox2->setCurrentIndex(7);  // "80％"
    window.BitBtn3->click();
    EXPECT_EQ(savedFiles(), (QStringList{"clip.avi0.jpg", "clip.avi10.jpg", "clip.avi15.jpg", "clip.avi5.jpg"}));
    for (const QString& name : savedFiles())
        EXPECT_EQ(firstQuantiser(QFileInfo(clip).path() + "/" + name), 6) << name.toStdString();
    EXPECT_EQ(window.ProgressBar1->maximum(), 20);
    EXPECT_EQ(window.ProgressBar1->value(), 16);
    ASSERT_FALSE(recorder->messages.isEmpty());
    EXPECT_EQ(recorder->messages.last().text, "完了しました");
    EXPECT_EQ(recorder->messages.last().caption, "完了");

    // BMP at step 10 from 30 to 50: the quality box hides, the frames are the frames.
    window.ComboBox1->setCurrentIndex(1);
    window.ComboBox1Change();
    EXPECT_TRUE(window.ComboBox2->isHidden());
    window.ComboBox3->setCurrentIndex(1);
    window.TrackBar1->setValue(30);
    window.Button2->click();
    window.TrackBar1->setValue(50);
    window.Button1->click();
    window.BitBtn3->click();
    EXPECT_TRUE(savedFiles().contains("clip.avi30.bmp"));
    EXPECT_TRUE(savedFiles().contains("clip.avi40.bmp"));
    EXPECT_FALSE(savedFiles().contains("clip.avi50.bmp"));
    const Bitmap24 saved =
        loadImageFile(QFile::encodeName(QFileInfo(clip).path() + "/clip.avi40.bmp").toStdString(), FileKind::Bmp).bitmap;
    EXPECT_TRUE(samePixels(saved, referenceFrame(40)));
}

TEST_F(FrameProcessingTest, ASeriesFromStartToEqualEndSavesOneFrameWithoutABusyBar) {
    TExperiment& window = openWindow();
    window.TrackBar1->setValue(30);
    window.Button2->click();
    window.Button1->click();
    window.BitBtn3->click();
    EXPECT_EQ(savedFiles(), QStringList{"clip.avi30.jpg"});
    EXPECT_EQ(firstQuantiser(QFileInfo(clip).path() + "/clip.avi30.jpg"), 16) << "quality 50 without a selection";
    EXPECT_LT(window.ProgressBar1->minimum(), window.ProgressBar1->maximum());
    EXPECT_EQ(window.ProgressBar1->value(), 0);
}

TEST_F(FrameProcessingTest, ASeriesIntoAReadOnlyFolderStopsAtTheFirstFileWithTheReason) {
    TExperiment& window = openWindow("locked");
    const QString where = QFileInfo(clip).path();
    {
        QFile old(where + "/clip.avi0.jpg");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    if (!makeFolderReadOnly(where)) GTEST_SKIP() << "this process writes into read-only folders";
    window.TrackBar1->setValue(0);
    window.Button2->click();
    window.TrackBar1->setValue(20);
    window.Button1->click();
    recorder->messages.clear();
    window.BitBtn3->click();
    restoreFolder(where);
    ASSERT_EQ(recorder->messages.size(), 1);
    EXPECT_TRUE(recorder->messages[0].text.startsWith("ファイルを保存できませんでした（" + where + "/clip.avi0.jpg："))
        << recorder->messages[0].text.toStdString();
    EXPECT_TRUE(recorder->messages[0].text.endsWith("）"));
    EXPECT_EQ(recorder->messages[0].caption, "");
    EXPECT_EQ(savedFiles(), QStringList{"clip.avi0.jpg"});
    QFile old(where + "/clip.avi0.jpg");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}
