#pragma once
// Small media files made at test time with GStreamer's own encoders, so no media is kept in
// the repository.
#include <gst/gst.h>

#include <QString>
#include <stdexcept>

namespace veltrane::test {

// Runs a gst-launch description to its end, waiting up to timeoutSeconds; throws when it cannot
// be built, fails or takes longer.
inline void runPipeline(const QString& description, int timeoutSeconds = 60) {
    static const bool ready = gst_init_check(nullptr, nullptr, nullptr);
    if (!ready) throw std::runtime_error("GStreamer does not start");
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
    if (error != nullptr) {
        const std::string why = error->message;
        g_error_free(error);
        if (pipeline != nullptr) gst_object_unref(pipeline);
        throw std::runtime_error("cannot build '" + description.toStdString() + "': " + why);
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(bus, timeoutSeconds * GST_SECOND,
                                                     static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ok = message != nullptr && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message != nullptr) gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    if (!ok) throw std::runtime_error("'" + description.toStdString() + "' did not run to its end");
}

// An MJPEG AVI of `frames` frames at 30 per second. `pattern` is a videotestsrc pattern;
// "solid-color" paints every frame in `argb` (0xAARRGGBB).
inline void writeAvi(const QString& path, int frames, int width = 64, int height = 48, const QString& pattern = "smpte",
                     unsigned argb = 0xFF000000u) {
    runPipeline(QString("videotestsrc num-buffers=%1 pattern=%2 foreground-color=%3 ! "
                        "video/x-raw,width=%4,height=%5,framerate=30/1 ! jpegenc quality=95 ! avimux ! filesink location=\"%6\"")
                    .arg(frames)
                    .arg(pattern)
                    .arg(argb)
                    .arg(width)
                    .arg(height)
                    .arg(path));
}

// A mono WAV of `buffers` × 1024 samples at 44.1 kHz.
inline void writeWav(const QString& path, int buffers = 100) {
    runPipeline(QString("audiotestsrc num-buffers=%1 ! audio/x-raw,rate=44100,channels=1 ! wavenc ! filesink location=\"%2\"")
                    .arg(buffers)
                    .arg(path));
}

}  // namespace veltrane::test
