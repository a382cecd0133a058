#pragma once
// Frames from the graph's video sink: the latest frame delivered, kept for the video widget
// and shared with GStreamer's streaming threads, and the frame the paused sink holds.
#include <gst/gst.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "player/video_frame.h"

namespace veltrane {

// The frame of a B, G, R sample, mapped for reading; it takes over the sample's reference.
// Null for anything else.
VideoFrame mapSample(GstSample* sample);

// The frame the video sink holds now (after a preroll, a seek or a step); null when none.
VideoFrame heldFrame(GstElement* videoSink);

// Stream time of the frame the video sink holds, and its duration (the frame rate's, or a
// 30th of a second, when the buffer gives none); -1 when it holds none.
std::int64_t heldFrameTime(GstElement* videoSink, int rateNum, int rateDen, std::int64_t* frameDuration);

class GstFrameStore {
public:
    // notify is called from a streaming thread after every frame stored.
    explicit GstFrameStore(std::function<void()> notify);

    // Routes the appsink's prerolled and played frames here.
    void attach(GstElement* appsink);
    // Forgets the frame and the count; true when there was a frame.
    bool clear();

    VideoFrame current() const;
    // Frames the sink received while playing since the last clear().
    std::uint64_t delivered() const { return delivered_.load(); }

private:
    static GstFlowReturn onSample(GstElement* sink, gpointer store);
    static GstFlowReturn onPreroll(GstElement* sink, gpointer store);
    void store(GstSample* sample, bool preroll);

    std::function<void()> notify_;
    mutable std::mutex mutex_;
    VideoFrame frame_;
    const GstBuffer* buffer_ = nullptr;  // the buffer frame_ shows, to know it when it comes again
    std::atomic<std::uint64_t> delivered_{0};
    std::uint64_t serial_ = 0;
};

}  // namespace veltrane
