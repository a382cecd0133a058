// Seek measurement: makes a 1280 × 720, 30 frames a second, 10-second H.264 clip (a key frame
// every second) in a temporary folder, opens it in the real media engine, and times 200 seeks as
// a click on the seek bar asks them: how long the call holds the window thread, and how long
// until the engine reports the frame at the new position ready. Prints the median and the 95th
// percentile of both.
//
//   seek_measure [--seeks N] [--playing] [--keep FOLDER]
#include <gst/gst.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "player/media_units.h"
#include "player/ui/gst_media_engine.h"
#include "player/ui/media_fixtures.h"

using namespace veltrane;

namespace {

constexpr int kSeconds = 10;

bool makeClip(const QString& path) {
    const QString description =
        QStringLiteral("videotestsrc num-buffers=%1 pattern=smpte horizontal-speed=4 ! "
                       "video/x-raw,width=1280,height=720,framerate=30/1 ! x264enc key-int-max=30 speed-preset=ultrafast ! "
                       "h264parse ! mp4mux ! filesink location=\"%2\"")
            .arg(kSeconds * 30)
            .arg(path);
    try {
        test::runPipeline(description);
        return true;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "cannot build the clip: %s\n", failure.what());
        return false;
    }
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// Runs the event loop until done() holds; false after timeoutMs.
bool runUntil(QApplication& app, const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        app.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 5);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("VELTRANE_AUDIO_SINK")) qputenv("VELTRANE_AUDIO_SINK", "fakesink");
    QApplication app(argc, argv);
    int seeks = 200;
    bool playing = false;
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--seeks" && i + 1 < args.size()) seeks = args[++i].toInt();
        else if (args[i] == "--playing") playing = true;
        else if (args[i] == "--keep" && i + 1 < args.size()) keep = args[++i];
    }
    if (seeks <= 0) {
        std::fprintf(stderr, "usage: seek_measure [--seeks N] [--playing] [--keep FOLDER]\n");
        return 2;
    }

    gst_init(nullptr, nullptr);
    QTemporaryDir temporary;
    const QString folder = keep.isEmpty() ? temporary.path() : keep;
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath("seek720.mp4");
    if (QFileInfo(path).size() == 0 && !makeClip(path)) return 2;

    GstMediaEngine engine;
    bool failed = false;
    QObject::connect(&engine, &MediaEngine::openFailed, [&] { failed = true; });
    engine.open(path);
    if (!runUntil(app, [&] { return engine.isOpen() || failed; }, 10000) || failed) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return 2;
    }
    int finished = 0;
    QObject::connect(&engine, &MediaEngine::seekFinished, [&] { ++finished; });
    if (playing) engine.run();

    // Targets spread over the clip, not on key frames, in an order no cache can guess.
    std::mt19937 random(12345);
    std::uniform_int_distribution<qint64> target(0, (kSeconds - 1) * kUnitsPerSecond);
    std::vector<double> callMs, readyMs;
    int lost = 0;
    for (int i = 0; i < seeks; ++i) {
        const int before = finished;
        QElapsedTimer clock;
        clock.start();
        engine.setPositions(target(random), StopMode::Unchanged);
        callMs.push_back(clock.nsecsElapsed() / 1e6);
        if (!runUntil(app, [&] { return finished > before; }, 10000)) ++lost;
        readyMs.push_back(clock.nsecsElapsed() / 1e6);
    }

    std::printf("720p H.264, %d s, key frame every 1 s; %d seeks while %s\n", kSeconds, seeks,
                playing ? "playing" : "paused");
    std::printf("call returns:      median %.3f ms, 95th percentile %.3f ms\n", percentile(callMs, 0.5),
                percentile(callMs, 0.95));
    std::printf("frame ready after: median %.1f ms, 95th percentile %.1f ms%s\n", percentile(readyMs, 0.5),
                percentile(readyMs, 0.95), lost > 0 ? " (some never answered)" : "");
    return lost == 0 ? 0 : 1;
}
