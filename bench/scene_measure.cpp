// Scene search measurement: the player plays a generated 1280 × 720, 30 frames a second,
// 10-second clip alone, then while the scene search shows the first page's four previews of the
// same file, once with the previews' frames delivered at full size (the video widgets scale them)
// and once scaled to 200 × 150 inside the graph, as the program does. Both runs restart the player and the previews
// together from paused and play to the end of the clip (the search's 6.5-second restart timer is
// held, so each preview plays its scene once). Reported: the process CPU time of each run, the
// frames the player and each preview received against the frames of their stretch of the clip,
// and, with scaled previews, how long one ShowPage takes until all four previews show a frame of
// their new scene.
//
//   scene_measure [--codec mjpeg|wmv|mpeg2] [--keep FOLDER]
//
// Goals: the scaled previews' CPU (the run's less the player's alone) ≤ 75 % of the full-size ones'; the player keeps ≥ 99 % of its frames and each
// scaled preview ≥ 95 %; every ShowPage settles under 150 ms. The exit status is 1 when one fails.
#include <gst/gst.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

#include "platform/ui/scripted_platform.h"
#include "player/ui/gst_media_engine.h"
#include "measure_clips.h"
#include "player/ui/media_fixtures.h"
#include "player/ui/movie_controller.h"
#include "scene/scene_search.h"
#include "scene/ui/scene_cap.h"
#include "support/fake_document_host.h"

using namespace veltrane;

namespace {

constexpr int kFps = bench::kClipFps;
constexpr int kFrames = bench::kClipFrames;
constexpr qint64 kUnitsPerFrame = 10'000'000 / kFps;

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return done();
}

std::uint64_t delivered(MediaEngine& engine) { return static_cast<GstMediaEngine&>(engine).deliveredFrames(); }

// Frames of the clip from `start` to its end: the frame under the start is shown too.
int framesFrom(qint64 start) { return kFrames - static_cast<int>(start / kUnitsPerFrame); }

struct RunResult {
    bool ok = false;
    double cpu = 0;
    double wall = 0;
    double playerShare = 0;
    std::array<double, 4> previewShares{};
    std::vector<double> showPageMs;
};

enum class Previews { None, FullSize, Scaled };

// The player, and the scene search unless `previews` is None, on `path`.
RunResult measure(const QString& path, Previews previews) {
    RunResult result;
    test::FakeDocumentHost host;
    auto* player = new TMovieController(host);
    player->OpenMedia(path, 1);
    if (!waitFor([&] { return player->mediaOpen(); }, 10000)) {
        std::fprintf(stderr, "the player cannot open %s\n", qPrintable(path));
        player->close();
        return result;
    }
    TSceneCap* search = nullptr;
    const int engines = previews == Previews::None ? 1 : 5;
    if (previews != Previews::None) {
        search = new TSceneCap(*player);
        SceneCap = search;
        search->scaledPreviews = previews == Previews::Scaled;
        search->StartSceneSearch();
        search->show();
        search->Timer1->stop();
        if (!waitFor([&] {
                for (int k = 0; k < 4; ++k)
                    if (search->preview(k).isOpening()) return false;
                return true;
            }, 10000))
            std::fprintf(stderr, "the previews cannot open %s\n", qPrintable(path));
    }

    // Everything paused, then all restart together.
    player->SpeedButtonPauseClick();
    for (int k = 0; search && k < 4; ++k) search->preview(k).pause();
    waitFor([] { return false; }, 300);
    const std::uint64_t playerBefore = delivered(player->engine());
    std::array<std::uint64_t, 4> previewBefore{};
    for (int k = 0; search && k < 4; ++k) previewBefore[static_cast<std::size_t>(k)] = delivered(search->preview(k));

    int ended = 0;
    QObject::connect(&player->engine(), &MediaEngine::endOfStream, [&] { ++ended; });
    for (int k = 0; search && k < 4; ++k)
        QObject::connect(&search->preview(k), &MediaEngine::endOfStream, [&] { ++ended; });
    const double cpuBefore = bench::cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    player->PlayFromPosition(0);
    if (search) search->ShowPage(0);
    waitFor([&] { return ended >= engines; }, 20000);
    result.wall = wall.elapsed() / 1000.0;
    result.cpu = bench::cpuSeconds() - cpuBefore;
    result.ok = ended >= engines;
    result.playerShare = 100.0 * static_cast<double>(delivered(player->engine()) - playerBefore) / kFrames;
    const qint64 duration = player->duration();
    for (int k = 0; search && k < 4; ++k)
        result.previewShares[static_cast<std::size_t>(k)] =
            100.0 * static_cast<double>(delivered(search->preview(k)) - previewBefore[static_cast<std::size_t>(k)]) /
            framesFrom(sceneStart(duration, k));

    if (previews == Previews::Scaled) {
        for (int page : {1, 2, 3, 0, 1, 2, 3, 0}) {
            std::array<std::uint64_t, 4> serials{};
            for (int k = 0; k < 4; ++k)
                serials[static_cast<std::size_t>(k)] = search->preview(k).currentFrame().serial;
            QElapsedTimer clock;
            clock.start();
            search->ShowPage(page);
            waitFor(
                [&] {
                    for (int k = 0; k < 4; ++k) {
                        MediaEngine& preview = search->preview(k);
                        if (preview.isSeeking() || preview.currentFrame().serial == serials[static_cast<std::size_t>(k)])
                            return false;
                    }
                    return true;
                },
                5000);
            result.showPageMs.push_back(clock.nsecsElapsed() / 1e6);
            waitFor([] { return false; }, 400);  // let the previews play a little
        }
    }
    player->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

void report(const char* what, const RunResult& r, bool previews) {
    std::printf("%s: %s after %.2f s wall, CPU %.2f s (%.0f %% of one core)\n", what,
                r.ok ? "every graph reached the end" : "NOT every graph reached the end", r.wall, r.cpu,
                100.0 * r.cpu / std::max(r.wall, 0.001));
    std::printf("  player frames %.1f %%", r.playerShare);
    if (previews)
        std::printf("; previews %.1f %%, %.1f %%, %.1f %%, %.1f %%", r.previewShares[0], r.previewShares[1],
                    r.previewShares[2], r.previewShares[3]);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("VELTRANE_AUDIO_SINK")) qputenv("VELTRANE_AUDIO_SINK", "fakesink");
    QApplication app(argc, argv);
    setPlatform(std::make_unique<ScriptedPlatform>());

    QString codec = "mjpeg";
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--codec") codec = args[i + 1];
        if (args[i] == "--keep") keep = args[i + 1];
    }
    if (codec != "mjpeg" && codec != "wmv" && codec != "mpeg2") {
        std::fprintf(stderr, "usage: scene_measure [--codec mjpeg|wmv|mpeg2] [--keep FOLDER]\n");
        return 2;
    }

    gst_init(nullptr, nullptr);
    QTemporaryDir temporary;
    // The player's settings go to a file of the run's own.
    qputenv("VELTRANE_INI", QDir(temporary.path()).filePath("Veltrane.ini").toUtf8());
    const QString folder = keep.isEmpty() ? temporary.path() : keep;
    QDir().mkpath(folder);
    const QString extension = codec == "mpeg2" ? "mpg" : codec == "wmv" ? "wmv" : "avi";
    const QString path = QDir(folder).filePath("scene_measure." + extension);
    if (QFileInfo(path).size() == 0) {
        QElapsedTimer making;
        making.start();
        if (!bench::makeClip(path, codec)) {
            QFile::remove(path);
            return 2;
        }
        std::printf("clip: %s, %lld bytes, made in %.1f s\n", qPrintable(path), QFileInfo(path).size(),
                    making.elapsed() / 1000.0);
    }

    const RunResult alone = measure(path, Previews::None);
    const RunResult full = measure(path, Previews::FullSize);
    const RunResult scaled = measure(path, Previews::Scaled);
    std::printf("codec %s, 1280 x 720 at %d fps, %d frames; audio sink %s\n", qPrintable(codec), kFps, kFrames,
                qgetenv("VELTRANE_AUDIO_SINK").constData());
    report("player alone", alone, false);
    report("player + full-size previews", full, true);
    report("player + scaled previews", scaled, true);
    // The goal is on the previews' own CPU: the run's less the player's alone.
    const double fullPreviews = full.cpu - alone.cpu;
    const double scaledPreviews = scaled.cpu - alone.cpu;
    const double ratio = fullPreviews > 0 ? scaledPreviews / fullPreviews : 0;
    std::printf("whole run, scaled / full-size CPU: %.2f\n", full.cpu > 0 ? scaled.cpu / full.cpu : 0);
    std::printf("previews alone (run less player alone): full-size %.2f s, scaled %.2f s, scaled / full-size %.2f "
                "(goal <= 0.75)\n",
                fullPreviews, scaledPreviews, ratio);
    std::vector<double> pages = scaled.showPageMs;
    std::sort(pages.begin(), pages.end());
    const double slowest = pages.empty() ? 0 : pages.back();
    std::printf("ShowPage until four new frames:");
    for (double ms : scaled.showPageMs) std::printf(" %.0f", ms);
    std::printf(" ms (median %.0f, slowest %.0f; goal < 150)\n", pages.empty() ? 0 : pages[pages.size() / 2], slowest);

    bool met = alone.ok && full.ok && scaled.ok && ratio > 0 && ratio <= 0.75 && scaled.playerShare >= 99.0 &&
               slowest < 150.0 && !pages.empty();
    for (double share : scaled.previewShares) met = met && share >= 95.0;
    std::printf("goals %s\n", met ? "met" : "NOT met");
    return met ? 0 : 1;
}
