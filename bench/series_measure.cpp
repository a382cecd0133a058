// Snapshot-series measurement: a 60-frame series (frames 0 to 295 at step 5) of a generated
// 1280 × 720, 30 frames a second, 10-second clip through the real controller, engine and
// frame-processing window, as JPEG (quality 50) and as BMP, with the frames per second of each.
//
//   series_measure [--codec mjpeg|wmv]
//
// The goal (MJPEG) is at least 60 frames a second for both formats; the exit status is 1 below it.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "frames/ui/experiment_window.h"
#include "platform/ui/scripted_platform.h"
#include "player/ui/media_fixtures.h"
#include "player/ui/movie_controller.h"
#include "player/ui/player_fixture.h"
#include "support/fake_document_host.h"
#include "widgets/ui/selection_track_bar.h"

using namespace veltrane;

int main(int argc, char** argv) {
    qputenv("VELTRANE_AUDIO_SINK", "fakesink");
    QApplication app(argc, argv);
    QString codec = "mjpeg";
    for (int i = 1; i + 1 < argc; ++i)
        if (QString(argv[i]) == "--codec") codec = argv[i + 1];
    QTemporaryDir dir;
    qputenv("VELTRANE_INI", dir.filePath("Veltrane.ini").toUtf8());
    setPlatform(std::make_unique<ScriptedPlatform>());

    const QString encoder = codec == "wmv" ? "avenc_wmv2 ! asfmux" : "jpegenc quality=90 ! avimux";
    const QString clip = dir.filePath(codec == "wmv" ? "clip.wmv" : "clip.avi");
    test::runPipeline(QString("videotestsrc num-buffers=300 pattern=smpte horizontal-speed=4 ! "
                              "video/x-raw,width=1280,height=720,framerate=30/1 ! %1 ! filesink location=\"%2\"")
                          .arg(encoder, clip));

    test::FakeDocumentHost host;
    auto* player = new TMovieController(host);
    player->OpenMedia(clip, 1);
    test::waitFor([&] { return !player->engine().isOpening(); }, 10000);
    player->OpenFrameProcessing();
    if (!Experiment) {
        std::fprintf(stderr, "the frame-processing window did not open\n");
        return 2;
    }
    TExperiment& window = *Experiment;
    window.TrackBar1->setValue(0);
    window.Button2Click();
    window.TrackBar1->setValue(300);
    window.Button1Click();

    bool met = true;
    for (int format : {0, 1}) {
        window.ComboBox1->setCurrentIndex(format);
        QElapsedTimer clock;
        clock.start();
        window.BitBtn3Click();
        const double seconds = clock.nsecsElapsed() / 1e9;
        const int files = static_cast<int>(
            QDir(dir.path()).entryList({format == 0 ? "clip.*.jpg" : "clip.*.bmp"}, QDir::Files).size());
        const double rate = files / seconds;
        std::printf("%s %s: %d files in %.3f s, %.1f frames/s\n", qPrintable(codec), format == 0 ? "JPEG" : "BMP",
                    files, seconds, rate);
        if (codec == "mjpeg" && rate < 60) met = false;
    }
    player->close();
    return met ? 0 : 1;
}
