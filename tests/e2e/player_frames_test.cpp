// The frame-processing window through the real program: a snapshot series as JPEG at a chosen
// quality and as BMP, frame n handed to the main window, and a series into a read-only folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "player/ui/media_fixtures.h"
#include "support/plane_fixtures.h"
#include "support/read_only_folder.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

// The first luminance quantisation value of a JPEG file (6 for quality 80, 16 for 50).
int firstQuantiser(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    const int at = bytes.indexOf("\xFF\xDB");
    return at < 0 || at + 5 >= bytes.size() ? -1 : static_cast<unsigned char>(bytes[at + 5]);
}

class PlayerFramesScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTRANE_AUDIO_SINK", "fakesink");
        session.writeQuietSettings();
        QDir(session.dir()).mkpath("clips");
        where = session.path("clips");
        clip = where + "/clip.avi";
        // Colour bars moving 2 pixels a frame: every frame differs from the next.
        runPipeline(QString("videotestsrc num-buffers=60 pattern=smpte horizontal-speed=2 ! "
                            "video/x-raw,width=64,height=48,framerate=30/1 ! jpegenc quality=95 ! avimux ! "
                            "filesink location=\"%1\"")
                        .arg(clip));
    }

    // Opens the clip, waits for it and opens the frame-processing window with points 0 and 20.
    QString openWindow() const {
        return "answer open " + quoted(clip) +
               "\nMain.OPEN1Click()\nwait until MovieController.mediaOpen = true 10000\n"
               "MovieController.ExperimentE1.trigger()\nExperiment.TrackBar1.value = 0\nExperiment.Button2.click()\n"
               "Experiment.TrackBar1.value = 20\nExperiment.Button1.click()\n";
    }

    QStringList saved() const { return QDir(where).entryList({"clip.avi*.*"}, QDir::Files, QDir::Name); }

    ScriptSession session;
    QString where, clip;
};

}  // namespace

TEST_F(PlayerFramesScriptTest, SeriesAreSavedUnderNumberedNamesAndFrameNGoesToTheMainWindow) {
    const ScriptResult r = session.run(
        openWindow() +
        "print Experiment.TrackBar1.maximum\nExperiment.ComboBox2.currentIndex = 7\nExperiment.BitBtn3.click()\n"
        "Experiment.ComboBox1.currentIndex = 1\nExperiment.ComboBox1Change()\nprint Experiment.ComboBox2.visible\n"
        "Experiment.BitBtn3.click()\nExperiment.UpDown1.value = 15\nExperiment.BitBtn1.click()\n"
        "wait until Main.visible = true\nprint Main.windowTitle\nsave Main.Image1 " +
        quoted(session.path("frame.bmp")) + "\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList out = r.outLines();
    EXPECT_TRUE(out.contains("Experiment.TrackBar1.maximum = 60")) << r.out.toStdString();
    EXPECT_TRUE(out.contains("Experiment.ComboBox2.visible = false"));
    EXPECT_EQ(out.count("message: 完了: 完了しました"), 2) << r.out.toStdString();
    EXPECT_TRUE(out.contains("Main.windowTitle = Captured Image(64×48)")) << r.out.toStdString();
    EXPECT_EQ(saved(), (QStringList{"clip.avi0.bmp", "clip.avi0.jpg", "clip.avi10.bmp", "clip.avi10.jpg", "clip.avi15.bmp",
                                    "clip.avi15.jpg", "clip.avi5.bmp", "clip.avi5.jpg"}));
    for (const char* name : {"clip.avi0.jpg", "clip.avi5.jpg", "clip.avi10.jpg", "clip.avi15.jpg"})
        EXPECT_EQ(firstQuantiser(where + "/" + name), 6) << name << ": quality 80";
    const Bitmap24 frame = readPicture(session.path("frame.bmp"));
    EXPECT_TRUE(samePixels(frame, readPicture(where + "/clip.avi15.bmp")));
    EXPECT_FALSE(samePixels(frame, readPicture(where + "/clip.avi10.bmp")));
}

TEST_F(PlayerFramesScriptTest, ASeriesIntoAReadOnlyFolderStopsWithTheReason) {
    if (!makeFolderReadOnly(where)) GTEST_SKIP() << "this process writes into read-only folders";
    const ScriptResult r = session.run(openWindow() + "Experiment.BitBtn3.click()\nExperiment.close()\n"
                                                      "wait until MovieController.visible = true\n");
    restoreFolder(where);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList messages = r.outLines().filter("message: ");
    ASSERT_EQ(messages.size(), 1) << r.out.toStdString();
    EXPECT_TRUE(messages[0].startsWith("message: : ファイルを保存できませんでした（" + where + "/clip.avi0.jpg："))
        << messages[0].toStdString();
    EXPECT_TRUE(saved().isEmpty());
}
