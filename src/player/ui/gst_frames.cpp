#include "player/ui/gst_frames.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include "player/media_units.h"

namespace veltrane {

namespace {

// A mapped sample: unmapped and released with the last frame that shows it.
struct MappedSample {
    GstSample* sample = nullptr;
    GstVideoFrame frame{};
    bool mapped = false;

    MappedSample() = default;
    MappedSample(const MappedSample&) = delete;
    MappedSample& operator=(const MappedSample&) = delete;
    ~MappedSample() {
        if (mapped) gst_video_frame_unmap(&frame);
        if (sample != nullptr) gst_sample_unref(sample);
    }
};

}  // namespace

VideoFrame mapSample(GstSample* sample) {
    auto mapped = std::make_shared<MappedSample>();
    mapped->sample = sample;
    GstVideoInfo info;
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (caps == nullptr || buffer == nullptr || !gst_video_info_from_caps(&info, caps) ||
        GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_BGR)
        return {};
    mapped->mapped = gst_video_frame_map(&mapped->frame, &info, buffer, GST_MAP_READ);
    if (!mapped->mapped) return {};

    VideoFrame frame;
    const GstVideoFrame& video = mapped->frame;
    frame.bits = static_cast<const std::uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&video, 0));
    const std::size_t size = video.map[0].size;
    const std::size_t offset = GST_VIDEO_FRAME_PLANE_OFFSET(&video, 0);
    frame.size = size > offset ? size - offset : 0;
    frame.width = GST_VIDEO_FRAME_WIDTH(&video);
    frame.height = GST_VIDEO_FRAME_HEIGHT(&video);
    frame.stride = GST_VIDEO_FRAME_PLANE_STRIDE(&video, 0);
    frame.owner = std::move(mapped);
    return frame;
}

VideoFrame heldFrame(GstElement* videoSink) {
    GstSample* sample = nullptr;
    g_object_get(videoSink, "last-sample", &sample, nullptr);
    return sample != nullptr ? mapSample(sample) : VideoFrame();
}

std::int64_t heldFrameTime(GstElement* videoSink, int rateNum, int rateDen, std::int64_t* frameDuration) {
    GstSample* sample = nullptr;
    g_object_get(videoSink, "last-sample", &sample, nullptr);
    if (sample == nullptr) return -1;
    std::int64_t result = -1;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    const GstSegment* segment = gst_sample_get_segment(sample);
    if (buffer != nullptr && segment != nullptr && GST_BUFFER_PTS_IS_VALID(buffer)) {
        guint64 streamTime = 0;
        if (gst_segment_to_stream_time_full(segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer), &streamTime) > 0)
            result = static_cast<std::int64_t>(streamTime);
        else
            result = 0;
        if (GST_BUFFER_DURATION_IS_VALID(buffer) && GST_BUFFER_DURATION(buffer) > 0)
            *frameDuration = static_cast<std::int64_t>(GST_BUFFER_DURATION(buffer));
        else
            *frameDuration = rateNum > 0 ? framesToNanoseconds(1, rateNum, rateDen) : GST_SECOND / 30;
    }
    gst_sample_unref(sample);
    return result;
}

GstFrameStore::GstFrameStore(std::function<void()> notify) : notify_(std::move(notify)) {}

void GstFrameStore::attach(GstElement* appsink) {
    GstAppSinkCallbacks callbacks{};
    callbacks.new_preroll = [](GstAppSink* sink, gpointer store) { return onPreroll(GST_ELEMENT(sink), store); };
    callbacks.new_sample = [](GstAppSink* sink, gpointer store) { return onSample(GST_ELEMENT(sink), store); };
    gst_app_sink_set_callbacks(GST_APP_SINK(appsink), &callbacks, this, nullptr);
}

GstFlowReturn GstFrameStore::onSample(GstElement* sink, gpointer store) {
    if (GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink)))
        static_cast<GstFrameStore*>(store)->store(sample, false);
    return GST_FLOW_OK;
}

GstFlowReturn GstFrameStore::onPreroll(GstElement* sink, gpointer store) {
    if (GstSample* sample = gst_app_sink_pull_preroll(GST_APP_SINK(sink)))
        static_cast<GstFrameStore*>(store)->store(sample, true);
    return GST_FLOW_OK;
}

void GstFrameStore::store(GstSample* sample, bool preroll) {
    const GstBuffer* buffer = gst_sample_get_buffer(sample);
    VideoFrame frame = mapSample(sample);
    if (frame.isNull()) return;
    if (!preroll) ++delivered_;
    {
        std::lock_guard lock(mutex_);
        // The frame prerolled in the paused state comes again as the first one played.
        const bool again = !frame_.isNull() && buffer == buffer_;
        frame.serial = again ? frame_.serial : ++serial_;
        buffer_ = buffer;
        std::swap(frame_, frame);
    }
    frame = VideoFrame();  // the old frame is released outside the lock
    notify_();
}

bool GstFrameStore::clear() {
    VideoFrame old;
    {
        std::lock_guard lock(mutex_);
        std::swap(frame_, old);
        buffer_ = nullptr;
    }
    delivered_ = 0;
    return !old.isNull();
}

VideoFrame GstFrameStore::current() const {
    std::lock_guard lock(mutex_);
    return frame_;
}

}  // namespace veltrane
