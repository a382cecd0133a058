#pragma once
// What the player measurements share: the generated 1280 × 720, 30 frames a second, 10-second
// clip and the process's CPU time.
#include <sys/resource.h>

#include <QString>
#include <cstdio>
#include <exception>

#include "player/ui/media_fixtures.h"

namespace veltrane::bench {

constexpr int kClipWidth = 1280;
constexpr int kClipHeight = 720;
constexpr int kClipFps = 30;
constexpr int kClipFrames = 300;

// User plus system CPU seconds of this process so far.
inline double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Moving colour bars: MJPEG in AVI ("mjpeg") or MPEG-2 in an MPEG program stream ("mpeg2"), each
// with a 48 kHz stereo tone, or WMV2 in ASF without sound ("wmv": asfmux 1.22 with a WMA stream
// beside the video writes a file whose video GStreamer cannot decode). mpeg2enc takes a few
// minutes for the 300 frames of 720p (libav's MPEG-2 encoder refuses GStreamer 1.22's frame rates).
inline bool makeClip(const QString& path, const QString& codec) {
    const QString video = QStringLiteral(
                              "videotestsrc num-buffers=%1 pattern=smpte horizontal-speed=4 ! "
                              "video/x-raw,width=%2,height=%3,framerate=%4/1 ! ")
                              .arg(kClipFrames)
                              .arg(kClipWidth)
                              .arg(kClipHeight)
                              .arg(kClipFps);
    const QString audio =
        QStringLiteral("audiotestsrc num-buffers=%1 samplesperbuffer=4800 ! ").arg(kClipFrames / kClipFps * 10);
    const QString file = "filesink location=\"" + path + "\" ";
    QString description;
    if (codec == "mpeg2")
        description = video + "videoconvert ! video/x-raw,format=I420 ! mpeg2enc format=3 constraints=false bitrate=6000 ! "
                              "mpegvideoparse ! avmux_dvd name=mux ! " + file + audio +
                      "audio/x-raw,format=S16BE,rate=48000,channels=2 ! mux.";
    else if (codec == "wmv")
        description = video + "videoconvert ! avenc_wmv2 bitrate=6000000 ! asfmux ! " + file;
    else
        description = video + "jpegenc quality=85 ! avimux name=mux ! " + file + audio +
                      "audio/x-raw,format=S16LE,rate=48000,channels=2 ! mux.";
    try {
        test::runPipeline(description, 600);
        return true;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "cannot build the clip: %s\n", failure.what());
        return false;
    }
}

}  // namespace veltrane::bench
