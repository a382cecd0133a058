// Playback measurement: plays a generated 1280 × 720, 30 frames a second, 10-second clip through
// the real media engine and video widget (offscreen unless QT_QPA_PLATFORM says otherwise) and
// reports the frames the video sink received and the widget painted against the frames of the
// clip, with the wall and process CPU time of the playback.
//
//   playback_measure [--codec mjpeg|mpeg2] [--scale PERCENT] [--keep FOLDER]
//
// The goal is at least 99 % of the frames delivered; the exit status is 1 below it.
#include <gst/gst.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "player/ui/gst_media_engine.h"
#include "measure_clips.h"
#include "player/ui/media_fixtures.h"
#include "player/ui/video_widget.h"

using namespace veltrane;

namespace {

constexpr int kFps = bench::kClipFps;
constexpr int kFrames = bench::kClipFrames;

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QString codec = "mjpeg";
    int scale = 100;
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--codec") codec = args[i + 1];
        if (args[i] == "--scale") scale = args[i + 1].toInt();
        if (args[i] == "--keep") keep = args[i + 1];
    }
    if ((codec != "mjpeg" && codec != "mpeg2") || scale <= 0) {
        std::fprintf(stderr, "usage: playback_measure [--codec mjpeg|mpeg2] [--scale PERCENT] [--keep FOLDER]\n");
        return 2;
    }

    gst_init(nullptr, nullptr);
    QTemporaryDir temporary;
    const QString folder = keep.isEmpty() ? temporary.path() : keep;
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(codec == "mpeg2" ? "measure.mpg" : "measure.avi");
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

    GstMediaEngine engine;
    QString failure;
    QObject::connect(&engine, &MediaEngine::opened, &app, &QApplication::quit);
    QObject::connect(&engine, &MediaEngine::openFailed, &app, [&](const QString& why) {
        failure = why.isEmpty() ? QStringLiteral("failed") : why;
        app.quit();
    });
    engine.open(path);
    app.exec();
    if (!engine.isOpen()) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), qPrintable(failure));
        return 2;
    }
    QObject::disconnect(&engine, nullptr, &app, nullptr);
    VideoWidget widget;
    widget.resize(engine.nativeSize() * scale / 100);
    widget.setEngine(&engine);
    widget.show();
    app.processEvents();

    bool ended = false;
    QObject::connect(&engine, &MediaEngine::endOfStream, [&] {
        ended = true;
        app.quit();
    });
    QTimer::singleShot(30'000, &app, &QApplication::quit);

    const double cpuBefore = bench::cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    engine.run();
    app.exec();
    const double wallSeconds = wall.elapsed() / 1000.0;
    const double cpu = bench::cpuSeconds() - cpuBefore;

    const quint64 delivered = engine.deliveredFrames();
    const quint64 painted = widget.paintedFrames();
    const double deliveredShare = 100.0 * static_cast<double>(delivered) / kFrames;
    std::printf("codec %s, %d x %d at %d fps, %d frames; widget %d x %d (%d %%), audio sink %s\n", qPrintable(codec),
                engine.nativeSize().width(), engine.nativeSize().height(), kFps, kFrames, widget.width(),
                widget.height(), scale, qgetenv("VELTRANE_AUDIO_SINK") == "fakesink" ? "fakesink" : "auto");
    std::printf("end of stream: %s after %.2f s wall\n", ended ? "yes" : "NO (timed out)", wallSeconds);
    std::printf("frames delivered to the video sink: %llu of %d (%.1f %%)\n",
                static_cast<unsigned long long>(delivered), kFrames, deliveredShare);
    std::printf("distinct frames painted by the widget: %llu of %d (%.1f %%)\n",
                static_cast<unsigned long long>(painted), kFrames, 100.0 * static_cast<double>(painted) / kFrames);
    std::printf("process CPU time during playback: %.2f s (%.0f %% of one core over the wall time)\n", cpu,
                100.0 * cpu / wallSeconds);
    return ended && deliveredShare >= 99.0 ? 0 : 1;
}
